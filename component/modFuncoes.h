#pragma once

#include "component/Exportacao.h"
#include "runtime/Variant.h"

namespace creceber {

// Waits Duracao seconds while the user interface keeps processing its
// events, so a panel shown just before is painted. Any event handler may
// run during the wait.
CRECEBER_API void Pausar(quva::rt::Variant& Duracao);

} // namespace creceber
