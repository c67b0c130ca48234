#pragma once
// Late-bound calls as the classic code wrote them:
//   Call obj.Selecionar(1, ByRef(n), 2, "x")      -> call(obj, "Selecionar", 1, byRef(n), 2, "x")
//   x = obj.Cells(r, c).Font.Bold                 -> get(get(get(obj, "Cells", r, c), "Font"), "Bold")
//   obj.Visible = True                            -> let(obj, "Visible", true)
//   Set obj.GradeDasParcelas = grid               -> set(obj, "GradeDasParcelas", grid)
// A missing member is failure 438, Nothing is failure 91.

#include "runtime/Dispatch.h"
#include "runtime/Errors.h"

#include <array>
#include <span>

namespace quva::automation {

using rt::CallKind;
using rt::Object;
using rt::Variant;

// A by-reference argument into the caller's variable.
inline Variant byRef(Variant& v, bool typed = true) {
    return Variant::ByRef(v, typed);
}

Variant invokeByName(const Object& obj, const QString& member, CallKind kind, std::span<Variant> args);
Variant invokeById(const Object& obj, rt::DispId id, CallKind kind, std::span<Variant> args);

template <class... A> Variant call(const Object& obj, const QString& member, A&&... a) {
    std::array<Variant, sizeof...(A)> args{Variant(std::forward<A>(a))...};
    return invokeByName(obj, member, CallKind::Method, args);
}
template <class... A> Variant get(const Object& obj, const QString& member, A&&... index) {
    std::array<Variant, sizeof...(A)> args{Variant(std::forward<A>(index))...};
    return invokeByName(obj, member, CallKind::PropertyGet, args);
}
template <class... A> void let(const Object& obj, const QString& member, A&&... indexThenValue) {
    std::array<Variant, sizeof...(A)> args{Variant(std::forward<A>(indexThenValue))...};
    invokeByName(obj, member, CallKind::PropertyLet, args);
}
template <class... A> void set(const Object& obj, const QString& member, A&&... indexThenValue) {
    std::array<Variant, sizeof...(A)> args{Variant(std::forward<A>(indexThenValue))...};
    invokeByName(obj, member, CallKind::PropertySet, args);
}
template <class... A> Variant callId(const Object& obj, rt::DispId id, A&&... a) {
    std::array<Variant, sizeof...(A)> args{Variant(std::forward<A>(a))...};
    return invokeById(obj, id, CallKind::Method, args);
}
template <class... A> Variant getId(const Object& obj, rt::DispId id, A&&... index) {
    std::array<Variant, sizeof...(A)> args{Variant(std::forward<A>(index))...};
    return invokeById(obj, id, CallKind::PropertyGet, args);
}
template <class... A> void letId(const Object& obj, rt::DispId id, A&&... indexThenValue) {
    std::array<Variant, sizeof...(A)> args{Variant(std::forward<A>(indexThenValue))...};
    invokeById(obj, id, CallKind::PropertyLet, args);
}

// Objects from a Variant: get(...) of an object-valued property returns a
// Variant; obj(v) takes the object out (424 if it is not one).
inline Object obj(const Variant& v) {
    return v.toObject();
}

} // namespace quva::automation
