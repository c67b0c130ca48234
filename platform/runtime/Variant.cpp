#include "runtime/Variant.h"

#include "runtime/Convert.h"
#include "runtime/Dispatch.h"
#include "runtime/Errors.h"

namespace quva::rt {

Currency operator+(Currency a, Currency b) {
    std::int64_t r;
    if (__builtin_add_overflow(a.raw, b.raw, &r)) raise(err::Overflow);
    return Currency{r};
}
Currency operator-(Currency a, Currency b) {
    std::int64_t r;
    if (__builtin_sub_overflow(a.raw, b.raw, &r)) raise(err::Overflow);
    return Currency{r};
}

Variant Variant::ByRef(Variant& target, bool typed) {
    Variant v;
    // A reference to a reference points at the final variable.
    Variant* t = &target;
    while (auto* r = std::get_if<Ref>(&t->m_v))
        t = r->target;
    v.m_v = Ref{t, typed};
    return v;
}

const Variant& Variant::deref() const {
    if (auto* r = std::get_if<Ref>(&m_v)) return *r->target;
    return *this;
}

Variant& Variant::derefMutable() {
    if (auto* r = std::get_if<Ref>(&m_v)) return *r->target;
    return *this;
}

void Variant::assign(const Variant& value) {
    const Variant& src = value.deref();
    if (auto* r = std::get_if<Ref>(&m_v)) {
        Variant& t = *r->target;
        VarType tt = t.type();
        if (r->typed && tt != VarType::Empty && tt != VarType::Variant)
            t = src.convertTo(tt);
        else
            t = src;
        return;
    }
    *this = src;
}

VarType Variant::type() const {
    const Variant& d = deref();
    switch (d.m_v.index()) {
    case 0:
        return VarType::Empty;
    case 1:
        return VarType::Null;
    case 2:
        return VarType::Integer;
    case 3:
        return VarType::Long;
    case 4:
        return VarType::Single;
    case 5:
        return VarType::Double;
    case 6:
        return VarType::Currency;
    case 7:
        return VarType::Date;
    case 8:
        return VarType::String;
    case 9:
        return VarType::Object;
    case 10:
        return VarType::Error;
    case 11:
        return VarType::Boolean;
    default:
        return VarType::Empty;
    }
}

std::uint16_t Variant::vt() const {
    auto t = std::uint16_t(type());
    if (auto* r = std::get_if<Ref>(&m_v))
        return std::uint16_t(kByRef | (r->typed ? t : std::uint16_t(VarType::Variant)));
    return t;
}

bool Variant::isNumeric() const {
    switch (type()) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Boolean:
        return true;
    default:
        return false;
    }
}

Object Variant::toObject() const {
    const Variant& d = deref();
    if (auto* o = std::get_if<Object>(&d.m_v)) return *o;
    raise(err::ObjectRequired);
}

QString Variant::toString() const {
    return CStr(*this);
}
std::int16_t Variant::toInteger() const {
    return CInt(*this);
}
std::int32_t Variant::toLong() const {
    return CLng(*this);
}
float Variant::toSingle() const {
    return CSng(*this);
}
double Variant::toDouble() const {
    return CDbl(*this);
}
Currency Variant::toCurrency() const {
    return CCur(*this);
}
Date Variant::toDate() const {
    return CDate(*this);
}
Boolean Variant::toBoolean() const {
    return CBool(*this);
}

Variant Variant::convertTo(VarType t) const {
    switch (t) {
    case VarType::Empty:
    case VarType::Variant:
        return deref();
    case VarType::Null:
        return Null;
    case VarType::Integer:
        return toInteger();
    case VarType::Long:
        return toLong();
    case VarType::Single:
        return toSingle();
    case VarType::Double:
        return toDouble();
    case VarType::Currency:
        return toCurrency();
    case VarType::Date:
        return toDate();
    case VarType::String:
        return toString();
    case VarType::Object:
        return toObject();
    case VarType::Error:
        return Missing;
    case VarType::Boolean:
        return toBoolean();
    }
    raise(err::TypeMismatch);
}

bool operator==(const Variant& a, const Variant& b) {
    return compare(a, b) == 0;
}
bool operator<(const Variant& a, const Variant& b) {
    return compare(a, b) < 0;
}

} // namespace quva::rt
