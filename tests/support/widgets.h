#pragma once

// A window's widgets are its own: the tests and the screenshot tool find
// them as the window names them, by object name, and drive the window
// through its operations. No gtest here, so that the tool can use it too.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <stdexcept>
#include <string>

namespace pluvexa::test {

// The one descendant of `pai` of type T named `nome`. None, or more than
// one, throws std::logic_error naming the type, the name and `pai`: a test
// fails at the look-up (gtest reports the exception), never later at a
// null pointer, and a renamed widget says which name is gone.
template <typename T>
T* filho(const QObject& pai, const char* nome)
{
    const QList<T*> achados = pai.findChildren<T*>(QString::fromLatin1(nome));
    if (achados.size() == 1)
        return achados.front();
    const char* tipo = T::staticMetaObject.className();
    throw std::logic_error(std::to_string(achados.size()) + " " + tipo + " named \"" + nome + "\" in "
                           + pai.metaObject()->className() + " \"" + pai.objectName().toStdString() + "\"");
}

}  // namespace pluvexa::test
