// The debug console's parts that need no window: number conversions, the calculator's edit rules,
// the settings file, the variable list's order and hidden replies.

#include "DebugConsoleHarness.h"

using namespace tesso;
using namespace tesso::debug;
using namespace tesso::test::console;

namespace
{

constexpr std::uint64_t Max64 = ~std::uint64_t(0);

} // namespace

// ---- Conversions --------------------------------------------------------------------------------

TEST(DebugConversions, RoundTripOverSixteenBitsWithALeadingZeroFromRootTwoOn)
{
    for (std::uint64_t v = 0; v <= 65535; ++v) {
        const QString bin = IntToBin(v);
        ASSERT_EQ(BinToInt(bin), v) << v;
        ASSERT_EQ(BinToInt(HexToBin(HexText(v))), v) << v;
        ASSERT_EQ(ExtractValue("HP" + QByteArray::number(qulonglong(v))), v) << v;
        // One leading 0 exactly for 2^k * sqrt(2) <= v < 2^(k+1).
        const int k = v < 2 ? 0 : 63 - __builtin_clzll(v);
        const bool leading = v >= 2 && double(v) * double(v) >= std::ldexp(1.0, 2 * k + 1);
        ASSERT_EQ(bin.size(), k + 1 + (leading ? 1 : 0)) << v;
    }
}

TEST(DebugConversions, SixtyFourBitBoundariesAndOverflow)
{
    const QString ones(64, QLatin1Char('1'));
    EXPECT_EQ(IntToBin(Max64), QLatin1Char('0') + ones);
    EXPECT_EQ(BinToInt(QStringLiteral("000") + ones), Max64) << "leading zeros are free";
    EXPECT_EQ(BinToInt(QLatin1Char('1') + QString(64, QLatin1Char('0'))), std::nullopt);
    EXPECT_EQ(BinToInt(HexToBin(QStringLiteral("ffffffffffffffff"))), Max64);
    EXPECT_EQ(BinToInt(HexToBin(QStringLiteral("10000000000000000"))), std::nullopt);
    EXPECT_EQ(DecimalValue(QStringLiteral("18446744073709551615")), Max64);
    for (const char* bad : {"18446744073709551616", "-5", ""})
        EXPECT_EQ(DecimalValue(QString::fromLatin1(bad)), std::nullopt) << bad;
}

TEST(DebugConversions, MnemonicValueAndHexadecimalParts)
{
    EXPECT_EQ(ExtractMnemonic("-12VP"), QByteArray("-VP"));
    EXPECT_EQ(ExtractMnemonic(QByteArray("A \x01\x1f\x7f\x80\xff/:0", 10)), QByteArray("A\x7f/:"));
    EXPECT_EQ(ExtractValue("V-12,5"), 125u);
    EXPECT_EQ(ExtractValue("HP"), 0u);
    // A form the reply parser reads as hexadecimal, and a mnemonic whose X is no prefix.
    EXPECT_EQ(ExtractValue("HP$7B"), 123u);
    EXPECT_EQ(ExtractValue("FAEX10"), 10u);
    EXPECT_EQ(ExtractValue("x18446744073709551615"), Max64);
    EXPECT_EQ(ExtractValue("x18446744073709551616"), std::nullopt);
    EXPECT_EQ(HexToBin(QStringLiteral("F1")), QStringLiteral("011110001")) << "later digits take four";
    EXPECT_EQ(HexToBin(QStringLiteral("z1")), QStringLiteral("0001")) << "a skipped first digit counts";
}

// ---- Calculator ---------------------------------------------------------------------------------

