// The receivable card against the registered stand-ins: its three modes,
// the fields taken from the list row, the plan of installments, the client
// lookup and saving with every result. The card is modal, so each test acts
// from inside its modal show; a manual clock makes the one-second pauses free.

#include "support/Modal.h"
#include "support/Tela.h"

#include "component/Formularios.h"
#include "forms/MsgBox.h"
#include "forms/card/frmFicha.h"
#include "forms/clientsearch/frmPesquisaDeClientes.h"

#include <QTest>

#include <array>
#include <functional>

using namespace quva;
using namespace creceber;

namespace {

using teste::chamadas;
using teste::kClientes;
using teste::kInfo;
using teste::kTitulo;
using teste::ultimoArgumento;
using teste::temFoco;

// A message box that, like a real one under a window manager, leaves no
// window active for a moment after it closes.
struct CaixaQueDevolveAAtivacaoDepois : forms::ScriptedMessageBoxes {
    std::int16_t show(const forms::MessageRequest& r) override {
        const std::int16_t resposta = ScriptedMessageBoxes::show(r);
        QApplication::setActiveWindow(nullptr);
        return resposta;
    }
};

// The three client boxes' texts and Status, as "42|Padaria Sol|José ME|000".
QString cliente(frmFicha& f) {
    QString textos, estados;
    for (qz::QZFind* b :
         {f.qzfCodigoDoCliente, f.qzfApelidoOuNomeFantasiaDoCliente, f.qzfNomeOuRazaoSocialDoCliente}) {
        textos += b->Text() + u'|';
        estados += QString::number(b->Status());
    }
    return textos + estados;
}

// The header's two lines and every field the card fills, from the client
// to the value.
QString camposDaFicha(frmFicha& f) {
    QString campos = f.QZTheme->LinhaDeInclusao() + u'|' + f.QZTheme->LinhaDeAlteracao() + u'|' +
                     cliente(f) + u'|' + f.qzmemHistorico->Text();
    for (qz::QZTextBox* t : {f.qztxtNumeroDaVenda, f.qztxtDataDaVenda, f.qztxtValorDaVenda,
                             f.qztxtValorRecebidoAVista, f.qztxtNumeroDaParcela, f.qztxtNumeroDeParcelas})
        campos += u'|' + t->Text();
    return campos + u'|' + f.qzdtpDataDeVencimentoDaParcelaAtual->Text() + u'|' +
           f.qznumValorDaParcelaAtual->Text();
}

// A list whose grid holds one altered row, the way the list shows a
// receivable; the grid keeps the history's line breaks as character 160.
void listaComUmaLinha() {
    const QString nbsp = rt::Chr(160);
    teste::listaComUmaLinha("|1532|42|Padaria Sol|José da Silva Pães ME|Primeira linha" + nbsp + "Segunda" + nbsp +
                            nbsp + "Quarta|V-88|01/12/2026|1.500,00|300,00|20|2|4|0|10/01/2027|300,00||||||"
                            "04/12/2026 15:42:10|ana|05/12/2026 08:01:02|rui");
}

} // namespace

class tst_card : public QObject {
    Q_OBJECT

    teste::Tela tela;

    // Opens the card for the operation and runs acao inside its modal show.
    bool abrir(frmFicha& ficha, std::int16_t tipo, const std::function<void()>& acao) {
        return teste::durante(ficha, [&] { ficha.MontarExibirFormulario(tipo); }, acao);
    }

    // Types an installment and presses the add button.
    void parcela(frmFicha& f, const QString& data, const QString& valor) {
        f.qzdtpDataDeVencimentoDaParcelaAtual->setText(data);
        f.qznumValorDaParcelaAtual->setText(valor);
        f.qzcmdAdicionar->setValue(true);
    }

private slots:
    void initTestCase() { tela.iniciarCaso(DOUBLES_LIB, CRECEBER_LIB); }
    void cleanupTestCase() { tela.encerrarCaso(); }
    void init() { tela.iniciar(); }
    void cleanup() { tela.encerrar(); }

