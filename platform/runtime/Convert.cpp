#include "runtime/Convert.h"

#include "runtime/Dispatch.h"
#include "runtime/Errors.h"

#include <QDate>

#include <cfloat>
#include <cmath>
#include <limits>

namespace quva::rt {

const QString vbCrLf = QStringLiteral("\r\n");
const QString vbTab = QStringLiteral("\t");

namespace {

constexpr double kSecondsPerDay = 86400.0;
// The calendar the serial dates cover: 01/01/0100 to 31/12/9999.
constexpr double kMinSerial = -657434.0;
constexpr double kMaxSerial = 2958465.999988426;

const QDate& epoch() {
    static const QDate d(1899, 12, 30);
    return d;
}

// Banker's rounding of an exact double (the FPU's default mode).
double roundEven(double d) {
    return std::nearbyint(d);
}

std::int64_t divRoundEven(std::int64_t n, std::int64_t d) {
    std::int64_t q = n / d;
    std::int64_t r = n % d;
    std::int64_t twice = 2 * (r < 0 ? -r : r);
    if (twice > d || (twice == d && (q % 2) != 0)) q += (n < 0) ? -1 : 1;
    return q;
}

// Objects convert through their default member, as the classic run time did
// for `Fields("x")` or a text box.
Variant scalar(const Variant& v) {
    const Variant& d = v.deref();
    if (d.type() != VarType::Object) return d;
    const Object& o = d.rawObject();
    if (!o) raise(err::ObjectNotSet);
    Variant r = o->invoke(kDefaultMember, CallKind::PropertyGet, {});
    if (r.type() == VarType::Object) raise(err::TypeMismatch);
    return r;
}

// ---- Numeric texts -------------------------------------------------------

// A number read from text: sign, decimal digits with the decimal point at
// `point` digits from the left, and a power of ten.
struct DecimalText {
    bool negative = false;
    QString digits;
    qsizetype point = 0;
    int exponent = 0;
};

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// "&HFF", "&O17": 16-bit when it fits, else 32-bit, as the classic literals.
bool parseRadix(QStringView s, double* out) {
    if (s.size() < 3 || s[0] != u'&') return false;
    int base = 0;
    QChar k = s[1].toUpper();
    if (k == u'H')
        base = 16;
    else if (k == u'O')
        base = 8;
    else
        return false;
    bool ok = false;
    qulonglong u = s.mid(2).toULongLong(&ok, base);
    if (!ok || u > 0xFFFFFFFFull) return false;
    if (u <= 0xFFFF)
        *out = double(std::int16_t(std::uint16_t(u)));
    else
        *out = double(std::int32_t(std::uint32_t(u)));
    return true;
}

// The Brazilian reading of a number: blanks around it, an optional "R$",
// a leading sign, '.' between digits of the whole part (ignored), ',' for
// the decimals, an optional exponent. `strictGroups` wants groups of three.
bool parseDecimal(QStringView s, DecimalText* out, bool strictGroups = false) {
    while (!s.isEmpty() && isBlank(s.front()))
        s = s.mid(1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    if (s.isEmpty()) return false;
    DecimalText d;
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < s.size() && isBlank(s[i]))
            ++i;
    };
    auto symbol = [&] {
        if (!strictGroups && s.mid(i).startsWith(u"R$")) {
            i += 2;
            skipBlanks();
        }
    };
    symbol();
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) {
        d.negative = s[i] == u'-';
        ++i;
        skipBlanks();
    }
    symbol();
    int groupLen = -1; // digits since the last '.', -1 before any
    qsizetype firstGroup = 0;
    while (i < s.size()) {
        QChar c = s[i];
        if (isDigit(c)) {
            d.digits += c;
            if (groupLen >= 0)
                ++groupLen;
            else
                ++firstGroup;
            ++i;
        } else if (c == u'.' && !d.digits.isEmpty() && i + 1 < s.size() && isDigit(s[i + 1])) {
            if (strictGroups && ((groupLen >= 0 && groupLen != 3) || (groupLen < 0 && firstGroup > 3)))
                return false;
            groupLen = 0;
            ++i;
        } else {
            break;
        }
    }
    if (strictGroups && groupLen >= 0 && groupLen != 3) return false;
    d.point = d.digits.size();
    if (i < s.size() && s[i] == u',') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            d.digits += s[i++];
    }
    if (d.digits.isEmpty()) return false;
    if (!strictGroups && i < s.size() && (s[i] == u'E' || s[i] == u'e' || s[i] == u'D' || s[i] == u'd')) {
        qsizetype j = i + 1;
        bool neg = false;
        if (j < s.size() && (s[j] == u'-' || s[j] == u'+')) neg = s[j++] == u'-';
        qsizetype start = j;
        int e = 0;
        while (j < s.size() && isDigit(s[j])) {
            e = std::min(e * 10 + s[j].digitValue(), 100000);
            ++j;
        }
        if (j == start) return false;
        d.exponent = neg ? -e : e;
        i = j;
    }
    if (i != s.size()) return false;
    *out = d;
    return true;
}

