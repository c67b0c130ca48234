// The receivable card from the list on the real business components over
// 1,000,000 receivables and 100,000 clients: opening it to alter a row, the
// client lookup by part of a name and saving a plan of 24 installments.
// Each figure beside the obvious implementation: a dialog filled by a
// joined query, a LIKE scan of the clients, one commit per installment and
// the selection counted and read again. The one-second waits cost nothing:
// the clock steps on every read.

#include "BenchUtil.h"
#include "DadosDeBench.h"

#include "automation/Server.h"
#include "component/modPrincipal.h"
#include "forms/Metrics.h"
#include "forms/MsgBox.h"
#include "forms/Window.h"
#include "forms/card/frmFicha.h"
#include "forms/clientsearch/frmPesquisaDeClientes.h"
#include "forms/list/frmLista.h"

#include <QApplication>
#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

using namespace quva;
using namespace quva::suite;
using namespace creceber;

namespace {

constexpr int kVezes = 7;

double mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A modal window that is none of the component's forms is an error message:
// it is logged and closed so the run goes on, and the figures are marked.
bool gHouveErro = false;
forms::ScriptedMessageBoxes* gMensagens = nullptr;

void vigiarMensagensDeErro() {
    auto* t = new QTimer(qApp);
    t->setInterval(50);
    QObject::connect(t, &QTimer::timeout, [] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) return;
        for (forms::Form* f : forms::Forms())
            if (f->window() == w) return;
        QStringList textos;
        for (auto* l : w->findChildren<QLabel*>())
            if (!l->text().isEmpty()) textos << l->text();
        std::fprintf(stderr, "error message shown: %s\n", qPrintable(textos.join(QStringLiteral(" | "))));
        gHouveErro = true;
        w->close();
    });
    t->start();
}

void registrarBibliotecas() {
    const QString pasta = QCoreApplication::applicationDirPath() + QStringLiteral("/../lib/");
    for (const char* b : {"QUVA_N_CReceber", "QUVA_N_ClientAnim", "QUVA_N_Empresa", "QUVA_N_SO",
                          "QUVA_A_MsgErro", "QUVA_A_MsgAcesso", "QUVA_A_EfeitosDeTela"}) {
        QString erro;
        const QString arquivo = pasta + QStringLiteral("lib%1.so").arg(QLatin1String(b));
        if (automation::RegisterLibrary(arquivo, &erro) != automation::S_OK_)
            qFatal("cannot register %s: %s", qPrintable(arquivo), qPrintable(erro));
    }
}

// Runs acao once pronto() holds, polling from the event loop (the card and
// the client picker are modal).
void quando(std::function<bool()> pronto, std::function<void()> acao) {
    auto* t = new QTimer;
    t->setInterval(0);
    QObject::connect(t, &QTimer::timeout, [t, pronto, acao] {
        if (!pronto()) return;
        t->stop();
        t->deleteLater();
        acao();
    });
    t->start();
}

template <class T> T* formularioVisivel() {
    for (forms::Form* f : forms::Forms())
        if (auto* x = dynamic_cast<T*>(f); x && x->Visible()) return x;
    return nullptr;
}

class Bancada {
public:
    std::unique_ptr<QWidget> hospedeiro;
    QWidget* area = nullptr;
    std::shared_ptr<frmLista> lista;

    Bancada() {
        hospedeiro = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(hospedeiro.get());
        layout->setContentsMargins(0, 0, 0, 40);
        area = new QWidget;
        layout->addWidget(area, 1);
        hospedeiro->resize(1280, 760);
        hospedeiro->show();
        QApplication::processEvents();
        lista = std::make_shared<frmLista>();
        gfrmLista = lista;
        if (lista->MontarExibirFormulario(forms::hWnd(area)) != 0) qFatal("the list did not open");
        // All receivables, not only the recent ones.
        lista->qzcmbSituacao->setListIndex(0);
        QApplication::processEvents();
    }
    ~Bancada() {
        gfrmLista.reset();
        lista.reset();
    }
};

const QString kDe =
    QStringLiteral(" FROM contas_a_receber r JOIN clientes c ON c.codigo_do_cliente = r.codigo_do_cliente ");

