// The client search dialog through its default instance, as the card drives
// it and as a clerk uses it, with the clients component played by the
// registered stand-in and a hand-driven clock so the message panel's pause
// takes no real time.

#include "support/Tela.h"

#include "forms/clientsearch/frmPesquisaDeClientes.h"

#include <QAbstractScrollArea>
#include <QTest>

using namespace quva;
using namespace creceber;
using rt::Variant;
using teste::kTitulo;
using teste::locaisExibidos;
using Dlg = frmPesquisaDeClientes;

namespace {

const QString kSelecionar = QStringLiteral("Selecionar");
using teste::Cliente;
using teste::kClientes;
using teste::responderComClientes;

std::vector<Cliente> varios() {
    return {
        {std::int32_t(120), QStringLiteral("Graça Modas"), QStringLiteral("Maria das Graças Souza"), std::int32_t(1),
         QStringLiteral("Sim"), QStringLiteral("A"), QStringLiteral("Rua das Flores, 12 - Centro - Campinas/SP")},
        {std::int32_t(245), QStringLiteral("Padaria Pão Dourado"), QStringLiteral("Padaria Pão Dourado ME"),
         std::int32_t(3), QStringLiteral("Não"), QStringLiteral("B"),
         QStringLiteral("Av. Brasil, 900 - Jardim América - Campinas/SP")},
        {std::int32_t(3071), QStringLiteral("Ribeiro Auto Peças"), QStringLiteral("Auto Peças Ribeiro Eireli"),
         std::int32_t(5), QString(), QStringLiteral("C"), QStringLiteral("Rod. Anhanguera, km 98 - Sumaré/SP")},
    };
}

QWidget* areaDaGrade(Dlg& f) {
    return static_cast<QAbstractScrollArea*>(f.msfgGrade->widget())->viewport();
}

// Selecionar as the dialog calls it for a text.
QString selecionar(const QString& texto) {
    return QStringLiteral("Selecionar l:2 i:0 l:1 s:%1 s: d:0 s: s: s: d:0 s:").arg(texto);
}

// The middle of a data row on screen (header 300 twips, rows 570, 96 dpi).
QPoint pontoDaLinha(std::int32_t linha) {
    return QPoint(40, 20 + (linha - 1) * 38 + 19);
}

} // namespace

class tst_clientsearch : public QObject {
    Q_OBJECT

    teste::Tela tela;
    rt::Object m_dadosDoUsuario;

    // The dialog shown without blocking, as the clerk sees it once the card showed it.
    Dlg& aberto() {
        Dlg& f = frmPesquisaDeClientesPadrao();
        f.ConfigurarGrade();
        if (!f.Visible()) f.Show();
        return f;
    }

    void pesquisar(Dlg& f, const QString& texto) {
        teste::digitarEEnter(f.qzfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo->editor(), texto);
    }

    // The dialog once the clerk searched for texto and the component found clientes.
    Dlg& pesquisado(const std::vector<Cliente>& clientes, const QString& texto) {
        responderComClientes(clientes);
        Dlg& f = aberto();
        pesquisar(f, texto);
        return f;
    }

private slots:
    void initTestCase() { tela.iniciarCaso(DOUBLES_LIB); }
    void cleanupTestCase() { tela.encerrarCaso(); }
    void init() {
        tela.iniciar();
        m_dadosDoUsuario = ado::Recordset::create();
        gobjDadosDoUsuario = m_dadosDoUsuario;
    }
    void cleanup() {
        // The library's own default instance: each test starts from a new object.
        forms::destroyDefaultInstances();
        tela.encerrar();
    }