double decimalToDouble(const DecimalText& d) {
    QString c = d.negative ? QStringLiteral("-") : QString();
    c += QStringView(d.digits).left(d.point);
    if (d.point == 0) c += u'0';
    c += u'.';
    c += QStringView(d.digits).mid(d.point);
    c += u'0';
    c += u'e';
    c += QString::number(d.exponent);
    bool ok = false;
    double r = c.toDouble(&ok); // QString::toDouble is locale-independent
    if (!ok || !std::isfinite(r)) raise(err::Overflow);
    return r;
}

// Exact: currency from text never goes through binary floating point.
Currency decimalToCurrency(const DecimalText& d) {
    // Position of the decimal point after scaling by 10^4 and the exponent.
    std::int64_t point = std::int64_t(d.point) + 4 + d.exponent;
    std::int64_t raw = 0;
    const qsizetype n = d.digits.size();
    qsizetype i = 0;
    for (; i < n && i < point; ++i) {
        int digit = d.digits[i].digitValue();
        if (__builtin_mul_overflow(raw, 10, &raw) || __builtin_add_overflow(raw, digit, &raw))
            raise(err::Overflow);
    }
    for (std::int64_t k = i; k < point; ++k)
        if (raw != 0 && __builtin_mul_overflow(raw, 10, &raw)) raise(err::Overflow);
    // Remaining digits decide the rounding: half to even.
    if (i < n || point < 0) {
        QString rest = point < 0 ? QString(qsizetype(-point), u'0') + d.digits : d.digits.mid(i);
        int first = rest.isEmpty() ? 0 : rest[0].digitValue();
        bool tail = false;
        for (qsizetype k = 1; k < rest.size(); ++k)
            tail = tail || rest[k] != u'0';
        if (first > 5 || (first == 5 && (tail || (raw % 2) != 0)))
            if (__builtin_add_overflow(raw, 1, &raw)) raise(err::Overflow);
    }
    return Currency{d.negative ? -raw : raw};
}

bool textToDouble(const QString& s, double* out) {
    if (parseRadix(QStringView(s).trimmed(), out)) return true;
    DecimalText d;
    if (!parseDecimal(s, &d)) return false;
    *out = decimalToDouble(d);
    return true;
}

bool textToBoolean(const QString& s, bool* out) {
    QString t = s.trimmed();
    if (t.compare(u"Verdadeiro", Qt::CaseInsensitive) == 0 || t.compare(u"True", Qt::CaseInsensitive) == 0) {
        *out = true;
        return true;
    }
    if (t.compare(u"Falso", Qt::CaseInsensitive) == 0 || t.compare(u"False", Qt::CaseInsensitive) == 0) {
        *out = false;
        return true;
    }
    return false;
}

// ---- Dates ---------------------------------------------------------------

// Serial dates before the epoch keep a positive time fraction: -1,25 is
// 29/12/1899 06:00.
struct DateParts {
    QDate date;
    int seconds = 0; // of the day
};

DateParts splitSerial(double serial) {
    if (!(serial >= kMinSerial - 1 && serial <= kMaxSerial + 1)) raise(err::Overflow);
    double whole = std::trunc(serial);
    double frac = std::fabs(serial - whole);
    // To the millisecond first, to absorb the binary fraction, then whole
    // seconds: 23:59:59,6 is still the same day.
    std::int64_t ms = std::llround(frac * kSecondsPerDay * 1000.0);
    std::int64_t days = std::int64_t(whole);
    if (ms >= std::int64_t(kSecondsPerDay) * 1000) {
        ms = 0;
        days += 1;
    }
    std::int64_t secs = ms / 1000;
    return DateParts{epoch().addDays(days), int(secs)};
}

double joinSerial(const QDate& date, int seconds) {
    double days = double(epoch().daysTo(date));
    double frac = seconds / kSecondsPerDay;
    return days < 0 ? days - frac : days + frac;
}

bool inDateRange(double serial) {
    return serial >= kMinSerial && serial <= kMaxSerial;
}

// One or two digits in [lo, hi] at s[i...]; advances i.
bool readField(QStringView s, qsizetype* i, int minDigits, int maxDigits, int* out) {
    qsizetype start = *i;
    int v = 0;
    while (*i < s.size() && *i - start < maxDigits && isDigit(s[*i]))
        v = v * 10 + s[(*i)++].digitValue();
    if (*i - start < minDigits) return false;
    *out = v;
    return true;
}

