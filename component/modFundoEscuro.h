#pragma once
// Darkens the host's menu window while a modal form of the component is
// open. No handler: a failure goes to the calling procedure.

#include "component/Exportacao.h"

#include <cstdint>

namespace creceber {

CRECEBER_API void AplicarFundoEscuro(std::int32_t lnghWnd);
CRECEBER_API void RemoverFundoEscuro(std::int32_t lnghWnd);

} // namespace creceber
