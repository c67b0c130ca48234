#include "contracts/QUVA_A_MsgAcesso.h"

#include "automation/LateBound.h"

namespace creceber::contratos::QUVA_A_MsgAcesso {

using namespace quva::automation;

clsMensagem clsMensagem::Criar() {
    return clsMensagem(Componente::Criar(QString::fromUtf16(kProgId)));
}

void clsMensagem::Exibir(const QString& strMensagem) {
    call(instancia(), QStringLiteral("Exibir"), strMensagem);
}
void clsMensagem::Fechar() {
    call(instancia(), QStringLiteral("Fechar"));
}

} // namespace creceber::contratos::QUVA_A_MsgAcesso
