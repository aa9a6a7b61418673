#pragma once

// Points HOME at a fresh temporary folder for the life of the object, so the
// working folders of a test never touch the real ones; the program's
// settings file lives there too.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace pluvexa::test {

// Points the settings of every format and scope at `pasta`.
void apontaConfiguracao(const QString& pasta);
// The folder the settings go back to between tests (one per test run).
void defineConfiguracaoDoProcesso(const QString& pasta);

class TemporaryHome {
public:
    TemporaryHome();
    ~TemporaryHome();
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
    bool m_hadHome;
};

}  // namespace pluvexa::test