// ---- Number to text ------------------------------------------------------

QString doubleText(double d, int precision) {
    if (d == 0) return QStringLiteral("0");
    if (!std::isfinite(d)) raise(err::Overflow);
    QString s = QString::number(d, 'g', precision);
    qsizetype e = s.indexOf(u'e');
    if (e >= 0) {
        // Classic exponent: "1E+20", "1,5E-05".
        QString mant = s.left(e);
        int exp = s.mid(e + 1).toInt();
        s = mant + u'E' + (exp < 0 ? u'-' : u'+') +
            QStringLiteral("%1").arg(std::abs(exp), 2, 10, QChar(u'0'));
    }
    s.replace(u'.', u',');
    return s;
}

QString currencyText(Currency c) {
    std::int64_t raw = c.raw;
    bool neg = raw < 0;
    std::uint64_t u = neg ? 0 - std::uint64_t(raw) : std::uint64_t(raw);
    QString s = QString::number(u / 10000);
    std::uint64_t frac = u % 10000;
    if (frac != 0) {
        QString f = QStringLiteral("%1").arg(qulonglong(frac), 4, 10, QChar(u'0'));
        while (f.endsWith(u'0'))
            f.chop(1);
        s += u',' + f;
    }
    return neg ? u'-' + s : s;
}

// Inserts '.' every three digits of a whole part.
QString group(const QString& whole) {
    QString out;
    const qsizetype n = whole.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += u'.';
        out += whole[i];
    }
    return out;
}

// Decimal digits of a value as text for formatting: whole part, fraction.
struct Digits {
    bool negative = false;
    QString whole;
    QString fraction;
};

Digits digitsOf(const Variant& v) {
    Digits d;
    if (v.type() == VarType::Currency) {
        std::int64_t raw = v.rawCurrency().raw;
        d.negative = raw < 0;
        std::uint64_t u = d.negative ? 0 - std::uint64_t(raw) : std::uint64_t(raw);
        d.whole = QString::number(u / 10000);
        d.fraction = QStringLiteral("%1").arg(qulonglong(u % 10000), 4, 10, QChar(u'0'));
        return d;
    }
    double x = CDbl(v);
    // Fifteen significant digits, as the classic formatter saw a double.
    QString s = QString::number(
        std::fabs(x), 'f', std::max(0, 14 - int(std::floor(std::log10(std::max(std::fabs(x), 1e-300))))));
    if (x == 0) s = QStringLiteral("0");
    d.negative = x < 0;
    qsizetype p = s.indexOf(u'.');
    d.whole = p < 0 ? s : s.left(p);
    d.fraction = p < 0 ? QString() : s.mid(p + 1);
    return d;
}

// A numeric text keeps its decimal digits exactly.
Digits digitsOf(const DecimalText& t) {
    Digits d;
    d.negative = t.negative;
    std::int64_t point = std::int64_t(t.point) + t.exponent;
    if (point > 400 || point < -400) raise(err::Overflow);
    QString all = t.digits;
    if (point < 0) {
        all.prepend(QString(qsizetype(-point), u'0'));
        point = 0;
    }
    if (point > all.size()) all += QString(qsizetype(point - all.size()), u'0');
    d.whole = point > 0 ? all.left(point) : QStringLiteral("0");
    d.fraction = all.mid(point);
    return d;
}

// Rounds half away from zero to `decimals` places, on the decimal digits.
void roundDigits(Digits* d, int decimals) {
    if (d->fraction.size() <= decimals) {
        d->fraction = d->fraction.leftJustified(decimals, u'0');
        return;
    }
    bool up = d->fraction[decimals].digitValue() >= 5;
    QString all = d->whole + d->fraction.left(decimals);
    if (up) {
        qsizetype i = all.size() - 1;
        while (i >= 0 && all[i] == u'9')
            all[i--] = u'0';
        if (i >= 0)
            all[i] = QChar(all[i].unicode() + 1);
        else
            all.prepend(u'1');
    }
    d->whole = all.left(all.size() - decimals);
    d->fraction = all.right(decimals);
}

bool isNumericPattern(const QString& p) {
    if (p.isEmpty()) return false;
    for (QChar c : p)
        if (c != u'#' && c != u'0' && c != u',' && c != u'.') return false;
    return true;
}

