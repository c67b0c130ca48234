#pragma once
// A typed by-reference argument: the caller's variable is copied into a
// variant of its own type, passed as VT_BYREF|<type>, and whatever the
// callee wrote is copied back once the call has returned.

#include "runtime/Variant.h"

#include <QString>

#include <cstdint>

namespace creceber::contratos::detalhe {

using quva::rt::Variant;

template <class T> T ler(const Variant& v);
template <> inline std::int16_t ler(const Variant& v) {
    return v.toInteger();
}
template <> inline std::int32_t ler(const Variant& v) {
    return v.toLong();
}
template <> inline double ler(const Variant& v) {
    return v.toDouble();
}
template <> inline QString ler(const Variant& v) {
    return v.toString();
}
template <> inline quva::rt::Boolean ler(const Variant& v) {
    return v.toBoolean();
}
template <> inline quva::rt::Object ler(const Variant& v) {
    return v.toObject();
}

template <class T> class Referencia {
public:
    explicit Referencia(T& destino) : m_destino(destino), m_valor(destino) {}
    Referencia(const Referencia&) = delete;
    Referencia& operator=(const Referencia&) = delete;

    Variant arg() { return Variant::ByRef(m_valor); }
    // After a call that returned normally: the callee's value into the caller's variable.
    void devolver() { m_destino = ler<T>(m_valor); }

private:
    T& m_destino;
    Variant m_valor;
};

// A variant argument by reference (VT_BYREF|VT_VARIANT): the callee writes
// straight into the caller's variant.
inline Variant variantePorReferencia(Variant& v) {
    return Variant::ByRef(v, false);
}

} // namespace creceber::contratos::detalhe
