#include "forms/list/TelasDaLista.h"

#include <utility>

namespace creceber {

namespace {
FabricaDeTelaDaLista& ficha() {
    static FabricaDeTelaDaLista f;
    return f;
}
FabricaDeTelaDaLista& baixar() {
    static FabricaDeTelaDaLista f;
    return f;
}
} // namespace

TelaModalDaLista::~TelaModalDaLista() = default;

FabricaDeTelaDaLista DefinirFichaDaLista(FabricaDeTelaDaLista fabrica) {
    return std::exchange(ficha(), std::move(fabrica));
}
FabricaDeTelaDaLista DefinirBaixarDaLista(FabricaDeTelaDaLista fabrica) {
    return std::exchange(baixar(), std::move(fabrica));
}

std::shared_ptr<TelaModalDaLista> NovaFichaDaLista() {
    return ficha() ? ficha()() : nullptr;
}
std::shared_ptr<TelaModalDaLista> NovoBaixarDaLista() {
    return baixar() ? baixar()() : nullptr;
}

} // namespace creceber
