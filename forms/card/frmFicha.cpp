// frmFicha: the design of the card, its assembly for each mode, the cancel
// button, and how the entry class and the list obtain a card. The plan of
// installments is in frmFicha_Parcelas.cpp, the client lookup in
// frmFicha_Cliente.cpp and the save button in frmFicha_Salvar.cpp.

#include "forms/card/frmFicha.h"

#include "component/Formularios.h"
#include "component/modPrincipal.h"
#include "forms/list/TelasDaLista.h"
#include "forms/list/frmLista.h"
#include "qz/Look.h"
#include "qz/QZComboBox.h"
#include "runtime/Convert.h"
#include "runtime/Errors.h"

#include <algorithm>
#include <initializer_list>

namespace creceber {

using namespace quva::forms;
using namespace quva::qz;
using quva::flexgrid::MSFlexGrid;
using quva::rt::Variant;
namespace rt = quva::rt;

namespace {

// "DD/MM/YYYY" of a list cell holding a date and a time.
QString parteDaData(const QString& dataEHora) {
    return rt::Format(rt::CDate(Variant(dataEHora)), QStringLiteral("DD/MM/YYYY"));
}

// The entry class opens a card of its own and lets it go when it closes.
class FichaDoComponente : public frmFichaBase {
public:
    FichaDoComponente() { m_ficha.Load(); }
    void MontarExibirFormulario(std::int16_t TipoDeOperacao) override {
        m_ficha.MontarExibirFormulario(TipoDeOperacao);
    }

private:
    frmFicha m_ficha;
};

// The list's commands: the card is unloaded after every use.
class FichaDaLista : public TelaModalDaLista {
public:
    FichaDaLista() { m_ficha.Load(); }
    std::int16_t MontarExibirFormulario(std::int16_t lintTipoDeOperacao) override {
        return m_ficha.MontarExibirFormulario(lintTipoDeOperacao);
    }
    bool OperacaoConcluida() const override { return m_ficha.OperacaoConcluida(); }
    void Descarregar() override { m_ficha.Unload(); }

private:
    frmFicha m_ficha;
};

const bool kFabricasRegistradas =
    (DefinirFabricaDeFicha([] { return std::make_shared<FichaDoComponente>(); }),
     DefinirFichaDaLista([] { return std::make_shared<FichaDaLista>(); }), true);

} // namespace

frmFicha::frmFicha() : FormularioDoComponente(QStringLiteral("frmFicha")) {
    (void)kFabricasRegistradas;
}

// Layout in twips: a full-width client row, the sale row and the history;
// below them the installment block, the grid on the left and its buttons on
// the right. Altering and deleting hide the block and move the due date and
// value up (RedimensionarReposicionarOcultarObjetos).
void frmFicha::CreateControls() {
    CriarCamposDaConta(*this, QStringLiteral("Conta a Receber"), 9000);

    // The plan of installments.
    lblParcelas = Cabecalho(add<Label>(QStringLiteral("lblParcelas")), QStringLiteral("Parcela(s)*"), 4995);
    lblDataDeVencimentoDaParcelaAtual =
        Rotulo(add<Label>(QStringLiteral("lblDataDeVencimentoDaParcelaAtual")), QStringLiteral("Vencimento*"),
               300, 5340, 2000);
    qzdtpDataDeVencimentoDaParcelaAtual =
        add<QZDTPicker>(QStringLiteral("qzdtpDataDeVencimentoDaParcelaAtual"));
    qzdtpDataDeVencimentoDaParcelaAtual->Move(300, 5640, 2950, 360);
    qzdtpDataDeVencimentoDaParcelaAtual->setText(QZDTPicker::emptyText());
    lblValor = Rotulo(add<Label>(QStringLiteral("lblValor")), QStringLiteral("Valor*"), 5985, 5340, 630);
    lblValor->setAlignment(vbRightJustify);
    qznumValorDaParcelaAtual = add<QZNumberBox>(QStringLiteral("qznumValorDaParcelaAtual"));
    qznumValorDaParcelaAtual->Move(3400, 5640, 3215, 360);
    qznumValorDaParcelaAtual->setAlignment(vbRightJustify);
    qznumValorDaParcelaAtual->setText(QStringLiteral("0,00"));

    const struct {
        QZCommandButton** botao;
        const char* nome;
        const char* texto;
        const char* icone;
        Twips left;
    } botoes[] = {
        {&qzcmdAdicionar, "qzcmdAdicionar", "Adicionar", "adicionar", 6765},
        {&qzcmdAlterar, "qzcmdAlterar", "Alterar", "alterar", 8215},
        {&qzcmdRemover, "qzcmdRemover", "Remover", "excluir", 9665},
    };
    for (const auto& b : botoes) {
        *b.botao = add<QZCommandButton>(QString::fromLatin1(b.nome));
        (*b.botao)->Move(b.left, 5640, 1390, 360);
        (*b.botao)->setPicture(QString::fromLatin1(b.icone));
        (*b.botao)->setCaption(QString::fromLatin1(b.texto));
    }

    // Tall enough for the header and five installments: from the sixth on,
    // the vertical scroll bar takes part of the value column.
    msfgGrade = add<MSFlexGrid>(QStringLiteral("msfgGrade"));
    msfgGrade->setFont(QStringLiteral("Tahoma"), 10);
    const Twips alturaDaGrade = Twips(msfgGrade->RowHeight(0) * 6) + toTwipsY(2);
    msfgGrade->Move(300, 6150, 6315, alturaDaGrade);

    lblTotaldasparcelas =
        Rotulo(add<Label>(QStringLiteral("lblTotaldasparcelas")), QStringLiteral("Total das parcelas: 0,00"),
               300, 6150 + alturaDaGrade + 90, 6315);
    lblTotaldasparcelas->setAlignment(vbRightJustify);
    lblTotaldasparcelas->setFontBold(true);

    CriarRodapeDaConta(*this, 8265);
    CriarpicMensagem();
    ligarEventos();
}

void frmFicha::ligarEventos() {
    qzcmdCancelarAlterar->onClick = [this] { qzcmdCancelarAlterar_Click(); };
    qzcmdSalvarFecharConfirmar->onClick = [this] { qzcmdSalvarFecharConfirmar_Click(); };
    qzcmdAdicionar->onClick = [this] { qzcmdAdicionar_Click(); };
    qzcmdAlterar->onClick = [this] { qzcmdAlterar_Click(); };
    qzcmdRemover->onClick = [this] { qzcmdRemover_Click(); };
    qznumValorDaParcelaAtual->onKeyPress = [this](std::int16_t& k) { qznumValorDaParcelaAtual_KeyPress(k); };
    qznumValorDaParcelaAtual->onLostFocus = [this] { qznumValorDaParcelaAtual_LostFocus(); };
    qzfCodigoDoCliente->onClick = [this] { qzfCodigoDoCliente_Click(); };
    qzfApelidoOuNomeFantasiaDoCliente->onClick = [this] { qzfApelidoOuNomeFantasiaDoCliente_Click(); };
    qzfNomeOuRazaoSocialDoCliente->onClick = [this] { qzfNomeOuRazaoSocialDoCliente_Click(); };
    qzfCodigoDoCliente->onKeyDown = [this](std::int16_t& k, std::int16_t s) {
        qzfCodigoDoCliente_KeyDown(k, s);
    };
    qzfApelidoOuNomeFantasiaDoCliente->onKeyDown = [this](std::int16_t& k, std::int16_t s) {
        qzfApelidoOuNomeFantasiaDoCliente_KeyDown(k, s);
    };
    qzfNomeOuRazaoSocialDoCliente->onKeyDown = [this](std::int16_t& k, std::int16_t s) {
        qzfNomeOuRazaoSocialDoCliente_KeyDown(k, s);
    };
}

bool frmFicha::EhRotuloDeCabecalho(const Label* l) const {
    return l == lblObservacaoDeCamposObrigatorios || l == lblCliente || l == lblDadosDaVenda ||
           l == lblParcelas;
}

void frmFicha::RestaurarCoresDosRotulos() {
    for (Control* c : Controls()) {
        auto* l = dynamic_cast<Label*>(c);
        if (l && !EhRotuloDeCabecalho(l)) l->setForeColor(kCorDoRotulo);
    }
}

std::int16_t frmFicha::MontarExibirFormulario(std::int16_t lintTipoDeOperacao) {
    std::int16_t resultado = 0;
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("MontarExibirFormulario"));
    ponto.executar([&] {
        ponto(1);
        mintTipoDeOperacao = lintTipoDeOperacao;
        mbooLinhaVaziaRemovida = false;
        mcurTotalDasParcelas = rt::Currency{};

        ponto(2);
        ConfigurarGrade();

        ponto(3);
        const bool adicionando = mintTipoDeOperacao == kAdicionar;
        ponto(4);
        if (adicionando) {
            ponto(5);
            mdblNumeroDoLancamento = 0;
            mbooClientePreenchido = false;
        } else {
            ponto(6);
            mbooClientePreenchido = true;
            PreencherComALinhaDaLista(ponto);
        }

        ponto(21);
        if (adicionando) {
            ponto(22);
            QZTheme->setTitulo(QStringLiteral("Adicionar conta a receber"));
            QZTheme->setLinhaDeInclusao(QString());
            QZTheme->setLinhaDeAlteracao(QString());
            ponto(23);
            HabilitarCampos(true, false);
            ponto(24);
            qzcmdSalvarFecharConfirmar->setCaption(QStringLiteral("Salvar"));
            qzcmdSalvarFecharConfirmar->setToolTipText(QStringLiteral("Salvar inclusão e fechar"));
            qzcmdCancelarAlterar->setCaption(QStringLiteral("Cancelar"));
            qzcmdCancelarAlterar->setToolTipText(QStringLiteral("Cancelar inclusão e fechar"));
        } else {
            const bool alterando = mintTipoDeOperacao == kAlterar;
            ponto(alterando ? 25 : 29);
            MSFlexGrid& lista = GradeDaLista();
            const std::int32_t linha = lista.RowSel();
            QZTheme->setTitulo(alterando ? QStringLiteral("Alterar conta a receber")
                                         : QStringLiteral("Excluir conta a receber"));
            ExibirLinhasDoRegistro(mdblNumeroDoLancamento, lista.TextMatrix(linha, 21),
                                   lista.TextMatrix(linha, 23), parteDaData);
            if (alterando) {
                ponto(26);
                HabilitarCampos(false, true);
                ponto(27);
                qzcmdSalvarFecharConfirmar->setCaption(QStringLiteral("Salvar"));
                qzcmdSalvarFecharConfirmar->setToolTipText(QStringLiteral("Salvar alteração e fechar"));
                qzcmdCancelarAlterar->setCaption(QStringLiteral("Cancelar"));
                qzcmdCancelarAlterar->setToolTipText(QStringLiteral("Cancelar alteração e fechar"));
                for (QZCommandButton* b : {qzcmdSalvarFecharConfirmar, qzcmdCancelarAlterar}) {
                    b->setPicture(QString());
                    b->setPictureHover(QString());
                }
                ponto(28);
                RedimensionarReposicionarOcultarObjetos();
            } else {
                ponto(30);
                HabilitarCampos(false, false);
                qzcmdSalvarFecharConfirmar->setCaption(QStringLiteral("Confirmar"));
                qzcmdSalvarFecharConfirmar->setToolTipText(QStringLiteral("Confirmar exclusão e e fechar"));
                qzcmdCancelarAlterar->setCaption(QStringLiteral("Cancelar"));
                qzcmdCancelarAlterar->setToolTipText(QStringLiteral("Cancelar exclusão e fechar"));
                ponto(31);
                RedimensionarReposicionarOcultarObjetos();
            }
        }

        ExibirModalSobreOMenu(ponto); // steps 32 to 34

        ponto(35);
        resultado = 0;
    });
    return resultado;
}

