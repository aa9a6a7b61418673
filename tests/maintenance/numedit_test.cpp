#include "maintenance/tnumedit.h"
#include "maintenance/ttabnumedit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>

// Readable failure messages for text comparisons.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace pluvexa {
namespace {

// Keys as a string: upper-case letters name special keys, every other
// character is typed as itself.
//   B Backspace, D Delete, I Insert, L Left, H Home, E End,
//   C Ctrl+C, V Ctrl+V, X Ctrl+X
void Press(QWidget* w, const std::string& keys)
{
    for (char c : keys) {
        switch (c) {
        case 'B': QTest::keyClick(w, Qt::Key_Backspace); break;
        case 'D': QTest::keyClick(w, Qt::Key_Delete); break;
        case 'I': QTest::keyClick(w, Qt::Key_Insert); break;
        case 'L': QTest::keyClick(w, Qt::Key_Left); break;
        case 'H': QTest::keyClick(w, Qt::Key_Home); break;
        case 'E': QTest::keyClick(w, Qt::Key_End); break;
        case 'C': QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier); break;
        case 'V': QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier); break;
        case 'X': QTest::keyClick(w, Qt::Key_X, Qt::ControlModifier); break;
        default: QTest::keyClick(w, c); break;
        }
    }
}

// The Insert toggle is shared by every edit; each test starts and ends with
// it off so that no test depends on another's key presses.
void ResetInsertToggle()
{
    TTabNumEdit probe;
    if (TTabNumEdit::GetInsertKeyState() == iksOverWrite)
        QTest::keyClick(&probe, Qt::Key_Insert);
}

// A window holding plain edits around the numeric edit(s), shown and active
// so that focus moves as it does for the operator.
class Window {
public:
    QWidget window;
    QVBoxLayout* layout = new QVBoxLayout(&window);

    template <typename W> W* Add()
    {
        auto* w = new W(&window);
        layout->addWidget(w);
        return w;
    }

    bool Activate()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        return QTest::qWaitForWindowActive(&window);
    }
};

bool WaitForFocus(QWidget* w)
{
    return QTest::qWaitFor([w] { return w->hasFocus(); });
}

// ---------------------------------------------------------------------------
// Key sequences on the real widget.

constexpr int kByTab = -1; // selStart: enter the edit with Tab (whole text selected)

