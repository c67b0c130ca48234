// The menu end to end, in process, with the real suite registered the way
// `quva-suite register` does it, on a fresh database (SQLite, then a private
// PostgreSQL server when one can be started): the clerk's day as the
// outsiders check it. Screens are driven through their widgets, typing with
// the keyboard; message boxes are scripted, and any other modal window (the
// error window) fails the test and is closed.

#include "suite/BancoDeTeste.h"

#include "automation/Server.h"
#include "flexgrid/FlexGrid.h"
#include "forms/Form.h"
#include "forms/MsgBox.h"
#include "qz/QZComboBox.h"
#include "qz/QZCommandButton.h"
#include "qz/QZEdit.h"
#include "qz/QZFind.h"
#include "qz/QZNavigationBar.h"
#include "runtime/Clock.h"
#include "suite/cli/Administracao.h"
#include "suite/menu/JanelaDoMenu.h"
#include "suite/storage/Cadastros.h"
#include "suite/storage/Demonstracao.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

using namespace quva;

namespace {

forms::Form* formulario(const QString& nome) {
    const auto todos = forms::Forms();
    for (auto it = todos.rbegin(); it != todos.rend(); ++it)
        if ((*it)->Name() == nome && (*it)->window()) return *it;
    return nullptr;
}

template <class T> T* controle(forms::Form& f, const QString& nome) {
    return dynamic_cast<T*>(f.Controls().find(nome));
}

// Types over the box's text, and presses Enter when asked to.
void digitar(QWidget* w, const QString& texto, bool eEnter = false) {
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w, texto);
    if (eEnter) QTest::keyClick(w, Qt::Key_Return);
}

// Runs agir in the modal form nome once it shows, while abrir (which shows
// it) waits; a form left open by a failed check is hidden so abrir returns.
bool naTela(const QString& nome, const std::function<void()>& abrir,
            const std::function<void(forms::Form&)>& agir) {
    bool vista = false;
    QTimer t;
    t.setInterval(5);
    QObject::connect(&t, &QTimer::timeout, [&] {
        forms::Form* f = formulario(nome);
        if (!f || !f->Visible() || !f->isModal()) return;
        t.stop();
        vista = true;
        agir(*f);
        if (f->Visible()) f->Hide();
    });
    t.start();
    abrir();
    return vista;
}

} // namespace

class tst_menu_ponta : public QObject {
    Q_OBJECT

public:
    explicit tst_menu_ponta(teste::Motor motor) : m_motor(motor) {}

private:
    teste::Motor m_motor;
    QTemporaryDir m_pasta;
    std::unique_ptr<suite::menu::frmMenu> m_menu;
    std::unique_ptr<forms::ScriptedMessageBoxes> m_caixas;
    std::unique_ptr<rt::ManualClock> m_relogio;
    QTimer m_vigia;
    QStringList m_inesperadas;
    std::int64_t m_cliente = 0;

    // The first column of what sql returns, read on a connection of its own,
    // with chave (our client's code unless given) bound.
    QStringList coluna(const QString& sql, std::optional<qlonglong> chave = {}) {
        auto banco = suite::Banco::abrirSeparado();
        QSqlQuery q = banco->executar(sql, sql.contains(u'?') ? QVariantList{chave.value_or(m_cliente)}
                                                              : QVariantList{});
        QStringList r;
        while (q.next())
            r << q.value(0).toString();
        return r;
    }

    static forms::Form& lista() { return *formulario("frmLista"); }
    static flexgrid::MSFlexGrid& gradeDaLista() {
        return *controle<flexgrid::MSFlexGrid>(lista(), "msfgGrade");
    }
    static qz::QZComboBox* situacaoDaLista() { return controle<qz::QZComboBox>(lista(), "qzcmbSituacao"); }
    static void clicar(forms::Form& f, const QString& botao) {
        controle<qz::QZCommandButton>(f, botao)->setValue(true);
    }
    // Data rows of the list's page that belong to our client.
    QList<int> linhasDoCliente() {
        auto& g = gradeDaLista();
        QList<int> r;
        for (int i = 1; i < g.Rows(); ++i)
            if (g.TextMatrix(i, 2) == QString::number(m_cliente)) r << i;
        return r;
    }
    // A widget of the menu's own screens.
    template <class T = QLineEdit> T* doMenu(const char* nome) const {
        return m_menu->findChild<T*>(QLatin1String(nome));
    }

