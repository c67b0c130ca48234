#pragma once
// The automation value: what every late-bound call, recordset field and
// procedure variable carries. Conversions follow the classic run time,
// with Brazilian Portuguese as the user's locale.

#include <QString>

#include <cstdint>
#include <memory>
#include <variant>

namespace quva::rt {

class IDispatch;
using Object = std::shared_ptr<IDispatch>;

// Automation type codes (VT_*), as recorded by test doubles and registries.
enum class VarType : std::uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2, // 16-bit
    Long = 3,    // 32-bit
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Error = 10, // a missing optional argument travels as this
    Boolean = 11,
    Variant = 12,
};
inline constexpr std::uint16_t kByRef = 0x4000;

// 64-bit fixed point with four decimals: 1,00 is 10000.
struct Currency {
    std::int64_t raw = 0;
    static constexpr std::int64_t kScale = 10000;
    static Currency fromRaw(std::int64_t r) { return Currency{r}; }
    static Currency fromUnits(std::int64_t units) { return Currency{units * kScale}; }
    double toDouble() const { return double(raw) / kScale; }
    friend bool operator==(Currency, Currency) = default;
    friend auto operator<=>(Currency, Currency) = default;
};
Currency operator+(Currency a, Currency b); // overflow is failure 6
Currency operator-(Currency a, Currency b);

// OLE automation date: days since 30/12/1899, the fraction is the time of day.
struct Date {
    double serial = 0;
    friend bool operator==(Date, Date) = default;
    friend auto operator<=>(Date, Date) = default;
};

// 16-bit boolean: true is -1.
struct Boolean {
    std::int16_t value = 0;
    constexpr explicit operator bool() const { return value != 0; }
    friend bool operator==(Boolean, Boolean) = default;
};
inline constexpr Boolean vbTrue{-1};
inline constexpr Boolean vbFalse{0};

struct EmptyT {
    friend bool operator==(EmptyT, EmptyT) = default;
};
struct NullT {
    friend bool operator==(NullT, NullT) = default;
};
// A missing optional argument (VT_ERROR, DISP_E_PARAMNOTFOUND).
struct MissingT {
    friend bool operator==(MissingT, MissingT) = default;
};
inline constexpr NullT Null{};
inline constexpr MissingT Missing{};

class Variant;

class Variant {
public:
    Variant() = default;
    Variant(EmptyT) {}
    Variant(NullT) : m_v(NullT{}) {}
    Variant(MissingT) : m_v(MissingT{}) {}
    Variant(std::int16_t v) : m_v(v) {}
    Variant(std::int32_t v) : m_v(v) {}
    Variant(float v) : m_v(v) {}
    Variant(double v) : m_v(v) {}
    Variant(Currency v) : m_v(v) {}
    Variant(Date v) : m_v(v) {}
    Variant(Boolean v) : m_v(v) {}
    Variant(bool v) : m_v(Boolean{std::int16_t(v ? -1 : 0)}) {}
    Variant(const QString& v) : m_v(v) {}
    Variant(QString&& v) : m_v(std::move(v)) {}
    Variant(const char* v) : m_v(QString::fromUtf8(v)) {}
    Variant(const char16_t* v) : m_v(QString::fromUtf16(v)) {}
    Variant(Object v) : m_v(std::move(v)) {}
    Variant(std::nullptr_t) : m_v(Object{}) {} // Nothing
    template <class T>
    requires std::is_base_of_v<IDispatch, T> Variant(std::shared_ptr<T> v) : m_v(Object(std::move(v))) {}

    // A reference to the caller's variable. A typed reference keeps the
    // variable's type when the callee writes through it (VT_BYREF|VT_I2 …);
    // an untyped one (VT_BYREF|VT_VARIANT) takes whatever is written.
    static Variant ByRef(Variant& target, bool typed = true);

    bool isByRef() const { return std::holds_alternative<Ref>(m_v); }
    // The value itself, following a reference.
    const Variant& deref() const;
    Variant& derefMutable();
    // Writes through a reference (coercing for a typed one), or replaces the value.
    void assign(const Variant& value);

    VarType type() const; // of the value, after following a reference
    // The automation type word, with kByRef for a reference.
    std::uint16_t vt() const;

    bool isEmpty() const { return type() == VarType::Empty; }
    bool isNull() const { return type() == VarType::Null; }
    bool isMissing() const { return type() == VarType::Error; }
    bool isObject() const { return type() == VarType::Object; }
    bool isString() const { return type() == VarType::String; }
    bool isNumeric() const; // held as a number (not a numeric text)

    // Raw access; the caller checked type().
    std::int16_t rawInteger() const { return std::get<std::int16_t>(deref().m_v); }
    std::int32_t rawLong() const { return std::get<std::int32_t>(deref().m_v); }
    float rawSingle() const { return std::get<float>(deref().m_v); }
    double rawDouble() const { return std::get<double>(deref().m_v); }
    Currency rawCurrency() const { return std::get<Currency>(deref().m_v); }
    Date rawDate() const { return std::get<Date>(deref().m_v); }
    Boolean rawBoolean() const { return std::get<Boolean>(deref().m_v); }
    const QString& rawString() const { return std::get<QString>(deref().m_v); }
    const Object& rawObject() const { return std::get<Object>(deref().m_v); }

    // Conversions with the classic rules (CStr, CInt, CLng, …). Each raises
    // the run-time failure the classic platform raised: 94 for Null, 13 for
    // a text that is not a number, 6 when out of range.
    QString toString() const;
    std::int16_t toInteger() const;
    std::int32_t toLong() const;
    float toSingle() const;
    double toDouble() const;
    Currency toCurrency() const;
    Date toDate() const;
    Boolean toBoolean() const;
    bool toBool() const { return bool(toBoolean()); }
    Object toObject() const; // 424 unless an object (Nothing is allowed)
    Variant convertTo(VarType t) const;

    // The classic '=' and '<' between two values (numbers compared as
    // numbers, texts as texts, a number and a numeric text as numbers).
    // Null on either side raises 94 here; use isNull() first where it can occur.
    friend bool operator==(const Variant& a, const Variant& b);
    friend bool operator<(const Variant& a, const Variant& b);

private:
    struct Ref {
        Variant* target = nullptr;
        bool typed = true;
        friend bool operator==(const Ref&, const Ref&) = default;
    };
    using Storage = std::variant<EmptyT, NullT, std::int16_t, std::int32_t, float, double, Currency, Date,
                                 QString, Object, MissingT, Boolean, Ref>;
    Storage m_v;
};

} // namespace quva::rt
