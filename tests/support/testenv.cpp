#include "support/testenv.h"

#include <QFile>
#include <QSettings>
#include <cstdlib>

namespace pluvexa::test {

namespace {
QString& configuracaoDoProcesso()
{
    static QString pasta;
    return pasta;
}
}  // namespace

void apontaConfiguracao(const QString& pasta)
{
    for (QSettings::Format f : {QSettings::NativeFormat, QSettings::IniFormat})
        for (QSettings::Scope s : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(f, s, pasta);
    // The program names its settings file itself, from where the system
    // says a user's configuration goes (Configuracao::arquivo()).
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(pasta));
#ifdef Q_OS_WIN
    qputenv("APPDATA", QFile::encodeName(pasta));
#endif
}

void defineConfiguracaoDoProcesso(const QString& pasta)
{
    configuracaoDoProcesso() = pasta;
    apontaConfiguracao(pasta);
}

TemporaryHome::TemporaryHome()
    : m_oldHome(qgetenv("HOME")), m_hadHome(qEnvironmentVariableIsSet("HOME"))
{
    qputenv("HOME", m_dir.path().toLocal8Bit());
    apontaConfiguracao(m_dir.filePath(QStringLiteral(".config")));
}

TemporaryHome::~TemporaryHome()
{
    if (m_hadHome)
        qputenv("HOME", m_oldHome);
    else
        qunsetenv("HOME");
    apontaConfiguracao(configuracaoDoProcesso());
}

}  // namespace pluvexa::test
