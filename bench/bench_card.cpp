// The receivable card from the list on the real business components over
// 1,000,000 receivables and 100,000 clients: opening it to alter a row, the
// client lookup by part of a name and saving a plan of 24 installments.
// Each figure beside the obvious implementation: a dialog filled by a
// joined query, a LIKE scan of the clients, one commit per installment and
// the selection counted and read again. The one-second waits cost nothing:
// the clock steps on every read.

#include "BancadaDaTela.h"
#include "BenchUtil.h"

#include "forms/Window.h"
#include "forms/card/frmFicha.h"
#include "forms/clientsearch/frmPesquisaDeClientes.h"
#include "forms/list/frmLista.h"

#include <QApplication>
#include <QDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableWidget>
#include <QTimer>

#include <functional>

using namespace quva;
using namespace quva::suite;
using namespace creceber;
using bench::mediana;
using bench::quando;

namespace {

constexpr int kVezes = 7;

forms::ScriptedMessageBoxes* gMensagens = nullptr;

template <class T> T* formularioVisivel() {
    for (forms::Form* f : forms::Forms())
        if (auto* x = dynamic_cast<T*>(f); x && x->Visible()) return x;
    return nullptr;
}

class Bancada : public bench::Hospedeiro {
public:
    std::shared_ptr<frmLista> lista;

    Bancada() {
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
    bench::AmbienteDaTela ambiente;
    gMensagens = &ambiente.mensagens;
    {
        auto b = Banco::abrirSeparado(ambiente.arquivo);
        Bancada m;
        if (ambiente.quer("open")) abrirParaAlterar(m, *b);
        if (ambiente.quer("client")) buscaDeCliente(*b);
        if (ambiente.quer("save")) salvar24(m, *b);
    }
    QStringList vistas;
    for (const auto& s : ambiente.mensagens.shown())
        if (!vistas.contains(s.prompt)) vistas << s.prompt;
    for (const QString& s : vistas)
        std::fprintf(stderr, "bench_card: message shown: %s\n", qPrintable(s));
    return ambiente.saida();
}
