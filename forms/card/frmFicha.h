#pragma once
// frmFicha: the record card of one receivable. Adding (1) builds a new
// receivable with its plan of installments; altering (3) changes the
// history, due date and value of the row selected in the list; deleting (4)
// confirms the deletion of that row. The card is modal: MontarExibirFormulario
// returns once the card is hidden, and the caller then reads
// OperacaoConcluida and unloads it.
//
//     frmFicha lfrmFicha;
//     lfrmFicha.Load();
//     lfrmFicha.MontarExibirFormulario(3);
//     if (lfrmFicha.OperacaoConcluida()) ...
//     lfrmFicha.Unload();

#include "component/Exportacao.h"
#include "flexgrid/FlexGrid.h"
#include "forms/Controls.h"
#include "forms/shell/FormularioDoComponente.h"
#include "qz/QZCommandButton.h"
#include "qz/QZEdit.h"
#include "qz/QZFind.h"
#include "qz/QZTheme.h"
#include "runtime/Variant.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace creceber {

class CRECEBER_API frmFicha : public FormularioDoComponente {
public:
    // Operation types.
    static constexpr std::int16_t kAdicionar = 1;
    static constexpr std::int16_t kAlterar = 3;
    static constexpr std::int16_t kExcluir = 4;

    // Field labels; the four header labels keep their own colour.
    static constexpr quva::forms::OleColor kCorDoRotulo = 0x494949;
    static constexpr quva::forms::OleColor kCorDoRotuloInvalido = 0x0000FF;

    // Installment grid columns and the widths of the value column.
    static constexpr std::int32_t kColVencimento = 0;
    static constexpr std::int32_t kColValor = 1;
    static constexpr std::int32_t kColNumeroDoLancamento = 2;
    static constexpr std::int32_t kLarguraDoValor = 3315;
    static constexpr std::int32_t kLarguraDoValorComRolagem = 3065;

    frmFicha();

    // Design-time controls (picMensagem comes from the shell).
    quva::qz::QZTheme* QZTheme = nullptr;
    quva::forms::Label* lblCliente = nullptr;
    quva::forms::Label* lblCodigoDoCliente = nullptr;
    quva::qz::QZFind* qzfCodigoDoCliente = nullptr;
    quva::forms::Label* lblApelidoOuNomeFantasiaDoCliente = nullptr;
    quva::qz::QZFind* qzfApelidoOuNomeFantasiaDoCliente = nullptr;
    quva::forms::Label* lblNomeOuRazaoSocialDoCliente = nullptr;
    quva::qz::QZFind* qzfNomeOuRazaoSocialDoCliente = nullptr;
    quva::forms::Label* lblDadosDaVenda = nullptr;
    quva::forms::Label* lblNumeroDaVenda = nullptr;
    quva::qz::QZTextBox* qztxtNumeroDaVenda = nullptr;
    quva::forms::Label* lblDataDaVenda = nullptr;
    quva::qz::QZTextBox* qztxtDataDaVenda = nullptr;
    quva::forms::Label* lblValorDaVenda = nullptr;
    quva::qz::QZTextBox* qztxtValorDaVenda = nullptr;
    quva::forms::Label* lblValorRecebidoAVista = nullptr;
    quva::qz::QZTextBox* qztxtValorRecebidoAVista = nullptr;
    quva::forms::Label* lblParcela = nullptr;
    quva::qz::QZTextBox* qztxtNumeroDaParcela = nullptr;
    quva::forms::Label* lblDe = nullptr;
    quva::qz::QZTextBox* qztxtNumeroDeParcelas = nullptr;
    quva::forms::Label* lblHistorico = nullptr;
    quva::qz::QZMemoBox* qzmemHistorico = nullptr;
    quva::forms::Label* lblParcelas = nullptr;
    quva::forms::Label* lblDataDeVencimentoDaParcelaAtual = nullptr;
    quva::qz::QZDTPicker* qzdtpDataDeVencimentoDaParcelaAtual = nullptr;
    quva::forms::Label* lblValor = nullptr;
    quva::qz::QZNumberBox* qznumValorDaParcelaAtual = nullptr;
    quva::qz::QZCommandButton* qzcmdAdicionar = nullptr;
    quva::qz::QZCommandButton* qzcmdAlterar = nullptr;
    quva::qz::QZCommandButton* qzcmdRemover = nullptr;
    quva::flexgrid::MSFlexGrid* msfgGrade = nullptr;
    quva::forms::Label* lblTotaldasparcelas = nullptr;
    quva::forms::Label* lblObservacaoDeCamposObrigatorios = nullptr;
    quva::qz::QZCommandButton* qzcmdSalvarFecharConfirmar = nullptr;
    quva::qz::QZCommandButton* qzcmdCancelarAlterar = nullptr;