    // clang-format off
    void modos_data() {
        QTest::addColumn<std::int16_t>("tipo");
        QTest::addColumn<QString>("botoes");
        QTest::addColumn<QStringList>("editaveis");
        QTest::addColumn<QString>("campos");
        const QStringList trio{"qzmemHistorico", "qzdtpDataDeVencimentoDaParcelaAtual", "qznumValorDaParcelaAtual"};
        const QString daLinha = QStringLiteral("Código 1532 | Incluído em 04/12/2026|Alterado em 05/12/2026|42|Padaria Sol|"
            "José da Silva Pães ME|000|Primeira linha\r\nSegunda\r\n\r\nQuarta|V-88|01/12/2026|1.500,00|300,00|2|4|10/01/2027|300,00");
        QTest::newRow("adicionar") << std::int16_t(1)
            << "Adicionar conta a receber|Salvar|Salvar inclusão e fechar|Cancelar|Cancelar inclusão e fechar"
            << QStringList{"qzfCodigoDoCliente", "qzfApelidoOuNomeFantasiaDoCliente", "qzfNomeOuRazaoSocialDoCliente"} + trio
            << "|||||222||||||||__/__/____|0,00";
        QTest::newRow("alterar") << std::int16_t(3)
            << "Alterar conta a receber|Salvar|Salvar alteração e fechar|Cancelar|Cancelar alteração e fechar" << trio
            << daLinha;
        QTest::newRow("excluir") << std::int16_t(4)
            << "Excluir conta a receber|Confirmar|Confirmar exclusão e e fechar|Cancelar|Cancelar exclusão e fechar"
            << QStringList{} << daLinha;
    }
    // clang-format on
    // Captions, what can be edited, the fields (from the list's row, or
    // empty when adding, even in a card used before), the plan's block,
    // cancelling, and the menu window darkened.
    void modos() {
        QFETCH(std::int16_t, tipo);
        QFETCH(QString, botoes);
        QFETCH(QStringList, editaveis);
        QFETCH(QString, campos);
        listaComUmaLinha();
        frmFicha f;
        f.Load();
        f.qzfCodigoDoCliente->setText(QStringLiteral("9"));
        f.qztxtNumeroDaVenda->setText(QStringLiteral("x"));
        QStringList habilitadas;
        const bool aberta = abrir(f, tipo, [&] {
            for (forms::Control* c : f.Controls())
                if (dynamic_cast<qz::QZControl*>(c) && !dynamic_cast<qz::QZCommandButton*>(c) &&
                    !dynamic_cast<qz::QZTheme*>(c) && c->Enabled())
                    habilitadas << c->Name();
            f.lblHistorico->setForeColor(frmFicha::kCorDoRotuloInvalido);
            f.lblCliente->setForeColor(0x123456);
            f.qzcmdCancelarAlterar->setValue(true);
        });
        QVERIFY(!aberta);
        QCOMPARE((QStringList{f.QZTheme->Titulo(), f.qzcmdSalvarFecharConfirmar->Caption(),
                              f.qzcmdSalvarFecharConfirmar->ToolTipText(), f.qzcmdCancelarAlterar->Caption(),
                              f.qzcmdCancelarAlterar->ToolTipText()}),
                 botoes.split(u'|'));
        QCOMPARE(habilitadas, editaveis);
        QCOMPARE(camposDaFicha(f), campos);
        const bool comPlano = tipo == 1;
        QCOMPARE(f.ClientePreenchido(), !comPlano);
        for (forms::Control* c :
             std::initializer_list<forms::Control*>{f.lblParcelas, f.msfgGrade, f.lblTotaldasparcelas,
                                                    f.qzcmdAdicionar, f.qzcmdAlterar, f.qzcmdRemover})
            QCOMPARE(c->Visible(), comPlano);
        // Cancel: nothing done, field labels back to grey, headers untouched.
        QVERIFY(!f.OperacaoConcluida());
        QCOMPARE(f.lblHistorico->ForeColor(), frmFicha::kCorDoRotulo);
        QCOMPARE(f.lblCliente->ForeColor(), 0x123456);
        QVERIFY(doubles::calls(teste::kNegocio).empty());
        QCOMPARE(teste::fundoEscuro(), (QStringList{"Aplicar 777", "Remover 777"}));
        QVERIFY(teste::locaisExibidos().isEmpty());
    }

    // Altering without a list: reported with its step, the card never shown.
    void linhaIlegivel() {
        frmFicha f;
        f.Load();
        QVERIFY(!teste::mostradoDurante(f, [&] { QCOMPARE(f.MontarExibirFormulario(3), std::int16_t(0)); }));
        QCOMPARE(teste::locaisExibidos(),
                 QStringList{"QUVA_A_CReceber, frmFicha, MontarExibirFormulario, Ponto: 7"});
        QVERIFY(doubles::calls(teste::kFundoEscuro).empty());
    }