// Texts are taken as the list shows them; only the history gets its line
// breaks back (the list writes character 160 in their place).
void frmFicha::PreencherComALinhaDaLista(Procedimento& ponto) {
    ponto(7);
    MSFlexGrid& lista = GradeDaLista();
    const std::int32_t linha = lista.RowSel();
    auto celula = [&](std::int32_t coluna) { return lista.TextMatrix(linha, coluna); };

    ponto(8);
    mdblNumeroDoLancamento = rt::CDbl(Variant(celula(colunas::NumeroDoLancamento)));
    ponto(9);
    PreencherCaixaDoCliente(*qzfCodigoDoCliente, celula(colunas::CodigoDoCliente));
    ponto(10);
    PreencherCaixaDoCliente(*qzfApelidoOuNomeFantasiaDoCliente,
                            celula(colunas::ApelidoOuNomeFantasiaDoCliente));
    ponto(11);
    PreencherCaixaDoCliente(*qzfNomeOuRazaoSocialDoCliente, celula(colunas::NomeOuRazaoSocialDoCliente));
    ponto(12);
    qzmemHistorico->setText(HistoricoEmLinhas(celula(colunas::Historico)));
    ponto(13);
    qztxtNumeroDaVenda->setText(celula(6));
    ponto(14);
    qztxtDataDaVenda->setText(celula(7));
    ponto(15);
    qztxtValorDaVenda->setText(celula(8));
    ponto(16);
    qztxtValorRecebidoAVista->setText(celula(9));
    ponto(17);
    qztxtNumeroDaParcela->setText(celula(11));
    ponto(18);
    qztxtNumeroDeParcelas->setText(celula(12));
    ponto(19);
    qzdtpDataDeVencimentoDaParcelaAtual->setText(celula(colunas::DataDeVencimento));
    ponto(20);
    qznumValorDaParcelaAtual->setText(celula(colunas::ValorDoDocumento));
}