    // The texts and the columns a clerk sees, the code column in grey; the
    // grid and the close button follow the window's inner size, larger and
    // smaller.
    void telaEGrade() {
        Dlg& f = aberto();
        QCOMPARE(f.qzcmdFechar->ToolTipText(), QStringLiteral("Cancelar a pesquisa e fechar"));
        QCOMPARE(f.lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo->Caption(),
                 QStringLiteral("Apelido, nome fantasia, nome, razão social ou código*"));
        auto* g = f.msfgGrade;
        QCOMPARE(g->Cols(), 8);
        const char* cabecalhos[] = {
            "Coluna em branco", "Código",     "Apelido/Nome fantasia", "Nome/Razão Social", "Situação",
            "Endereço",         "ClienteVIP", "CategoriaDaCurvaABC"};
        const std::int32_t larguras[] = {0, 1100, 2000, 4020, 0, 6300, 0, 0};
        for (int c = 0; c < 8; ++c) {
            QCOMPARE(g->TextMatrix(0, c), QString::fromUtf8(cabecalhos[c]));
            QCOMPARE(g->ColWidth(c), larguras[c]);
            g->setRow(0);
            g->setCol(c);
            QCOMPARE(g->CellForeColor(), forms::OleColor(c == 1 ? 0x808080 : 0x000000));
        }

        auto* b = f.qzcmdFechar;
        for (const QSize tamanho : {QSize(18000, 10500), QSize(9000, 6000)}) {
            f.setClientSize(tamanho.width(), tamanho.height());
            QApplication::processEvents();
            QCOMPARE(g->Top(), f.ScaleTop() + 1725);
            QCOMPARE(g->Left(), f.ScaleLeft() + 390);
            QCOMPARE(g->Width(), f.ScaleWidth() - 2 * g->Left());
            QCOMPARE(g->Height(), f.ScaleHeight() - 2700);
            QCOMPARE(b->Left(), (g->Left() + g->Width() + 10) - (b->Width() + 250));
            QCOMPARE(b->Top(), g->Top() + g->Height() + 350);
            QVERIFY(g->Visible());
            QVERIFY(b->Visible());
        }
        QCOMPARE(locaisExibidos(), QStringList{});
    }

    // The dialog's search passes everything by value (the card by reference).
    // A failure the component reports goes on with its own location text, the
    // triple read in order and the result never; the dialog stays open with
    // an empty grid, enabled again.
    void argumentosEFalhaDoComponente() {
        Dlg& f = pesquisado(varios(), QStringLiteral("graça"));
        QCOMPARE(doubles::instancesCreated(kClientes), 1);
        QCOMPARE(teste::chamadas(kClientes),
                 (QStringList{"set DadosDoUsuario o:", selecionar("graça"), "ResultadoDaSelecaoEmRecordSet"}));
        QCOMPARE(teste::ultimoArgumento(kClientes, QStringLiteral("DadosDoUsuario")).toObject(), m_dadosDoUsuario);
        QCOMPARE(locaisExibidos(), QStringList{});

        doubles::reset();
        responderComClientes(varios());
        doubles::setResult(kClientes, kSelecionar, rt::vbTrue);
        doubles::setErrorTriple(kClientes, std::int32_t(-2147217900), QStringLiteral("Falha na consulta"),
                                QStringLiteral("QUVA_N_ClientAnim, clsClientes, Selecionar"));
        QTest::keyClick(f.qzfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo->editor(), Qt::Key_Return);
        pesquisar(f, QStringLiteral("Souza"));
        QCOMPARE(teste::chamadas(teste::kMsgErro, QStringLiteral("Exibir"), false),
                 QStringList{"Exibir -2147217900 Falha na consulta QUVA_N_ClientAnim, clsClientes, Selecionar " + kTitulo});
        QCOMPARE(teste::chamadas(kClientes), (QStringList{"set DadosDoUsuario o:", selecionar("Souza"), "NumeroDoErro",
                                                          "DescricaoDoErro", "LocalDoErro"}));
        QCOMPARE(f.msfgGrade->Rows(), 1);
        QVERIFY(f.Visible());
        QVERIFY(f.Enabled());
        QVERIFY(!f.picMensagem->Visible());
        QVERIFY(tela.mensagens->shown().empty());
    }