    // Adding (Enter in the value box adds too), taking back and removing
    // installments, with exact totals and the value column narrowed while
    // the scroll bar shows.
    void parcelas() {
        frmFicha f;
        f.Load();
        abrir(f, 1, [&] {
            auto& g = *f.msfgGrade;
            auto total = [&] { return f.lblTotaldasparcelas->Caption(); };
            parcela(f, QStringLiteral("10/07/2025"), QStringLiteral("0,10"));
            QCOMPARE(g.Rows(), 2);
            QCOMPARE(g.TextMatrix(1, 0) + g.TextMatrix(1, 1) + g.TextMatrix(1, 2),
                     QStringLiteral("10/07/20250,10"));
            QCOMPARE(f.qzdtpDataDeVencimentoDaParcelaAtual->Text() + f.qznumValorDaParcelaAtual->Text(),
                     QStringLiteral("__/__/____0,00"));
            QVERIFY(temFoco(f.qzdtpDataDeVencimentoDaParcelaAtual));

            parcela(f, QStringLiteral("10/08/2025"), QStringLiteral("0,2"));
            f.qzdtpDataDeVencimentoDaParcelaAtual->setText(QStringLiteral("10/09/2025"));
            f.qznumValorDaParcelaAtual->setText(QStringLiteral("1234,5"));
            for (std::int16_t tecla : {65, 13})
                f.qznumValorDaParcelaAtual->raiseKeyPress(tecla);
            QCOMPARE(g.TextMatrix(3, 1), QStringLiteral("1.234,50"));
            QCOMPARE(total(), QStringLiteral("Total das parcelas: 1.234,80"));

            // Taken back: into the fields, out of the grid and the total.
            g.setRow(2);
            f.qzcmdAlterar->setValue(true);
            QCOMPARE(f.qzdtpDataDeVencimentoDaParcelaAtual->Text() + f.qznumValorDaParcelaAtual->Text(),
                     QStringLiteral("10/08/20250,20"));
            QCOMPARE(g.Rows(), 3);
            QCOMPARE(g.TextMatrix(2, 0), QStringLiteral("10/09/2025"));
            QCOMPARE(total(), QStringLiteral("Total das parcelas: 1.234,60"));
            QVERIFY(temFoco(f.qzdtpDataDeVencimentoDaParcelaAtual));

            // From 7 rows on the value column makes room for the scroll bar.
            for (int i = 1; i <= 4; ++i)
                parcela(f, QStringLiteral("%1/10/2025").arg(i + 10), QStringLiteral("10,00"));
            QCOMPARE(g.Rows(), 7);
            QCOMPARE(g.ColWidth(1), 3065);
            f.qzcmdRemover->setValue(true);
            QCOMPARE(g.ColWidth(1), 3315);
            QCOMPARE(total(), QStringLiteral("Total das parcelas: 40,10"));

            // The last one goes: one empty row stays, the total is zero again.
            while (f.LinhaVaziaRemovida())
                f.qzcmdRemover->setValue(true);
            QCOMPARE(g.Rows(), 2);
            QCOMPARE(g.TextMatrix(1, 0), QString());
            QCOMPARE(total(), QStringLiteral("Total das parcelas: 0,00"));
            QVERIFY(tela.mensagens->shown().empty());

            // On an empty plan: Alterar does nothing, Remover says so.
            f.qzdtpDataDeVencimentoDaParcelaAtual->setText(QStringLiteral("01/01/2026"));
            f.qzcmdAlterar->setValue(true);
            QCOMPARE(f.qzdtpDataDeVencimentoDaParcelaAtual->Text(), QStringLiteral("01/01/2026"));
            f.qzcmdRemover->setValue(true);
            tela.umaMensagem(QStringLiteral("Nenhum item para ser removido da grade."));

            // The first installment of the new plan replaces the empty row again.
            parcela(f, QStringLiteral("01/01/2026"), QStringLiteral("5,00"));
            QCOMPARE(g.Rows(), 2);
            QCOMPARE(g.TextMatrix(1, 0), QStringLiteral("01/01/2026"));

            // Leaving the value box writes a number as money; other text stays.
            f.qznumValorDaParcelaAtual->setText(QStringLiteral("abc"));
            f.qznumValorDaParcelaAtual_LostFocus();
            QCOMPARE(f.qznumValorDaParcelaAtual->Text(), QStringLiteral("abc"));
            f.qznumValorDaParcelaAtual->setText(QStringLiteral("1234,5"));
            f.qznumValorDaParcelaAtual_LostFocus();
            QCOMPARE(f.qznumValorDaParcelaAtual->Text(), QStringLiteral("1.234,50"));
        });
    }

