#include "component/modPrincipal.h"

#include <QCoreApplication>

namespace creceber {

quva::rt::Object gobjDadosDoUsuario;
QString gstrNomeDaAplicacao;
std::int32_t glngFormularioDoMenu_hWnd = 0;
std::shared_ptr<frmListaBase> gfrmLista;

namespace {
// The list and the objects the host handed in hold windows and database
// connections: they must go while the host's application object is still
// there, not with the library's statics after it.
void liberarGlobais() {
    gfrmLista.reset();
    gobjDadosDoUsuario = {};
}
const bool liberacaoRegistrada = [] {
    qAddPostRoutine(liberarGlobais);
    return true;
}();
} // namespace

} // namespace creceber