    // A failure inside the search itself names the dialog and the step; when
    // it cannot be shown either, the dialog is given back all the same.
    void falhaNaPesquisa() {
        doubles::setCreateFailure(kClientes, true);
        Dlg& f = aberto();
        for (const bool semMensagem : {false, true}) {
            doubles::setCreateFailure(teste::kMsgErro, semMensagem);
            pesquisar(f, QStringLiteral("Souza"));
            QVERIFY(f.Enabled());
            QVERIFY(!f.picMensagem->Visible());
            QVERIFY(f.Visible());
        }
        QCOMPARE(locaisExibidos(),
                 QStringList{QStringLiteral("QUVA_A_CReceber, frmPesquisaDeClientes, PesquisarCliente, Ponto: 1")});
    }

    void nenhumCliente() {
        Dlg& f = pesquisado({}, QStringLiteral("Zé Ninguém"));
        tela.umaMensagem(QStringLiteral("Nenhum cliente encontrado  como o valor 'Zé Ninguém' informado."));
        QCOMPARE(f.msfgGrade->Rows(), 1);
        QVERIFY(f.Visible());
        QVERIFY(!f.RegistroSelecionado());
        // Back to the typed text, all of it selected, ready to be retyped.
        QApplication::processEvents();
        QCOMPARE(f.qzfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo->editor()->selectedText(),
                 QStringLiteral("Zé Ninguém"));
    }

    // Several matches: one row each, text unchanged, the dialog's own parity
    // colours; a click on the header chooses nothing. After a search the next
    // Click of the find box is consumed: it only empties the grid. The one
    // after that searches again.
    void variosClientes() {
        const auto clientes = varios();
        Dlg& f = pesquisado(clientes, QStringLiteral("a"));
        auto* g = f.msfgGrade;
        QCOMPARE(g->Rows(), 4);
        for (int l = 1; l <= 3; ++l) {
            const Cliente& c = clientes[std::size_t(l - 1)];
            QStringList linha;
            for (int col = 0; col < 8; ++col) {
                linha << g->TextMatrix(l, col);
                g->setRow(l);
                g->setCol(col);
                QCOMPARE(g->CellBackColor(), forms::OleColor(l % 2 == 0 ? 0xF2F2F2 : 0xD9D9D9));
                QCOMPARE(g->CellForeColor(), forms::OleColor(col == 1 ? 0x808080 : 0x000000));
            }
            QCOMPARE(linha, (QStringList{QString(), rt::CStr(c.codigo), c.apelido, c.nome, rt::CStr(c.situacao),
                                         c.endereco, c.vip, c.categoria}));
        }
        g->setRow(0);
        f.msfgGrade_Click();
        QVERIFY(f.Visible());
        QVERIFY(!f.RegistroSelecionado());
        QVERIFY(tela.mensagens->shown().empty());

        auto* editor = f.qzfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo->editor();
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(doubles::calls(kClientes, kSelecionar).size(), std::size_t(1));
        QCOMPARE(g->Rows(), 1);
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(doubles::calls(kClientes, kSelecionar).size(), std::size_t(2));
        QCOMPARE(g->Rows(), 4);
    }

    // One match is handled at once: chosen when acceptable, refused otherwise.
    void umCliente_data() {
        QTest::addColumn<Variant>("situacao");
        QTest::addColumn<QString>("mensagem");
        const auto recusa = [](const char* c) {
            return QString::fromUtf8(c) + ". Para mais informações, entre em contato com o departamento financeiro.";
        };
        QTest::newRow("ativo 1") << Variant(std::int32_t(1)) << QString();
        QTest::newRow("inativo 2") << Variant(std::int32_t(2)) << recusa("Cliente inativo");
        QTest::newRow("bloqueado 3") << Variant(std::int32_t(3)) << recusa("Cliente bloqueado");
        QTest::newRow("excluído 4") << Variant(std::int32_t(4)) << recusa("Cliente excluído");
        QTest::newRow("5") << Variant(std::int32_t(5)) << QString();
        QTest::newRow("texto 2") << Variant(QStringLiteral("2")) << recusa("Cliente inativo");
    }
    void umCliente() {
        QFETCH(Variant, situacao);
        QFETCH(QString, mensagem);
        auto c = varios()[0];
        c.situacao = situacao;
        Dlg& f = pesquisado({c}, QStringLiteral("Graça"));
        QCOMPARE(f.msfgGrade->Rows(), 2);
        QCOMPARE(f.msfgGrade->TextMatrix(1, 1), QStringLiteral("120"));
        QCOMPARE(f.msfgGrade->Row(), 1);
        const bool escolhido = mensagem.isEmpty();
        tela.umaMensagem(mensagem);
        QCOMPARE(f.RegistroSelecionado(), escolhido);
        QCOMPARE(f.Visible(), !escolhido);
        QCOMPARE(locaisExibidos(), QStringList{});
    }

