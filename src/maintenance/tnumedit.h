#pragma once

// A numeric line edit, the base of the maintenance window's "Valor Padrão"
// field (TTabNumEdit, ttabnumedit.h): it only ever holds a number written
// with a decimal comma, so that its value reads back exactly as money.

#include <QLineEdit>
#include <QString>

#include <cstdint>

namespace pluvexa {

// A single-line edit that always holds a signed decimal number with a fixed
// number of decimals, written with a decimal comma and no thousands separator
// whatever the machine locale ("0,00", "-12,50", "7" with no decimals).
// The operator edits it digit by digit: the keys can only ever produce such a
// number, so reading it back never fails.
class TNumEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(Qt::Alignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(int Decimals READ Decimals WRITE SetDecimals)
    Q_PROPERTY(double MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(double MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(QString Version READ Version CONSTANT)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE SetAutoSelect)

public:
    static constexpr int kDefaultWidth = 73;
    static constexpr int kMaxDecimals = 9;
    // Typed values stay within the range of the ten-thousandths currency
    // count (about 9.2e14), so AsCurrency never has to saturate for them.
    static constexpr int kMaxIntegerDigits = 14;

    explicit TNumEdit(QWidget* parent = nullptr);

    // Horizontal alignment of the text; right-justified when created.
    Qt::Alignment Alignment() const;
    void SetAlignment(Qt::Alignment alignment);

    // 0 to 9; anything outside is clamped. Setting it reformats the value
    // (rounding half away from zero when decimals are dropped).
    int Decimals() const { return decimals_; }
    void SetDecimals(int decimals);

    // The accepted range, checked when the operator leaves the control; no
    // check at all while both are equal (both 0 when created).
    double MaxValue() const { return maxValue_; }
    void SetMaxValue(double value) { maxValue_ = value; }
    double MinValue() const { return minValue_; }
    void SetMinValue(double value) { minValue_ = value; }

    double Value() const;
    void SetValue(double value);

    QString Version() const { return QStringLiteral("2.01.01"); }

    // Select the whole text when the control is entered by keyboard.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool on) { autoSelect_ = on; }

    // The value as a count of ten-thousandths (rounded half away from zero,
    // saturated at the limits of the type), read exactly from the text.
    std::int64_t AsCurrency() const;
    void SetAsCurrency(std::int64_t tenThousandths);
    double AsFloat() const { return Value(); }
    void SetAsFloat(double value) { SetValue(value); }
    // The value rounded half away from zero to a whole number.
    std::int64_t AsInteger() const;
    void SetAsInteger(std::int64_t value);

    // Paste: the selection is deleted, then the clipboard text is typed one
    // character at a time, so that only what the keys allow gets in.
    void PasteFromClipboard();
    // Cut: the selection is copied to the clipboard, then deleted as the
    // Backspace key would delete it.
    void CutToClipboard();

    QSize sizeHint() const override;

signals:
    // Leaving the control with a value outside [MinValue, MaxValue] while
    // MinValue differs from MaxValue.
    void OnInvalidEntry();
    // Leaving the control for another control of the application.
    void OnExit();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    // One character as if typed: "." counts as the decimal comma; digits,
    // "-" and the comma edit the number, anything else is dropped.
    virtual void TypeChar(QChar c);
    // Reformats the value when the text was set from outside to something
    // that is not a number written with Decimals decimals.
    void EnsureWellFormed();

private:
    void EraseBackward();
    void EraseForward();
    void Erase(bool backward);
    void Show(const QString& text, int caret);

    int decimals_ = 2;
    double maxValue_ = 0.0;
    double minValue_ = 0.0;
    bool autoSelect_ = true;
};

} // namespace pluvexa
