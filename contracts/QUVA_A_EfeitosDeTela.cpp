#include "contracts/QUVA_A_EfeitosDeTela.h"

#include "automation/LateBound.h"
#include "contracts/Referencia.h"

namespace creceber::contratos::QUVA_A_EfeitosDeTela {

using namespace quva::automation;
using detalhe::Referencia;

clsFundoEscuro clsFundoEscuro::Criar() {
    return clsFundoEscuro(Componente::Criar(QString::fromUtf16(kProgId)));
}

void clsFundoEscuro::Aplicar(std::int32_t& lnghWnd) {
    Referencia hWnd(lnghWnd);
    call(instancia(), QStringLiteral("Aplicar"), hWnd.arg());
    hWnd.devolver();
}

void clsFundoEscuro::Remover(std::int32_t& lnghWnd) {
    Referencia hWnd(lnghWnd);
    call(instancia(), QStringLiteral("Remover"), hWnd.arg());
    hWnd.devolver();
}

} // namespace creceber::contratos::QUVA_A_EfeitosDeTela