// "#,##0.00", "0.00", "#,##0", "0": the pattern's ',' asks for grouping,
// '.' for the decimals, written the Brazilian way.
QString formatDigits(Digits d, const QString& pattern) {
    qsizetype dot = pattern.indexOf(u'.');
    QString wholePat = dot < 0 ? pattern : pattern.left(dot);
    QString fracPat = dot < 0 ? QString() : pattern.mid(dot + 1);
    const int decimals = int(fracPat.count(u'0') + fracPat.count(u'#'));
    const int minFracDigits = int(fracPat.count(u'0'));
    const int minWhole = int(wholePat.count(u'0'));
    const bool grouping = wholePat.contains(u',');
    roundDigits(&d, decimals);
    while (d.whole.size() > 1 && d.whole.startsWith(u'0'))
        d.whole.remove(0, 1);
    if (d.whole == u"0" && minWhole == 0) d.whole.clear();
    while (d.whole.size() < minWhole)
        d.whole.prepend(u'0');
    while (d.fraction.size() > minFracDigits && d.fraction.endsWith(u'0'))
        d.fraction.chop(1);
    bool zero = true;
    for (QChar c : d.whole + d.fraction)
        zero = zero && c == u'0';
    QString out = grouping ? group(d.whole) : d.whole;
    if (!d.fraction.isEmpty() || (dot >= 0 && minFracDigits > 0))
        out += u',' + d.fraction;
    else if (dot >= 0 && d.fraction.isEmpty())
        out += u',';
    if (d.negative && !zero) out.prepend(u'-');
    return out;
}

// Money as the suite shows it, straight from the ten-thousandths: reports
// and exports format it by the hundred thousand.
QString moneyText(Currency c) {
    const quint64 a = c.raw < 0 ? quint64(0) - quint64(c.raw) : quint64(c.raw);
    quint64 cents = a / 100 + (a % 100 >= 50 ? 1 : 0);
    char16_t buf[32];
    qsizetype i = 32;
    buf[--i] = char16_t(u'0' + cents % 10);
    buf[--i] = char16_t(u'0' + cents / 10 % 10);
    buf[--i] = u',';
    quint64 whole = cents / 100;
    for (int k = 0;; ++k) {
        if (k > 0 && k % 3 == 0) buf[--i] = u'.';
        buf[--i] = char16_t(u'0' + whole % 10);
        whole /= 10;
        if (whole == 0) break;
    }
    if (c.raw < 0 && cents > 0) buf[--i] = u'-';
    return QString(reinterpret_cast<const QChar*>(buf + i), 32 - i);
}

QString formatNumber(const Variant& v, const QString& pattern) {
    if (v.type() == VarType::Currency && pattern == u"#,##0.00") return moneyText(v.rawCurrency());
    return formatDigits(digitsOf(v), pattern);
}

// Date and time patterns: d, dd, m, mm, yy, yyyy, h, hh, n, nn, s, ss (any
// letter case); "mm" right after an hour means minutes.
bool isDatePattern(const QString& p) {
    bool letter = false;
    for (QChar c : p) {
        QChar l = c.toLower();
        if (l == u'd' || l == u'm' || l == u'y' || l == u'h' || l == u'n' || l == u's')
            letter = true;
        else if (c != u'/' && c != u':' && c != u' ' && c != u'-' && c != u'.')
            return false;
    }
    return letter;
}

QString formatDatePattern(Date value, const QString& pattern) {
    DateParts p = splitSerial(value.serial);
    if (pattern == u"dd/mm/yyyy") {
        // The suite's date, on every row of a report: no pattern to walk.
        int y = 0, m = 0, d = 0;
        p.date.getDate(&y, &m, &d);
        const char16_t b[10] = {char16_t(u'0' + d / 10),         char16_t(u'0' + d % 10),
                                u'/',
                                char16_t(u'0' + m / 10),         char16_t(u'0' + m % 10),
                                u'/',
                                char16_t(u'0' + y / 1000 % 10), char16_t(u'0' + y / 100 % 10),
                                char16_t(u'0' + y / 10 % 10),   char16_t(u'0' + y % 10)};
        if (y > 0 && y <= 9999) return QString(reinterpret_cast<const QChar*>(b), 10);
    }
    const int hh = p.seconds / 3600, mi = (p.seconds / 60) % 60, ss = p.seconds % 60;
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < pattern.size();) {
        QChar c = pattern[i].toLower();
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run].toLower() == c)
            ++run;
        auto num = [&](int v, bool two) {
            out += two ? QStringLiteral("%1").arg(v, 2, 10, QChar(u'0')) : QString::number(v);
        };
        if (c == u'd')
            num(p.date.day(), run >= 2);
        else if (c == u'm' && afterHour)
            num(mi, run >= 2);
        else if (c == u'm')
            num(p.date.month(), run >= 2);
        else if (c == u'y') {
            if (run >= 3)
                out += QStringLiteral("%1").arg(p.date.year(), 4, 10, QChar(u'0'));
            else
                num(p.date.year() % 100, true);
        } else if (c == u'h')
            num(hh, run >= 2);
        else if (c == u'n')
            num(mi, run >= 2);
        else if (c == u's')
            num(ss, run >= 2);
        else
            out += QString(run, pattern[i]);
        if (c == u'h')
            afterHour = true;
        else if (c == u'd' || c == u'y' || c == u's' || c == u'm')
            afterHour = false;
        i += run;
    }
    return out;
}

} // namespace

