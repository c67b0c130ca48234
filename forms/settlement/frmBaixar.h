#pragma once
// frmBaixar: the read-only view of a settled receivable, filled from the
// row selected in the list. It writes nothing; its only command closes it.
// The list loads it, calls MontarExibirFormulario(2) and unloads it.

#include "component/Exportacao.h"
#include "forms/Controls.h"
#include "forms/shell/CamposDaConta.h"
#include "forms/shell/FormularioDoComponente.h"
#include "qz/QZEdit.h"

#include <cstdint>

namespace creceber {

class CRECEBER_API frmBaixar : public FormularioDoComponente, public CamposDaConta {
public:
    frmBaixar();

    // Design-time controls of the view's own (the shared fields come from
    // CamposDaConta, picMensagem from the shell).
    quva::forms::Label* lblDataDeVencimento = nullptr;
    quva::qz::QZDTPicker* qzdtpDataDeVencimento = nullptr;
    quva::forms::Label* lblValorDoDocumento = nullptr;
    quva::qz::QZNumberBox* qznumValorDoDocumento = nullptr;
    quva::forms::Label* lblRecebimento = nullptr;
    quva::forms::Label* lblDescontoAbatimento = nullptr;
    quva::qz::QZNumberBox* qznumDescontoAbatimento = nullptr;
    quva::forms::Label* lblJurosMoraMulta = nullptr;
    quva::qz::QZNumberBox* qznumJurosMoraMulta = nullptr;
    quva::forms::Label* lblDataDeRecebimento = nullptr;
    quva::qz::QZDTPicker* qzdtpDataDaBaixa = nullptr;
    quva::forms::Label* lblValorRecebido = nullptr;
    quva::qz::QZNumberBox* qznumValorDaBaixa = nullptr;
    quva::forms::Label* lblValorResidual = nullptr;
    quva::qz::QZNumberBox* qznumValorResidual = nullptr;
    quva::forms::Label* lblDataDeRecebimentoDoValorResidual = nullptr;
    quva::qz::QZDTPicker* qzdtpDataDeVencimentoDoValorResidual = nullptr;

    // 2 views the selected row's settlement; 1 fills only the receivable.
    // Always 0, also when filling failed (the view is then never shown).
    std::int16_t MontarExibirFormulario(std::int16_t lintTipoDeOperacao);
    std::int16_t TipoDeOperacao() const { return mintTipoDeOperacao; }
    double NumeroDoLancamento() const { return mdblNumeroDoLancamento; }

    void qzcmdCancelarAlterar_Click();

protected:
    void CreateControls() override;

private:
    std::int16_t mintTipoDeOperacao = 0;
    double mdblNumeroDoLancamento = 0;
};

} // namespace creceber
