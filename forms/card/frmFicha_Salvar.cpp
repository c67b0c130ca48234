// frmFicha: the save / confirm button. The card does not validate the
// receivable; the business component does, and names the field it refused.

#include "forms/card/frmFicha.h"

#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/QUVA_N_CReceber.h"
#include "forms/Form.h"
#include "forms/MsgBox.h"
#include "runtime/Convert.h"

namespace creceber {

using namespace quva::forms;
using quva::rt::Object;
using quva::rt::Variant;
namespace rt = quva::rt;

void frmFicha::qzcmdSalvarFecharConfirmar_Click() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("qzcmdSalvarFecharConfirmar_Click"));
    ponto.executar([&] {
        ponto(1);
        const std::int16_t tipo = mintTipoDeOperacao;
        if (tipo != kAdicionar && tipo != kAlterar && tipo != kExcluir) return;

        ponto(2);
        auto lobjCReceber = contratos::QUVA_N_CReceber::clsCReceber::Criar();

        ponto(3);
        if (tipo == kAlterar || tipo == kExcluir) lobjCReceber.NumeroDoLancamento(mdblNumeroDoLancamento);

        ponto(4);
        lobjCReceber.CodigoDoCliente(rt::Val(qzfCodigoDoCliente->Text()));
        ponto(5);
        lobjCReceber.Historico(rt::Trim(qzmemHistorico->Text()));

        ponto(6);
        if (tipo == kAdicionar || tipo == kExcluir) {
            ponto(9);
            // The grid itself: the business component reads the installments from it.
            Object lobjGrade = msfgGrade->object();
            lobjCReceber.GradeDasParcelas(lobjGrade);
        } else {
            ponto(7);
            lobjCReceber.DataDeVencimento(qzdtpDataDeVencimentoDaParcelaAtual->Text());
            ponto(8);
            const QString valor = qznumValorDaParcelaAtual->Text();
            lobjCReceber.ValorDoDocumento(valor.isEmpty() ? Variant(std::int16_t(0)) : Variant(valor));
        }

        ponto(10);
        Object lobjDadosDoUsuario = gobjDadosDoUsuario;
        lobjCReceber.DadosDoUsuario(lobjDadosDoUsuario);

        ponto(11);
        Variant resultado;
        if (tipo == kAdicionar)
            resultado = lobjCReceber.Adicionar();
        else if (tipo == kAlterar)
            resultado = lobjCReceber.Alterar();
        else
            resultado = lobjCReceber.Excluir();

        ponto(12);
        switch (resultado.toInteger()) {
        case 0:
            ponto(13);
            mbooOperacaoConcluida = true;
            break;
        case 1:
            ponto(14);
            RepassarFalhaDoComponente(lobjCReceber);
            mbooOperacaoConcluida = false;
            break;
        case 2: {
            ponto(15);
            RestaurarCoresDosRotulos();
            ponto(16);
            const QString campo = lobjCReceber.NomeDoCampoValidado().toString();
            ponto(17);
            Label* rotulo = nullptr;
            Control* campoAFocar = nullptr;
            if (campo == QStringLiteral("CodigoDoCliente")) {
                rotulo = lblApelidoOuNomeFantasiaDoCliente;
                campoAFocar = qzfApelidoOuNomeFantasiaDoCliente;
            } else if (campo == QStringLiteral("Historico")) {
                rotulo = lblHistorico;
                campoAFocar = qzmemHistorico;
            } else if (campo == QStringLiteral("Parcelas") || campo == QStringLiteral("DataDeVencimento")) {
                rotulo = lblDataDeVencimentoDaParcelaAtual;
                campoAFocar = qzdtpDataDeVencimentoDaParcelaAtual;
            } else if (campo == QStringLiteral("ValorDoDocumento")) {
                rotulo = lblValor;
                campoAFocar = qznumValorDaParcelaAtual;
            }
            if (rotulo) {
                DoEvents();
                rotulo->setForeColor(kCorDoRotuloInvalido);
                // A field the mode keeps shut cannot take the focus.
                if (campoAFocar->Enabled() && campoAFocar->Visible()) campoAFocar->SetFocus();
            }
            ponto(18);
            MsgBox(lobjCReceber.DescricaoDaFalha().toString(), vbOKOnly + vbInformation, gstrNomeDaAplicacao);
            mbooOperacaoConcluida = false;
            lobjCReceber.Liberar();
            return; // the card stays open for the correction
        }
        case 3:
            ponto(19);
            MsgBox(lobjCReceber.DescricaoDaFalha().toString(), vbOKOnly + vbCritical, gstrNomeDaAplicacao);
            mbooOperacaoConcluida = false;
            break;
        default:
            ponto(20);
            break;
        }

        ponto(21);
        lobjCReceber.Liberar();

        ponto(22);
        Hide();
    });
}

} // namespace creceber
