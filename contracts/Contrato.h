#pragma once
// Typed wrappers over the late-bound calls to the suite's other components.
// Each wrapper holds one instance, created by ProgID at the moment of use,
// and passes every argument with the automation type and the by-reference
// flag the component expects, so any registered implementation works.
// Failures (the component cannot be created, a member call raises) come
// back as run-time failures for the calling procedure's handler.

#include "component/Exportacao.h"
#include "runtime/Variant.h"

#include <QString>

#include <cstdint>

namespace creceber::contratos {

using quva::rt::Object;
using quva::rt::Variant;

// Marks an argument passed by reference where the same member is also
// called with it by value (clsClientes.Selecionar).
template <class T> struct PorRef { T& valor; };
template <class T> PorRef<T> PorReferencia(T& valor) {
    return PorRef<T>{valor};
}

class CRECEBER_API Componente {
public:
    Componente() = default;
    explicit Componente(Object objeto) : m_objeto(std::move(objeto)) {}

    const Object& objeto() const { return m_objeto; }
    explicit operator bool() const { return bool(m_objeto); }
    // Set obj = Nothing.
    void Liberar() { m_objeto.reset(); }

protected:
    // 429 when the ProgID is not registered or cannot be created.
    static Object Criar(const QString& progId);
    // 91 when the wrapper holds no instance.
    const Object& instancia() const;

    Object m_objeto;
};

// The error triple a business component reports after a failed call,
// read in order from the same instance.
class CRECEBER_API ComponenteDeNegocio : public Componente {
public:
    using Componente::Componente;
    Variant NumeroDoErro() const;
    Variant DescricaoDoErro() const;
    Variant LocalDoErro() const;
};

} // namespace creceber::contratos
