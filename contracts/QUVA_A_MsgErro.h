#pragma once
// QUVA_A_MsgErro.clsMensagem: the suite's error message window.

#include "contracts/Contrato.h"

namespace creceber::contratos::QUVA_A_MsgErro {

class CRECEBER_API clsMensagem : public Componente {
public:
    static constexpr const char16_t* kProgId = u"QUVA_A_MsgErro.clsMensagem";
    using Componente::Componente;
    static clsMensagem Criar();

    // All four by reference; nothing is read back.
    void Exibir(Variant& varNumeroDoErro, Variant& varDescricaoDoErro, Variant& varLocalDoErro,
                QString& strNomeDaAplicacao);
};

} // namespace creceber::contratos::QUVA_A_MsgErro