    // clang-format off
    void recusas_data() {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<int>("resposta"); // to the past-date question; 0: not asked
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<bool>("adicionada");
        QTest::addColumn<bool>("focoNaData");
        const QString semData = QStringLiteral("Informe uma data válida de vencimento para a parcela.");
        const QString semValor = QStringLiteral("Informe um valor válido para a parcela.");
        const QString foraDoLimite =
            QStringLiteral("O total das parcelas ultrapassaria o maior valor aceito (922.337.203.685.477,58).");
        const QString passada = QStringLiteral(" A data de vencimento informada é menor que a data atual. Confirma?");
        QTest::newRow("data vazia") << "__/__/____" << "10,00" << 0 << semData << false << true;
        QTest::newRow("data impossível") << "30/02/2026" << "10,00" << 0 << semData << false << true;
        QTest::newRow("zero") << "01/08/2025" << "0,00" << 0 << semValor << false << false;
        QTest::newRow("texto") << "01/08/2025" << "dez" << 0 << semValor << false << false;
        QTest::newRow("vencimento repetido")
            << "01/07/2025" << "1,00" << 0 << "Já existe uma parcela com este vencimento na grade." << false << true;
        QTest::newRow("total acima do limite") << "01/08/2025" << "922.337.203.685.477,00" << 0 << foraDoLimite << false << false;
        QTest::newRow("valor acima do limite") << "01/08/2025" << QString(20, u'9') << 0 << foraDoLimite << false << false;
        QTest::newRow("hoje") << "15/06/2025" << "12,34" << 0 << "" << true << true;
        QTest::newRow("ontem, não") << "14/06/2025" << "12,34" << int(forms::vbNo) << passada << false << true;
        QTest::newRow("ontem, sim") << "14/06/2025" << "12,34" << int(forms::vbYes) << passada << true << true;
    }
    // clang-format on
    // An installment after a first one of 7,00: refused with the field to
    // correct focused, grid and total untouched; a past date asks first,
    // the date's label staying red, and No (the default) keeps the date.
    void recusas() {
        QFETCH(QString, data);
        QFETCH(QString, valor);
        QFETCH(int, resposta);
        QFETCH(QString, mensagem);
        QFETCH(bool, adicionada);
        QFETCH(bool, focoNaData);
        frmFicha f;
        f.Load();
        abrir(f, 1, [&] {
            parcela(f, QStringLiteral("01/07/2025"), QStringLiteral("7,00"));
            if (resposta) tela.mensagens->answer(std::int16_t(resposta));
            parcela(f, data, valor);
            tela.umaMensagem(mensagem,
                             resposta ? forms::vbYesNo + forms::vbQuestion + forms::vbDefaultButton2 : kInfo);
            QCOMPARE(f.msfgGrade->Rows(), adicionada ? 3 : 2);
            QCOMPARE(f.TotalDasParcelas(), rt::Currency::fromRaw(adicionada ? 19'3400 : 7'0000));
            if (!adicionada) QCOMPARE(f.qzdtpDataDeVencimentoDaParcelaAtual->Text(), data);
            QVERIFY(temFoco(focoNaData ? static_cast<forms::Control*>(f.qzdtpDataDeVencimentoDaParcelaAtual)
                                       : f.qznumValorDaParcelaAtual));
            QCOMPARE(f.lblDataDeVencimentoDaParcelaAtual->ForeColor(),
                     resposta ? frmFicha::kCorDoRotuloInvalido : frmFicha::kCorDoRotulo);
        });
    }

