#include "runtime/Convert.h"
#include "runtime/Dispatch.h"
#include "runtime/Errors.h"
#include "support/Falhas.h"

#include <QTest>

#include <limits>

using namespace quva::rt;
using teste::failureOf;

Q_DECLARE_METATYPE(quva::rt::Variant)

namespace {

Variant cur(std::int64_t raw) {
    return Currency::fromRaw(raw);
}
Variant i16(int v) {
    return std::int16_t(v);
}
Variant i32(int v) {
    return std::int32_t(v);
}

// A late-bound object whose default member answers a fixed value.
class DefaultValue : public IDispatch {
public:
    explicit DefaultValue(Variant v) : m_value(std::move(v)) {}
    DispId memberId(const QString&) const override { return kUnknownMember; }
    Variant invoke(DispId id, CallKind, std::span<Variant>) override {
        if (id != kDefaultMember) raise(err::MemberNotSupported);
        return m_value;
    }
    QString typeName() const override { return QStringLiteral("Field"); }

private:
    Variant m_value;
};

} // namespace

class TestConvert : public QObject {
    Q_OBJECT
private slots:
    // Each conversion function: its result, or the failure it raises.
    void conversions_data() {
        QTest::addColumn<QString>("function");
        QTest::addColumn<Variant>("in");
        QTest::addColumn<Variant>("out");
        QTest::addColumn<int>("failure");
        const auto row = [](const char* f, const char* name, const Variant& in, const Variant& out,
                            int failure = 0) {
            QTest::addRow("%s %s", f, name) << QString::fromLatin1(f) << in << out << failure;
        };
        // clang-format off
        row("CInt", "2.5 to even", Variant(2.5), i16(2));
        row("CInt", "3.5 to even", Variant(3.5), i16(4));
        row("CInt", "text 2,5", Variant("2,5"), i16(2));
        row("CInt", "32767", Variant(32767.0), i16(32767));
        row("CInt", "32767 + 1", i32(32768), {}, err::Overflow);
        row("CInt", "32767.5 rounds out", Variant(32767.5), {}, err::Overflow);
        row("CInt", "-32768.5 rounds in", Variant(-32768.5), i16(-32768));
        row("CInt", "-32769", Variant(-32769.0), {}, err::Overflow);
        row("CInt", "currency 2,5", cur(25000), i16(2));
        row("CInt", "currency -0,5", cur(-5000), i16(0));
        row("CInt", "True", Variant(true), i16(-1));
        row("CInt", "Empty", Variant(), i16(0));
        row("CInt", "Null", Variant(Null), {}, err::InvalidUseOfNull);
        row("CInt", "empty text", Variant(""), {}, err::TypeMismatch);
        row("CInt", "date serial out of range", Variant(Date{45000.5}), {}, err::Overflow);
        row("CLng", "max", Variant(2147483647.0), i32(2147483647));
        row("CLng", "max + 0.5 even", Variant(2147483647.5), {}, err::Overflow);
        row("CLng", "min - 1", Variant(-2147483649.0), {}, err::Overflow);
        row("CLng", "grouped text", Variant("1.234.567"), i32(1234567));
        row("CCur", "1.234,56", Variant("1.234,56"), cur(12345600));
        row("CCur", "R$ and minus", Variant("R$ -1.234,5"), cur(-12345000));
        row("CCur", "text half even down", Variant("0,00005"), cur(0));
        row("CCur", "text half even up", Variant("0,00015"), cur(2));
        row("CCur", "text above half", Variant("0,000051"), cur(1));
        row("CCur", "double 0.1", Variant(0.1), cur(1000));
        row("CCur", "double 2.00025", Variant(1.00025), cur(10002));
        row("CCur", "max text", Variant("922337203685477,5807"), cur(9223372036854775807LL));
        row("CCur", "over max text", Variant("922337203685477,5808"), {}, err::Overflow);
        row("CCur", "huge double", Variant(1e15), {}, err::Overflow);
        row("CCur", "US text", Variant("1,234.56"), {}, err::TypeMismatch);
        row("CDbl", "1.234,5", Variant("1.234,5"), Variant(1234.5));
        row("CDbl", "point is grouping", Variant("1.5"), Variant(15.0));
        row("CDbl", "currency", cur(12345), Variant(1.2345));
        row("CDbl", "blank", Variant("   "), {}, err::TypeMismatch);
        row("CDbl", "trailing junk", Variant("12abc"), {}, err::TypeMismatch);
        row("CDbl", "date text", Variant("04/12/2026"), {}, err::TypeMismatch);
        row("CStr", "double 1.5", Variant(1.5), Variant("1,5"));
        row("CStr", "no grouping", Variant(1234567.25), Variant("1234567,25"));
        row("CStr", "15 digits", Variant(0.1 + 0.2), Variant("0,3"));
        row("CStr", "small exponent", Variant(0.000015), Variant("1,5E-05"));
        row("CStr", "currency", cur(12345000), Variant("1234,5"));
        row("CStr", "currency whole", cur(-50000), Variant("-5"));
        row("CStr", "True", Variant(true), Variant("Verdadeiro"));
        row("CStr", "date", Variant(makeDate(2026, 12, 4)), Variant("04/12/2026"));
        row("CStr", "date and time", Variant(Date{makeDate(2026, 12, 4).serial + 0.5}), Variant("04/12/2026 12:00:00"));
        row("CStr", "Empty", Variant(), Variant(""));
        row("CStr", "Null", Variant(Null), {}, err::InvalidUseOfNull);
        // clang-format on
    }