void abrirParaAlterar(Bancada& m, Banco& b) {
    std::vector<double> t;
    for (int i = 0; i < kVezes; ++i) {
        // Settled rows open no card: take the open ones of the page in turn.
        std::vector<int> abertas;
        for (int r = 1; r < m.lista->msfgGrade->Rows(); ++r)
            if (m.lista->msfgGrade->TextMatrix(r, colunas::DataDaBaixa).isEmpty()) abertas.push_back(r);
        if (abertas.empty()) qFatal("no open receivable on the first page");
        m.lista->msfgGrade->setRow(abertas[std::size_t(i) % abertas.size()]);
        double t0 = 0, t1 = 0;
        quando([] { return formularioVisivel<frmFicha>() != nullptr; },
               [&] {
                   t1 = bench::agoraMs();
                   formularioVisivel<frmFicha>()->Hide();
               });
        t0 = bench::agoraMs();
        m.lista->qzcmdAlterar_Click();
        if (t1 == 0) qFatal("the card did not open for the selected row");
        t.push_back(t1 - t0);
    }
    // Baseline: the row read again with its client and shown in a plain dialog.
    std::vector<double> base;
    const qlonglong numero =
        m.lista->msfgGrade->TextMatrix(m.lista->msfgGrade->Row(), colunas::NumeroDoLancamento).toLongLong();
    for (int i = 0; i < 3; ++i) {
        const double t0 = bench::agoraMs();
        QDialog d;
        auto* f = new QFormLayout(&d);
        QSqlQuery q = b.executar(QStringLiteral("SELECT r.*, c.*") + kDe +
                                     QStringLiteral("WHERE r.numero_do_lancamento = ?"),
                                 {numero});
        if (q.next())
            for (int c = 0; c < q.record().count(); ++c)
                f->addRow(q.record().fieldName(c), new QLineEdit(q.value(c).toString()));
        d.show();
        d.repaint();
        base.push_back(bench::agoraMs() - t0);
    }
    bench::report("card_open_alter", mediana(t), "ms", 150, mediana(base));
}

// Types part of a name into the card's client field and waits until the
// client is filled in or the picker shows its candidates.
double procurarCliente(const QString& termo, int* candidatos) {
    frmFicha f;
    f.Load();
    double t = -1;
    quando([&] { return f.Visible(); },
           [&] {
               quando([] { return formularioVisivel<frmPesquisaDeClientes>() != nullptr; },
                      [&] {
                          auto& d = frmPesquisaDeClientesPadrao();
                          if (t < 0) t = bench::agoraMs();
                          *candidatos = d.msfgGrade->Rows() - 1;
                          d.qzcmdFechar_Click();
                      });
               const double t0 = bench::agoraMs();
               f.qzfApelidoOuNomeFantasiaDoCliente->setText(termo);
               f.qzfApelidoOuNomeFantasiaDoCliente->requestSearch();
               if (t < 0) {
                   t = bench::agoraMs();
                   *candidatos = f.ClientePreenchido() ? 1 : 0;
               }
               t -= t0;
               f.Hide();
           });
    f.MontarExibirFormulario(1);
    f.Unload();
    return t;
}

void buscaDeCliente(Banco& b) {
    const QStringList termos{QStringLiteral("padaria"), QStringLiteral("conceicao"),
                             QStringLiteral("joao antonio"), QStringLiteral("xyzzyq")};
    std::vector<double> t;
    for (int i = 0; i < kVezes; ++i)
        for (const QString& termo : termos) {
            int candidatos = 0;
            t.push_back(procurarCliente(termo, &candidatos));
            if (i == 0)
                std::fprintf(stderr, "bench_card: '%s' found %d clients in %.1f ms\n", qPrintable(termo),
                             candidatos, t.back());
        }
    // Baseline: a LIKE scan of the names, the candidates into a table.
    std::vector<double> base;
    for (const QString& termo : termos) {
        const double t0 = bench::agoraMs();
        const QString p = u'%' + termo + u'%';
        QSqlQuery q =
            b.executar(QStringLiteral("SELECT * FROM clientes WHERE lower(apelido_ou_nome_fantasia) "
                                      "LIKE ? OR lower(nome_ou_razao_social) LIKE ? ORDER BY 1"),
                       {p, p});
        QTableWidget tabela;
        tabela.setColumnCount(q.record().count());
        while (q.next()) {
            const int r = tabela.rowCount();
            tabela.insertRow(r);
            for (int c = 0; c < tabela.columnCount(); ++c)
                tabela.setItem(r, c, new QTableWidgetItem(q.value(c).toString()));
        }
        tabela.show();
        tabela.repaint();
        base.push_back(bench::agoraMs() - t0);
    }
    bench::report("client_lookup", mediana(t), "ms", 100, mediana(base));
}

