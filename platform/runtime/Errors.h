#pragma once
// Run-time failures: a number and the Portuguese description a Brazilian
// user of the classic platform saw. Every layer raises through here, so
// the numbers and texts live in one table (Errors.cpp).

#include <QString>

#include <cstdint>
#include <exception>

namespace quva::rt {

namespace err {
// Language run time.
inline constexpr std::int32_t InvalidCall = 5;
inline constexpr std::int32_t Overflow = 6;
inline constexpr std::int32_t SubscriptOutOfRange = 9;
inline constexpr std::int32_t DivisionByZero = 11;
inline constexpr std::int32_t TypeMismatch = 13;
inline constexpr std::int32_t FileNotFound = 53;
inline constexpr std::int32_t PermissionDenied = 70;
inline constexpr std::int32_t PathFileAccess = 75;
inline constexpr std::int32_t PathNotFound = 76;
inline constexpr std::int32_t ObjectNotSet = 91;
inline constexpr std::int32_t InvalidUseOfNull = 94;
inline constexpr std::int32_t ControlArrayElementMissing = 340;
inline constexpr std::int32_t UnableToUnload = 361;
inline constexpr std::int32_t ObjectUnloaded = 364;
inline constexpr std::int32_t UnloadNotAllowed = 365;
inline constexpr std::int32_t InvalidPropertyValue = 380;
inline constexpr std::int32_t PropertyReadOnly = 383;
inline constexpr std::int32_t FormAlreadyShown = 400;
inline constexpr std::int32_t ModelessOverModal = 401;
inline constexpr std::int32_t ObjectRequired = 424;
inline constexpr std::int32_t CannotCreateObject = 429;
inline constexpr std::int32_t MemberNotSupported = 438;
inline constexpr std::int32_t AutomationError = 440;
inline constexpr std::int32_t ActionNotSupported = 445;
inline constexpr std::int32_t NamedArgumentsNotSupported = 446;
inline constexpr std::int32_t NamedArgumentNotFound = 448;
inline constexpr std::int32_t ArgumentNotOptional = 449;
inline constexpr std::int32_t WrongArgumentCount = 450;
inline constexpr std::int32_t NotACollection = 451;
inline constexpr std::int32_t DuplicateKey = 457;
// Recordsets. A caller sees the library's own code (3265) for the failures it
// raises with the control facility, and the full result (negative) for the
// provider's.
inline constexpr std::int32_t AdoInvalidArgument = 3001;
inline constexpr std::int32_t AdoNoCurrentRecord = 3021;
inline constexpr std::int32_t AdoNotAllowed = 3219;
inline constexpr std::int32_t AdoFeatureNotAvailable = 3251;
inline constexpr std::int32_t AdoItemNotFound = 3265;
inline constexpr std::int32_t AdoDataConversion = 3421; // a value of the wrong type for the field
inline constexpr std::int32_t AdoObjectClosed = 3704;
inline constexpr std::int32_t AdoObjectOpen = 3705;
inline constexpr std::int32_t AdoMultipleStep = std::int32_t(0x80040E21); // a value the field cannot take
// Report runtime.
inline constexpr std::int32_t ReportSectionNotFound = 8502;
inline constexpr std::int32_t ReportControlNotFound = 8503;
inline constexpr std::int32_t ReportDataFieldNotFound = 8526;
// Spreadsheet automation.
inline constexpr std::int32_t AppObjectError = 1004;
inline constexpr std::int32_t SpreadsheetBusy = 50290;
// Grid control.
inline constexpr std::int32_t GridInvalidRow = 30009;
inline constexpr std::int32_t GridInvalidCol = 30010;
inline constexpr std::int32_t GridLastNonFixedRow = 30015;
} // namespace err

// The description of a failure number; "Erro definido pelo aplicativo ou
// pelo objeto" for a number the table does not know.
QString errorDescription(std::int32_t number);

class RuntimeError : public std::exception {
public:
    explicit RuntimeError(std::int32_t number);
    RuntimeError(std::int32_t number, QString description, QString source = {});

    std::int32_t number() const { return m_number; }
    const QString& description() const { return m_description; }
    const QString& source() const { return m_source; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    std::int32_t m_number;
    QString m_description;
    QString m_source;
    QByteArray m_what;
};

[[noreturn]] void raise(std::int32_t number);
[[noreturn]] void raise(std::int32_t number, const QString& description);

} // namespace quva::rt
