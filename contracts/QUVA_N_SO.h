#pragma once
// QUVA_N_SO.clsObterVersaoDoSO: the operating system's version.

#include "contracts/Contrato.h"

namespace creceber::contratos::QUVA_N_SO {

class CRECEBER_API clsObterVersaoDoSO : public Componente {
public:
    static constexpr const char16_t* kProgId = u"QUVA_N_SO.clsObterVersaoDoSO";
    using Componente::Componente;
    static clsObterVersaoDoSO Criar();

    // The version's name, e.g. "Windows 8".
    Variant ObterversaoDoSO();
};

} // namespace creceber::contratos::QUVA_N_SO