// ---- Conversions -------------------------------------------------------------

QString CStr(const Variant& value) {
    Variant v = scalar(value);
    switch (v.type()) {
    case VarType::Empty:
        return {};
    case VarType::Null:
        raise(err::InvalidUseOfNull);
    case VarType::Integer:
        return QString::number(v.rawInteger());
    case VarType::Long:
        return QString::number(v.rawLong());
    case VarType::Single:
        return doubleText(double(v.rawSingle()), 7);
    case VarType::Double:
        return doubleText(v.rawDouble(), 15);
    case VarType::Currency:
        return currencyText(v.rawCurrency());
    case VarType::Date: {
        Date d = v.rawDate();
        DateParts p = splitSerial(d.serial);
        if (p.seconds == 0) return formatDate(d);
        if (p.date == epoch()) return formatDatePattern(d, QStringLiteral("hh:nn:ss"));
        return formatDateTime(d);
    }
    case VarType::String:
        return v.rawString();
    case VarType::Boolean:
        return v.rawBoolean() ? QStringLiteral("Verdadeiro") : QStringLiteral("Falso");
    default:
        raise(err::TypeMismatch);
    }
}

double CDbl(const Variant& value) {
    Variant v = scalar(value);
    switch (v.type()) {
    case VarType::Empty:
        return 0;
    case VarType::Null:
        raise(err::InvalidUseOfNull);
    case VarType::Integer:
        return v.rawInteger();
    case VarType::Long:
        return v.rawLong();
    case VarType::Single:
        return double(v.rawSingle());
    case VarType::Double:
        return v.rawDouble();
    case VarType::Currency:
        return v.rawCurrency().toDouble();
    case VarType::Date:
        return v.rawDate().serial;
    case VarType::Boolean:
        return v.rawBoolean().value;
    case VarType::String: {
        bool b = false;
        double d = 0;
        if (textToDouble(v.rawString(), &d)) return d;
        if (textToBoolean(v.rawString(), &b)) return b ? -1 : 0;
        raise(err::TypeMismatch);
    }
    default:
        raise(err::TypeMismatch);
    }
}

namespace {
template <class T> T roundedInteger(const Variant& value) {
    Variant v = scalar(value);
    switch (v.type()) {
    case VarType::Integer:
        return T(v.rawInteger());
    case VarType::Long:
        if (v.rawLong() < std::numeric_limits<T>::min() || v.rawLong() > std::numeric_limits<T>::max())
            raise(err::Overflow);
        return T(v.rawLong());
    case VarType::Currency: {
        std::int64_t r = divRoundEven(v.rawCurrency().raw, Currency::kScale);
        if (r < std::numeric_limits<T>::min() || r > std::numeric_limits<T>::max()) raise(err::Overflow);
        return T(r);
    }
    default: {
        double r = roundEven(CDbl(v));
        if (!(r >= double(std::numeric_limits<T>::min()) && r <= double(std::numeric_limits<T>::max())))
            raise(err::Overflow);
        return T(r);
    }
    }
}
} // namespace

std::int16_t CInt(const Variant& v) {
    return roundedInteger<std::int16_t>(v);
}
std::int32_t CLng(const Variant& v) {
    return roundedInteger<std::int32_t>(v);
}

float CSng(const Variant& v) {
    double d = CDbl(v);
    if (std::fabs(d) > double(FLT_MAX)) raise(err::Overflow);
    return float(d);
}

Currency CCur(const Variant& value) {
    Variant v = scalar(value);
    switch (v.type()) {
    case VarType::Currency:
        return v.rawCurrency();
    case VarType::Integer:
        return Currency::fromUnits(v.rawInteger());
    case VarType::Long:
        return Currency::fromUnits(v.rawLong());
    case VarType::Boolean:
        return Currency::fromUnits(v.rawBoolean().value);
    case VarType::String: {
        DecimalText d;
        if (parseDecimal(v.rawString(), &d)) return decimalToCurrency(d);
        double r = 0;
        if (parseRadix(QStringView(v.rawString()).trimmed(), &r)) return Currency::fromUnits(std::int64_t(r));
        bool b = false;
        if (textToBoolean(v.rawString(), &b)) return Currency::fromUnits(b ? -1 : 0);
        raise(err::TypeMismatch);
    }
    default: {
        double r = roundEven(CDbl(v) * double(Currency::kScale));
        // 2^63 is the first value out of range.
        if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) raise(err::Overflow);
        return Currency{std::int64_t(r)};
    }
    }
}