    // The card as a clerk fills and saves it: a client found by part of its
    // name typed without accents, a history, installments of 150,00 entered
    // with Enter.
    void preencherESalvar(forms::Form& ficha, const QString& caixa, const QString& termo,
                          const QList<int>& prazos) {
        digitar(controle<qz::QZFind>(ficha, caixa)->editor(), termo, true);
        QCOMPARE(controle<qz::QZFind>(ficha, "qzfCodigoDoCliente")->Text(), QString::number(m_cliente));
        QTest::keyClicks(controle<qz::QZMemoBox>(ficha, "qzmemHistorico")->editor(), "Encomenda de doces");
        auto* data = controle<qz::QZDTPicker>(ficha, "qzdtpDataDeVencimentoDaParcelaAtual");
        auto* valor = controle<qz::QZNumberBox>(ficha, "qznumValorDaParcelaAtual");
        for (int dias : prazos) {
            digitar(data->editor(), QDate::currentDate().addDays(dias).toString(QStringLiteral("ddMMyyyy")));
            digitar(valor->editor(), "150,00", true);
        }
        QCOMPARE(controle<flexgrid::MSFlexGrid>(ficha, "msfgGrade")->Rows(), int(prazos.size()) + 1);
        QVERIFY(m_caixas->shown().empty());
        clicar(ficha, "qzcmdSalvarFecharConfirmar");
    }

private slots:
    void initTestCase() {
        qputenv("QUVA_DATABASE", teste::novoBanco(m_motor, m_pasta).toUtf8());
        auto banco = suite::Banco::abrir();
        suite::gerarDemonstracao(*banco, {.contas = 300, .clientes = 30, .semente = 7, .progresso = {}});
        suite::Cliente c;
        c.apelidoOuNomeFantasia = QStringLiteral("Joãozinho Doces");
        c.nomeOuRazaoSocial = QStringLiteral("João Conceição Quixadá ME");
        c.categoriaDaCurvaABC = QStringLiteral("A");
        m_cliente = suite::salvarCliente(*banco, c);

        m_relogio = std::make_unique<rt::ManualClock>(rt::Now());
        m_relogio->setStepPerRead(0.25);
        rt::setClock(m_relogio.get());
        m_caixas = std::make_unique<forms::ScriptedMessageBoxes>();
        m_vigia.setInterval(20);
        connect(&m_vigia, &QTimer::timeout, this, [this] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) {
                    QStringList textos{d->objectName()};
                    for (auto* l : d->findChildren<QLabel*>())
                        textos << l->text();
                    m_inesperadas << textos.join(QLatin1Char('|'));
                    d->reject();
                }
        });
        m_vigia.start();
        m_menu = std::make_unique<suite::menu::frmMenu>(QStringLiteral("caixa1"));
        m_menu->show();
    }

    void cleanup() {
        QVERIFY2(m_inesperadas.isEmpty(), qPrintable(m_inesperadas.join(QLatin1Char('\n'))));
        m_caixas->clear();
    }

    void cleanupTestCase() {
        m_menu.reset();
        rt::setClock(nullptr);
        m_caixas.reset();
    }

    // --abrir ficha: the card straight from the host, before any list.
    void fichaSemLista() {
        QVERIFY(naTela(
            "frmFicha", [&] { m_menu->escolher("Nova conta a receber"); },
            [&](forms::Form& f) {
                preencherESalvar(f, "qzfNomeOuRazaoSocialDoCliente", "conceicao quixa", {10});
                QVERIFY(!f.Visible());
            }));
        QCOMPARE(coluna("SELECT COUNT(*) FROM contas_a_receber WHERE codigo_do_cliente = ?"),
                 QStringList{"1"});
        // The menu goes on: its own screens still answer.
        QVERIFY(m_menu->escolher("Clientes"));
        QVERIFY(doMenu<QTableWidget>("grdClientes")->rowCount() > 0);
    }

    // --abrir contas-a-receber: the list embedded, on "Recentes", one selection.
    void listaAoIniciar() {
        const int leituras = m_relogio->timerReads();
        QVERIFY(m_menu->escolher("Contas a receber"));
        QVERIFY(m_menu->listaEmbutida());
        QVERIFY(formulario("frmLista") && lista().isEmbedded());
        QVERIFY(m_menu->areaDaLista()->isAncestorOf(lista().window()));
        QCOMPARE(situacaoDaLista()->Text(), QStringLiteral("Recentes"));
        // A selection run by a handler pauses for its wait panel: the combo's
        // own Click at start must not have run a second one.
        QCOMPARE(m_relogio->timerReads(), leituras);
        QCOMPARE(linhasDoCliente(), QList<int>{1}); // the card's receivable, newest first
    }

    void adicionarTresParcelas() {
        QVERIFY(naTela(
            "frmFicha", [&] { clicar(lista(), "qzcmdAdicionar"); },
            [&](forms::Form& f) {
                preencherESalvar(f, "qzfApelidoOuNomeFantasiaDoCliente", "joaozinho", {30, 60, 90});
            }));
        QCOMPARE(linhasDoCliente(), (QList<int>{1, 2, 3, 4}));
        QVERIFY(m_caixas->shown().empty());
        // The plan as one sale of three installments, stamped with the menu's user.
        QCOMPARE(coluna("SELECT numero_da_parcela || ' ' || usuario_da_inclusao FROM "
                        "contas_a_receber WHERE codigo_do_cliente = ? AND numero_de_parcelas = 3 "
                        "ORDER BY numero_da_parcela"),
                 (QStringList{"1 caixa1", "2 caixa1", "3 caixa1"}));
    }

    // "Caixa" -> "Débitos de cliente": every debt settled, with discount and
    // interest; the list's "Baixada" filter then shows them all.
    void baixarNoCaixa() {
        QVERIFY(m_menu->escolher("Débitos de cliente"));
        auto* grade = doMenu<QTableWidget>("grdDebitos");
        auto* baixar = doMenu<QPushButton>("cmdBaixar");
        auto* aReceber = doMenu<QLabel>("lblValorAReceber");
        digitar(doMenu("txtCodigoDoCliente"), QString::number(m_cliente), true);
        QCOMPARE(grade->rowCount(), 4);
        digitar(doMenu("txtDesconto"), "10,00");
        QCOMPARE(aReceber->text(), QStringLiteral("140,00"));
        baixar->click();
        QVERIFY(doMenu<QLabel>("lblUltimaBaixa")->text().endsWith(": 140,00 recebidos."));
        // Interest beyond the currency: said so, nothing settled.
        auto* juros = doMenu("txtJuros");
        digitar(juros, "922.337.203.685.477");
        QCOMPARE(aReceber->text(), QStringLiteral("acima do limite"));
        baixar->click();
        QCOMPARE(grade->rowCount(), 3);
        QCOMPARE(m_caixas->shown().size(), std::size_t(1));
        QVERIFY(m_caixas->shown().at(0).prompt.endsWith(
            QStringLiteral("ultrapassa o maior valor aceito (922.337.203.685.477,58).")));
        digitar(juros, "3,50");
        for (int parcela = 0; parcela < 3; ++parcela)
            baixar->click();
        QCOMPARE(grade->rowCount(), 0);
        QCOMPARE(m_caixas->shown().size(), std::size_t(1));
        QCOMPARE(coluna("SELECT SUM(valor_da_baixa) FROM contas_a_receber "
                        "WHERE codigo_do_cliente = ? AND data_da_baixa IS NOT NULL"),
                 QStringList{QString::number(rt::Currency::fromUnits(600 - 10).raw +
                                             rt::Currency::fromUnits(7).raw / 2)});

        QVERIFY(m_menu->escolher("Contas a receber"));
        auto* situacao = situacaoDaLista();
        situacao->setListIndex(3);
        QCOMPARE(situacao->Text(), QStringLiteral("Baixada"));
        auto* pesquisa = controle<qz::QZFind>(lista(), "qzfndPesquisar");
        digitar(pesquisa->editor(), "joaozinho", true);
        QCOMPARE(situacao->Text(), QStringLiteral("Baixada"));
        QCOMPARE(linhasDoCliente(), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(gradeDaLista().Rows(), 5);
        for (int r : linhasDoCliente())
            QVERIFY(!gradeDaLista().TextMatrix(r, 18).isEmpty());
        QTest::keyClick(pesquisa->editor(), Qt::Key_Escape);
        situacao->setListIndex(4);
    }

    // Another clerk settles or deletes the receivable while the card is open:
    // the save is refused in a critical box, the card closes, the other
    // clerk's work stands.
    void recusaPorOutroCaixa_data() {
        QTest::addColumn<QString>("botao");
        QTest::addColumn<QString>("sql");
        QTest::newRow("alterar, baixada") << "qzcmdAlterar"
                                          << "UPDATE contas_a_receber SET data_da_baixa = '2026-01-05', "
                                             "valor_da_baixa = valor_do_documento, versao = versao + 1 "
                                             "WHERE numero_do_lancamento = ?";
        QTest::newRow("excluir, excluída") << "qzcmdExcluir"
                                           << "DELETE FROM contas_a_receber WHERE numero_do_lancamento = ?";
    }
    void recusaPorOutroCaixa() {
        QFETCH(QString, botao);
        QFETCH(QString, sql);
        situacaoDaLista()->setListIndex(1); // "A vencer"
        auto& grade = gradeDaLista();
        int linha = 1;
        while (linha < grade.Rows() && !grade.TextMatrix(linha, 18).isEmpty())
            ++linha;
        QVERIFY(linha < grade.Rows());
        const qlonglong numero = grade.TextMatrix(linha, 1).toLongLong();
        grade.setRow(linha);
        auto outroCaixa = suite::Banco::abrirSeparado();
        QVERIFY(naTela(
            "frmFicha", [&] { clicar(lista(), botao); },
            [&](forms::Form& f) {
                QTest::keyClicks(controle<qz::QZMemoBox>(f, "qzmemHistorico")->editor(), " (revisto)");
                outroCaixa->executar(sql, {numero});
                clicar(f, "qzcmdSalvarFecharConfirmar");
                QVERIFY(!f.Visible());
            }));
        QCOMPARE(m_caixas->shown().size(), std::size_t(1));
        const auto& caixa = m_caixas->shown().front();
        QCOMPARE(caixa.icon(), forms::vbCritical);
        QCOMPARE(caixa.title, suite::menu::nomeDaAplicacao());
        QVERIFY(!caixa.prompt.isEmpty());
        // The other clerk's settlement stands, or the receivable stays deleted.
        QCOMPARE(coluna("SELECT CASE WHEN historico LIKE '%revisto%' OR data_da_baixa IS NULL THEN 'perdida' "
                        "ELSE 'mantida' END FROM contas_a_receber WHERE numero_do_lancamento = ?",
                        numero),
                 botao == u"qzcmdAlterar" ? QStringList{"mantida"} : QStringList{});
        // The list stays as it was and goes on working.
        QCOMPARE(gradeDaLista().TextMatrix(linha, 1).toLongLong(), numero);
        QVERIFY(m_menu->listaEmbutida());
    }

    // A window made smaller on page 3 of "Todas as situações": the bar and
    // the rows agree at once and on every button after it, down to the
    // real last rows.
    void redimensionarNoMeioDaLista() {
        situacaoDaLista()->setListIndex(0);
        auto* barra = controle<qz::QZNavigationBar>(lista(), "qznbBarraDeNavegacao");
        const QStringList numeros =
            coluna("SELECT numero_do_lancamento FROM contas_a_receber ORDER BY numero_do_lancamento DESC");
        const auto conferir = [&](const char* passo) {
            const int primeiro = int(barra->PrimeiroRegistro()), ultimo = int(barra->UltimoRegistro());
            QStringList naGrade, esperados = numeros.mid(primeiro - 1, ultimo - primeiro + 1);
            for (int r = 1; r < gradeDaLista().Rows(); ++r)
                naGrade << gradeDaLista().TextMatrix(r, 1);
            QVERIFY2(naGrade == esperados, passo);
            QCOMPARE(int(barra->TotalDeRegistros()), int(numeros.size()));
        };
        const auto altura = [&](int pixels) {
            m_menu->resize(m_menu->width(), pixels);
            QTest::qWait(50);
        };
        altura(1000);
        barra->press(qz::qzProximo);
        barra->press(qz::qzProximo);
        const int antes = int(barra->RegistrosPorPagina());
        QCOMPARE(int(barra->PrimeiroRegistro()), 2 * antes + 1);
        altura(700);
        QVERIFY(int(barra->RegistrosPorPagina()) < antes);
        conferir("after the resize");
        for (const std::int32_t botao :
             {qz::qzProximo, qz::qzProximo, qz::qzProximo, qz::qzAnterior, qz::qzUltimo}) {
            barra->press(botao);
            conferir(qPrintable(QStringLiteral("after button %1").arg(botao)));
        }
        QCOMPARE(int(barra->UltimoRegistro()), int(numeros.size()));
        altura(1000);
        conferir("grown on the last page");
        QVERIFY(m_caixas->shown().empty());
    }

    // The list cannot be built and its failure cannot be shown either: the
    // menu's notice is seen over what was left, choosing the option again
    // stacks no second list, and "Abrir novamente" opens one once all is back.
    void listaQueNaoAbre() {
        const auto biblioteca = [](const char* nome) {
            return suite::admin::pastaDasBibliotecas() + QStringLiteral("/lib%1.so").arg(QLatin1String(nome));
        };
        for (const char* b : {"QUVA_A_MsgErro", "QUVA_N_CReceber"})
            QCOMPARE(automation::UnregisterLibrary(biblioteca(b)), automation::S_OK_);
        suite::menu::frmMenu menu("caixa2");
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        auto* aviso = menu.findChild<QWidget*>("picSemLista");
        for (int vez = 0; vez < 2; ++vez) {
            QVERIFY(menu.escolher("Contas a receber"));
            QCOMPARE(menu.listasEmbutidas().size(), 1);
            QVERIFY(aviso->isVisible());
            QWidget* noCentro = menu.areaDaLista()->childAt(menu.areaDaLista()->rect().center());
            QVERIFY(noCentro == aviso || aviso->isAncestorOf(noCentro));
        }
        for (const char* b : {"QUVA_A_MsgErro", "QUVA_N_CReceber"})
            QCOMPARE(automation::RegisterLibrary(biblioteca(b)), automation::S_OK_);
        for (auto* botao : aviso->findChildren<QPushButton*>())
            botao->click();
        QCOMPARE(menu.listasEmbutidas().size(), 1);
        QVERIFY(!aviso->isVisible());
        QVERIFY(gradeDaLista().Visible());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    suite::menu::prepararAplicacao();
    QTemporaryDir registro;
    qputenv("QUVA_REGISTRY", registro.filePath(QStringLiteral("registry.ini")).toUtf8());
    for (const auto& r : suite::admin::registrarSuite(suite::admin::pastaDasBibliotecas()))
        if (!r.feito) qFatal("%s: %s", qPrintable(r.biblioteca), qPrintable(r.erro));
    return teste::executarNosDoisBancos<tst_menu_ponta>(argc, argv);
}

#include "tst_menu_ponta.moc"