void salvar24(Bancada& m, Banco& b) {
    const qlonglong antes =
        b.valor(QStringLiteral("SELECT MAX(numero_do_lancamento) FROM contas_a_receber")).toLongLong();
    const rt::Date hoje = rt::Today();
    // Inactive clients take no new receivables.
    std::vector<qlonglong> ativos;
    QSqlQuery c =
        b.executar(QStringLiteral("SELECT codigo_do_cliente FROM clientes WHERE situacao = 1 ORDER BY 1 "
                                  "LIMIT %1")
                       .arg(kVezes));
    while (c.next())
        ativos.push_back(c.value(0).toLongLong());
    std::vector<double> t;
    for (int i = 0; i < int(ativos.size()); ++i) {
        double t0 = 0;
        bool preenchida = false;
        quando([] { return formularioVisivel<frmFicha>() != nullptr; },
               [&] {
                   frmFicha& f = *formularioVisivel<frmFicha>();
                   f.qzfCodigoDoCliente->setText(QString::number(ativos[std::size_t(i)]));
                   f.qzfCodigoDoCliente->requestSearch();
                   f.qzmemHistorico->setText(QStringLiteral("Venda em 24 vezes"));
                   for (int p = 1; p <= 24; ++p) {
                       f.qzdtpDataDeVencimentoDaParcelaAtual->setText(
                           rt::formatDate(rt::Date{hoje.serial + 30.0 * p}));
                       f.qznumValorDaParcelaAtual->setText(QStringLiteral("125,50"));
                       f.qzcmdAdicionar->setValue(true);
                   }
                   preenchida = f.msfgGrade->Rows() > 24 && f.ClientePreenchido();
                   if (!preenchida)
                       std::fprintf(stderr, "bench_card: plan of %d rows, client %d '%s'\n",
                                    f.msfgGrade->Rows(), int(f.ClientePreenchido()),
                                    qPrintable(f.qzfApelidoOuNomeFantasiaDoCliente->Text()));
                   t0 = bench::agoraMs();
                   f.qzcmdSalvarFecharConfirmar->setValue(true);
                   // Still open: the save was refused; close it so the run ends.
                   if (f.Visible()) f.Hide();
               });
        m.lista->qzcmdAdicionar_Click();
        const double t1 = bench::agoraMs();
        QApplication::processEvents();
        const qlonglong novas =
            b.valor(QStringLiteral("SELECT COUNT(*) FROM contas_a_receber WHERE numero_do_lancamento > ?"),
                    {antes})
                .toLongLong();
        if (!preenchida || novas != 24LL * (i + 1)) {
            for (const auto& msg : gMensagens->shown())
                std::fprintf(stderr, "bench_card: message shown: %s\n", qPrintable(msg.prompt));
            qFatal("the plan was not saved (filled %d, %lld new rows)", int(preenchida), novas);
        }
        t.push_back(t1 - t0);
    }
    // Only this run's rows: other programs may write to the same file.
    b.executar(QStringLiteral("DELETE FROM contas_a_receber WHERE numero_do_lancamento > ? AND historico = "
                              "'Venda em 24 vezes'"),
               {antes});
    // Baseline: one commit per installment, then the selection counted and its first page read again.
    std::vector<double> base;
    for (int i = 0; i < 3; ++i) {
        const double t0 = bench::agoraMs();
        for (int p = 1; p <= 24; ++p) {
            const qlonglong n =
                b.valor(QStringLiteral("SELECT MAX(numero_do_lancamento) + 1 FROM contas_a_receber"))
                    .toLongLong();
            b.executar(
                QStringLiteral("INSERT INTO contas_a_receber (numero_do_lancamento, codigo_do_cliente, "
                               "historico, numero_da_parcela, numero_de_parcelas, data_de_vencimento, "
                               "valor_do_documento, data_e_hora_da_inclusao, ultima_mudanca, busca) "
                               "VALUES (?, 1, 'bench 24', ?, 24, '2030-01-01', 12550, '2024-01-01 00:00:00', "
                               "'2024-01-01 00:00:00', 'x')"),
                {n, p});
        }
        (void)b.valor(QStringLiteral("SELECT COUNT(*)") + kDe);
        QSqlQuery q = b.executar(QStringLiteral("SELECT r.*, c.nome_ou_razao_social") + kDe +
                                 QStringLiteral("ORDER BY r.numero_do_lancamento DESC LIMIT 20"));
        while (q.next()) {
        }
        base.push_back(bench::agoraMs() - t0);
        b.executar(
            QStringLiteral("DELETE FROM contas_a_receber WHERE numero_do_lancamento > ? AND historico = "
                           "'bench 24'"),
            {antes});
    }
    bench::report("save_24", mediana(t), "ms", 300, mediana(base));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    rt::ManualClock relogio(bench::diaDosDados());
    relogio.setStepPerRead(0.3);
    rt::setClock(&relogio);
    forms::setLogicalDpiOverride(96);
    forms::ScriptedMessageBoxes mensagens;
    gMensagens = &mensagens;
    registrarBibliotecas();
    vigiarMensagensDeErro();
    gstrNomeDaAplicacao = QStringLiteral("QUVA - Contas a Receber");
    const QString arquivo = bench::garantirDados();
    qputenv("QUVA_DATABASE", arquivo.toUtf8());
    {
        auto b = Banco::abrirSeparado(arquivo);
        const QString so = qEnvironmentVariable("BENCH_ONLY");
        auto quer = [&](const char* n) { return so.isEmpty() || so.contains(QLatin1String(n)); };
        Bancada m;
        if (quer("open")) abrirParaAlterar(m, *b);
        if (quer("client")) buscaDeCliente(*b);
        if (quer("save")) salvar24(m, *b);
    }
    QStringList vistas;
    for (const auto& s : mensagens.shown())
        if (!vistas.contains(s.prompt)) vistas << s.prompt;
    for (const QString& s : vistas)
        std::fprintf(stderr, "bench_card: message shown: %s\n", qPrintable(s));
    rt::setClock(nullptr);
    return gHouveErro ? 1 : 0;
}
