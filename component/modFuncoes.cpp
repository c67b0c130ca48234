#include "component/modFuncoes.h"

#include "runtime/Clock.h"

namespace creceber {

void Pausar(quva::rt::Variant& Duracao) {
    quva::rt::Pausar(Duracao);
}

} // namespace creceber