    void conversions() {
        QFETCH(QString, function);
        QFETCH(Variant, in);
        QFETCH(Variant, out);
        QFETCH(int, failure);
        const std::map<QString, std::function<Variant(const Variant&)>> functions{
            {"CInt", [](const Variant& v) { return Variant(CInt(v)); }},
            {"CLng", [](const Variant& v) { return Variant(CLng(v)); }},
            {"CCur", [](const Variant& v) { return Variant(CCur(v)); }},
            {"CDbl", [](const Variant& v) { return Variant(CDbl(v)); }},
            {"CStr", [](const Variant& v) { return Variant(CStr(v)); }}};
        Variant got;
        QCOMPARE(failureOf([&] { got = functions.at(function)(in); }), failure);
        if (failure) return;
        QCOMPARE(got.type(), out.type());
        QVERIFY2(got == out, qPrintable(CStr(got)));
        if (function == QLatin1String("CInt"))
            QCOMPARE(in.convertTo(VarType::Integer).type(), VarType::Integer);
        if (function == QLatin1String("CStr") && in.type() == VarType::Double)
            QCOMPARE(NumberText(in.rawDouble()), out.toString());
    }

    void dates_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<bool>("isDate");
        QTest::addColumn<QString>("dateOnly");
        QTest::newRow("plain") << "04/12/2026" << true << "04/12/2026";
        QTest::newRow("one digit") << "4/2/2026" << true << "04/02/2026";
        QTest::newRow("leap day") << "29/02/2024" << true << "29/02/2024";
        QTest::newRow("29/02 non-leap") << "29/02/2025" << false << "";
        QTest::newRow("31/04") << "31/04/2026" << false << "";
        QTest::newRow("month 13") << "01/13/2026" << false << "";
        QTest::newRow("two-digit year") << "04/12/26" << false << "";
        QTest::newRow("empty mask") << "__/__/____" << false << "";
        QTest::newRow("with time") << "04/12/2026 13:45:10" << true << "04/12/2026";
        QTest::newRow("bad hour") << "04/12/2026 24:00:00" << false << "";
        QTest::newRow("trailing text") << "04/12/2026x" << false << "";
    }

    void dates() {
        QFETCH(QString, in);
        QFETCH(bool, isDate);
        QFETCH(QString, dateOnly);
        QCOMPARE(IsDate(in), isDate);
        if (!isDate) {
            QCOMPARE(failureOf([&] { CDate(in); }), err::TypeMismatch);
            QCOMPARE(Format(in, QStringLiteral("DD/MM/YYYY")), in);
            return;
        }
        QCOMPARE(formatDate(DateValue(in)), dateOnly);
        QCOMPARE(Format(in, QStringLiteral("dd/mm/yyyy")), dateOnly);
        QCOMPARE(CStr(CDate(in)).left(10), dateOnly);
    }

    void format_data() {
        QTest::addColumn<Variant>("in");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("out");
        const QString money = QStringLiteral("#,##0.00");
        QTest::newRow("millions") << Variant(-1234567.891) << money << "-1.234.567,89";
        QTest::newRow("half away from zero") << Variant(2.345) << money << "2,35";
        QTest::newRow("negative rounds to zero") << Variant(-0.001) << money << "0,00";
        QTest::newRow("carry") << Variant(999.995) << money << "1.000,00";
        QTest::newRow("currency") << cur(12345678) << money << "1.234,57";
        QTest::newRow("currency, negative half") << cur(-50) << money << "-0,01";
        QTest::newRow("currency, negative below half") << cur(-49) << money << "0,00";
        QTest::newRow("currency, largest") << cur(std::numeric_limits<std::int64_t>::max()) << money << "922.337.203.685.477,58";
        QTest::newRow("currency, smallest") << cur(std::numeric_limits<std::int64_t>::min()) << money << "-922.337.203.685.477,58";
        QTest::newRow("year 100") << Variant(makeDate(100, 1, 9)) << "dd/mm/yyyy" << "09/01/0100";
        QTest::newRow("text 1.234,5") << Variant("1.234,5") << money << "1.234,50";
        QTest::newRow("text not a number") << Variant("abc") << money << "abc";
        QTest::newRow("Null") << Variant(Null) << money << "";
        // clang-format off
        QTest::newRow("date") << Variant(makeDate(2026, 12, 4)) << "DD/MM/YYYY" << "04/12/2026";
        QTest::newRow("date with time") << Variant(Date{makeDate(2026, 1, 2).serial + 0.25}) << "DD/MM/YYYY" << "02/01/2026";
        QTest::newRow("number as date") << Variant(1.0) << "DD/MM/YYYY" << "31/12/1899";
        QTest::newRow("text not a date") << Variant("31/02/2026") << "DD/MM/YYYY" << "31/02/2026";
        // clang-format on
    }

    void format() {
        QFETCH(Variant, in);
        QFETCH(QString, pattern);
        QFETCH(QString, out);
        QCOMPARE(Format(in, pattern), out);
    }

    void money() {
        QCOMPARE(formatMoney(Currency::fromRaw(12345000)), QStringLiteral("1.234,50"));
        QCOMPARE(formatMoney(Currency::fromRaw(-50000)), QStringLiteral("-5,00"));
        QCOMPARE(formatMoney(Currency::fromRaw(50)), QStringLiteral("0,01"));

        struct Case {
            const char* text;
            bool ok;
            std::int64_t raw;
        };
        const Case cases[] = {
            {"1.234,56", true, 12345600}, {"1234,5", true, 12345000}, {"-3", true, -30000},
            {"12.34,5", false, 0},        {"1.2345", false, 0},       {"", false, 0},
            {"R$ 3", false, 0},           {"1,5E3", false, 0},        {"1.234.567", true, 12345670000},
        };
        for (const Case& c : cases) {
            Currency got{-1};
            QVERIFY2(parseMoney(QString::fromUtf8(c.text), &got) == c.ok, c.text);
            if (c.ok) QCOMPARE(got.raw, c.raw);
        }
        // Sums that leave the 64-bit range fail instead of wrapping.
        QCOMPARE(failureOf([] { Currency::fromRaw(INT64_MAX) + Currency::fromRaw(1); }), err::Overflow);
    }

    void val() {
        // Val reads the leading number only, with a point for decimals.
        const std::pair<const char*, double> cases[] = {
            {"12abc", 12.0}, {"1.234,5", 1.234}, {" 1 2 3", 123.0}, {"-4.5x", -4.5},
            {"", 0.0},       {"1e3", 1000.0},    {"&HFF", 255.0},   {"&HFFFF", -1.0}};
        for (const auto& [in, out] : cases)
            QCOMPARE(Val(QString::fromUtf8(in)), out);
    }

    void numericTest() {
        const std::pair<Variant, bool> cases[] = {{Variant("1.234,56"), true}, {Variant("0,00"), true},
                                                  {Variant(""), false},        {Variant("1a"), false},
                                                  {Variant(Null), false},      {Variant(), true},
                                                  {Variant(Date{1}), false}};
        for (const auto& [in, numeric] : cases)
            QVERIFY2(IsNumeric(in) == numeric, qPrintable(CStr(in.isNull() ? Variant("Null") : in)));
    }

    void comparison_data() {
        QTest::addColumn<Variant>("a");
        QTest::addColumn<Variant>("b");
        QTest::addColumn<int>("result");
        QTest::newRow("numbers") << Variant(1.5) << i16(2) << -1;
        QTest::newRow("currency exact") << cur(1) << Variant(0.0001) << 0;
        QTest::newRow("texts binary") << Variant("a") << Variant("B") << 1;
        QTest::newRow("number and numeric text") << i32(10) << Variant("9") << 1;
        QTest::newRow("number before text") << i32(10) << Variant("x") << -1;
        QTest::newRow("Empty and zero") << Variant() << i16(0) << 0;
        QTest::newRow("Empty and empty text") << Variant() << Variant("") << 0;
        QTest::newRow("True is -1") << Variant(true) << i16(-1) << 0;
        QTest::newRow("dates") << Variant(makeDate(2026, 1, 1)) << Variant(makeDate(2025, 12, 31)) << 1;
        QTest::newRow("date and date text") << Variant(makeDate(2026, 1, 1)) << Variant("01/01/2026") << 0;
    }

    void comparison() {
        QFETCH(Variant, a);
        QFETCH(Variant, b);
        QFETCH(int, result);
        QCOMPARE(compare(a, b), result);
        QCOMPARE(compare(b, a), -result);
        QCOMPARE(a == b, result == 0);
        QCOMPARE(a < b, result < 0);
        QCOMPARE(failureOf([&] { compare(a, Null); }), err::InvalidUseOfNull);
    }

    void textFunctions() {
        QCOMPARE(Trim(QStringLiteral("  a b \t ")), QStringLiteral("a b \t"));
        QCOMPARE(Trim(QStringLiteral("\u00A0x\u00A0")), QStringLiteral("\u00A0x\u00A0"));
        QCOMPARE(Left(QStringLiteral("abc"), 5), QStringLiteral("abc"));
        QCOMPARE(Mid(QStringLiteral("abcdef"), 2, 3), QStringLiteral("bcd"));
        QCOMPARE(Mid(QStringLiteral("abc"), 9), QString());
        QCOMPARE(Chr(160), QStringLiteral("\u00A0"));
        QCOMPARE(Chr(128), QStringLiteral("\u20AC"));
        const QString list = QStringLiteral("linha 1") + Chr(160) + QStringLiteral("linha 2");
        QCOMPARE(Replace(list, Chr(160), vbCrLf), QStringLiteral("linha 1\r\nlinha 2"));
        QCOMPARE(Replace(QStringLiteral("aAa"), QStringLiteral("a"), QStringLiteral("x")),
                 QStringLiteral("xAx"));
        QCOMPARE(Replace(QStringLiteral("abc"), QString(), QStringLiteral("x")), QStringLiteral("abc"));
        QCOMPARE(failureOf([] { Left(QStringLiteral("a"), -1); }), err::InvalidCall);
        QCOMPARE(failureOf([] { Mid(QStringLiteral("a"), 0); }), err::InvalidCall);
        QCOMPARE(failureOf([] { Chr(256); }), err::InvalidCall);
    }

    void arithmetic16() {
        QCOMPARE(failureOf([] { addI(32767, 1); }), err::Overflow);
        QCOMPARE(failureOf([] { subI(-32768, 1); }), err::Overflow);
        QCOMPARE(failureOf([] { mulI(182, 181); }), err::Overflow);
        QCOMPARE(mulI(181, 181), std::int16_t(32761));
        QCOMPARE(failureOf([] { addL(2147483647, 1); }), err::Overflow);
        QCOMPARE(failureOf([] { CSng(Variant(1e39)); }), err::Overflow);
        // Day differences count calendar days, not elapsed time.
        Date a{makeDate(2026, 12, 4).serial + 0.9};
        Date b{makeDate(2026, 12, 5).serial + 0.1};
        QCOMPARE(DateDiffDays(a, b), 1);
        QCOMPARE(DateDiffDays(b, a), -1);
        QCOMPARE(DateDiffDays(makeDate(2024, 2, 28), makeDate(2024, 3, 1)), 2);
        QCOMPARE(DateDiffDays(Date{-1.75}, Date{0.25}), 1);
        QCOMPARE(failureOf([] { makeDate(2025, 2, 29); }), err::InvalidCall);
        int y = 0, m = 0, d = 0;
        dateParts(Date{46360.999}, &y, &m, &d);
        QCOMPARE(QDate(y, m, d), QDate(1899, 12, 30).addDays(46360));
    }

    void byReference() {
        Variant typed = i16(5);
        Variant ref = Variant::ByRef(typed);
        QCOMPARE(ref.vt(), std::uint16_t(kByRef | std::uint16_t(VarType::Integer)));
        ref.assign(Variant("7"));
        QCOMPARE(typed.type(), VarType::Integer);
        QCOMPARE(typed.rawInteger(), std::int16_t(7));
        QCOMPARE(failureOf([&] { ref.assign(Variant(40000.0)); }), err::Overflow);
        QCOMPARE(typed.rawInteger(), std::int16_t(7));

        Variant loose = i16(5);
        Variant untyped = Variant::ByRef(loose, false);
        QCOMPARE(untyped.vt(), std::uint16_t(kByRef | std::uint16_t(VarType::Variant)));
        untyped.assign(Variant("texto"));
        QCOMPARE(loose.type(), VarType::String);
        QCOMPARE(CStr(untyped), QStringLiteral("texto"));
    }

    void objectDefaultMember() {
        Variant field = Variant(std::make_shared<DefaultValue>(Variant("1.234,5")));
        QCOMPARE(CCur(field).raw, qint64(12345000));
        QCOMPARE(Format(field, QStringLiteral("#,##0.00")), QStringLiteral("1.234,50"));
        Variant nothing = nullptr;
        QCOMPARE(failureOf([&] { CStr(nothing); }), err::ObjectNotSet);
        QCOMPARE(failureOf([] { Variant(1.0).toObject(); }), err::ObjectRequired);
    }

    void errorTable() {
        QCOMPARE(errorDescription(err::Overflow), QStringLiteral("Estouro"));
        QCOMPARE(errorDescription(123456), QStringLiteral("Erro definido pelo aplicativo ou pelo objeto"));
        RuntimeError e(err::Overflow);
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("6: Estouro"));
    }
};

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"
