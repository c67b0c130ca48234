#pragma once
// The late-bound object interface: members found by name (without letter
// case) or by dispatch identifier, and invoked with positional arguments.
// The automation layer builds on it; the runtime needs it only so that a
// Variant can hold an object reference.

#include "runtime/Variant.h"

#include <QString>

#include <cstdint>
#include <span>

namespace quva::rt {

enum class CallKind : std::uint8_t { Method = 1, PropertyGet = 2, PropertyLet = 4, PropertySet = 8 };

using DispId = std::int32_t;
inline constexpr DispId kUnknownMember = -1;
inline constexpr DispId kDefaultMember = 0;

class IDispatch : public std::enable_shared_from_this<IDispatch> {
public:
    virtual ~IDispatch() = default;
    // -1 when the object has no member of that name.
    virtual DispId memberId(const QString& name) const = 0;
    // Arguments first to last; a by-reference argument is a Variant::ByRef
    // into the caller's variable. For a property let or set the new value is
    // the last argument. Failures are thrown as RuntimeError.
    virtual Variant invoke(DispId id, CallKind kind, std::span<Variant> args) = 0;
    // For messages and logs: "clsCReceber", "Recordset", …
    virtual QString typeName() const = 0;
};

} // namespace quva::rt
