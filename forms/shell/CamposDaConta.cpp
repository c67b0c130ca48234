#include "forms/shell/CamposDaConta.h"

#include "component/modPrincipal.h"
#include "forms/list/frmLista.h"
#include "qz/Look.h"
#include "qz/QZComboBox.h"
#include "runtime/Convert.h"
#include "runtime/Errors.h"

namespace creceber {

using namespace quva::forms;
using namespace quva::qz;
namespace rt = quva::rt;

bool CamposDaConta::EhCampoDeEntrada(const Control* c) {
    return TypeOf<QZComboBox>(c) || TypeOf<QZTextBox>(c) || TypeOf<QZDTPicker>(c) || TypeOf<QZNumberBox>(c) ||
           TypeOf<QZMemoBox>(c) || TypeOf<QZFind>(c);
}

QString CamposDaConta::HistoricoEmLinhas(const QString& celula) {
    return rt::Replace(celula, rt::Chr(160), rt::vbCrLf);
}

void CamposDaConta::PreencherCaixaDoCliente(QZFind& caixa, const QString& texto) {
    caixa.setText(texto);
    caixa.setShowClearButton(false);
}

quva::flexgrid::MSFlexGrid& CamposDaConta::GradeDaLista() {
    auto* lista = dynamic_cast<frmLista*>(gfrmLista.get());
    if (!lista || !lista->msfgGrade) rt::raise(rt::err::ObjectNotSet);
    return *lista->msfgGrade;
}

void CamposDaConta::ExibirLinhasDoRegistro(double numero, const QString& inclusao, const QString& alteracao,
                                           QString (*data)(const QString&)) {
    QZTheme->setLinhaDeInclusao(QStringLiteral("Código ") + rt::NumberText(numero) +
                                QStringLiteral(" | Incluído em ") + data(inclusao));
    QZTheme->setLinhaDeAlteracao(
        rt::Trim(alteracao).isEmpty() ? QString() : QStringLiteral("Alterado em ") + data(alteracao));
}

Label* CamposDaConta::Rotulo(Label* l, const QString& texto, Twips left, Twips top, Twips width) {
    l->Move(left, top, width, 255);
    l->setBackStyle(0);
    l->setFont(QStringLiteral("Arial"), 9);
    l->setForeColor(kCorDoRotulo);
    l->setCaption(texto);
    return l;
}

Label* CamposDaConta::Cabecalho(Label* l, const QString& texto, Twips top) {
    l->Move(kMargem, top, kLargura - 2 * kMargem, 285);
    l->setBackStyle(0);
    l->setFont(QStringLiteral("Arial"), 10, true);
    l->setForeColor(look::kAccentDark);
    l->setCaption(texto);
    return l;
}

// Layout in twips: a full-width client row, the sale row with the
// installment at its right end, and the history below them.
void CamposDaConta::CriarCamposDaConta(Form& f, const QString& legenda, Twips alturaInterna) {
    f.setBorderStyle(3);
    f.setCaption(legenda);
    f.setClientSize(kLargura, alturaInterna);
    f.setBackColor(vbWhite);

    QZTheme = f.add<quva::qz::QZTheme>(QStringLiteral("QZTheme"));
    QZTheme->Move(0, 0, kLargura, 900);
    QZTheme->setTitulo(legenda);

    // Client.
    lblCliente = Cabecalho(f.add<Label>(QStringLiteral("lblCliente")), QStringLiteral("Cliente*"), 1035);
    lblCodigoDoCliente =
        Rotulo(f.add<Label>(QStringLiteral("lblCodigoDoCliente")), QStringLiteral("Codigo"), 300, 1380, 1800);
    qzfCodigoDoCliente = f.add<QZFind>(QStringLiteral("qzfCodigoDoCliente"));
    qzfCodigoDoCliente->Move(300, 1680, 1800, 360);
    qzfCodigoDoCliente->setStyle(qzFindCode);
    lblApelidoOuNomeFantasiaDoCliente =
        Rotulo(f.add<Label>(QStringLiteral("lblApelidoOuNomeFantasiaDoCliente")),
               QStringLiteral("Apelido ou nome fantasia"), 2250, 1380, 4365);
    qzfApelidoOuNomeFantasiaDoCliente = f.add<QZFind>(QStringLiteral("qzfApelidoOuNomeFantasiaDoCliente"));
    qzfApelidoOuNomeFantasiaDoCliente->Move(2250, 1680, 4365, 360);
    lblNomeOuRazaoSocialDoCliente = Rotulo(f.add<Label>(QStringLiteral("lblNomeOuRazaoSocialDoCliente")),
                                           QStringLiteral("Nome ou Razão Social"), 6765, 1380, 4290);
    qzfNomeOuRazaoSocialDoCliente = f.add<QZFind>(QStringLiteral("qzfNomeOuRazaoSocialDoCliente"));
    qzfNomeOuRazaoSocialDoCliente->Move(6765, 1680, 4290, 360);

    // Sale that produced the receivable: shown, never edited.
    lblDadosDaVenda =
        Cabecalho(f.add<Label>(QStringLiteral("lblDadosDaVenda")), QStringLiteral("Dados da venda*"), 2220);
    const struct {
        Label** rotulo;
        QZTextBox** caixa;
        const char* nomeDoRotulo;
        const char* nomeDaCaixa;
        const char* texto;
        Twips left, width;
    } venda[] = {
        {&lblNumeroDaVenda, &qztxtNumeroDaVenda, "lblNumeroDaVenda", "qztxtNumeroDaVenda", "Número", 300,
         1500},
        {&lblDataDaVenda, &qztxtDataDaVenda, "lblDataDaVenda", "qztxtDataDaVenda", "Data", 1950, 1500},
        {&lblValorDaVenda, &qztxtValorDaVenda, "lblValorDaVenda", "qztxtValorDaVenda", "Valor", 3600, 1800},
        {&lblValorRecebidoAVista, &qztxtValorRecebidoAVista, "lblValorRecebidoAVista",
         "qztxtValorRecebidoAVista", "Valor recebido a vista", 5550, 2100},
        {&lblParcela, &qztxtNumeroDaParcela, "lblParcela", "qztxtNumeroDaParcela", "Parcela", 7800, 1425},
    };
    for (const auto& v : venda) {
        *v.rotulo = Rotulo(f.add<Label>(QString::fromLatin1(v.nomeDoRotulo)), QString::fromUtf8(v.texto),
                           v.left, 2565, v.width);
        *v.caixa = f.add<QZTextBox>(QString::fromLatin1(v.nomeDaCaixa));
        (*v.caixa)->Move(v.left, 2865, v.width, 360);
    }
    qztxtValorDaVenda->setAlignment(vbRightJustify);
    qztxtValorRecebidoAVista->setAlignment(vbRightJustify);
    qztxtNumeroDaParcela->setAlignment(vbCenter);
    lblDe = Rotulo(f.add<Label>(QStringLiteral("lblDe")), QStringLiteral("de"), 9225, 2925, 405);
    lblDe->setAlignment(vbCenter);
    qztxtNumeroDeParcelas = f.add<QZTextBox>(QStringLiteral("qztxtNumeroDeParcelas"));
    qztxtNumeroDeParcelas->Move(9630, 2865, 1425, 360);
    qztxtNumeroDeParcelas->setAlignment(vbCenter);

    lblHistorico =
        Rotulo(f.add<Label>(QStringLiteral("lblHistorico")), QStringLiteral("Histórico*"), 300, 3405, 10755);
    qzmemHistorico = f.add<QZMemoBox>(QStringLiteral("qzmemHistorico"));
    qzmemHistorico->Move(300, 3705, 10755, kFimDoHistorico - 3705);
}

void CamposDaConta::CriarRodapeDaConta(Form& f, Twips top) {
    lblObservacaoDeCamposObrigatorios = f.add<Label>(QStringLiteral("lblObservacaoDeCamposObrigatorios"));
    lblObservacaoDeCamposObrigatorios->Move(300, top + 100, 4000, 255);
    lblObservacaoDeCamposObrigatorios->setBackStyle(0);
    lblObservacaoDeCamposObrigatorios->setFont(QStringLiteral("Arial"), 8, false, true);
    lblObservacaoDeCamposObrigatorios->setForeColor(look::kMuted);
    lblObservacaoDeCamposObrigatorios->setCaption(QStringLiteral("* Campos obrigatórios"));

    qzcmdSalvarFecharConfirmar = f.add<QZCommandButton>(QStringLiteral("qzcmdSalvarFecharConfirmar"));
    qzcmdSalvarFecharConfirmar->Move(8145, top, 1410, 450);
    qzcmdSalvarFecharConfirmar->setStyle(qzHighlight);
    qzcmdSalvarFecharConfirmar->setCaption(QStringLiteral("Salvar"));
    qzcmdCancelarAlterar = f.add<QZCommandButton>(QStringLiteral("qzcmdCancelarAlterar"));
    qzcmdCancelarAlterar->Move(9645, top, 1410, 450);
    qzcmdCancelarAlterar->setCaption(QStringLiteral("Cancelar"));
}

} // namespace creceber
