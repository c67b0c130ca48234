#include "component/modFundoEscuro.h"

#include "contracts/QUVA_A_EfeitosDeTela.h"

namespace creceber {

using contratos::QUVA_A_EfeitosDeTela::clsFundoEscuro;

// Each call works on an instance of its own: the effect component undoes
// the darkening from the handle alone.
void AplicarFundoEscuro(std::int32_t lnghWnd) {
    auto lobjFundoEscuro = clsFundoEscuro::Criar();
    lobjFundoEscuro.Aplicar(lnghWnd);
    lobjFundoEscuro.Liberar();
}

void RemoverFundoEscuro(std::int32_t lnghWnd) {
    auto lobjFundoEscuro = clsFundoEscuro::Criar();
    lobjFundoEscuro.Remover(lnghWnd);
    lobjFundoEscuro.Liberar();
}

} // namespace creceber
