#include "contracts/Contrato.h"

#include "automation/LateBound.h"
#include "automation/Server.h"

namespace creceber::contratos {

using namespace quva::automation;

Object Componente::Criar(const QString& progId) {
    return CreateObject(progId);
}

const Object& Componente::instancia() const {
    if (!m_objeto) quva::rt::raise(quva::rt::err::ObjectNotSet);
    return m_objeto;
}

Variant ComponenteDeNegocio::NumeroDoErro() const {
    return get(instancia(), QStringLiteral("NumeroDoErro"));
}
Variant ComponenteDeNegocio::DescricaoDoErro() const {
    return get(instancia(), QStringLiteral("DescricaoDoErro"));
}
Variant ComponenteDeNegocio::LocalDoErro() const {
    return get(instancia(), QStringLiteral("LocalDoErro"));
}

} // namespace creceber::contratos