TEST(CalcEdit, EditTableOfTheThreeRows)
{
    using R = CalcEdit::Rows;
    const R start{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
    EXPECT_EQ(CalcEdit::Edit(start, 0, QStringLiteral("05")), (R{"5", "101", "5"}));
    EXPECT_EQ(CalcEdit::Edit(start, 0, QStringLiteral("0")), (R{"0", "0", "0"}));
    EXPECT_EQ(CalcEdit::Edit(start, 0, QStringLiteral("-3")), (R{"-3", "0", "0"})) << "not a number: 0";
    EXPECT_EQ(CalcEdit::Edit(R{"7", "0111", "7"}, 0, QString()), (R{"", "0111", "7"}))
        << "empty: nothing else";
    EXPECT_EQ(CalcEdit::Edit(start, 1, QStringLiteral("1x1")), (R{"5", "101", "5"}));
    // Beyond 64 significant bits the others show 0.
    EXPECT_EQ(CalcEdit::Edit(start, 1, QStringLiteral("1") + QString(64, QLatin1Char('0')))[0],
              QStringLiteral("0"));
    EXPECT_EQ(CalcEdit::Edit(start, 2, QStringLiteral("FF")), (R{"255", "011111111", "FF"}));
    EXPECT_EQ(CalcEdit::Edit(start, 2, QStringLiteral("zz")), (R{"0", "", "zz"}));
}

TEST(CalcEdit, KeypadKeysPerRow)
{
    EXPECT_EQ(CalcEdit::KeyAt({98, 132}), 1) << "bounds inclusive";
    EXPECT_EQ(CalcEdit::KeyAt({60, 128}), 1) << "overlapping key 0: the first hit counts";
    EXPECT_EQ(CalcEdit::KeyAt({5, 5}), 0);
    EXPECT_EQ(CalcEdit::Press(13, CalcEdit::Decimal, QStringLiteral("1")), std::nullopt);
    EXPECT_EQ(CalcEdit::Press(10, CalcEdit::Binary, QStringLiteral("1")), QStringLiteral("10"));
    EXPECT_EQ(CalcEdit::Press(18, CalcEdit::Hexadecimal, QStringLiteral("E")), QStringLiteral("EF"));
    EXPECT_EQ(CalcEdit::Press(CalcEdit::Backspace, CalcEdit::Decimal, QStringLiteral("7")),
              QStringLiteral("0"));
}

TEST(Calculator, ReactsToTypingAndKeysButNotToItsOwnChanges)
{
    Calculator calc;
    calc.show();
    sendKey(calc.ValueCell(0), Qt::Key_5, QStringLiteral("5"));
    EXPECT_EQ(calc.Values(), (CalcEdit::Rows{"5", "101", "5"})) << "0 then 5 leaves 5";
    calc.setCurrentRow(CalcEdit::Binary);
    click(calc.Image2, CalcEdit::KeyRect(2).center());
    EXPECT_EQ(calc.Values()[1], QStringLiteral("101")) << "2 is no binary key";
    click(calc.Image2, CalcEdit::KeyRect(1).center());
    EXPECT_EQ(calc.Values(), (CalcEdit::Rows{"11", "1011", "B"}));
    calc.ValueCell(0)->setText(QStringLiteral("07"));
    EXPECT_EQ(calc.Values(), (CalcEdit::Rows{"07", "1011", "B"})) << "a programmatic change runs no rule";
    click(calc.Image1, {297, 10});
    EXPECT_TRUE(calc.isHidden()) << "the title bar's close area";
}

// ---- Settings file ------------------------------------------------------------------------------

TEST(Debug2007Ini, RoundTripAndReadingStopsAtTheFirstBadValue)
{
    Debug2007Ini::Content out;
    out.buttons[0] = {QStringLiteral("Input 1"), QStringLiteral("1CC")};
    for (std::size_t i = 0; i < out.checked.size(); ++i)
        out.checked[i] = i % 3 != 0;
    out.top = 10, out.left = -20, out.width = 605, out.height = 794;
    const QByteArray bytes = Debug2007Ini::Serialize(out);
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), Debug2007Ini::LineCount + 1) << "149 lines, each ended";
    EXPECT_EQ(bytes.count('\r'), Debug2007Ini::LineCount);
    EXPECT_EQ(lines[0], QByteArray("0=Input 1;1CC\r"));
    EXPECT_EQ(lines[30], QByteArray("Checked0=False\r"));
    EXPECT_EQ(lines[148], QByteArray("SizeH=794\r"));
    Debug2007Ini::Content in;
    EXPECT_TRUE(Debug2007Ini::Parse(bytes, in).complete);
    EXPECT_EQ(in.buttons[0].StringToSend, QStringLiteral("1CC"));
    EXPECT_EQ(in.checked, out.checked);
    EXPECT_EQ(in.left, -20);
    EXPECT_EQ(in.height, 794);

    Debug2007Ini::Content truncated;
    truncated.checked.fill(false);
    const Debug2007Ini::ReadResult cut =
        Debug2007Ini::Parse(bytes.left(bytes.indexOf("Checked40=")), truncated);
    EXPECT_FALSE(cut.complete);
    EXPECT_EQ(cut.checksRead, 40);
    EXPECT_TRUE(truncated.checked[38]);
    EXPECT_FALSE(truncated.checked[40]) << "what was not read stays";
    EXPECT_EQ(truncated.top, std::nullopt);

    Debug2007Ini::Content odd;
    QByteArray text = "0=a;b;c\nCHECKED0=TRUE\r\nchecked1=0\rChecked2=7\nChecked2=False\nChecked3=maybe\n";
    const Debug2007Ini::ReadResult r = Debug2007Ini::Parse(text, odd);
    EXPECT_EQ(odd.buttons[0].Descriptor, QStringLiteral("a"));
    EXPECT_EQ(odd.buttons[0].StringToSend, QStringLiteral("bc")) << "further ; dropped";
    EXPECT_EQ(r.checksRead, 3) << "LF, CR LF and CR line ends, names in any case, the first line counts";
    EXPECT_EQ((std::vector<bool>{odd.checked[0], odd.checked[1], odd.checked[2]}),
              (std::vector<bool>{true, false, true}));
}

