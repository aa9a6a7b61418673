#include "maintenance/tnumedit.h"

#include "recharge/digitosdecimais.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>
#include <limits>

namespace pluvexa {
namespace {

constexpr QChar kSeparator = u',';

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// A decimal number as digit strings, so that formatting and the currency
// count never go through binary floating point.
struct Decimal {
    bool negative = false;
    QString whole = QStringLiteral("0");
    QString fraction;
};

// Lenient reading of a number: blanks, an optional sign, digits, and an
// optional "," or "." followed by digits. Anything else reads as 0.
Decimal ParseDecimal(const QString& raw)
{
    const QString t = raw.trimmed();
    Decimal d;
    int i = 0;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        d.negative = t[i] == u'-';
        ++i;
    }
    QString whole, fraction;
    while (i < t.size() && IsDigit(t[i]))
        whole += t[i++];
    if (i < t.size() && (t[i] == u',' || t[i] == u'.')) {
        ++i;
        while (i < t.size() && IsDigit(t[i]))
            fraction += t[i++];
    }
    if (i != t.size() || (whole.isEmpty() && fraction.isEmpty()))
        return Decimal{};
    d.whole = whole.isEmpty() ? QStringLiteral("0") : whole;
    d.fraction = fraction;
    return d;
}

// The shared conversion of a double to its decimal digits (15 significant
// ones), placed around the decimal point.
Decimal DecimalFromDouble(double v)
{
    Decimal d;
    const DigitosDecimais dd = digitosDecimais(v);
    if (dd.digitos.empty())
        return d;
    d.negative = dd.negativo;
    const QString digits = QString::fromLatin1(dd.digitos.data(), qsizetype(dd.digitos.size()));
    const int point = dd.expoente; // digits before the decimal point
    if (point <= 0) {
        d.fraction = QString(-point, u'0') + digits;
    } else if (point >= digits.size()) {
        d.whole = digits + QString(point - digits.size(), u'0');
    } else {
        d.whole = digits.left(point);
        d.fraction = digits.mid(point);
    }
    return d;
}

Decimal DecimalFromScaled(std::int64_t v, int scale)
{
    Decimal d;
    d.negative = v < 0;
    const std::uint64_t magnitude = d.negative ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    QString digits = QString::number(magnitude);
    if (digits.size() < scale + 1)
        digits.prepend(QString(scale + 1 - digits.size(), u'0'));
    d.whole = digits.left(digits.size() - scale);
    d.fraction = digits.right(scale);
    return d;
}

// Exactly n fraction digits, rounding half away from zero.
Decimal RoundTo(Decimal d, int n)
{
    if (d.fraction.size() <= n) {
        d.fraction += QString(n - d.fraction.size(), u'0');
        return d;
    }
    const bool up = d.fraction[n] >= u'5';
    QString digits = d.whole + d.fraction.left(n);
    if (up) {
        int i = digits.size() - 1;
        for (; i >= 0 && digits[i] == u'9'; --i)
            digits[i] = u'0';
        if (i < 0)
            digits.prepend(u'1');
        else
            digits[i] = QChar(digits[i].unicode() + 1);
    }
    d.whole = digits.left(digits.size() - n);
    d.fraction = digits.right(n);
    return d;
}

QString Format(const Decimal& value, int n)
{
    Decimal d = RoundTo(value, n);
    int lead = 0;
    while (lead < d.whole.size() - 1 && d.whole[lead] == u'0')
        ++lead;
    d.whole = d.whole.mid(lead);
    if (d.whole.isEmpty())
        d.whole = QStringLiteral("0");
    const auto nonZero = [](const QString& s) { return std::any_of(s.begin(), s.end(), [](QChar c) { return c != u'0'; }); };
    QString out = d.negative && (nonZero(d.whole) || nonZero(d.fraction)) ? QStringLiteral("-") : QString();
    out += d.whole;
    if (n > 0)
        out += kSeparator + d.fraction;
    return out;
}

// The value times 10^scale, rounded half away from zero, saturated.
std::int64_t ToScaled(const Decimal& value, int scale)
{
    const Decimal d = RoundTo(value, scale);
    std::uint64_t magnitude = 0;
    bool overflow = false;
    for (QChar c : d.whole + d.fraction) {
        if (__builtin_mul_overflow(magnitude, 10u, &magnitude) ||
            __builtin_add_overflow(magnitude, static_cast<std::uint64_t>(c.unicode() - u'0'), &magnitude))
            overflow = true;
    }
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (d.negative) {
        if (overflow || magnitude > kMax + 1)
            return std::numeric_limits<std::int64_t>::min();
        return static_cast<std::int64_t>(0 - magnitude);
    }
    if (overflow || magnitude > kMax)
        return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(magnitude);
}

bool IsWellFormed(const QString& t, int n)
{
    int i = t.startsWith(u'-') ? 1 : 0;
    const int digitsStart = i;
    while (i < t.size() && IsDigit(t[i]))
        ++i;
    if (i == digitsStart)
        return false;
    if (n == 0)
        return i == t.size();
    if (i >= t.size() || t[i] != kSeparator || t.size() - i - 1 != n)
        return false;
    for (++i; i < t.size(); ++i)
        if (!IsDigit(t[i]))
            return false;
    return true;
}

// The text being edited and the caret (0 = before the first character).
// Every rule below keeps the text a well-formed number with n decimals.
struct Editing {
    QString text;
    int caret = 0;
    int n = 0;

