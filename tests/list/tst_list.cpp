// The receivables list in a host's work area, against the scripted
// business stand-in: the start, filter and search with their page memory,
// paging, the empty result, the row buttons, the row commands and the
// screen after failures. A manual clock makes the one-second pauses free.

#include "Base.h"
#include "support/Tela.h"

#include "forms/MsgBox.h"
#include "forms/Window.h"
#include "forms/list/TelasDaLista.h"

#include <QApplication>
#include <QScopeGuard>
#include <QTest>
#include <QVBoxLayout>

using namespace quva;
using namespace creceber;
using teste::Base;
using teste::Conta;

namespace {

// The list with the screen's width under the test's control. What it opens
// is noted in its record, as "carta" or "ficha 3", with ", grade
// desabilitada" when its grid took no input meanwhile.
class ListaDeTeste : public frmLista {
public:
    float larguraDaTela = 1366 * 15;
    QStringList registro;

    void registrar(const QString& aberto) {
        registro << (msfgGrade->Enabled() ? aberto : aberto + QStringLiteral(", grade desabilitada"));
    }

protected:
    float LarguraDaTelaEmTwips() const override { return larguraDaTela; }
    std::int16_t ImprimirCartaDeCobranca() override {
        registrar(QStringLiteral("carta"));
        return 0;
    }
    std::int16_t Imprimir2aViaDoComprovanteDePagamento() override {
        registrar(QStringLiteral("2a via"));
        return 0;
    }
};

// Message boxes, noted in the list's record as "mensagem".
class Mensagens : public forms::ScriptedMessageBoxes {
public:
    ListaDeTeste* lista = nullptr;
    std::int16_t show(const forms::MessageRequest& r) override {
        lista->registrar(QStringLiteral("mensagem"));
        return ScriptedMessageBoxes::show(r);
    }
};

// A card or settlement view, noted in the list's record when shown (with its
// operation code) and unloaded.
struct TelaDeTeste : TelaModalDaLista {
    QString nome;
    ListaDeTeste* lista;
    bool concluida = false;
    std::int16_t MontarExibirFormulario(std::int16_t t) override {
        lista->registrar(nome + u' ' + QString::number(t));
        return 0;
    }
    bool OperacaoConcluida() const override { return concluida; }
    void Descarregar() override { lista->registro << nome + QStringLiteral(" descarregada"); }
};

QString hoje(int deslocamento) {
    return rt::formatDate(rt::Date{rt::Today().serial + deslocamento});
}

} // namespace

class tst_list : public QObject {
    Q_OBJECT

    teste::Tela tela;
    std::unique_ptr<QWidget> hospedeiro;
    QWidget* area = nullptr;
    std::shared_ptr<ListaDeTeste> lista;
    Base base;

    int selecoes() const { return int(doubles::calls(teste::kNegocio, QStringLiteral("Selecionar")).size()); }
    // The last selection asked for, as "Selecionar l:1 i&:10 l:4 s:" (situation, then text).
    QString ultimaSelecao() const { return teste::chamadas(teste::kNegocio, QStringLiteral("Selecionar")).last(); }

    std::int16_t abrir(int larguraDaTelaPx = 1366) {
        lista = std::make_shared<ListaDeTeste>();
        lista->larguraDaTela = float(larguraDaTelaPx * 15);
        return lista->MontarExibirFormulario(forms::hWnd(area));
    }

    void pesquisar(const QString& texto) {
        lista->qzfndPesquisar->setText(texto);
        lista->qzfndPesquisar->requestSearch();
    }

    QString celula(int r, int c) const { return lista->msfgGrade->TextMatrix(r, c); }
    QString barra() const { return lista->qznbBarraDeNavegacao->caption(); }
    // The failures the error message showed, as "440 QUVA_A_CReceber, frmLista, …".
    QStringList exibidas() const {
        QStringList r;
        for (const auto& c : doubles::calls(teste::kMsgErro, QStringLiteral("Exibir")))
            r << c.args.at(0).value.toString() + u' ' + c.args.at(2).value.toString();
        return r;
    }

    // The screen takes input and shows its list.
    void telaLivre() {
        QVERIFY(lista->Enabled());
        QVERIFY(!lista->picMensagem->Visible());
        QVERIFY(lista->msfgGrade->Visible());
        QVERIFY(lista->msfgGrade->Enabled());
    }