// ---- Variable list ------------------------------------------------------------------------------

TEST(VariableEntries, OneFixedSortOrder)
{
    const QStringList sorted = VariableEntries::Sorted();
    ASSERT_EQ(sorted.size(), 115);
    QStringList firstWords;
    for (const QString& entry : sorted)
        firstWords << VariableEntries::FirstWord(entry);
    // Checked<i> in the settings file means the i-th entry of this order.
    EXPECT_EQ(
        firstWords.join(QLatin1Char(' ')),
        QStringLiteral(
            "# > ? @ B CC CN Cr CR D eS eT fA FD fE fF fM FM fN FO fR fS fs FS fT fX FY H ID IF IH II "
            "IK IL IO IP IS IT IV na nd ne nk np nr ns nt nw nx ny nz O oP oR oT oY PA PC PC PE PI PP PR "
            "QA QE QO QP QS RC rD rF rH rK rL RM RO rO rP rS rT rV S sM sS sT T tA ta tH tH tM tS U uA "
            "uT ut V W XA XF xi xk XR xs XT xU xv Y yC ye yl yo yP yS Z"));
    EXPECT_TRUE(sorted[88].contains(QStringLiteral("Hauteur")));
    EXPECT_TRUE(sorted[89].contains(QStringLiteral("TITLEHOLD")));
    EXPECT_FALSE(VariableEntries::LessThan(QStringLiteral("ab"), QStringLiteral("ab")));
}

TEST(HiddenMnemonics, DuplicateEntriesShareOneSlot)
{
    const QStringList entries = VariableEntries::Sorted();
    std::vector<bool> checked(115, true);
    HiddenMnemonics hidden(115);
    checked[57] = checked[58] = false; // both PC PCH
    hidden.Rebuild(entries, checked);
    EXPECT_EQ(std::count(hidden.Slots().begin(), hidden.Slots().end(), QStringLiteral("PCH")), 1);
    EXPECT_FALSE(hidden.Contains("pch")) << "exact case";
    checked[58] = true;
    hidden.Rebuild(entries, checked);
    EXPECT_FALSE(hidden.Contains("PCH")) << "the later checked twin empties the slot the walk filled";
    checked[57] = true;
    checked[58] = false;
    hidden.Rebuild(entries, checked);
    EXPECT_TRUE(hidden.Contains("PCH"));
}