    int Length() const { return static_cast<int>(text.size()); }
    bool Negative() const { return text.startsWith(u'-'); }
    // Characters before the decimal comma (sign included).
    int IntegerEnd() const { return n > 0 ? Length() - n - 1 : Length(); }
    int IntegerDigits() const { return IntegerEnd() - (Negative() ? 1 : 0); }

    // Deletes the character at position p counted from 1. The comma is never
    // removed, decimals shift left with a "0" coming in at the end, and the
    // last integer digit becomes "0" instead of disappearing.
    void DeleteAt(int p, bool backspace)
    {
        const int L = Length();
        if (p <= 0 || p > L)
            return;
        if (n > 0 && p > L - n) {
            text.remove(p - 1, 1);
            text.append(u'0');
            caret = p - 1;
            return;
        }
        if (n > 0 && p == L - n) {
            caret = backspace ? p - 1 : p;
            return;
        }
        const bool onlyDigit = Negative() ? (p == 2 && IntegerEnd() == 2) : (p == 1 && IntegerEnd() == 1);
        if (onlyDigit) {
            text[p - 1] = u'0';
            caret = 1;
            return;
        }
        text.remove(p - 1, 1);
        caret = p - 1;
    }

    void Backspace()
    {
        if (Negative() && caret == 0)
            caret = 1;
        DeleteAt(caret, true);
    }

    void Delete() { DeleteAt(caret + 1, false); }

    // As repeated Backspace from the end of the selection, so that the
    // deletion rules hold for every character in it.
    void DeleteSelection(int start, int length)
    {
        caret = start + length;
        for (int i = 0; i < length; ++i)
            DeleteAt(caret, true);
    }

    void ToggleSign()
    {
        if (Negative()) {
            text.remove(0, 1);
            caret = std::max(0, caret - 1);
        } else {
            text.prepend(u'-');
            ++caret;
        }
    }

    void Digit(QChar d)
    {
        const int L = Length();
        if (n > 0 && caret == L)
            return;
        if (Negative() && caret == 0)
            caret = 1;
        const int k = caret;
        if (k <= 2 && Negative() && L > 1 && text[1] == u'0') {
            text[1] = d;
            caret = 2;
        } else if (k <= 1 && L > 0 && text[0] == u'0') {
            text[0] = d;
            caret = 1;
        } else if (n > 0 && (k >= L - n || k < L - n - 1)) {
            text[k] = d;
            caret = k + 1;
        } else if (IntegerDigits() < TNumEdit::kMaxIntegerDigits) {
            text.insert(k, d);
            caret = k + 1;
        }
    }

    void Key(QChar c)
    {
        if (c == u'-')
            ToggleSign();
        else if (c == kSeparator && n > 0)
            caret = Length() - n;
        else if (IsDigit(c))
            Digit(c);
    }

    // Deleting the first digit of "102" leaves "02"; the text must stay the
    // value written out, so leading zeros go (the caret keeps its place).
    void DropLeadingZeros()
    {
        const int start = Negative() ? 1 : 0;
        while (IntegerEnd() - start > 1 && text[start] == u'0') {
            text.remove(start, 1);
            if (caret > start)
                --caret;
        }
    }
};

} // namespace

TNumEdit::TNumEdit(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A drop would insert raw text past the key rules.
    setAcceptDrops(false);
    setText(Format(Decimal{}, decimals_));
}

Qt::Alignment TNumEdit::Alignment() const
{
    return alignment() & Qt::AlignHorizontal_Mask;
}

