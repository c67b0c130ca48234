#include "automation/LateBound.h"

namespace quva::automation {

Variant invokeByName(const Object& obj, const QString& member, CallKind kind, std::span<Variant> args) {
    if (!obj) rt::raise(rt::err::ObjectNotSet);
    const rt::DispId id = obj->memberId(member);
    if (id == rt::kUnknownMember) rt::raise(rt::err::MemberNotSupported);
    return obj->invoke(id, kind, args);
}

Variant invokeById(const Object& obj, rt::DispId id, CallKind kind, std::span<Variant> args) {
    if (!obj) rt::raise(rt::err::ObjectNotSet);
    return obj->invoke(id, kind, args);
}

} // namespace quva::automation
