#pragma once
// QUVA_A_MsgAcesso.clsMensagem: the suite's wait message window.

#include "contracts/Contrato.h"

namespace creceber::contratos::QUVA_A_MsgAcesso {

class CRECEBER_API clsMensagem : public Componente {
public:
    static constexpr const char16_t* kProgId = u"QUVA_A_MsgAcesso.clsMensagem";
    using Componente::Componente;
    static clsMensagem Criar();

    // Stays on screen until Fechar.
    void Exibir(const QString& strMensagem);
    void Fechar();
};

} // namespace creceber::contratos::QUVA_A_MsgAcesso