    // clang-format off
    void salvar_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("resultado"); // of the business call; -1: the component cannot be created
        QTest::addColumn<QString>("campo"); // the field it refused
        QTest::addColumn<bool>("aberta");
        QTest::addColumn<QString>("vermelhoEFoco"); // the label turned red and the focused control
        QTest::addColumn<int>("icone"); // of the box with DescricaoDaFalha, 0: no box
        QTest::addColumn<QStringList>("entregue"); // to the business component, in order; empty: not checked
        QTest::addColumn<QString>("erro"); // what the error message received
        const QStringList comum{"let CodigoDoCliente d:42", "let Historico s:Venda\r\nbalcão"};
        const QString numero = QStringLiteral("let NumeroDoLancamento d:1532");
        const QString grade = QStringLiteral("set GradeDasParcelas o&:"), dados = QStringLiteral("set DadosDoUsuario o&:");
        QTest::newRow("adicionar") << 1 << 0 << "" << false << "" << 0 << comum + QStringList{grade, dados, "Adicionar"} << "";
        QTest::newRow("alterar") << 3 << 0 << "" << false << "" << 0 << QStringList{numero} + comum +
            QStringList{"let DataDeVencimento s:10/01/2027", "let ValorDoDocumento i:0", dados, "Alterar"} << "";
        QTest::newRow("excluir") << 4 << 0 << "" << false << "" << 0
            << QStringList{numero} + comum + QStringList{grade, dados, "Excluir"} << "";
        QTest::newRow("1 erro") << 1 << 1 << "" << false << "" << 0 << QStringList{}
            << "Exibir -2147217873 Violação QUVA_N_CReceber, clsCReceber, Adicionar " + kTitulo;
        QTest::newRow("2 cliente") << 1 << 2 << "CodigoDoCliente" << true
            << "lblApelidoOuNomeFantasiaDoCliente qzfApelidoOuNomeFantasiaDoCliente" << kInfo << QStringList{} << "";
        QTest::newRow("2 histórico") << 1 << 2 << "Historico" << true << "lblHistorico qzmemHistorico" << kInfo << QStringList{} << "";
        QTest::newRow("2 parcelas") << 1 << 2 << "Parcelas" << true
            << "lblDataDeVencimentoDaParcelaAtual qzdtpDataDeVencimentoDaParcelaAtual" << kInfo << QStringList{} << "";
        QTest::newRow("2 vencimento") << 1 << 2 << "DataDeVencimento" << true
            << "lblDataDeVencimentoDaParcelaAtual qzdtpDataDeVencimentoDaParcelaAtual" << kInfo << QStringList{} << "";
        QTest::newRow("2 valor") << 1 << 2 << "ValorDoDocumento" << true << "lblValor qznumValorDaParcelaAtual" << kInfo << QStringList{} << "";
        // Altering: the client boxes cannot take the focus, the label still turns red.
        QTest::newRow("2 cliente ao alterar") << 3 << 2 << "CodigoDoCliente" << true
            << "lblApelidoOuNomeFantasiaDoCliente" << kInfo << QStringList{} << "";
        QTest::newRow("2 outra caixa") << 1 << 2 << "codigodocliente" << true << "" << kInfo << QStringList{} << "";
        QTest::newRow("9 desconhecido") << 1 << 9 << "" << false << "" << 0 << QStringList{} << "";
        // The click itself fails (no component): the card stays as it was.
        QTest::newRow("falha do clique") << 1 << -1 << "" << true << "lblValor" << 0 << QStringList{}
            << "Exibir 429 " + rt::errorDescription(429) + " QUVA_A_CReceber, frmFicha, qzcmdSalvarFecharConfirmar_Click, Ponto: 2 " + kTitulo;
    }
    // clang-format on
    // Saving hands the card's values to the business component and acts on
    // its result: done closes, a refused field is marked and focused, a
    // failure is passed on with the component's own error triple.
    void salvar() {
        QFETCH(int, tipo);
        QFETCH(int, resultado);
        QFETCH(QString, campo);
        QFETCH(bool, aberta);
        QFETCH(QString, vermelhoEFoco);
        QFETCH(int, icone);
        QFETCH(QStringList, entregue);
        QFETCH(QString, erro);
        const QString metodo = tipo == 1   ? QStringLiteral("Adicionar")
                               : tipo == 3 ? QStringLiteral("Alterar")
                                           : QStringLiteral("Excluir");
        listaComUmaLinha();
        rt::Object dados = ado::Recordset::create(); // any object stands for the user data
        gobjDadosDoUsuario = dados;
        doubles::setCreateFailure(teste::kNegocio, resultado < 0);
        doubles::setResult(teste::kNegocio, metodo, std::int16_t(resultado));
        doubles::setResult(teste::kNegocio, QStringLiteral("NomeDoCampoValidado"), campo);
        doubles::setResult(teste::kNegocio, QStringLiteral("DescricaoDaFalha"),
                           QStringLiteral("Falha descrita"));
        doubles::setErrorTriple(teste::kNegocio, std::int32_t(-2147217873), QStringLiteral("Violação"),
                                QStringLiteral("QUVA_N_CReceber, clsCReceber, Adicionar"));
        frmFicha f;
        f.Load();
        QStringList vermelhos;
        const bool ficouAberta = abrir(f, std::int16_t(tipo), [&] {
            if (tipo == 1) {
                f.qzfCodigoDoCliente->setText(QStringLiteral("0042"));
                parcela(f, QStringLiteral("01/08/2025"), QStringLiteral("10,00"));
            }
            f.qzmemHistorico->setText(QStringLiteral("  Venda\r\nbalcão  "));
            if (tipo == 3) f.qznumValorDaParcelaAtual->setText(QString());
            forms::Control* focoAntes =
                tipo == 1 ? static_cast<forms::Control*>(f.qzfCodigoDoCliente) : f.qzmemHistorico;
            if (focoAntes->Enabled()) focoAntes->SetFocus();
            // Red from an earlier failure goes first.
            f.lblValor->setForeColor(frmFicha::kCorDoRotuloInvalido);
            f.qzcmdSalvarFecharConfirmar->setValue(true);
            for (forms::Control* c : f.Controls()) {
                auto* l = dynamic_cast<forms::Label*>(c);
                if (l && l->ForeColor() == frmFicha::kCorDoRotuloInvalido) vermelhos << l->Name();
                if (temFoco(c) && c != focoAntes) vermelhos << c->Name();
            }
        });
        QCOMPARE(ficouAberta, aberta);
        QCOMPARE(f.OperacaoConcluida(), resultado == 0);
        if (aberta) QCOMPARE(vermelhos.join(u' '), vermelhoEFoco);
        tela.umaMensagem(icone ? QStringLiteral("Falha descrita") : QString(), icone);
        QCOMPARE(chamadas(teste::kMsgErro, QStringLiteral("Exibir"), false).join(u'\n'), erro);
        if (entregue.isEmpty()) return;
        QCOMPARE(doubles::instancesCreated(teste::kNegocio), 1);
        QCOMPARE(chamadas(teste::kNegocio), entregue);
        QCOMPARE(ultimoArgumento(teste::kNegocio, QStringLiteral("DadosDoUsuario")).toObject(), dados);
        // The grid object itself, so the component reads the rows by late binding.
        if (tipo != 3)
            QCOMPARE(ultimoArgumento(teste::kNegocio, QStringLiteral("GradeDasParcelas")).toObject(),
                     f.msfgGrade->object());
    }

    // clang-format off
    void pesquisa_data() {
        QTest::addColumn<QString>("qual");
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<int>("situacao"); // of the one client found; -1: none found
        QTest::addColumn<QString>("vipECategoria");
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<QString>("rotulo");
        QTest::addColumn<QString>("pesquisado"); // the text and code given to Selecionar; empty: no search
        const QString recusa = QStringLiteral(". Para mais informações, entre em contato com o departamento financeiro.");
        QTest::newRow("apelido, VIP") << "apelido" << "padar" << 1 << "SiM|A" << "" << "Cliente* [ VIP - A ]" << "s&:padar d&:0";
        QTest::newRow("nome") << "nome" << "  josé  " << 5 << "Não|B" << "" << "Cliente* [ B ]" << "s&:josé d&:0";
        QTest::newRow("código de 2 dígitos") << "codigo" << "42" << 1 << "|" << "" << "Cliente* [  ]" << "s&: d&:42";
        QTest::newRow("inativo") << "apelido" << "pad" << 2 << "|" << "Cliente inativo" + recusa << "Cliente*" << "s&:pad d&:0";
        QTest::newRow("bloqueado") << "apelido" << "pad" << 3 << "|" << "Cliente bloqueado" + recusa << "Cliente*" << "s&:pad d&:0";
        QTest::newRow("excluído") << "nome" << "pad" << 4 << "|" << "Cliente excluído" + recusa << "Cliente*" << "s&:pad d&:0";
        QTest::newRow("nenhum, apelido") << "apelido" << "Açaí" << -1 << "|"
            << "Nenhum cliente encontrado com o apelido ou nome fantasia 'Açaí'." << "Cliente*" << "s&:Açaí d&:0";
        QTest::newRow("nenhum, nome") << "nome" << "Zé Ninguém " << -1 << "|"
            << "Nenhum cliente encontrado com o nome ou razão social 'Zé Ninguém'." << "Cliente*" << "s&:Zé Ninguém d&:0";
        QTest::newRow("nenhum, código") << "codigo" << "007" << -1 << "|"
            << "Nenhum cliente encontrado com o código '7' informado." << "Cliente*" << "s&: d&:7";
        QTest::newRow("curto") << "apelido" << "pa" << -1 << "|"
            << "Informe 3 caracteres ou mais para iniciar a pesquisa." << "Cliente* [ A ]" << "";
    }
    // clang-format on
    // The clerk types into one box and presses Enter. One accepted client
    // fills the three boxes and the class; a refusal or no match clears the
    // card except the searched box, and after no match the typed text is
    // selected, ready to be typed over. Only the box's own value is searched.
    void pesquisa() {
        QFETCH(QString, qual);
        QFETCH(QString, digitado);
        QFETCH(int, situacao);
        QFETCH(QString, vipECategoria);
        QFETCH(QString, mensagem);
        QFETCH(QString, rotulo);
        QFETCH(QString, pesquisado);
        const bool aceito = mensagem.isEmpty(), pesquisou = !pesquisado.isEmpty();
        const QStringList vc = vipECategoria.split(u'|');
        std::vector<teste::Cliente> achados;
        if (situacao >= 0) achados.push_back({42, "Padaria Sol", "José da Silva ME", situacao, vc[0], vc[1]});
        teste::responderComClientes(achados);
        rt::Object dados = ado::Recordset::create();
        gobjDadosDoUsuario = dados;
        tela.mensagens.reset();
        tela.mensagens = std::make_unique<CaixaQueDevolveAAtivacaoDepois>();
        frmFicha f;
        f.Load();
        abrir(f, 1, [&] {
            const int i = QStringList{"codigo", "apelido", "nome"}.indexOf(qual);
            const std::array<qz::QZFind*, 3> todas{f.qzfCodigoDoCliente, f.qzfApelidoOuNomeFantasiaDoCliente,
                                                   f.qzfNomeOuRazaoSocialDoCliente};
            qz::QZFind* b = todas[i];
            f.qzmemHistorico->setText(QStringLiteral("já escrito"));
            parcela(f, QStringLiteral("01/08/2025"), QStringLiteral("10,00"));
            f.lblCliente->setCaption(QStringLiteral("Cliente* [ A ]"));
            for (qz::QZFind* x : todas)
                if (x != b)
                    x->setText(x == f.qzfCodigoDoCliente ? QStringLiteral("77") : QStringLiteral("outro"));
            teste::digitarEEnter(b->editor(), digitado);
            tela.umaMensagem(mensagem);
            QCoreApplication::processEvents();
            QCOMPARE(b->editor()->selectedText(), pesquisou && situacao < 0 ? digitado : QString());
            QCOMPARE(f.lblCliente->Caption(), rotulo);
            QCOMPARE(f.ClientePreenchido(), aceito);
            QVERIFY(b->ShowClearButton());
            const bool limpo = pesquisou && !aceito;
            QCOMPARE(f.qzmemHistorico->Text(), limpo ? QString() : QStringLiteral("já escrito"));
            QCOMPARE(f.lblTotaldasparcelas->Caption(), limpo ? QStringLiteral("Total das parcelas: 0,00")
                                                             : QStringLiteral("Total das parcelas: 10,00"));
            if (aceito) {
                QCOMPARE(cliente(f), QStringLiteral("42|Padaria Sol|José da Silva ME|000"));
                QVERIFY(temFoco(f.qzmemHistorico));
            } else if (pesquisou) {
                QStringList caixas{QString(), QString(), QString()};
                QString status = QStringLiteral("222");
                caixas[i] = digitado;
                status[i] = u'1';
                QCOMPARE(cliente(f), caixas.join(u'|') + u'|' + status);
                QVERIFY(temFoco(b));
            }
        });
        const QStringList esperadas{
            "set DadosDoUsuario o:", "Selecionar l:2 i:0 l:0 s: " + pesquisado + " s: s: s: d:0 s:",
            "ResultadoDaSelecaoEmRecordSet"};
        QCOMPARE(chamadas(kClientes), pesquisou ? esperadas : QStringList());
        if (pesquisou)
            QCOMPARE(ultimoArgumento(kClientes, QStringLiteral("DadosDoUsuario")).toObject(), dados);
    }

    // The lookup fails; when neither it nor its failure can be shown, the
    // wait panel goes all the same.
    void falhaDosClientes_data() {
        QTest::addColumn<bool>("semMensagem");
        QTest::newRow("mostrada") << false;
        QTest::newRow("sem a janela de erro") << true;
    }
    void falhaDosClientes() {
        QFETCH(bool, semMensagem);
        doubles::setResult(kClientes, QStringLiteral("Selecionar"), std::int16_t(1));
        doubles::setErrorTriple(kClientes, std::int32_t(-2147467259), QStringLiteral("Sem conexão"),
                                QStringLiteral("QUVA_N_ClientAnim, clsClientes, Selecionar"));
        doubles::setCreateFailure(kClientes, semMensagem);
        doubles::setCreateFailure(teste::kMsgErro, semMensagem);
        frmFicha f;
        f.Load();
        abrir(f, 1, [&] {
            f.qzfApelidoOuNomeFantasiaDoCliente->setText(QStringLiteral("padaria"));
            f.qzfApelidoOuNomeFantasiaDoCliente->requestSearch();
            QVERIFY(!f.picMensagem->Visible());
            QCOMPARE(f.lblCliente->Caption(), QStringLiteral("Cliente*"));
        });
        QCOMPARE(teste::locaisExibidos(),
                 semMensagem ? QStringList() : QStringList{"QUVA_N_ClientAnim, clsClientes, Selecionar"});
        QVERIFY(doubles::calls(kClientes, QStringLiteral("ResultadoDaSelecaoEmRecordSet")).empty());
    }

    // Clearing a box clears the card; a key after the card filled the boxes
    // only ends that state, later keys empty the other boxes' searched text.
    void limparETeclas() {
        listaComUmaLinha();
        std::int16_t k = 65;
        frmFicha f;
        f.Load();
        abrir(f, 1, [&] {
            f.qzmemHistorico->setText(QStringLiteral("algo"));
            f.qzfNomeOuRazaoSocialDoCliente->setText(QStringLiteral("abc"));
            f.qzfCodigoDoCliente->setText(QStringLiteral("12"));
            f.qzfCodigoDoCliente->requestClear();
            QCOMPARE(f.qzmemHistorico->Text() + f.qzfNomeOuRazaoSocialDoCliente->Text(), QString());
            QCOMPARE(f.qzfNomeOuRazaoSocialDoCliente->Status(), qz::qzFindClear);
            QCOMPARE(f.lblCliente->Caption(), QStringLiteral("Cliente*"));

            f.qzfCodigoDoCliente->setSearchedText(QStringLiteral("12"));
            f.qzfNomeOuRazaoSocialDoCliente->setSearchedText(QStringLiteral("abc"));
            f.qzfApelidoOuNomeFantasiaDoCliente->raiseKeyDown(k, 0);
            QCOMPARE(f.qzfCodigoDoCliente->SearchedText() + f.qzfNomeOuRazaoSocialDoCliente->SearchedText(),
                     QString());
        });
        frmFicha g;
        g.Load();
        abrir(g, 3, [&] {
            QVERIFY(g.ClientePreenchido());
            g.qzfCodigoDoCliente->setSearchedText(QStringLiteral("42"));
            g.qzfApelidoOuNomeFantasiaDoCliente->raiseKeyDown(k, 0);
            QVERIFY(!g.ClientePreenchido());
            QCOMPARE(g.qzfCodigoDoCliente->SearchedText(), QStringLiteral("42"));

            // Enter in the value box adds installments only while adding.
            std::int16_t enter = 13;
            g.qznumValorDaParcelaAtual->raiseKeyPress(enter);
            QCOMPARE(g.qzdtpDataDeVencimentoDaParcelaAtual->Text() + u'|' +
                         g.qznumValorDaParcelaAtual->Text(),
                     QStringLiteral("10/01/2027|300,00"));
            QVERIFY(tela.mensagens->shown().empty());
        });
    }

    // Several matches: the search dialog chooses, or is cancelled.
    void variosClientes_data() {
        QTest::addColumn<bool>("escolhe");
        QTest::newRow("escolhe") << true;
        QTest::newRow("cancela") << false;
    }
    void variosClientes() {
        QFETCH(bool, escolhe);
        teste::responderComClientes({{7, QStringLiteral("Pão Quente"), QStringLiteral("Pão Quente Ltda")},
                             {8, QStringLiteral("Padaria Sol"), QStringLiteral("Sol Pães ME"), 1,
                              QStringLiteral("sim"), QStringLiteral("C")}});
        frmFicha f;
        f.Load();
        abrir(f, 1, [&] {
            f.qzmemHistorico->setText(QStringLiteral("antes"));
            teste::quando([] { return teste::visivel<frmPesquisaDeClientes>() != nullptr; },
                          [&] {
                              auto& d = frmPesquisaDeClientesPadrao();
                              d.msfgGrade->setRow(2);
                              if (escolhe)
                                  d.msfgGrade_Click();
                              else
                                  d.qzcmdFechar_Click();
                          });
            f.qzfApelidoOuNomeFantasiaDoCliente->setText(QStringLiteral("pão"));
            f.qzfApelidoOuNomeFantasiaDoCliente->requestSearch();
            // Cancelled: cleared as after a failed search.
            QCOMPARE(cliente(f),
                     escolhe ? QStringLiteral("8|Padaria Sol|Sol Pães ME|000") : QStringLiteral("|pão||212"));
            QCOMPARE(f.lblCliente->Caption(),
                     escolhe ? QStringLiteral("Cliente* [ VIP - C ]") : QStringLiteral("Cliente*"));
            QCOMPARE(f.qzmemHistorico->Text(), escolhe ? QStringLiteral("antes") : QString());
            QCOMPARE(f.ClientePreenchido(), escolhe);
        });
        QVERIFY(!frmPesquisaDeClientesPadrao().Visible());
        QVERIFY(tela.mensagens->shown().empty());
        QVERIFY(teste::locaisExibidos().isEmpty());
    }
};

QTEST_MAIN(tst_card)
#include "tst_card.moc"
