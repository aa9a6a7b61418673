#pragma once

// Points HOME at a fresh temporary folder for the life of the object, so the
// working folders of a test never touch the real ones.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace pluvexa::test {

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
