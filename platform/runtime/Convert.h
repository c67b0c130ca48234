#pragma once
// Conversions, tests and text functions of the classic run time, with the
// user's locale fixed to Brazilian Portuguese: comma decimals, point
// thousands, dates "DD/MM/YYYY".

#include "runtime/Variant.h"

#include <QString>

#include <cstdint>

namespace quva::rt {

// C* conversions. Halves round to even (CInt(2.5) = 2, CInt(3.5) = 4);
// out of range is failure 6, Null 94, a non-numeric text 13. A text is read
// in the Brazilian way: "1.234,5" is 1234.5.
QString CStr(const Variant& v); // Null fails; Empty gives ""; True gives "Verdadeiro"
std::int16_t CInt(const Variant& v);
std::int32_t CLng(const Variant& v);
float CSng(const Variant& v);
double CDbl(const Variant& v);
Currency CCur(const Variant& v); // rounded to four decimals
Date CDate(const Variant& v);    // a text must pass IsDate
Boolean CBool(const Variant& v);

// -1, 0 or 1, with the classic mixed-type rules; Null raises 94.
int compare(const Variant& a, const Variant& b);

// Tests.
bool IsNull(const Variant& v);
bool IsEmpty(const Variant& v);
bool IsObject(const Variant& v);
bool IsNumeric(const Variant& v); // a number, or a text CDbl accepts
// A date value, or a text that is a real calendar date "D/M/YYYY" (day and
// month one or two digits, four-digit year), optionally followed by a
// blank and "H:MM" or "H:MM:SS". "29/02/2025" is not a date.
bool IsDate(const Variant& v);

// Val: the leading number of a text, with '.' as the only decimal point
// (locale-independent, blanks skipped): Val("12abc") = 12, Val("1.234,5") = 1.234.
double Val(const QString& s);

// Text functions (1-based positions as in the classic library).
QString Trim(const QString& s); // blanks (U+0020) only, both ends
QString LTrim(const QString& s);
QString RTrim(const QString& s);
QString UCase(const QString& s);
QString LCase(const QString& s);
std::int32_t Len(const QString& s);
QString Left(const QString& s, std::int32_t n); // n < 0 is failure 5
QString Right(const QString& s, std::int32_t n);
QString Mid(const QString& s, std::int32_t start, std::int32_t length = -1);       // start < 1 is failure 5
std::int32_t InStr(const QString& s, const QString& find, std::int32_t start = 1); // 0 when absent
QString Replace(const QString& s, const QString& find, const QString& with);
QString Chr(std::int32_t code); // Western Windows code page: Chr(160) is the no-break space
QString Space(std::int32_t n);
extern const QString vbCrLf;
extern const QString vbTab;

// Format with the patterns the screens use: "#,##0.00" (money, "0,00" for
// zero, "1.234,56"), "DD/MM/YYYY" (any letter case), "HH:MM:SS". A value
// that cannot be converted for the pattern (a text that is not a number or
// a date) comes back unchanged as text; Null and Empty give "".
QString Format(const Variant& v, const QString& pattern);

// A number as the classic Str$/CStr wrote it with no grouping: 1532 -> "1532",
// 1.5 -> "1,5". Used for "Código 1532".
QString NumberText(double d);

// Brazilian display formats.
QString formatDate(Date d);                  // "DD/MM/YYYY"
QString formatDateTime(Date d);              // "DD/MM/YYYY HH:MM:SS"
QString formatMoney(Currency c);             // "#,##0.00": "1.234,56", "0,00", "-5,00"
bool parseDate(const QString& s, Date* out); // strict, as IsDate
// "1.234,56", "1234,5", "-3"; strict: thousands in groups of three, no symbol
// or exponent; more than four decimals round half to even. A well-formed
// amount that the currency cannot hold sets *outOfRange.
bool parseMoney(const QString& s, Currency* out, bool* outOfRange = nullptr);
// The largest amount a currency holds: 922.337.203.685.477,5807.
inline constexpr Currency kMaxCurrency{INT64_MAX};

// Dates.
Date makeDate(int year, int month, int day); // failure 5 for an impossible date
Date DateValue(const Variant& v);            // the date part, time dropped
void dateParts(Date d, int* year, int* month, int* day);
// Whole days from a to b (DateDiff("d", a, b)): b's date minus a's date.
std::int32_t DateDiffDays(Date a, Date b);

// 16-bit arithmetic that overflows with failure 6, as the classic Integer did.
std::int16_t addI(std::int16_t a, std::int16_t b);
std::int16_t subI(std::int16_t a, std::int16_t b);
std::int16_t mulI(std::int16_t a, std::int16_t b);
std::int16_t divI(std::int16_t a, std::int16_t b); // integer division '\', 11 for zero
std::int32_t addL(std::int32_t a, std::int32_t b);
std::int32_t subL(std::int32_t a, std::int32_t b);
std::int32_t mulL(std::int32_t a, std::int32_t b);
std::int32_t divL(std::int32_t a, std::int32_t b);

} // namespace quva::rt