    void apontarLinha(int r) {
        // The middle of data row r (header 700, rows 570 twips).
        lista->msfgGrade->raiseMouse(QEvent::MouseMove, 0, 0, 1000, float(700 + 570 * (r - 1) + 285));
    }

private slots:
    void initTestCase() { tela.iniciarCaso(DOUBLES_LIB, CRECEBER_LIB); }
    void cleanupTestCase() { tela.encerrarCaso(); }

    void init() {
        tela.iniciar();
        base = Base{};
        base.contas = teste::contasAVencer(45);
        base.ligar();
        DefinirFichaDaLista({});
        DefinirBaixarDaLista({});
        // A host whose work area lies below a menu strip.
        hospedeiro = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(hospedeiro.get());
        layout->setContentsMargins(0, 40, 0, 0);
        area = new QWidget;
        layout->addWidget(area, 1);
        hospedeiro->resize(1100, 600);
        hospedeiro->show();
        QApplication::processEvents();
    }
    void cleanup() {
        lista.reset();
        hospedeiro.reset();
        tela.encerrar();
    }

    // One selection of "Recentes" at 10 a page (the combo's Click at start is
    // swallowed); the grid's values, colours and label pictures; a selection
    // moved to another row takes the whole row.
    void inicio() {
        base.contas[1].baixa = QStringLiteral("01/06/2025");
        base.contas[2].vencimento = hoje(0);
        base.contas[3].vencimento = hoje(-1);
        QCOMPARE(abrir(), std::int16_t(0));
        QCOMPARE(selecoes(), 1);
        QCOMPARE(ultimaSelecao(), QStringLiteral("Selecionar l:1 i&:10 l:4 s:"));
        QCOMPARE(doubles::instancesCreated(teste::kNegocio), 1);
        QVERIFY(!doubles::calls(teste::kNegocio, QStringLiteral("DadosDoUsuario")).size());
        QCOMPARE(barra(), QStringLiteral("1 - 10 de 45"));
        telaLivre();
        QVERIFY(!lista->lblMensagemDeResultado->Visible());
        QVERIFY(exibidas().isEmpty());

        // Texts that are easy to get wrong.
        QCOMPARE(lista->qzcmdAdicionar->Caption(), QStringLiteral("    Adicionar"));
        QCOMPARE(lista->qzcmdImprimir2ViaComprovanteDeBaixa->ToolTipText(),
                 QStringLiteral("Imprimir 2a. via do comprovante de baixa"));
        const char* itens[] = {"Todas as situações", "A vencer", "Vencida", "Baixada", "Recentes"};
        QCOMPARE(lista->qzcmbSituacao->ListCount(), 5);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(lista->qzcmbSituacao->List(i), QString::fromUtf8(itens[i]));
            QCOMPARE(lista->qzcmbSituacao->ItemData(i), i);
        }

        auto* g = lista->msfgGrade;
        QCOMPARE(g->TextMatrix(0, 4), QStringLiteral("Nome ou \r\nRazão Social do cliente"));
        // Hidden columns still hold their values; a null is blank.
        QCOMPARE(QStringList({celula(1, 1), celula(1, 3), celula(1, 6), celula(2, 18), celula(2, 19), celula(1, 21),
                              celula(1, 23), celula(1, 20)}),
                 (QStringList{"1", "Apelido 101", "V1", "01/06/2025", "500,00", "02/01/2025 10:00:00", "", ""}));

        // Colours by parity and column.
        auto formato = [g](int r, int c) { return g->store().format(r, c); };
        QCOMPARE(formato(1, 4)->back, 0xF2F2F2);
        QCOMPARE(formato(2, 4)->back, 0xFFFFFF);
        QCOMPARE(formato(1, 1)->fore, 0x808080);
        QCOMPARE(formato(1, 4)->fore, 0x000000);

        // Label pictures: settled whatever the date, due today not yet due, yesterday overdue.
        auto figura = [g](int r) {
            g->setRow(r);
            g->setCol(20);
            return g->CellPicture().toImage();
        };
        QCOMPARE(figura(1), lista->imgEtiqueta_Situacao_AVencer->Picture().toImage());
        QCOMPARE(figura(2), lista->imgEtiqueta_Situacao_Baixado->Picture().toImage());
        QCOMPARE(figura(3), lista->imgEtiqueta_Situacao_AVencer->Picture().toImage());
        QCOMPARE(figura(4), lista->imgEtiqueta_Situacao_Vencido->Picture().toImage());
        QVERIFY(figura(1) != figura(4));

