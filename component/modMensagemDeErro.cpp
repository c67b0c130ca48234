#include "component/modMensagemDeErro.h"

#include "component/modPrincipal.h"
#include "contracts/QUVA_A_MsgErro.h"

namespace creceber {

using quva::rt::Variant;

void ExibirMensagemDeErro(Variant NumeroDoErro, Variant DescricaoDoErro, Variant LocalDoErro) {
    // The arguments arrive as copies already: the message component gets
    // references to these, never to the caller's variables.
    auto lobjMensagem = contratos::QUVA_A_MsgErro::clsMensagem::Criar();
    lobjMensagem.Exibir(NumeroDoErro, DescricaoDoErro, LocalDoErro, gstrNomeDaAplicacao);
    lobjMensagem.Liberar();
}

} // namespace creceber
