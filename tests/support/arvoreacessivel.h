#pragma once

// The controls of a window that a screen reader would announce without a
// name: buttons, boxes, fields and lists the user acts on, found by walking
// the window's accessible tree as assistive technology does.

#include <QAccessible>
#include <QAccessibleInterface>
#include <QStringList>
#include <QWidget>

namespace pluvexa::test {

// Roles of the things the user acts on, which must be named.
inline bool controleDeUsuario(QAccessible::Role papel)
{
    switch (papel) {
    case QAccessible::PushButton:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::PageTabList:
    case QAccessible::MenuBar:
        return true;
    default:
        return false;
    }
}

// "<role> <objectName>" of each shown control below `i` with no name; the
// items of lists, tables and trees are their own texts and are not walked.
inline void semNome(QAccessibleInterface* i, QStringList& saida, int profundidade = 0)
{
    if (!i || !i->isValid() || profundidade > 64 || i->state().invisible)
        return;
    const QAccessible::Role papel = i->role();
    if (controleDeUsuario(papel) && i->text(QAccessible::Name).trimmed().isEmpty()) {
        const QObject* o = i->object();
        saida << QStringLiteral("%1 %2").arg(int(papel)).arg(o ? o->objectName() + QLatin1Char('(')
                                                                     + QString::fromLatin1(o->metaObject()->className())
                                                                     + QLatin1Char(')')
                                                               : QStringLiteral("?"));
    }
    if (papel == QAccessible::List || papel == QAccessible::Table || papel == QAccessible::Tree)
        return;
    for (int c = 0; c < i->childCount(); ++c)
        semNome(i->child(c), saida, profundidade + 1);
}

inline QStringList controlesSemNome(QWidget* janela)
{
    QStringList saida;
    semNome(QAccessible::queryAccessibleInterface(janela), saida);
    return saida;
}

}  // namespace pluvexa::test
