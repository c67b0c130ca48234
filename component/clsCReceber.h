#pragma once
// The component's only public class: the host hands it the user data and
// its application name, then embeds the list or opens a new card.

#include "automation/DispatchObject.h"
#include "component/Exportacao.h"

#include <QString>

#include <cstdint>

namespace creceber {

class CRECEBER_API clsCReceber : public quva::automation::DispatchObject {
public:
    clsCReceber();

    quva::rt::Variant AbrirLista(std::int32_t FomularioDoMenu_hWnd, std::int32_t AreaDeTrabalho_hWnd);
    quva::rt::Variant AbrirFicha();
    void DadosDoUsuario(const quva::rt::Object& lobjDadosDoUsuario); // property set
    void NomeDaAplicacao(const QString& lstrNomeDaAplicacao);        // property let

    // Nothing but a run-time failure reaches a late-bound caller.
    quva::rt::Variant invoke(quva::rt::DispId id, quva::rt::CallKind kind,
                             quva::automation::Args args) override;
};

} // namespace creceber