    // Builds the card for the operation, shows it modally and returns (0)
    // once it is hidden.
    std::int16_t MontarExibirFormulario(std::int16_t lintTipoDeOperacao);
    bool OperacaoConcluida() const { return mbooOperacaoConcluida; }
    std::int16_t TipoDeOperacao() const { return mintTipoDeOperacao; }

    // Everything but the client: history, due date, value and the whole plan.
    void LimparOutrosCamposDoFormulario();
    // One receivable instead of a plan (altering and deleting).
    void RedimensionarReposicionarOcultarObjetos();
    // The installment grid empty and laid out; always 0.
    std::int16_t ConfigurarGrade();

    // The plan's state.
    quva::rt::Currency TotalDasParcelas() const { return mcurTotalDasParcelas; }
    bool LinhaVaziaRemovida() const { return mbooLinhaVaziaRemovida; }
    bool ClientePreenchido() const { return mbooClientePreenchido; }
    double NumeroDoLancamento() const { return mdblNumeroDoLancamento; }

    // Whether a label is one of the four headers, never recoloured.
    bool EhRotuloDeCabecalho(const quva::forms::Label* rotulo) const;

    // Event handlers, as the controls raise them.
    void qzcmdCancelarAlterar_Click();
    void qzcmdSalvarFecharConfirmar_Click();
    void qzcmdAdicionar_Click();
    void qzcmdAlterar_Click();
    void qzcmdRemover_Click();
    void qznumValorDaParcelaAtual_KeyPress(std::int16_t& KeyAscii);
    void qznumValorDaParcelaAtual_LostFocus();
    void qzfCodigoDoCliente_Click();
    void qzfApelidoOuNomeFantasiaDoCliente_Click();
    void qzfNomeOuRazaoSocialDoCliente_Click();
    void qzfCodigoDoCliente_KeyDown(std::int16_t& KeyCode, std::int16_t Shift);
    void qzfApelidoOuNomeFantasiaDoCliente_KeyDown(std::int16_t& KeyCode, std::int16_t Shift);
    void qzfNomeOuRazaoSocialDoCliente_KeyDown(std::int16_t& KeyCode, std::int16_t Shift);

protected:
    void CreateControls() override;

private:
    void ligarEventos();
    void PreencherComALinhaDaLista(Procedimento& ponto);
    void HabilitarCampos(bool adicionando, bool alterando);
    void RestaurarCoresDosRotulos();
    void ExibirTotalDasParcelas();
    void AjustarLarguraDoValor();
    // The total with one more installment of valor, or nothing when the
    // value or the sum leaves the currency's range.
    std::optional<quva::rt::Currency> TotalComMaisUmaParcela(const QString& valor) const;
    // The find button of box, the other two boxes given in order.
    void ProcurarCliente(const QString& procedimento, quva::qz::QZFind& caixa, quva::qz::QZFind& outra1,
                         quva::qz::QZFind& outra2);
    void TeclaNaCaixa(const QString& procedimento, quva::qz::QZFind& outra1, quva::qz::QZFind& outra2);
    bool PesquisarCliente(const QString& lstrApelidoOuNomeFantasia, const QString& lstrNomeOuRazaoSocial,
                          double ldblCodigoDoCliente);

    std::int16_t mintTipoDeOperacao = 0;
    bool mbooOperacaoConcluida = false;
    double mdblNumeroDoLancamento = 0;
    quva::rt::Currency mcurTotalDasParcelas;
    bool mbooLinhaVaziaRemovida = false;
    bool mbooClientePreenchido = false;
};

} // namespace creceber
