#include "support/testenv.h"

#include <cstdlib>

namespace pluvexa::test {

TemporaryHome::TemporaryHome()
    : m_oldHome(qgetenv("HOME")), m_hadHome(qEnvironmentVariableIsSet("HOME"))
{
    qputenv("HOME", m_dir.path().toLocal8Bit());
}

TemporaryHome::~TemporaryHome()
{
    if (m_hadHome)
        qputenv("HOME", m_oldHome);
    else
        qunsetenv("HOME");
}

}  // namespace pluvexa::test
