#include "contracts/QUVA_A_MsgErro.h"

#include "automation/LateBound.h"
#include "contracts/Referencia.h"

namespace creceber::contratos::QUVA_A_MsgErro {

using namespace quva::automation;
using detalhe::Referencia;
using detalhe::variantePorReferencia;

clsMensagem clsMensagem::Criar() {
    return clsMensagem(Componente::Criar(QString::fromUtf16(kProgId)));
}

void clsMensagem::Exibir(Variant& varNumeroDoErro, Variant& varDescricaoDoErro, Variant& varLocalDoErro,
                         QString& strNomeDaAplicacao) {
    Referencia nome(strNomeDaAplicacao);
    call(instancia(), QStringLiteral("Exibir"), variantePorReferencia(varNumeroDoErro),
         variantePorReferencia(varDescricaoDoErro), variantePorReferencia(varLocalDoErro), nome.arg());
    nome.devolver();
}

} // namespace creceber::contratos::QUVA_A_MsgErro
