#include "contracts/QUVA_N_Empresa.h"

#include "automation/LateBound.h"

namespace creceber::contratos::QUVA_N_Empresa {

using namespace quva::automation;

clsEmpresa clsEmpresa::Criar() {
    return clsEmpresa(Componente::Criar(QString::fromUtf16(kProgId)));
}

Variant clsEmpresa::SelecionarNova(std::int32_t lng1, std::int16_t int2, std::int32_t lng3,
                                   const QString& str4) {
    return call(instancia(), QStringLiteral("SelecionarNova"), lng1, int2, lng3, str4);
}

Object clsEmpresa::ResultadoDaSelecaoEmRecordSet() const {
    return obj(get(instancia(), QStringLiteral("ResultadoDaSelecaoEmRecordSet")));
}

} // namespace creceber::contratos::QUVA_N_Empresa