Date CDate(const Variant& value) {
    Variant v = scalar(value);
    switch (v.type()) {
    case VarType::Date:
        return v.rawDate();
    case VarType::Null:
        raise(err::InvalidUseOfNull);
    case VarType::String: {
        Date d;
        if (parseDate(v.rawString(), &d)) return d;
        raise(err::TypeMismatch);
    }
    default: {
        double s = CDbl(v);
        if (!inDateRange(s)) raise(err::Overflow);
        return Date{s};
    }
    }
}

Boolean CBool(const Variant& value) {
    Variant v = scalar(value);
    switch (v.type()) {
    case VarType::Boolean:
        return v.rawBoolean();
    case VarType::String: {
        bool b = false;
        if (textToBoolean(v.rawString(), &b)) return b ? vbTrue : vbFalse;
        return CDbl(v) != 0 ? vbTrue : vbFalse;
    }
    case VarType::Currency:
        return v.rawCurrency().raw != 0 ? vbTrue : vbFalse;
    default:
        return CDbl(v) != 0 ? vbTrue : vbFalse;
    }
}

int compare(const Variant& left, const Variant& right) {
    Variant a = scalar(left);
    Variant b = scalar(right);
    if (a.isNull() || b.isNull()) raise(err::InvalidUseOfNull);
    auto cmp = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
    const bool aText = a.isString(), bText = b.isString();
    if (aText && bText) return cmp(QString::compare(a.rawString(), b.rawString(), Qt::CaseSensitive), 0);
    // Empty meets a text as "", anything else as 0.
    if (a.isEmpty() && bText) return cmp(QString::compare(QString(), b.rawString()), 0);
    if (b.isEmpty() && aText) return cmp(QString::compare(a.rawString(), QString()), 0);
    if (a.isMissing() || b.isMissing() || a.isObject() || b.isObject()) raise(err::TypeMismatch);
    if (aText || bText) {
        // A number against a text: as numbers when the text is one; otherwise
        // the number sorts first.
        const Variant& t = aText ? a : b;
        const Variant& n = aText ? b : a;
        double x = 0;
        bool numeric = textToDouble(t.rawString(), &x);
        if (!numeric && n.type() == VarType::Date && IsDate(t)) {
            numeric = true;
            x = CDate(t).serial;
        }
        if (!numeric) return aText ? 1 : -1;
        double y = CDbl(n);
        return aText ? cmp(x, y) : cmp(y, x);
    }
    if (a.type() == VarType::Currency && (b.type() == VarType::Currency || b.type() == VarType::Integer ||
                                          b.type() == VarType::Long || b.type() == VarType::Boolean))
        return cmp(a.rawCurrency(), CCur(b));
    if (b.type() == VarType::Currency &&
        (a.type() == VarType::Integer || a.type() == VarType::Long || a.type() == VarType::Boolean))
        return cmp(CCur(a), b.rawCurrency());
    return cmp(CDbl(a), CDbl(b));
}

// ---- Tests -------------------------------------------------------------------

bool IsNull(const Variant& v) {
    return v.isNull();
}
bool IsEmpty(const Variant& v) {
    return v.isEmpty();
}
bool IsObject(const Variant& v) {
    return v.isObject();
}

bool IsNumeric(const Variant& value) {
    const Variant& v = value.deref();
    switch (v.type()) {
    case VarType::Empty:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Boolean:
        return true;
    case VarType::String: {
        double d = 0;
        return textToDouble(v.rawString(), &d);
    }
    default:
        return false;
    }
}

bool IsDate(const Variant& value) {
    const Variant& v = value.deref();
    if (v.type() == VarType::Date) return true;
    if (v.type() != VarType::String) return false;
    Date d;
    return parseDate(v.rawString(), &d);
}

