#include "contracts/QUVA_N_SO.h"

#include "automation/LateBound.h"

namespace creceber::contratos::QUVA_N_SO {

using namespace quva::automation;

clsObterVersaoDoSO clsObterVersaoDoSO::Criar() {
    return clsObterVersaoDoSO(Componente::Criar(QString::fromUtf16(kProgId)));
}

Variant clsObterVersaoDoSO::ObterversaoDoSO() {
    return call(instancia(), QStringLiteral("ObterversaoDoSO"));
}

} // namespace creceber::contratos::QUVA_N_SO
