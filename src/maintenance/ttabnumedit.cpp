#include "maintenance/ttabnumedit.h"

#include <QKeyEvent>

namespace pluvexa {

TTabNumEdit::TTabNumEdit(QWidget* parent) : TNumEdit(parent) {}

TInsertKeyStates TTabNumEdit::GetInsertKeyState()
{
    return overwrite_ ? iksOverWrite : iksInsert;
}

void TTabNumEdit::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    // Shift+Insert and Ctrl+Insert are clipboard keys, not the toggle; a held
    // key flips it once.
    if (key == Qt::Key_Insert && mods == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            overwrite_ = !overwrite_;
        event->accept();
        return;
    }
    if (tabOnEnter_ && mods == Qt::NoModifier) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down) {
            focusNextChild();
            event->accept();
            return;
        }
        if (key == Qt::Key_Up) {
            focusPreviousChild();
            event->accept();
            return;
        }
    }
    TNumEdit::keyPressEvent(event);
}

void TTabNumEdit::TypeChar(QChar c)
{
    // Overwriting: the digit at the caret is selected so that the typed digit
    // takes its place. With decimals the plain rules already overwrite every
    // digit (only right before the comma, where there is no digit to
    // overwrite, do they insert), and deleting the digit first would shift
    // the following ones left and lose one of them; so this matters only for
    // whole numbers. "-" and the comma do not take a place in the text, so
    // letting them select would just delete a digit.
    if (overwrite_ && Decimals() == 0 && !isReadOnly() && !hasSelectedText() && c >= u'0' && c <= u'9') {
        EnsureWellFormed();
        const QString t = text();
        int k = cursorPosition();
        if (t.startsWith(u'-') && k == 0)
            k = 1;
        if (k < t.size())
            setSelection(k, 1);
    }
    TNumEdit::TypeChar(c);
}

} // namespace pluvexa
