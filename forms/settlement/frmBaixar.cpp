#include "forms/settlement/frmBaixar.h"

#include "forms/list/TelasDaLista.h"
#include "forms/list/frmLista.h"
#include "runtime/Convert.h"

namespace creceber {

using namespace quva::forms;
using namespace quva::qz;
using quva::flexgrid::MSFlexGrid;
using quva::rt::Variant;
namespace rt = quva::rt;

namespace {

// A cell that is not a date is shown as it stands.
QString dataDaCelula(const QString& celula) {
    return rt::Format(Variant(celula), QStringLiteral("DD/MM/YYYY"));
}

class BaixarDaLista : public TelaModalDaLista {
public:
    BaixarDaLista() { m_baixar.Load(); }
    std::int16_t MontarExibirFormulario(std::int16_t lintTipoDeOperacao) override {
        return m_baixar.MontarExibirFormulario(lintTipoDeOperacao);
    }
    bool OperacaoConcluida() const override { return false; }
    void Descarregar() override { m_baixar.Unload(); }

private:
    frmBaixar m_baixar;
};

const bool kFabricaRegistrada =
    (DefinirBaixarDaLista([] { return std::make_shared<BaixarDaLista>(); }), true);

} // namespace

frmBaixar::frmBaixar() : FormularioDoComponente(QStringLiteral("frmBaixar")) {
    (void)kFabricaRegistrada;
}

// The card's fields down to the history; below them the due date and the
// document value, then the settlement and what was left of it.
void frmBaixar::CreateControls() {
    CriarCamposDaConta(*this, QStringLiteral("Recebimento de conta"), 8550);

    lblDataDeVencimento = Rotulo(add<Label>(QStringLiteral("lblDataDeVencimento")),
                                 QStringLiteral("Data de vencimento"), 300, 4995, 6315);
    qzdtpDataDeVencimento = add<QZDTPicker>(QStringLiteral("qzdtpDataDeVencimento"));
    qzdtpDataDeVencimento->Move(300, 5295, 6315, 360);
    lblValorDoDocumento =
        Rotulo(add<Label>(QStringLiteral("lblValorDoDocumento")), QStringLiteral("Valor"), 6765, 4995, 4290);
    lblValorDoDocumento->setAlignment(vbRightJustify);
    qznumValorDoDocumento = add<QZNumberBox>(QStringLiteral("qznumValorDoDocumento"));
    qznumValorDoDocumento->Move(6765, 5295, 4290, 360);

    lblRecebimento =
        Cabecalho(add<Label>(QStringLiteral("lblRecebimento")), QStringLiteral("Recebimento*"), 5835);
    const struct {
        Label** rotulo;
        Control* caixa;
        const char* nomeDoRotulo;
        const char* texto;
        Twips left, width, top;
    } recebimento[] = {
        {&lblDescontoAbatimento,
         qznumDescontoAbatimento = add<QZNumberBox>(QStringLiteral("qznumDescontoAbatimento")),
         "lblDescontoAbatimento", "Descto. / Abatimento", 300, 2565, 6180},
        {&lblJurosMoraMulta, qznumJurosMoraMulta = add<QZNumberBox>(QStringLiteral("qznumJurosMoraMulta")),
         "lblJurosMoraMulta", "Jrs./Mora/Multa", 3015, 2565, 6180},
        {&lblDataDeRecebimento, qzdtpDataDaBaixa = add<QZDTPicker>(QStringLiteral("qzdtpDataDaBaixa")),
         "lblDataDeRecebimento", "Data de Recebimento", 5730, 2565, 6180},
        {&lblValorRecebido, qznumValorDaBaixa = add<QZNumberBox>(QStringLiteral("qznumValorDaBaixa")),
         "lblValorRecebido", "Valor Recebido", 8445, 2610, 6180},
        {&lblValorResidual, qznumValorResidual = add<QZNumberBox>(QStringLiteral("qznumValorResidual")),
         "lblValorResidual", "Valor residual", 300, 2565, 7020},
        {&lblDataDeRecebimentoDoValorResidual,
         qzdtpDataDeVencimentoDoValorResidual =
             add<QZDTPicker>(QStringLiteral("qzdtpDataDeVencimentoDoValorResidual")),
         "lblDataDeRecebimentoDoValorResidual", "Data de recebimento do valor residual", 3015, 2565, 7020},
    };
    for (const auto& r : recebimento) {
        *r.rotulo = Rotulo(add<Label>(QString::fromLatin1(r.nomeDoRotulo)), QString::fromUtf8(r.texto),
                           r.left, r.top, r.width);
        r.caixa->Move(r.left, r.top + 300, r.width, 360);
    }
    lblDataDeRecebimentoDoValorResidual->setWidth(8040);
    for (QZNumberBox* n : {qznumValorDoDocumento, qznumDescontoAbatimento, qznumJurosMoraMulta,
                           qznumValorDaBaixa, qznumValorResidual}) {
        n->setAlignment(vbRightJustify);
        n->setText(QStringLiteral("0,00"));
    }
    for (QZDTPicker* d : {qzdtpDataDeVencimento, qzdtpDataDaBaixa, qzdtpDataDeVencimentoDoValorResidual})
        d->setText(QZDTPicker::emptyText());

    CriarRodapeDaConta(*this, 7905);
    CriarpicMensagem();

    qzcmdCancelarAlterar->onClick = [this] { qzcmdCancelarAlterar_Click(); };
    CancelarComEscOuFechar([this] { qzcmdCancelarAlterar_Click(); });
}

std::int16_t frmBaixar::MontarExibirFormulario(std::int16_t lintTipoDeOperacao) {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("MontarExibirFormulario"));
    ponto.executar([&] {
        ponto(1);
        mintTipoDeOperacao = lintTipoDeOperacao;

        ponto(2);
        MSFlexGrid& lista = GradeDaLista();
        const std::int32_t linha = lista.RowSel();
        std::int32_t coluna = colunas::NumeroDoLancamento;
        mdblNumeroDoLancamento = rt::CDbl(Variant(lista.TextMatrix(linha, coluna)));
        // One column per step from here on; 15 and 18 pass over columns the
        // view does not show.
        auto proxima = [&] { return lista.TextMatrix(linha, ++coluna); };

        ponto(7);
        PreencherCaixaDoCliente(*qzfCodigoDoCliente, proxima());
        ponto(8);
        PreencherCaixaDoCliente(*qzfApelidoOuNomeFantasiaDoCliente, proxima());
        ponto(9);
        PreencherCaixaDoCliente(*qzfNomeOuRazaoSocialDoCliente, proxima());
        ponto(10);
        qzmemHistorico->setText(HistoricoEmLinhas(proxima()));
        ponto(11);
        qztxtNumeroDaVenda->setText(proxima());
        ponto(12);
        qztxtDataDaVenda->setText(proxima());
        ponto(13);
        qztxtValorDaVenda->setText(proxima());
        ponto(14);
        qztxtValorRecebidoAVista->setText(proxima());
        ponto(15);
        proxima();
        ponto(16);
        qztxtNumeroDaParcela->setText(proxima());
        ponto(17);
        qztxtNumeroDeParcelas->setText(proxima());
        ponto(18);
        proxima();
        ponto(19);
        qzdtpDataDeVencimento->setText(proxima());
        ponto(20);
        qznumValorDoDocumento->setText(proxima());

        ponto(21);
        if (mintTipoDeOperacao == 1) {
            ponto(22);
        } else {
            ponto(23);
            qznumDescontoAbatimento->setText(proxima());
            ponto(24);
            qznumJurosMoraMulta->setText(proxima());
            ponto(25);
            qzdtpDataDaBaixa->setText(proxima());
            ponto(26);
            qznumValorDaBaixa->setText(proxima());
        }

        ponto(27);
        if (mintTipoDeOperacao == 1) {
            ponto(28);
        } else if (mintTipoDeOperacao == 2) {
            ponto(29);
            QZTheme->setTitulo(QStringLiteral("Visualizar baixa"));
            ExibirLinhasDoRegistro(mdblNumeroDoLancamento, lista.TextMatrix(linha, 21),
                                   lista.TextMatrix(linha, 23), dataDaCelula);
        }

        ponto(30);
        for (Control* c : Controls())
            if (EhCampoDeEntrada(c)) c->setEnabled(false);

        ponto(31);
        qzcmdCancelarAlterar->setCaption(QStringLiteral("Fechar "));
        qzcmdCancelarAlterar->setToolTipText(QStringLiteral("Fechar visualizar"));
        qzcmdCancelarAlterar->setLeft(qzcmdSalvarFecharConfirmar->Left());
        qzcmdCancelarAlterar->setWidth(qzcmdSalvarFecharConfirmar->Width());
        for (const rt::DispId id : {kDispBackColor, kDispStyle}) {
            Variant valor =
                std::int32_t(qzcmdSalvarFecharConfirmar->invokeById(id, rt::CallKind::PropertyGet).toLong());
            qzcmdCancelarAlterar->invokeById(id, rt::CallKind::PropertyLet, {&valor, 1});
        }
        qzcmdSalvarFecharConfirmar->setVisible(false);

        ExibirModalSobreOMenu(ponto); // steps 32 to 34
        ponto(35);
    });
    return 0;
}

void frmBaixar::qzcmdCancelarAlterar_Click() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("qzcmdCancelarAlterar_Click"));
    ponto.executar([&] {
        ponto(2);
        if (mintTipoDeOperacao == 1 || mintTipoDeOperacao == 2) Hide();
    });
}

} // namespace creceber
