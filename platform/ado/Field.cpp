#include "ado/Recordset.h"

#include "runtime/Convert.h"
#include "runtime/Errors.h"

#include <algorithm>

namespace quva::ado {

using rt::Variant;
namespace err = rt::err;

bool isKnownType(std::int32_t type) {
    switch (type) {
    case adSmallInt:
    case adInteger:
    case adSingle:
    case adDouble:
    case adCurrency:
    case adDate:
    case adBSTR:
    case adBoolean:
    case adVariant:
    case adChar:
    case adWChar:
    case adVarChar:
    case adLongVarChar:
    case adVarWChar:
    case adLongVarWChar:
        return true;
    default:
        return false;
    }
}

std::int32_t naturalSize(DataType type) {
    switch (type) {
    case adSmallInt:
    case adBoolean:
        return 2;
    case adInteger:
    case adSingle:
        return 4;
    case adDouble:
    case adCurrency:
    case adDate:
        return 8;
    case adVariant:
        return 16;
    default:
        return 0;
    }
}

namespace {

bool isFixedText(DataType t) {
    return t == adChar || t == adWChar;
}
bool isSizedText(DataType t) {
    return isFixedText(t) || t == adVarChar || t == adVarWChar;
}

// Texts of plain digits (codes and entry numbers taken from grid cells)
// mean the same under every numeric reading; the general parser is far
// slower than this.
bool plainDigits(const Variant& v, double* out) {
    if (!v.isString()) return false;
    const QString& s = v.rawString();
    if (s.isEmpty() || s.size() > 15) return false;
    double d = 0;
    for (QChar c : s) {
        if (c < u'0' || c > u'9') return false;
        d = d * 10 + (c.unicode() - u'0');
    }
    *out = d;
    return true;
}

Variant convert(const FieldInfo& f, const Variant& v) {
    if (double d = 0; f.type == adDouble && plainDigits(v, &d)) return d;
    switch (f.type) {
    case adSmallInt:
        return rt::CInt(v);
    case adInteger:
        return rt::CLng(v);
    case adSingle:
        return rt::CSng(v);
    case adDouble:
        return rt::CDbl(v);
    case adCurrency:
        return rt::CCur(v);
    case adDate:
        return rt::CDate(v);
    case adBoolean:
        return rt::CBool(v);
    case adVariant:
        return v;
    default:
        break;
    }
    QString s = rt::CStr(v);
    if (isSizedText(f.type) && f.definedSize > 0 && s.size() > f.definedSize) rt::raise(err::AdoMultipleStep);
    if (isFixedText(f.type) && s.size() < f.definedSize) {
        QString padded(f.definedSize, Qt::Uninitialized);
        QChar* out = std::copy(s.cbegin(), s.cend(), padded.data());
        std::fill(out, padded.data() + f.definedSize, u' ');
        return padded;
    }
    return s;
}

} // namespace

// The value a field of this type holds for v. Empty and Null store Null.
// Numbers take texts in the user's (Brazilian) notation; fixed-length texts
// are padded with blanks to their size. As with the classic provider, a
// value of the wrong kind (a text that is no number in a numeric field, no
// date in a date field) fails with 3421, and a value that does not fit (a
// number out of range, a text longer than the field) with the multiple-step
// failure. Either way the field keeps what it had.
Variant coerceToField(const FieldInfo& f, const Variant& in) {
    const Variant& v = in.deref();
    if (v.isEmpty() || v.isNull()) return Variant(rt::Null);
    try {
        return convert(f, v);
    } catch (const rt::RuntimeError& e) {
        if (e.number() == err::Overflow || e.number() == err::AdoMultipleStep)
            rt::raise(err::AdoMultipleStep);
        rt::raise(err::AdoDataConversion);
    }
}

// ---- Field

Field::Field(Recordset* rs, int index, FieldInfo info) : m_rs(rs), m_index(index), m_info(std::move(info)) {}

namespace {
enum FieldMember : rt::DispId { kValue = rt::kDefaultMember, kName, kType, kDefinedSize };
}

rt::DispId Field::memberId(const QString& name) const {
    static const QLatin1StringView names[] = {QLatin1StringView("Value"), QLatin1StringView("Name"),
                                              QLatin1StringView("Type"), QLatin1StringView("DefinedSize")};
    for (rt::DispId id = 0; id < rt::DispId(std::size(names)); ++id)
        if (name.compare(names[id], Qt::CaseInsensitive) == 0) return id;
    return rt::kUnknownMember;
}

Variant Field::invoke(rt::DispId id, rt::CallKind kind, std::span<Variant> args) {
    const bool reading = kind == rt::CallKind::PropertyGet || kind == rt::CallKind::Method;
    if (id == kValue && kind == rt::CallKind::PropertyLet) {
        if (args.size() != 1) rt::raise(err::WrongArgumentCount);
        setValue(args[0]);
        return Variant();
    }
    if (id < kValue || id > kDefinedSize || !reading) rt::raise(err::MemberNotSupported);
    if (!args.empty()) rt::raise(err::WrongArgumentCount);
    switch (id) {
    case kValue:
        return Value();
    case kName:
        return Name();
    case kType:
        return std::int32_t(Type());
    default:
        return DefinedSize();
    }
}

std::int32_t Field::DefinedSize() const {
    return m_info.definedSize > 0 ? m_info.definedSize : naturalSize(m_info.type);
}

const Variant& Field::Value() const {
    if (!m_rs) rt::raise(err::AdoObjectClosed);
    return m_rs->valueAt(m_index);
}

void Field::setValue(const Variant& v) {
    if (!m_rs) rt::raise(err::AdoObjectClosed);
    m_rs->setValueAt(m_index, v);
}

// ---- Fields

FieldCollection::FieldCollection(Recordset* rs) : DispatchObject(QStringLiteral("Fields")), m_rs(rs) {
    property(
        QStringLiteral("Item"), [this](automation::Args a) { return Variant(Item(a[0]).shared_from_this()); },
        [this](automation::Args a) {
            Item(a[0]).setValue(a[1]);
            return Variant();
        },
        rt::kDefaultMember, 1);
    property(QStringLiteral("Count"), [this](automation::Args) { return Variant(Count()); }, {});
    method(
        QStringLiteral("Append"), 4,
        [this](automation::Args a) {
            const std::int32_t type = rt::CLng(a[1]);
            if (!isKnownType(type)) rt::raise(err::AdoInvalidArgument);
            Append(rt::CStr(a[0]), DataType(type), a[2].isMissing() ? 0 : rt::CLng(a[2]),
                   a[3].isMissing() ? adFldUnspecified : rt::CLng(a[3]));
            return Variant();
        },
        rt::kUnknownMember, 2);
}

std::int32_t FieldCollection::Count() const {
    if (!m_rs) rt::raise(err::AdoObjectClosed);
    return m_rs->fieldCount();
}

Field& FieldCollection::Item(const QString& name) {
    if (!m_rs) rt::raise(err::AdoObjectClosed);
    return m_rs->Fields(name);
}

Field& FieldCollection::Item(std::int32_t index) {
    if (!m_rs) rt::raise(err::AdoObjectClosed);
    return m_rs->Fields(index);
}

Field& FieldCollection::Item(const Variant& nameOrIndex) {
    const Variant& v = nameOrIndex.deref();
    if (v.isNumeric()) return Item(rt::CLng(v));
    if (v.isNull() || v.isEmpty() || v.isMissing() || v.isObject()) rt::raise(err::AdoItemNotFound);
    return Item(v.toString());
}

void FieldCollection::Append(const QString& name, DataType type, std::int32_t definedSize, std::int32_t) {
    if (!m_rs) rt::raise(err::AdoObjectClosed);
    m_rs->requireClosed();
    if (!isKnownType(type) || definedSize < 0 || name.isEmpty()) rt::raise(err::AdoInvalidArgument);
    if (isFixedText(type) && definedSize == 0) rt::raise(err::AdoInvalidArgument);
    m_rs->appendField(FieldInfo{name, type, definedSize});
}

} // namespace quva::ado