        g->setRowSel(6);
        QCOMPARE(g->Row(), 6);
        QCOMPARE(g->ColSel(), 24);
    }

    void paginacao() {
        abrir();
        auto* nb = lista->qznbBarraDeNavegacao;
        nb->press(qz::qzUltimo);
        QCOMPARE(lista->msfgGrade->Rows(), 6);
        QCOMPARE(barra(), QStringLiteral("41 - 45 de 45"));
        QCOMPARE(celula(5, 1), QStringLiteral("45"));
        nb->press(qz::qzPrimeiro);
        QCOMPARE(barra(), QStringLiteral("1 - 10 de 45"));
        nb->press(qz::qzProximo);
        nb->press(qz::qzProximo);
        QCOMPARE(barra(), QStringLiteral("21 - 30 de 45"));
        QCOMPARE(lista->Pagina(), std::int16_t(3));
        nb->press(qz::qzAnterior);
        QCOMPARE(barra(), QStringLiteral("11 - 20 de 45"));
        QCOMPARE(celula(1, 1), QStringLiteral("11"));
        QCOMPARE(celula(10, 1), QStringLiteral("20"));
        // A new page drops the row buttons; pointing again selects the row under the pointer.
        apontarLinha(3);
        nb->press(qz::qzProximo);
        QVERIFY(!lista->qzcmdBaixar->Visible());
        apontarLinha(3);
        QVERIFY(lista->qzcmdBaixar->Visible());
        QCOMPARE(lista->msfgGrade->RowSel(), 3);
        // Paging never selects again; unknown buttons do nothing.
        lista->qznbBarraDeNavegacao_Click(7);
        QCOMPARE(selecoes(), 1);
        // A page of one receivable, selected at seven rows a page.
        base.contas = teste::contasAVencer(1);
        hospedeiro->resize(1100, 460);
        QApplication::processEvents();
        lista->qzcmbSituacao->setListIndex(0);
        QVERIFY(ultimaSelecao().contains(QStringLiteral(" i&:7 ")));
        QCOMPARE(lista->msfgGrade->Rows(), 2);
        QCOMPARE(barra(), QStringLiteral("1 - 1 de 1"));
        QVERIFY(exibidas().isEmpty());
    }

    // Page 3 of the whole list, "Vencida", then "Todas as situações" again;
    // then a search and back. From "Recentes" a search goes over all
    // receivables, the combo on "Todas as situações" without a selection of
    // its own.
    void memoriaDaPagina() {
        for (int i = 0; i < 12; ++i)
            base.contas[std::size_t(i * 3)].vencimento = hoje(-2);
        base.contas[4].nome = QStringLiteral("Fulano de Tal");
        abrir();
        // "Recentes" is a filter: with no page remembered the whole list starts at page 1.
        lista->qzcmbSituacao->setListIndex(0);
        QCOMPARE(barra(), QStringLiteral("1 - 10 de 45"));
        lista->qznbBarraDeNavegacao->press(qz::qzProximo);
        lista->qznbBarraDeNavegacao->press(qz::qzProximo);

        lista->qzcmbSituacao->setListIndex(2);
        QVERIFY(ultimaSelecao().endsWith(QStringLiteral(" l:2 s:")));
        QCOMPARE(barra(), QStringLiteral("1 - 10 de 12"));
        lista->qznbBarraDeNavegacao->press(qz::qzProximo);
        // Another filter keeps the page of the unfiltered list.
        lista->qzcmbSituacao->setListIndex(1);

        lista->qzcmbSituacao->setListIndex(0);
        QCOMPARE(barra(), QStringLiteral("21 - 30 de 45"));
        QCOMPARE(celula(1, 1), QStringLiteral("21"));
        telaLivre();
        QCOMPARE(selecoes(), 5);

        // A search from the whole list keeps its page as well (one the filter
        // did not note); clearing it goes to "Recentes".
        lista->qznbBarraDeNavegacao->press(qz::qzProximo);
        pesquisar(QStringLiteral("Cliente"));
        lista->qzfndPesquisar->requestClear();
        QCOMPARE(lista->qzcmbSituacao->ListIndex(), 4);
        QVERIFY(ultimaSelecao().endsWith(QStringLiteral(" l:4 s:")));
        lista->qzcmbSituacao->setListIndex(0);
        QCOMPARE(barra(), QStringLiteral("31 - 40 de 45"));

        lista->qzcmbSituacao->setListIndex(4);
        pesquisar(QStringLiteral("Fulano"));
        QCOMPARE(lista->qzcmbSituacao->ListIndex(), 0);
        QVERIFY(!lista->IgnorarEvento());
        QVERIFY(ultimaSelecao().endsWith(QStringLiteral(" l:0 s:Fulano")));
        QCOMPARE(barra(), QStringLiteral("1 - 1 de 1"));
        QCOMPARE(celula(1, 4), QStringLiteral("Fulano de Tal"));
        // One selection each: the combo's Clicks that searches cause are swallowed.
        QCOMPARE(selecoes(), 10);
        telaLivre();
        QVERIFY(exibidas().isEmpty());
    }

    void resultadoVazio_data() {
        QTest::addColumn<int>("situacao");
        QTest::addColumn<QString>("pesquisa");
        QTest::addColumn<bool>("filtrosVisiveis");
        QTest::newRow("nada cadastrado") << 0 << QString() << false;
        QTest::newRow("pesquisa sem resultado") << 0 << QStringLiteral("xyz") << true;
        QTest::newRow("situação sem resultado") << 3 << QString() << true;
    }
    void resultadoVazio() {
        QFETCH(int, situacao);
        QFETCH(QString, pesquisa);
        QFETCH(bool, filtrosVisiveis);
        abrir();
        apontarLinha(2);
        base.contas.clear();
        lista->qzcmdImprimirLista->setVisible(false);
        if (!pesquisa.isEmpty()) {
            pesquisar(pesquisa);
        } else {
            lista->qzcmbSituacao->setListIndex(situacao);
        }
        QVERIFY(lista->qzcmdAdicionar->Visible());
        QCOMPARE(lista->qzfndPesquisar->Visible(), filtrosVisiveis);
        QCOMPARE(lista->qzcmbSituacao->Visible(), filtrosVisiveis);
        QVERIFY(!lista->qznbBarraDeNavegacao->Visible());
        QVERIFY(!lista->msfgGrade->Visible());
        QVERIFY(!lista->qzcmdAlterar->Visible()); // no row buttons over the empty screen
        QVERIFY(!lista->qzcmdImprimirLista->Visible()); // keeps what it had
        QVERIFY(lista->lblMensagemDeResultado->Visible());
        QCOMPARE(lista->lblMensagemDeResultado->Caption(),
                 QStringLiteral("Nenhuma contas a receber encontrada."));
        // The bar was updated although hidden.
        QCOMPARE(lista->qznbBarraDeNavegacao->TotalDeRegistros(), 0.0);
        QVERIFY(lista->Enabled());
        QVERIFY(exibidas().isEmpty());

        // Something found again: everything back.
        base.contas = teste::contasAVencer(3);
        if (!pesquisa.isEmpty())
            lista->qzfndPesquisar->requestClear();
        else
            lista->qzcmbSituacao->setListIndex(4);
        QVERIFY(lista->qzfndPesquisar->Visible());
        QVERIFY(lista->qzcmdImprimirLista->Visible());
        QVERIFY(!lista->lblMensagemDeResultado->Visible());
        telaLivre();
    }

    // A failure while filtering or searching is reported where it happened,
    // and the screen takes input again with the last page it could show. One
    // that cannot be shown leaves the handler for the host with the handler's
    // location, after the screen is given back.
    void falhaAoFiltrar_data() {
        QTest::addColumn<QString>("falha");
        QTest::addColumn<bool>("pesquisa");
        QTest::addColumn<QString>("exibida");
        QTest::addColumn<QString>("escapada");
        const QString nosso = QStringLiteral("QUVA_A_CReceber, frmLista, ");
        const QString selecionar = QStringLiteral("-2147217900 QUVA_N_CReceber, clsCReceber, Selecionar");
        QTest::newRow("seleção, situação") << "Selecionar" << false << selecionar << QString();
        QTest::newRow("seleção, pesquisa") << "Selecionar" << true << selecionar << QString();
        QTest::newRow("página") << "PaginarResultadoDaSelecaoEmRecordset" << false
                                << "440 " + nosso + "PreencherGrade, Ponto: 3" << QString();
        QTest::newRow("resultado ao lembrar a página") << "ResultadoDaSelecaoEmRecordSet" << false
                                                       << "440 " + nosso + "qzcmbSituacao_Click, Ponto: 3" << QString();
        QTest::newRow("vencimento que não é data") << "vencimento" << false << "13 " + nosso + "PreencherGrade, Ponto: 5"
                                                   << QString();
        QTest::newRow("página, sem a janela de erro") << "PaginarResultadoDaSelecaoEmRecordset" << false << QString()
                                                      << "429 " + nosso + "qzcmbSituacao_Click, Ponto: 5";
    }
    void falhaAoFiltrar() {
        QFETCH(QString, falha);
        QFETCH(bool, pesquisa);
        QFETCH(QString, exibida);
        QFETCH(QString, escapada);
        if (falha == u"Selecionar") base.falharNaSelecao = 2;
        abrir();
        // Unfiltered first: the page of the whole list is then remembered.
        if (falha == u"ResultadoDaSelecaoEmRecordSet") lista->qzcmbSituacao->setListIndex(0);
        if (falha == u"vencimento")
            base.contas[0].vencimento = QStringLiteral("não é data");
        else if (falha != u"Selecionar")
            doubles::setFailure(teste::kNegocio, falha, 440);
        doubles::setCreateFailure(teste::kMsgErro, !escapada.isEmpty());
        QStringList escapadas;
        const auto antes = forms::setUnhandledFailureHandler([&](const std::exception& e) {
            const auto& r = dynamic_cast<const rt::RuntimeError&>(e);
            escapadas << QStringLiteral("%1 %2").arg(r.number()).arg(r.source());
            QVERIFY(lista->Enabled());
        });
        const auto devolver = qScopeGuard([&] { forms::setUnhandledFailureHandler(antes); });
        if (pesquisa)
            pesquisar(QStringLiteral("Cliente 1"));
        else
            lista->qzcmbSituacao->setListIndex(falha == u"ResultadoDaSelecaoEmRecordSet" ? 2 : 0);
        QCOMPARE(escapadas, escapada.isEmpty() ? QStringList() : QStringList{escapada});
        QCOMPARE(exibidas(), exibida.isEmpty() ? QStringList() : QStringList{exibida});
        telaLivre();
        if (falha == u"Selecionar") {
            QCOMPARE(barra(), QStringLiteral("1 - 10 de 45"));
            QCOMPARE(celula(1, 1), QStringLiteral("1"));
        }
        if (falha == u"vencimento") {
            // The grid stops drawing at the bad row; the next fill draws again.
            QVERIFY(!lista->msfgGrade->Redraw());
            base.contas[0].vencimento = QStringLiteral("10/10/2030");
            lista->qzcmbSituacao->setListIndex(4);
            QVERIFY(lista->msfgGrade->Redraw());
        }
    }

    // The list cannot start: the failure reported, the screen there, no grid.
    void inicioQueFalha() {
        base.falharNaSelecao = 1;
        QCOMPARE(abrir(), std::int16_t(1));
        QVERIFY(!lista->msfgGrade->Visible());
        QVERIFY(lista->Visible());
        // Without its business object.
        doubles::setCreateFailure(teste::kNegocio, true);
        QCOMPARE(abrir(), std::int16_t(0));
        QCOMPARE(exibidas(), QStringList({"-2147217900 QUVA_N_CReceber, clsCReceber, Selecionar",
                                          "429 QUVA_A_CReceber, frmLista, MontarExibirFormulario, Ponto: 5"}));
    }

    // Past 32767 in the 16-bit arithmetic: failure 6, as the bar and the page numbers are Integers.
    void transbordamento() {
        base.sinteticas = 40000;
        base.contas = teste::contasAVencer(3);
        abrir();
        lista->qzcmbSituacao->setListIndex(0);
        lista->qznbBarraDeNavegacao->press(qz::qzUltimo);
        QCOMPARE(barra(), QStringLiteral("39.991 - 40.000 de 40.000"));
        QCOMPARE(lista->Pagina(), std::int16_t(4000));
        // A smaller window re-pages from row 39991 without that limit: at
        // seven rows a page it ends the page from 39985.
        hospedeiro->resize(1100, 460);
        QApplication::processEvents();
        QCOMPARE(lista->msfgGrade->Rows(), 8);
        QCOMPARE(int(lista->qznbBarraDeNavegacao->PrimeiroRegistro()), 39985);
        QCOMPARE(int(lista->qznbBarraDeNavegacao->UltimoRegistro()), 39991);
        QCOMPARE(celula(1, 1), QStringLiteral("39985"));
        QVERIFY(exibidas().isEmpty());
        hospedeiro->resize(1100, 600);
        QApplication::processEvents();
        lista->qznbBarraDeNavegacao->press(qz::qzUltimo);
        lista->qzcmbSituacao->setListIndex(1);
        QCOMPARE(lista->PaginaSemFiltro(), std::int16_t(4000));
        QVERIFY(exibidas().isEmpty());
        // Page 4000 × 10 in 16 bits.
        lista->qzcmbSituacao->setListIndex(0);
        QCOMPARE(exibidas(), QStringList{QStringLiteral("6 QUVA_A_CReceber, frmLista, AtualizarObjetos, Ponto: 5")});
        telaLivre();
        QCOMPARE(celula(1, 1), QStringLiteral("39991"));

        // More than 32767 pages: "last" cannot hold the page number.
        doubles::reset();
        base.sinteticas = 400000;
        base.ligar();
        lista->qzcmbSituacao->setListIndex(4);
        lista->qznbBarraDeNavegacao->press(qz::qzUltimo);
        QCOMPARE(exibidas(),
                 QStringList{QStringLiteral("6 QUVA_A_CReceber, frmLista, qznbBarraDeNavegacao_Click, Ponto: 4")});
        // The clerk stays on the page shown, and can go on paging.
        QCOMPARE(lista->Pagina(), std::int16_t(1));
        QCOMPARE(barra(), QStringLiteral("1 - 10 de 400.000"));
        telaLivre();
        lista->qznbBarraDeNavegacao->press(qz::qzProximo);
        QCOMPARE(barra(), QStringLiteral("11 - 20 de 400.000"));
        QCOMPARE(exibidas().size(), 1);
    }

    void botoesDaLinha_data() {
        QTest::addColumn<int>("telaPx");
        QTest::newRow("1025") << 1025;
        QTest::newRow("1024") << 1024;
    }
    void botoesDaLinha() {
        QFETCH(int, telaPx);
        abrir(telaPx);
        auto* g = lista->msfgGrade;
        const bool estreita = telaPx <= 1024;
        // Column 5 takes what the window leaves.
        const auto larguras = [&] {
            QCOMPARE(g->ColWidth(2), estreita ? 0 : 2560);
            QCOMPARE(g->ColWidth(4), estreita ? 2560 : 4000);
            QCOMPARE(g->ColWidth(5), std::int32_t(lista->Width()) - 13115 + (estreita ? 2560 + 1440 : 0));
        };
        larguras();

        apontarLinha(3);
        QCOMPARE(g->RowSel(), 3);
        QCOMPARE(g->Row(), 3);
        QCOMPARE(g->ColSel(), 24);
        QCOMPARE(g->HighLight(), flexgrid::flexHighlightAlways);
        g->setRow(3);
        g->setCol(estreita ? 5 : 4);
        const float direita = g->Left() + float(g->CellLeft()) + float(g->CellWidth());
        const float topo = g->Top() + float(g->CellTop());
        const float deslocamentos[] = {2850, 2280, 1710, 1140, 570};
        const auto botoes = lista->botoesDaLinha();
        for (std::size_t i = 0; i < 5; ++i) {
            QVERIFY(botoes[i]->Visible());
            QCOMPARE(botoes[i]->Left(), direita - deslocamentos[i]);
            QCOMPARE(botoes[i]->Top(), topo);
        }

        // Within the same row nothing happens.
        botoes[0]->setVisible(false);
        lista->msfgGrade->raiseMouse(QEvent::MouseMove, 0, 0, 1000, float(700 + 570 * 2 + 20));
        QVERIFY(!botoes[0]->Visible());

        // Onto the header: the buttons go, the highlight too.
        lista->msfgGrade->raiseMouse(QEvent::MouseMove, 0, 0, 1000, 100);
        for (auto* b : botoes)
            QVERIFY(!b->Visible());
        QCOMPARE(g->HighLight(), flexgrid::flexHighlightNever);
        QCOMPARE(g->Row(), 1);
        QCOMPARE(g->Col(), 0);
        QVERIFY(exibidas().isEmpty());

        hospedeiro->resize(1000, 600);
        QApplication::processEvents();
        larguras();
    }

    // The row commands on rows of every state: the three refusals, exact to
    // the character; the two documents and the card and the settlement view
    // (with their operation codes) opened with the grid disabled, as is
    // "Baixar"'s message; the list selected again only after a completed
    // operation, on its page.
    void comandosDaLinha() {
        const QString baixada = QStringLiteral("01/06/2025");
        base.contas[0].baixa = baixada;
        base.contas[0].vencimento = hoje(-30);
        base.contas[1].vencimento = hoje(0);
        base.contas[2].vencimento = hoje(-1);
        base.contas[3].baixa = baixada;
        base.contas[3].vencimento = hoje(0);
        abrir();
        Mensagens msg;
        msg.lista = lista.get();
        bool concluir = false;
        const auto fabrica = [&](const QString& nome) {
            return [&, nome] {
                auto t = std::make_shared<TelaDeTeste>();
                t->nome = nome;
                t->lista = lista.get();
                t->concluida = concluir;
                return t;
            };
        };
        DefinirFichaDaLista(fabrica(QStringLiteral("ficha")));
        DefinirBaixarDaLista(fabrica(QStringLiteral("baixa")));
        const auto comando = [&](int linha, qz::QZCommandButton* botao) {
            apontarLinha(linha);
            botao->setValue(true);
        };
        comando(1, lista->qzcmdImprimirCartaDeCobranca);
        comando(2, lista->qzcmdImprimirCartaDeCobranca);
        comando(3, lista->qzcmdImprimirCartaDeCobranca);
        comando(3, lista->qzcmdImprimir2ViaComprovanteDeBaixa);
        comando(4, lista->qzcmdImprimir2ViaComprovanteDeBaixa);
        comando(5, lista->qzcmdBaixar);
        comando(4, lista->qzcmdBaixar);
        comando(4, lista->qzcmdAlterar);
        comando(3, lista->qzcmdAlterar);
        comando(3, lista->qzcmdExcluir);
        lista->qzcmdAdicionar->setValue(true);

        const auto caixa = [](const char* texto) { return teste::caixa(texto, teste::kInfo, teste::kTitulo); };
        QCOMPARE(teste::caixas(msg),
                 QStringList({caixa("Esta conta já foi recebida e não pode ser enviada a 'Carta de cobrança'"),
                              caixa("Esta conta não está vencida e não pode ser enviada a 'Carta de cobrança'"),
                              caixa("Esta conta não está baixada e não pode emitir a '2a. via do comprovante de baixa'"),
                              caixa("Para receber esta contas, siga os passos abaixo: \r\n\r\n\t1. Clique no menu "
                                    "'Caixa'.\r\n\r\n\t2. Selecione a opção 'Débitos de cliente' no menu a "
                                    "esquerda.\r\n\r\n\t3. Informe o código de cliente: 105")}));
        const QString desabilitada = QStringLiteral(", grade desabilitada");
        QCOMPARE(lista->registro,
                 QStringList({"mensagem", "mensagem", "carta" + desabilitada, "mensagem", "2a via" + desabilitada,
                              "mensagem" + desabilitada, "baixa 2" + desabilitada, "baixa descarregada",
                              "baixa 2" + desabilitada, "baixa descarregada", "ficha 3" + desabilitada,
                              "ficha descarregada", "ficha 4" + desabilitada, "ficha descarregada", "ficha 1",
                              "ficha descarregada"}));
        QCOMPARE(selecoes(), 1); // nothing completed, nothing selected again

        concluir = true;
        lista->qznbBarraDeNavegacao->press(qz::qzProximo);
        lista->qzcmdExcluir->setValue(true);
        QCOMPARE(selecoes(), 2);
        // After a deletion the list stays on its page.
        QCOMPARE(barra(), QStringLiteral("11 - 20 de 45"));
        lista->qzcmdAdicionar->setValue(true);
        QCOMPARE(selecoes(), 3);
        QVERIFY(lista->msfgGrade->Enabled());
        QVERIFY(exibidas().isEmpty());
    }
};

QTEST_MAIN(tst_list)
#include "tst_list.moc"
