#pragma once
// The component-wide globals: one set per process, shared by every instance
// of clsCReceber, all starting empty.

#include "component/Exportacao.h"
#include "component/Formularios.h"
#include "runtime/Variant.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace creceber {

// The user data object the host handed in; passed on unchanged.
CRECEBER_API extern quva::rt::Object gobjDadosDoUsuario;
// Title of every message box and the last argument of the error message.
CRECEBER_API extern QString gstrNomeDaAplicacao;
// The host's menu window, darkened behind the modal forms.
CRECEBER_API extern std::int32_t glngFormularioDoMenu_hWnd;
// The list form most recently opened in the host's work area.
CRECEBER_API extern std::shared_ptr<frmListaBase> gfrmLista;

} // namespace creceber