double Val(const QString& text) {
    QString s;
    for (QChar c : text)
        if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r') s += c;
    double r = 0;
    if (s.startsWith(u'&')) {
        // The longest run of radix digits after the prefix.
        qsizetype n = 2;
        int base = s.size() > 1 && s[1].toUpper() == u'O' ? 8 : 16;
        while (n < s.size() && s[n].digitValue() >= 0 && s[n].digitValue() < base)
            ++n;
        if (n < s.size() && base == 16 && QStringLiteral("abcdef").contains(s[n].toLower())) {
            while (n < s.size() && (s[n].isDigit() || QStringLiteral("abcdef").contains(s[n].toLower())))
                ++n;
        }
        return parseRadix(QStringView(s).left(n), &r) ? r : 0;
    }
    qsizetype i = 0;
    QString c;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) c += s[i++];
    qsizetype mant = 0;
    while (i < s.size() && isDigit(s[i]))
        c += s[i++], ++mant;
    if (i < s.size() && s[i] == u'.') {
        c += s[i++];
        while (i < s.size() && isDigit(s[i]))
            c += s[i++], ++mant;
    }
    if (mant == 0) return 0;
    if (i < s.size() && (s[i].toUpper() == u'E' || s[i].toUpper() == u'D')) {
        QString e = QStringLiteral("e");
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == u'-' || s[j] == u'+')) e += s[j++];
        qsizetype digits = 0;
        while (j < s.size() && isDigit(s[j]))
            e += s[j++], ++digits;
        if (digits > 0) c += e;
    }
    bool ok = false;
    r = c.toDouble(&ok);
    if (!std::isfinite(r)) raise(err::Overflow);
    return ok ? r : 0;
}

// ---- Text functions --------------------------------------------------------------

QString LTrim(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ')
        ++i;
    return s.mid(i);
}

QString RTrim(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == u' ')
        --n;
    return s.left(n);
}

QString Trim(const QString& s) {
    return LTrim(RTrim(s));
}
QString UCase(const QString& s) {
    return s.toUpper();
}
QString LCase(const QString& s) {
    return s.toLower();
}
std::int32_t Len(const QString& s) {
    return std::int32_t(s.size());
}

QString Left(const QString& s, std::int32_t n) {
    if (n < 0) raise(err::InvalidCall);
    return s.left(n);
}

QString Right(const QString& s, std::int32_t n) {
    if (n < 0) raise(err::InvalidCall);
    return n >= s.size() ? s : s.right(n);
}

QString Mid(const QString& s, std::int32_t start, std::int32_t length) {
    if (start < 1 || length < -1) raise(err::InvalidCall);
    if (start > s.size()) return {};
    return length < 0 ? s.mid(start - 1) : s.mid(start - 1, length);
}

std::int32_t InStr(const QString& s, const QString& find, std::int32_t start) {
    if (start < 1) raise(err::InvalidCall);
    if (s.isEmpty()) return 0;
    if (find.isEmpty()) return start;
    if (start > s.size()) return 0;
    qsizetype p = s.indexOf(find, start - 1, Qt::CaseSensitive);
    return p < 0 ? 0 : std::int32_t(p + 1);
}

QString Replace(const QString& s, const QString& find, const QString& with) {
    if (find.isEmpty()) return s;
    QString r = s;
    return r.replace(find, with, Qt::CaseSensitive);
}