// Adding: every input enabled and emptied except the memo, the sale fields
// disabled again. Altering: only the history, the due date and the value
// stay enabled, nothing is emptied. Deleting: nothing enabled.
void frmFicha::HabilitarCampos(bool adicionando, bool alterando) {
    const Control* venda[] = {qztxtNumeroDaVenda,       qztxtDataDaVenda,     qztxtValorDaVenda,
                              qztxtValorRecebidoAVista, qztxtNumeroDaParcela, qztxtNumeroDeParcelas};
    const Control* clientes[] = {qzfCodigoDoCliente, qzfApelidoOuNomeFantasiaDoCliente,
                                 qzfNomeOuRazaoSocialDoCliente};
    auto em = [](const auto& lista, const Control* c) {
        return std::find(std::begin(lista), std::end(lista), c) != std::end(lista);
    };
    for (Control* c : Controls()) {
        if (!EhCampoDeEntrada(c)) continue;
        if (adicionando) {
            c->setEnabled(true);
            if (auto* d = dynamic_cast<QZDTPicker*>(c))
                d->setText(QZDTPicker::emptyText());
            else if (auto* t = dynamic_cast<QZTextBox*>(c))
                t->setText(QString());
            else if (auto* n = dynamic_cast<QZNumberBox*>(c))
                n->setText(QStringLiteral("0,00"));
            else if (auto* f = dynamic_cast<QZFind*>(c)) {
                f->setStatus(qzFindClear);
                f->setText(QString());
            }
            if (em(venda, c)) c->setEnabled(false);
        } else if (alterando) {
            c->setEnabled(true);
            if (em(venda, c) || em(clientes, c)) c->setEnabled(false);
        } else {
            c->setEnabled(false);
        }
    }
}

