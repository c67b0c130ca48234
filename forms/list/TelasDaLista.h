#pragma once
// The modal screens the list's row commands open: the card (adding,
// altering, deleting) and the settlement view. Each screen registers its
// own factory when it is built into the library; a command whose screen is
// not registered yet shows nothing and does nothing.

#include "component/Exportacao.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace creceber {

class CRECEBER_API TelaModalDaLista {
public:
    virtual ~TelaModalDaLista();
    // Shows the screen modally for the operation; returns when it is closed.
    virtual std::int16_t MontarExibirFormulario(std::int16_t lintTipoDeOperacao) = 0;
    // Whether the operation was carried out (the settlement view never does one).
    virtual bool OperacaoConcluida() const = 0;
    // Unload.
    virtual void Descarregar() = 0;
};

using FabricaDeTelaDaLista = std::function<std::shared_ptr<TelaModalDaLista>()>;

// Each returns the factory it replaced.
CRECEBER_API FabricaDeTelaDaLista DefinirFichaDaLista(FabricaDeTelaDaLista fabrica);
CRECEBER_API FabricaDeTelaDaLista DefinirBaixarDaLista(FabricaDeTelaDaLista fabrica);

// A new card / settlement view, or nullptr while none is registered.
CRECEBER_API std::shared_ptr<TelaModalDaLista> NovaFichaDaLista();
CRECEBER_API std::shared_ptr<TelaModalDaLista> NovoBaixarDaLista();

} // namespace creceber
