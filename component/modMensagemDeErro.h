#pragma once
// The error presenter: the one end point of every failure path. It hands
// the error triple and the application name to the suite's error message
// component and shows nothing itself. It has no handler of its own: if the
// message component fails, that failure goes on to the caller.

#include "component/Exportacao.h"
#include "runtime/Variant.h"

namespace creceber {

CRECEBER_API void ExibirMensagemDeErro(quva::rt::Variant NumeroDoErro, quva::rt::Variant DescricaoDoErro,
                                       quva::rt::Variant LocalDoErro);

} // namespace creceber