    // The ways a clerk picks a row; a refused one keeps the dialog open.
    void escolha_data() {
        QTest::addColumn<QString>("modo");
        QTest::addColumn<int>("linha");
        QTest::addColumn<bool>("escolhido");
        for (const char* modo : {"clique", "Enter"})
            QTest::addRow("%s na linha 3", modo) << QString::fromLatin1(modo) << 3 << true;
        QTest::newRow("clique na linha 2 (bloqueado)") << "clique" << 2 << false;
    }
    void escolha() {
        QFETCH(QString, modo);
        QFETCH(int, linha);
        QFETCH(bool, escolhido);
        Dlg& f = pesquisado(varios(), QStringLiteral("a"));
        QApplication::processEvents();
        if (modo == QLatin1String("Enter")) {
            f.msfgGrade->SetFocus();
            QTest::keyClick(f.msfgGrade->widget(), Qt::Key_Home, Qt::ControlModifier);
            for (int i = 1; i < linha; ++i)
                QTest::keyClick(f.msfgGrade->widget(), Qt::Key_Down);
            QTest::keyClick(f.msfgGrade->widget(), Qt::Key_Return);
        } else {
            QTest::mouseClick(areaDaGrade(f), Qt::LeftButton, {}, pontoDaLinha(linha));
        }
        QCOMPARE(f.msfgGrade->Row(), linha);
        QCOMPARE(f.RegistroSelecionado(), escolhido);
        QCOMPARE(f.Visible(), !escolhido);
        QCOMPARE(tela.mensagens->shown().empty(), escolhido);
        if (escolhido)
            QCOMPARE(f.msfgGrade->TextMatrix(f.msfgGrade->RowSel(), Dlg::kColCodigo),
                     rt::CStr(varios()[std::size_t(linha - 1)].codigo));
    }

    // Closing, by the button or by unloading, gives no client, and no stale
    // one from an earlier choice.
    void fechar() {
        Dlg& f = pesquisado(varios(), QStringLiteral("a"));
        for (const bool peloBotao : {true, false}) {
            f.msfgGrade->setRow(1);
            f.msfgGrade_Click();
            QVERIFY(f.RegistroSelecionado());
            f.Show();
            if (peloBotao)
                f.qzcmdFechar->setValue(true);
            else
                f.Unload();
            QVERIFY(!f.Visible());
            QVERIFY(!f.RegistroSelecionado());
        }
        QCOMPARE(locaisExibidos(), QStringList{});
    }

    // A null stops the fill at its row; the rows before it stay.
    void nuloNaGrade() {
        auto clientes = varios();
        clientes[1].situacao = rt::Null;
        Dlg& f = frmPesquisaDeClientesPadrao();
        f.ConfigurarGrade();
        QVERIFY(!f.PreencherGrade(teste::registrosDeClientes(clientes)));
        QCOMPARE(locaisExibidos(), QStringList{QStringLiteral(
                                       "QUVA_A_CReceber, frmPesquisaDeClientes, PreencherGrade, Ponto: 4")});
        const auto* g = f.msfgGrade;
        QCOMPARE(g->TextMatrix(1, 1) + u'|' + g->TextMatrix(2, 1) + u'|' + g->TextMatrix(2, 4) + u'|' + g->TextMatrix(3, 1),
                 QStringLiteral("120|245||"));
        QVERIFY(!f.msfgGrade->Redraw());
        f.ConfigurarGrade();
        QVERIFY(f.msfgGrade->Redraw());
    }
};

QTEST_MAIN(tst_clientsearch)
#include "tst_clientsearch.moc"
