#pragma once
// QUVA_A_EfeitosDeTela.clsFundoEscuro: darkens a window behind a modal form.

#include "contracts/Contrato.h"

namespace creceber::contratos::QUVA_A_EfeitosDeTela {

class CRECEBER_API clsFundoEscuro : public Componente {
public:
    static constexpr const char16_t* kProgId = u"QUVA_A_EfeitosDeTela.clsFundoEscuro";
    using Componente::Componente;
    static clsFundoEscuro Criar();

    // The window handle by reference. Remover runs on another instance than
    // Aplicar did and works from the handle alone.
    void Aplicar(std::int32_t& lnghWnd);
    void Remover(std::int32_t& lnghWnd);
};

} // namespace creceber::contratos::QUVA_A_EfeitosDeTela