void frmFicha::RedimensionarReposicionarOcultarObjetos() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("RedimensionarReposicionarOcultarObjetos"));
    ponto.executar([&] {
        ponto(1);
        for (Control* c : std::initializer_list<Control*>{lblParcelas, msfgGrade, lblTotaldasparcelas,
                                                          qzcmdAdicionar, qzcmdAlterar, qzcmdRemover})
            c->setVisible(false);

        ponto(2);
        qzmemHistorico->setHeight(3305);
        qzdtpDataDeVencimentoDaParcelaAtual->setWidth(6315);
        lblValor->setLeft(10425);
        qznumValorDaParcelaAtual->setWidth(4290);
        qznumValorDaParcelaAtual->setLeft(6765);

        ponto(3);
        lblDataDeVencimentoDaParcelaAtual->setTop(7275);
        qzdtpDataDeVencimentoDaParcelaAtual->setTop(7575);
        lblValor->setTop(7275);
        qznumValorDaParcelaAtual->setTop(7575);
    });
}

void frmFicha::LimparOutrosCamposDoFormulario() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("LimparOutrosCamposDoFormulario"));
    ponto.executar([&] {
        ponto(1);
        qzmemHistorico->setText(QString());
        qzdtpDataDeVencimentoDaParcelaAtual->setText(QZDTPicker::emptyText());
        qznumValorDaParcelaAtual->setText(QStringLiteral("0,00"));

        ponto(2);
        msfgGrade->Clear();
        ConfigurarGrade();

        ponto(3);
        lblTotaldasparcelas->setCaption(QStringLiteral("Total das parcelas: 0,00"));
        mcurTotalDasParcelas = rt::Currency{};
        mbooLinhaVaziaRemovida = false;
    });
}

void frmFicha::qzcmdCancelarAlterar_Click() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("qzcmdCancelarAlterar_Click"));
    ponto.executar([&] {
        ponto(1);
        RestaurarCoresDosRotulos();

        ponto(2);
        mbooOperacaoConcluida = false;
        Hide();
    });
}

} // namespace creceber
