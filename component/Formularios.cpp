#include "component/Formularios.h"

#include "runtime/Errors.h"

namespace creceber {

namespace {
FabricaDeLista& fabricaDeLista() {
    static FabricaDeLista f;
    return f;
}
FabricaDeFicha& fabricaDeFicha() {
    static FabricaDeFicha f;
    return f;
}

template <class T, class F> std::shared_ptr<T> criar(const F& fabrica) {
    std::shared_ptr<T> formulario = fabrica ? fabrica() : nullptr;
    if (!formulario) quva::rt::raise(quva::rt::err::CannotCreateObject);
    return formulario;
}
} // namespace

frmListaBase::~frmListaBase() = default;
frmFichaBase::~frmFichaBase() = default;

FabricaDeLista DefinirFabricaDeLista(FabricaDeLista fabrica) {
    return std::exchange(fabricaDeLista(), std::move(fabrica));
}
FabricaDeFicha DefinirFabricaDeFicha(FabricaDeFicha fabrica) {
    return std::exchange(fabricaDeFicha(), std::move(fabrica));
}

std::shared_ptr<frmListaBase> NovofrmLista() {
    return criar<frmListaBase>(fabricaDeLista());
}
std::shared_ptr<frmFichaBase> NovofrmFicha() {
    return criar<frmFichaBase>(fabricaDeFicha());
}

} // namespace creceber
