#pragma once
// The receivable's fields that the card and the settlement view show alike:
// the title bar, the client row, the sale row with the installment, the
// history and the closing row, at one layout. A form derives from it next
// to FormularioDoComponente and builds the parts in its CreateControls, in
// tab order, adding its own controls between them.

#include "component/Exportacao.h"
#include "flexgrid/FlexGrid.h"
#include "forms/Controls.h"
#include "forms/Form.h"
#include "qz/QZCommandButton.h"
#include "qz/QZEdit.h"
#include "qz/QZFind.h"
#include "qz/QZTheme.h"

#include <QString>

namespace creceber {

class CRECEBER_API CamposDaConta {
public:
    // Field labels; the header labels keep their own colour.
    static constexpr quva::forms::OleColor kCorDoRotulo = 0x494949;
    // Inner width of both forms; a full row runs from kMargem to kMargem from the right.
    static constexpr quva::forms::Twips kLargura = 11355;
    static constexpr quva::forms::Twips kMargem = 300;

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
    quva::forms::Label* lblObservacaoDeCamposObrigatorios = nullptr;
    quva::qz::QZCommandButton* qzcmdSalvarFecharConfirmar = nullptr;
    quva::qz::QZCommandButton* qzcmdCancelarAlterar = nullptr;

    // The kinds of control a clerk types into.
    static bool EhCampoDeEntrada(const quva::forms::Control* c);
    // The list keeps a history's line breaks as no-break spaces.
    static QString HistoricoEmLinhas(const QString& celula);
    // A client find box filled from the list: the text, no clear button.
    static void PreencherCaixaDoCliente(quva::qz::QZFind& caixa, const QString& texto);

    // The list's grid, through the list form the host opened last; failure
    // 91 without one.
    static quva::flexgrid::MSFlexGrid& GradeDaLista();
    // The title bar's record lines: "Código <n> | Incluído em <date>" and,
    // unless the alteration cell is blank, "Alterado em <date>".
    void ExibirLinhasDoRegistro(double numero, const QString& inclusao, const QString& alteracao,
                                QString (*data)(const QString&));

    // A field label / a section header, in the forms' style.
    static quva::forms::Label* Rotulo(quva::forms::Label* l, const QString& texto, quva::forms::Twips left,
                                      quva::forms::Twips top, quva::forms::Twips width);
    static quva::forms::Label* Cabecalho(quva::forms::Label* l, const QString& texto, quva::forms::Twips top);

protected:
    // The form's frame, the title bar and the fields from the client down
    // to the history (which ends at kFimDoHistorico).
    void CriarCamposDaConta(quva::forms::Form& f, const QString& legenda, quva::forms::Twips alturaInterna);
    // The footnote and the two buttons, on the row at top.
    void CriarRodapeDaConta(quva::forms::Form& f, quva::forms::Twips top);

public:
    static constexpr quva::forms::Twips kFimDoHistorico = 4815;
};

} // namespace creceber