void TNumEdit::SetAlignment(Qt::Alignment alignment)
{
    setAlignment((alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
}

void TNumEdit::SetDecimals(int decimals)
{
    const Decimal current = ParseDecimal(text());
    decimals_ = std::clamp(decimals, 0, kMaxDecimals);
    setText(Format(current, decimals_));
}

double TNumEdit::Value() const
{
    const Decimal d = ParseDecimal(text());
    const QString plain = (d.negative ? QStringLiteral("-") : QString()) + d.whole + u'.' + d.fraction + u'0';
    return plain.toDouble();
}

void TNumEdit::SetValue(double value)
{
    setText(Format(DecimalFromDouble(value), decimals_));
}

std::int64_t TNumEdit::AsCurrency() const
{
    return ToScaled(ParseDecimal(text()), 4);
}

void TNumEdit::SetAsCurrency(std::int64_t tenThousandths)
{
    setText(Format(DecimalFromScaled(tenThousandths, 4), decimals_));
}

std::int64_t TNumEdit::AsInteger() const
{
    return ToScaled(ParseDecimal(text()), 0);
}

void TNumEdit::SetAsInteger(std::int64_t value)
{
    setText(Format(DecimalFromScaled(value, 0), decimals_));
}

QSize TNumEdit::sizeHint() const
{
    return {kDefaultWidth, QLineEdit::sizeHint().height()};
}

void TNumEdit::EnsureWellFormed()
{
    if (IsWellFormed(text(), decimals_))
        return;
    const int caret = cursorPosition();
    setText(Format(ParseDecimal(text()), decimals_));
    setCursorPosition(std::min(caret, static_cast<int>(text().size())));
}

void TNumEdit::Show(const QString& newText, int caret)
{
    if (newText != text())
        setText(newText);
    deselect();
    setCursorPosition(caret);
}

void TNumEdit::TypeChar(QChar c)
{
    if (isReadOnly())
        return;
    EnsureWellFormed();
    if (c == u'.')
        c = kSeparator;
    Editing e{text(), cursorPosition(), decimals_};
    if (hasSelectedText()) {
        // The comma only moves the caret, so it leaves the selected digits alone.
        if (c == kSeparator)
            e.caret = selectionStart();
        else
            e.DeleteSelection(selectionStart(), static_cast<int>(selectedText().size()));
    }
    e.Key(c);
    e.DropLeadingZeros();
    Show(e.text, e.caret);
}

void TNumEdit::EraseBackward()
{
    Erase(true);
}

void TNumEdit::EraseForward()
{
    Erase(false);
}

// Backspace (backward) or Delete: the selection, or else one character by
// the deletion rules.
void TNumEdit::Erase(bool backward)
{
    if (isReadOnly())
        return;
    EnsureWellFormed();
    Editing e{text(), cursorPosition(), decimals_};
    if (hasSelectedText())
        e.DeleteSelection(selectionStart(), static_cast<int>(selectedText().size()));
    else if (backward)
        e.Backspace();
    else
        e.Delete();
    e.DropLeadingZeros();
    Show(e.text, e.caret);
}

void TNumEdit::PasteFromClipboard()
{
    if (isReadOnly())
        return;
    const QString clip = QApplication::clipboard()->text();
    if (hasSelectedText())
        EraseBackward();
    for (QChar c : clip)
        TypeChar(c);
}

void TNumEdit::CutToClipboard()
{
    if (isReadOnly() || !hasSelectedText())
        return;
    copy();
    EraseBackward();
}

void TNumEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        copy();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        CutToClipboard();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        PasteFromClipboard();
        event->accept();
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        if (mods == Qt::NoModifier) {
            if (event->key() == Qt::Key_Backspace)
                EraseBackward();
            else
                EraseForward();
        }
        event->accept();
        return;
    // Caret movement, selection and the keys a dialog reacts to keep their
    // usual meaning; none of them changes the text.
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        QLineEdit::keyPressEvent(event);
        return;
    default:
        break;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        for (QChar c : typed)
            if (c.isPrint())
                TypeChar(c);
        event->accept();
        return;
    }
    // Anything else (undo, word deletion, ...) would edit the text behind
    // the rules: leave it to the surrounding widgets.
    event->ignore();
}

void TNumEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    const bool byKeyboard = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
                            event->reason() == Qt::ShortcutFocusReason;
    if (byKeyboard && !autoSelect_)
        deselect();
}

void TNumEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A menu popping up or another application window taking the keyboard
    // is not leaving the control.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (minValue_ != maxValue_) {
        const double v = Value();
        if (v < minValue_ || v > maxValue_)
            emit OnInvalidEntry();
    }
    emit OnExit();
}

void TNumEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // The standard menu's actions would edit the text behind the rules.
    QMenu menu(this);
    const bool editable = !isReadOnly();
    QAction* cut = menu.addAction(QStringLiteral("Recortar"));
    cut->setEnabled(editable && hasSelectedText());
    connect(cut, &QAction::triggered, this, &TNumEdit::CutToClipboard);
    QAction* copyAction = menu.addAction(QStringLiteral("Copiar"));
    copyAction->setEnabled(hasSelectedText());
    connect(copyAction, &QAction::triggered, this, &QLineEdit::copy);
    QAction* paste = menu.addAction(QStringLiteral("Colar"));
    paste->setEnabled(editable && !QApplication::clipboard()->text().isEmpty());
    connect(paste, &QAction::triggered, this, &TNumEdit::PasteFromClipboard);
    menu.addSeparator();
    QAction* all = menu.addAction(QStringLiteral("Selecionar Tudo"));
    connect(all, &QAction::triggered, this, &QLineEdit::selectAll);
    menu.exec(event->globalPos());
    event->accept();
}

void TNumEdit::inputMethodEvent(QInputMethodEvent* event)
{
    for (QChar c : event->commitString())
        if (c.isPrint())
            TypeChar(c);
    event->accept();
}

void TNumEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button would paste the X11 selection as raw text.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

} // namespace pluvexa