QString Chr(std::int32_t code) {
    // The Western Windows code page: Latin-1 with its own 0x80..0x9F.
    static const char16_t k80[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                     0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    if (code < 0 || code > 255) raise(err::InvalidCall);
    if (code >= 0x80 && code < 0xA0) return QString(QChar(k80[code - 0x80]));
    return QString(QChar(char16_t(code)));
}

QString Space(std::int32_t n) {
    if (n < 0) raise(err::InvalidCall);
    return QString(n, u' ');
}

// ---- Formats -------------------------------------------------------------------

QString Format(const Variant& value, const QString& pattern) {
    Variant v = scalar(value);
    if (v.isNull() || v.isEmpty()) return {};
    if (pattern.isEmpty()) return CStr(v);
    if (isNumericPattern(pattern)) {
        if (v.isString()) {
            DecimalText d;
            double r = 0;
            if (parseDecimal(v.rawString(), &d)) return formatDigits(digitsOf(d), pattern);
            if (parseRadix(QStringView(v.rawString()).trimmed(), &r)) return formatNumber(r, pattern);
            return v.rawString();
        }
        if (v.type() == VarType::Date) return formatNumber(v.rawDate().serial, pattern);
        if (v.type() == VarType::Boolean) return formatNumber(double(v.rawBoolean().value), pattern);
        return formatNumber(v, pattern);
    }
    if (isDatePattern(pattern)) {
        if (v.isString()) {
            Date d;
            if (!parseDate(v.rawString(), &d)) return v.rawString();
            return formatDatePattern(d, pattern);
        }
        double s = CDbl(v);
        if (!inDateRange(s)) return CStr(v);
        return formatDatePattern(Date{s}, pattern);
    }
    return CStr(v);
}

QString NumberText(double d) {
    return doubleText(d, 15);
}

QString formatDate(Date d) {
    return formatDatePattern(d, QStringLiteral("dd/mm/yyyy"));
}
QString formatDateTime(Date d) {
    return formatDatePattern(d, QStringLiteral("dd/mm/yyyy hh:nn:ss"));
}
QString formatMoney(Currency c) {
    return formatNumber(Variant(c), QStringLiteral("#,##0.00"));
}

bool parseDate(const QString& text, Date* out) {
    QStringView s(text);
    while (!s.isEmpty() && s.front() == u' ')
        s = s.mid(1);
    while (!s.isEmpty() && s.back() == u' ')
        s.chop(1);
    qsizetype i = 0;
    int day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
    if (!readField(s, &i, 1, 2, &day) || i >= s.size() || s[i++] != u'/') return false;
    if (!readField(s, &i, 1, 2, &month) || i >= s.size() || s[i++] != u'/') return false;
    if (!readField(s, &i, 4, 4, &year)) return false;
    if (i < s.size()) {
        if (s[i] != u' ') return false;
        while (i < s.size() && s[i] == u' ')
            ++i;
        if (!readField(s, &i, 1, 2, &hour) || i >= s.size() || s[i++] != u':') return false;
        if (!readField(s, &i, 2, 2, &minute)) return false;
        if (i < s.size()) {
            if (s[i++] != u':' || !readField(s, &i, 2, 2, &second)) return false;
        }
        if (i != s.size() || hour > 23 || minute > 59 || second > 59) return false;
    }
    QDate d(year, month, day);
    if (!d.isValid() || year < 100) return false;
    if (out) *out = Date{joinSerial(d, hour * 3600 + minute * 60 + second)};
    return true;
}

bool parseMoney(const QString& s, Currency* out, bool* outOfRange) {
    if (outOfRange) *outOfRange = false;
    DecimalText d;
    if (!parseDecimal(s, &d, true)) return false;
    Currency c;
    try {
        c = decimalToCurrency(d);
    } catch (const RuntimeError&) {
        if (outOfRange) *outOfRange = true;
        return false;
    }
    if (out) *out = c;
    return true;
}

// ---- Dates ---------------------------------------------------------------------

Date makeDate(int year, int month, int day) {
    QDate d(year, month, day);
    if (!d.isValid() || year < 100 || year > 9999) raise(err::InvalidCall);
    return Date{joinSerial(d, 0)};
}

Date DateValue(const Variant& v) {
    DateParts p = splitSerial(CDate(v).serial);
    return Date{joinSerial(p.date, 0)};
}

void dateParts(Date d, int* year, int* month, int* day) {
    DateParts p = splitSerial(d.serial);
    if (year) *year = p.date.year();
    if (month) *month = p.date.month();
    if (day) *day = p.date.day();
}

std::int32_t DateDiffDays(Date a, Date b) {
    // Calendar days; the time of day does not count.
    return std::int32_t(splitSerial(a.serial).date.daysTo(splitSerial(b.serial).date));
}

// ---- 16- and 32-bit arithmetic ---------------------------------------------------

namespace {
template <class T> T checked(std::int64_t r) {
    if (r < std::numeric_limits<T>::min() || r > std::numeric_limits<T>::max()) raise(err::Overflow);
    return T(r);
}
} // namespace

std::int16_t addI(std::int16_t a, std::int16_t b) {
    return checked<std::int16_t>(std::int64_t(a) + b);
}
std::int16_t subI(std::int16_t a, std::int16_t b) {
    return checked<std::int16_t>(std::int64_t(a) - b);
}
std::int16_t mulI(std::int16_t a, std::int16_t b) {
    return checked<std::int16_t>(std::int64_t(a) * b);
}
std::int16_t divI(std::int16_t a, std::int16_t b) {
    if (b == 0) raise(err::DivisionByZero);
    return checked<std::int16_t>(std::int64_t(a) / b);
}
std::int32_t addL(std::int32_t a, std::int32_t b) {
    return checked<std::int32_t>(std::int64_t(a) + b);
}
std::int32_t subL(std::int32_t a, std::int32_t b) {
    return checked<std::int32_t>(std::int64_t(a) - b);
}
std::int32_t mulL(std::int32_t a, std::int32_t b) {
    return checked<std::int32_t>(std::int64_t(a) * b);
}
std::int32_t divL(std::int32_t a, std::int32_t b) {
    if (b == 0) raise(err::DivisionByZero);
    return checked<std::int32_t>(std::int64_t(a) / b);
}

} // namespace quva::rt
