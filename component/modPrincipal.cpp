#include "component/modPrincipal.h"

namespace creceber {

quva::rt::Object gobjDadosDoUsuario;
QString gstrNomeDaAplicacao;
std::int32_t glngFormularioDoMenu_hWnd = 0;
std::shared_ptr<frmListaBase> gfrmLista;

} // namespace creceber