struct KeyCase {
    const char* name;
    bool tabEdit;          // TTabNumEdit instead of TNumEdit
    int decimals;
    double value;
    int selStart;          // caret, or selection start; kByTab to tab into the edit
    int selLength;
    const char* keys;
    const char* text;      // expected
    int caret;             // expected
    const char* clipboard = nullptr;      // put on the clipboard first
    const char* clipboardAfter = nullptr; // expected clipboard afterwards
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class NumEditKeys : public ::testing::TestWithParam<KeyCase> {
protected:
    void SetUp() override { ResetInsertToggle(); }
    void TearDown() override { ResetInsertToggle(); }
};

TEST_P(NumEditKeys, GiveTheExpectedTextAndCaret)
{
    const KeyCase& c = GetParam();
    Window win;
    auto* before = win.Add<QLineEdit>();
    TNumEdit* edit = c.tabEdit ? win.Add<TTabNumEdit>() : win.Add<TNumEdit>();
    win.Add<QLineEdit>();
    edit->SetDecimals(c.decimals);
    edit->SetValue(c.value);
    ASSERT_TRUE(win.Activate());
    if (c.clipboard)
        QApplication::clipboard()->setText(QString::fromUtf8(c.clipboard));

    if (c.selStart == kByTab) {
        before->setFocus();
        ASSERT_TRUE(WaitForFocus(before));
        QTest::keyClick(before, Qt::Key_Tab);
        ASSERT_TRUE(WaitForFocus(edit));
        ASSERT_EQ(edit->selectedText(), edit->text());
    } else {
        edit->setFocus();
        ASSERT_TRUE(WaitForFocus(edit));
        if (c.selLength > 0)
            edit->setSelection(c.selStart, c.selLength);
        else
            edit->setCursorPosition(c.selStart);
    }

    Press(edit, c.keys);

    EXPECT_EQ(edit->text().toStdString(), c.text);
    EXPECT_EQ(edit->cursorPosition(), c.caret);
    if (c.clipboardAfter) {
        EXPECT_EQ(QApplication::clipboard()->text().toStdString(), c.clipboardAfter);
    }
}

// clang-format off
const KeyCase kKeyCases[] = {
    // Entering by keyboard selects 0,00; the first digit replaces it.
    {"TabEntryTyped12Comma5", true, 2, 0, kByTab, 0, "12,5", "12,50", 4},
    {"DotIsTheDecimalComma", true, 2, 0, kByTab, 0, "12.5", "12,50", 4},
    {"TabEntryOverAValue", false, 2, 98.76, kByTab, 0, "3", "3,00", 1},
    // Backspace from 12,57: decimals shift in zeros, the comma only moves the
    // caret, the last integer digit becomes 0.
    {"Backspace1", true, 2, 12.57, 5, 0, "B", "12,50", 4},
    {"Backspace2", true, 2, 12.57, 5, 0, "BB", "12,00", 3},
    {"Backspace3OnlyMovesOverComma", true, 2, 12.57, 5, 0, "BBB", "12,00", 2},
    {"Backspace4", true, 2, 12.57, 5, 0, "BBBB", "1,00", 1},
    {"Backspace5LastDigitBecomesZero", true, 2, 12.57, 5, 0, "BBBBB", "0,00", 1},
    {"BackspaceAtStartDoesNothing", false, 2, 12.57, 0, 0, "B", "12,57", 0},
    {"BackspaceMidDecimals", false, 2, 12.57, 4, 0, "B", "12,70", 3},
    {"BackspaceLeavesNoLeadingZero", false, 2, 102, 1, 0, "B", "2,00", 0},
    // Delete.
    {"DeleteOnCommaMovesAfterIt", false, 2, 12.5, 2, 0, "D", "12,50", 3},
    {"DeleteFirstDecimal", false, 2, 12.57, 3, 0, "D", "12,70", 3},
    {"DeleteAtEndDoesNothing", false, 2, 12.57, 5, 0, "D", "12,57", 5},
    {"DeleteFirstIntegerDigit", false, 2, 12.5, 0, 0, "D", "2,50", 0},
    {"DeleteOnlyDigit", false, 2, 5, 0, 0, "D", "0,00", 1},
    {"DeleteSign", false, 2, -5, 0, 0, "D", "5,00", 0},
    // Digits.
    {"DigitAfterLastDecimalIgnored", false, 2, 12.5, 5, 0, "7", "12,50", 5},
    {"DigitBeforeCommaInserted", false, 2, 12.5, 2, 0, "3", "123,50", 3},
    {"DigitInIntegerPartReplaces", false, 2, 12.5, 0, 0, "9", "92,50", 1},
    {"DigitInDecimalsReplaces", false, 2, 12.5, 3, 0, "78", "12,78", 5},
    {"DigitReplacesLeadingZero", false, 2, 0, 0, 0, "4", "4,00", 1},
    {"ZeroTypedFirstLeavesNoLeadingZero", false, 2, 15, 0, 0, "0", "5,00", 0},
    {"CommaMovesToFirstDecimal", false, 2, 12.5, 0, 0, ",", "12,50", 3},
    {"OtherKeysIgnored", false, 2, 12.5, 2, 0, "x =a", "12,50", 2},
    // Selections.
    {"CommaCollapsesSelection", false, 2, 12.5, 0, 5, ",", "12,50", 3},
    {"DigitReplacesSelectedIntegerPart", false, 2, 12.5, 0, 2, "7", "7,50", 1},
    {"BackspaceDeletesOnlyTheSelection", false, 2, 12.57, 3, 2, "B", "12,00", 3},
    {"DeleteOnSelectionAcrossComma", false, 2, 12.57, 1, 3, "D", "1,70", 1},
    {"IgnoredKeyStillDeletesSelection", false, 2, 12.57, 0, 5, "x", "0,00", 1},
    // The sign.
    {"MinusTwiceRestores", false, 2, 12.5, 2, 0, "--", "12,50", 2},
    {"MinusAddsSignCaretRight", false, 2, 12.5, 2, 0, "-", "-12,50", 3},
    {"MinusRemovesSignCaretLeft", false, 2, -12.5, 3, 0, "-", "12,50", 2},
    {"MinusRemovedAtCaretZero", false, 2, -12.5, 0, 0, "-", "12,50", 0},
    {"NegativeTypedFromTabEntry", true, 2, 0, kByTab, 0, "-12,5", "-12,50", 5},
    {"DigitAtCaretZeroGoesAfterSign", false, 2, -12.5, 0, 0, "9", "-92,50", 2},
    {"BackspaceAtCaretZeroDropsSign", false, 2, -12.5, 0, 0, "B", "12,50", 0},
    {"NegativeOnlyDigitBecomesZero", false, 2, -5, 2, 0, "B", "-0,00", 1},
    {"NegativeZeroReplacedByDigit", false, 2, -5, 2, 0, "B7", "-7,00", 2},
    {"NegativeBackspacedToPositiveZero", false, 2, -12.57, 6, 0, "BBBBBB", "0,00", 0},
    // No decimals.
    {"NoDecimalsDigitsAppend", false, 0, 0, kByTab, 0, "123", "123", 3},
    {"NoDecimalsCommaIgnored", false, 0, 12, 2, 0, ",5", "125", 3},
    {"NoDecimalsBackspaceToZero", false, 0, 123, 3, 0, "BBB", "0", 1},
    {"NoDecimalsNegativeOnlyDigit", false, 0, -5, 2, 0, "B7", "-7", 2},
    // The integer part stops growing where the currency count would overflow.
    {"IntegerDigitsCapped", false, 0, 99999999999999.0, 14, 0, "5", "99999999999999", 14},
    // Clipboard.
    {"PasteTypesCharByChar", true, 2, 0, kByTab, 0, "V", "12,53", 5, "12.5x3"},
    {"PasteIntoCaret", false, 2, 12.5, 2, 0, "V", "1234,50", 4, "34"},
    {"PasteNoDecimals", false, 0, 0, kByTab, 0, "V", "15", 2, "1.5"},
    {"CutCopiesThenDeletes", false, 2, 12.57, 3, 2, "X", "12,00", 3, "", "57"},
    {"CutWholeText", false, 2, -12.57, 0, 6, "X", "0,00", 0, "", "-12,57"},
    {"CopyLeavesText", false, 2, 12.57, 0, 5, "C", "12,57", 5, "", "12,57"},
    // Overwrite mode (Insert toggled on). With decimals the digits are
    // already overwritten; no digit may be lost on the way.
    {"OverwriteFarIntegerDigit", true, 2, 1234, 1, 0, "I9", "1934,00", 2},
    {"OverwriteFirstDigit", true, 2, 12.57, 0, 0, "I9", "92,57", 1},
    {"OverwriteDecimalKeepsTheNextOne", true, 2, 12.57, 3, 0, "I9", "12,97", 4},
    {"OverwriteBeforeCommaInserts", true, 2, 12.57, 2, 0, "I9", "129,57", 3},
    {"OverwriteAfterSign", true, 2, -12.5, 0, 0, "I9", "-92,50", 2},
    {"OverwriteMinusKeepsDigits", true, 2, 12.5, 0, 0, "I-", "-12,50", 1},
    {"OverwriteNoDecimals", true, 0, 123, 1, 0, "I45", "145", 3},
    {"InsertToggledBackInsertsNoDecimals", true, 0, 123, 1, 0, "II4", "1423", 2},
    {"OverwriteNoDecimalsAfterSign", true, 0, -12, 0, 0, "I9", "-92", 2},
    {"OverwriteNoDecimalsOnlyDigit", true, 0, 0, 0, 0, "I7", "7", 1},
    {"OverwriteAtEndInsertsNoDecimals", true, 0, 12, 2, 0, "I3", "123", 3},
    {"PlainNumEditHasNoOverwrite", false, 0, 123, 1, 0, "I4", "1423", 2},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Table, NumEditKeys, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Properties and conversions.

TEST(TNumEdit, StartsAsAnEmptyTwoDecimalRightAlignedField)
{
    TNumEdit edit;
    EXPECT_EQ(edit.text(), "0,00");
    EXPECT_EQ(edit.Decimals(), 2);
    EXPECT_EQ(edit.Alignment(), Qt::AlignRight);
    EXPECT_EQ(edit.MaxValue(), 0.0);
    EXPECT_EQ(edit.MinValue(), 0.0);
    EXPECT_EQ(edit.Version(), "2.01.01");
    EXPECT_EQ(edit.property("Version").toString(), "2.01.01");
    EXPECT_EQ(edit.sizeHint().width(), 73);
    TTabNumEdit tab;
    EXPECT_TRUE(tab.TabOnEnter());
    EXPECT_EQ(TTabNumEdit::GetInsertKeyState(), iksInsert);
}

TEST(TNumEdit, DecimalsAreClampedAndReformatTheValue)
{
    TNumEdit edit;
    edit.SetValue(12.57);
    edit.SetDecimals(1);
    EXPECT_EQ(edit.text(), "12,6");
    edit.SetDecimals(-3);
    EXPECT_EQ(edit.Decimals(), 0);
    EXPECT_EQ(edit.text(), "13");
    edit.SetDecimals(12);
    EXPECT_EQ(edit.Decimals(), 9);
    EXPECT_EQ(edit.text(), "13,000000000");
    edit.setProperty("Decimals", 3);
    EXPECT_EQ(edit.text(), "13,000");
}

TEST(TNumEdit, FormatsWithDecimalCommaWhateverTheLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TNumEdit edit;
    edit.SetValue(1234567.5);
    const QString text = edit.text();
    QLocale::setDefault(saved);
    EXPECT_EQ(text, "1234567,50");
}

struct FormatCase {
    int decimals;
    double value;
    const char* text;
};

class TNumEditFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(TNumEditFormat, ShowsTheValueRoundedHalfAwayFromZero)
{
    TNumEdit edit;
    edit.SetDecimals(GetParam().decimals);
    edit.SetValue(GetParam().value);
    EXPECT_EQ(edit.text().toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, TNumEditFormat,
                         ::testing::Values(FormatCase{2, 2.675, "2,68"}, FormatCase{2, -2.675, "-2,68"},
                                           FormatCase{2, -0.004, "0,00"}, FormatCase{0, 12.5, "13"},
                                           FormatCase{0, 12.4, "12"}, FormatCase{2, 0.1 + 0.2, "0,30"},
                                           FormatCase{3, 1e-7, "0,000"}, FormatCase{2, 9.995, "10,00"},
                                           FormatCase{9, 0.123456789, "0,123456789"},
                                           FormatCase{2, 1e15, "1000000000000000,00"}));

TEST(TNumEdit, ConvertsToAndFromCurrencyFloatAndInteger)
{
    TNumEdit edit;
    edit.SetValue(12.57);
    EXPECT_EQ(edit.AsCurrency(), 125700);
    EXPECT_DOUBLE_EQ(edit.AsFloat(), 12.57);
    EXPECT_DOUBLE_EQ(edit.Value(), 12.57);
    EXPECT_EQ(edit.AsInteger(), 13);

    edit.SetAsCurrency(-125050);
    EXPECT_EQ(edit.text(), "-12,51");
    EXPECT_EQ(edit.AsInteger(), -13);
    edit.SetAsInteger(7);
    EXPECT_EQ(edit.text(), "7,00");
    edit.SetAsFloat(0.5);
    EXPECT_EQ(edit.AsInteger(), 1);

    edit.SetDecimals(6);
    edit.SetValue(0.123456);
    EXPECT_EQ(edit.AsCurrency(), 1235); // ten-thousandths, half away from zero

    // The largest typed value converts exactly, without a double in between.
    edit.SetDecimals(2);
    edit.setText(QStringLiteral("99999999999999,99"));
    EXPECT_EQ(edit.AsCurrency(), 999999999999999900);
    // Beyond the range of the count (only reachable from code) it saturates.
    edit.SetValue(1e20);
    EXPECT_EQ(edit.AsCurrency(), std::numeric_limits<std::int64_t>::max());
    edit.SetValue(-1e20);
    EXPECT_EQ(edit.AsCurrency(), std::numeric_limits<std::int64_t>::min());
}

TEST(TNumEdit, TextSetFromOutsideIsReformattedBeforeEditing)
{
    TNumEdit edit;
    edit.setText(QStringLiteral("abc"));
    EXPECT_EQ(edit.Value(), 0.0);
    edit.setCursorPosition(0);
    QTest::keyClick(&edit, '5');
    EXPECT_EQ(edit.text(), "5,00");
    edit.setText(QStringLiteral("3.5"));
    edit.setCursorPosition(0);
    QTest::keyClick(&edit, '-');
    EXPECT_EQ(edit.text(), "-3,50");
}

TEST(TNumEdit, ReadOnlyIgnoresEditingButCopiesAndMoves)
{
    TNumEdit edit;
    edit.SetValue(12.57);
    edit.setReadOnly(true);
    edit.setCursorPosition(5);
    QApplication::clipboard()->setText(QStringLiteral("9"));
    Press(&edit, "B-9,DV");
    EXPECT_EQ(edit.text(), "12,57");
    EXPECT_EQ(edit.cursorPosition(), 5);
    edit.selectAll();
    Press(&edit, "X");
    EXPECT_EQ(edit.text(), "12,57");
    EXPECT_EQ(QApplication::clipboard()->text(), "9");
    Press(&edit, "C");
    EXPECT_EQ(QApplication::clipboard()->text(), "12,57");
    Press(&edit, "H");
    EXPECT_EQ(edit.cursorPosition(), 0);
}

// ---------------------------------------------------------------------------
// Leaving the control.

struct RangeCase {
    const char* name;
    double min, max, value;
    bool invalid;
};

void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.name; }

class NumEditRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(NumEditRange, RaisesOnInvalidEntryOnlyOutsideASetRange)
{
    const RangeCase& c = GetParam();
    Window win;
    auto* edit = win.Add<TNumEdit>();
    auto* next = win.Add<QLineEdit>();
    edit->SetMinValue(c.min);
    edit->SetMaxValue(c.max);
    edit->SetValue(c.value);
    ASSERT_TRUE(win.Activate());
    edit->setFocus();
    ASSERT_TRUE(WaitForFocus(edit));
    QSignalSpy invalid(edit, &TNumEdit::OnInvalidEntry);
    QSignalSpy exited(edit, &TNumEdit::OnExit);

    QTest::keyClick(edit, Qt::Key_Tab);
    ASSERT_TRUE(WaitForFocus(next));

    EXPECT_EQ(invalid.count(), c.invalid ? 1 : 0);
    EXPECT_EQ(exited.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(Ranges, NumEditRange,
                         ::testing::Values(RangeCase{"NoRangeAnyValue", 0, 0, 700, false},
                                           RangeCase{"NoRangeNegative", 0, 0, -5, false},
                                           RangeCase{"AtMaximum", 0, 600, 600, false},
                                           RangeCase{"AtMinimum", 10, 600, 10, false},
                                           RangeCase{"AboveMaximum", 0, 600, 600.01, true},
                                           RangeCase{"BelowMinimum", 10, 600, 9.99, true},
                                           RangeCase{"EqualNonZeroBoundsNoCheck", 5, 5, 700, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TNumEdit, OnInvalidEntryRaisedWhenTheOperatorTypedOutOfRange)
{
    Window win;
    auto* edit = win.Add<TNumEdit>();
    auto* next = win.Add<QLineEdit>();
    edit->SetMaxValue(600);
    ASSERT_TRUE(win.Activate());
    edit->setFocus();
    ASSERT_TRUE(WaitForFocus(edit));
    edit->selectAll();
    QSignalSpy invalid(edit, &TNumEdit::OnInvalidEntry);
    Press(edit, "601");
    QTest::keyClick(edit, Qt::Key_Tab);
    ASSERT_TRUE(WaitForFocus(next));
    EXPECT_EQ(edit->text(), "601,00");
    EXPECT_EQ(invalid.count(), 1);
}

// ---------------------------------------------------------------------------
// Focus movement of TTabNumEdit.

TEST(TTabNumEdit, EnterAndDownMoveToTheNextControlUpToThePrevious)
{
    Window win;
    auto* first = win.Add<TTabNumEdit>();
    auto* second = win.Add<TTabNumEdit>();
    auto* third = win.Add<TTabNumEdit>();
    second->SetValue(5);
    ASSERT_TRUE(win.Activate());
    first->setFocus();
    ASSERT_TRUE(WaitForFocus(first));

    QTest::keyClick(first, Qt::Key_Return);
    ASSERT_TRUE(WaitForFocus(second));
    // Arrived as by Tab: the whole text is selected, ready to be replaced.
    EXPECT_EQ(second->selectedText(), "5,00");
    EXPECT_EQ(first->text(), "0,00");

    QTest::keyClick(second, Qt::Key_Down);
    ASSERT_TRUE(WaitForFocus(third));
    QTest::keyClick(third, Qt::Key_Up);
    ASSERT_TRUE(WaitForFocus(second));
    QTest::keyClick(second, Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_TRUE(WaitForFocus(third));
    EXPECT_EQ(second->text(), "5,00");
}

TEST(TTabNumEdit, WithoutTabOnEnterTheKeysStayInTheControl)
{
    Window win;
    auto* first = win.Add<TTabNumEdit>();
    win.Add<TTabNumEdit>();
    first->SetTabOnEnter(false);
    ASSERT_TRUE(win.Activate());
    first->setFocus();
    ASSERT_TRUE(WaitForFocus(first));
    QTest::keyClick(first, Qt::Key_Return);
    QTest::keyClick(first, Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_TRUE(first->hasFocus());
}

TEST(TTabNumEdit, InsertKeyTogglesTheSharedOverwriteState)
{
    ResetInsertToggle();
    TTabNumEdit a, b;
    QTest::keyClick(&a, Qt::Key_Insert);
    EXPECT_EQ(TTabNumEdit::GetInsertKeyState(), iksOverWrite);
    // Shift+Insert is paste, not the toggle.
    QApplication::clipboard()->setText(QString());
    QTest::keyClick(&b, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(TTabNumEdit::GetInsertKeyState(), iksOverWrite);
    QTest::keyClick(&b, Qt::Key_Insert);
    EXPECT_EQ(TTabNumEdit::GetInsertKeyState(), iksInsert);
}

} // namespace
} // namespace pluvexa
