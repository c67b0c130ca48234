#pragma once
// What the entry class needs of the list and the card, and where new ones
// come from. The screens register their own factory when they are built
// into the library; tests put a stand-in in their place.

#include "component/Exportacao.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace creceber {

class CRECEBER_API frmListaBase {
public:
    virtual ~frmListaBase();
    // Embeds the list in the host's work area and shows it without blocking.
    virtual std::int16_t MontarExibirFormulario(std::int32_t AreaDeTrabalho_hWnd) = 0;
};

class CRECEBER_API frmFichaBase {
public:
    virtual ~frmFichaBase();
    // Shows the card modally; returns when it is closed.
    virtual void MontarExibirFormulario(std::int16_t TipoDeOperacao) = 0;
};

using FabricaDeLista = std::function<std::shared_ptr<frmListaBase>()>;
using FabricaDeFicha = std::function<std::shared_ptr<frmFichaBase>()>;

// Install a factory; each returns the one it replaced (empty for none).
CRECEBER_API FabricaDeLista DefinirFabricaDeLista(FabricaDeLista fabrica);
CRECEBER_API FabricaDeFicha DefinirFabricaDeFicha(FabricaDeFicha fabrica);

// "New frmLista" / "New frmFicha". With no factory installed, or when the
// factory gives nothing, creating fails with run-time failure 429, which the
// calling procedure reports like any other failure.
CRECEBER_API std::shared_ptr<frmListaBase> NovofrmLista();
CRECEBER_API std::shared_ptr<frmFichaBase> NovofrmFicha();

} // namespace creceber
