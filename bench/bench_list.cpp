// The receivables list on the real business component over 1,000,000
// receivables: opening, paging, filtering, searching and its memory. Each
// figure beside the obvious implementation: the selection read whole into
// a QTableWidget, OFFSET paging, a LIKE scan. The one-second waits cost
// nothing: the clock steps on every read.

#include "BancadaDaTela.h"
#include "BenchUtil.h"

#include "forms/Window.h"
#include "forms/list/frmLista.h"
#include "qz/QZNavigationBar.h"

#include <QApplication>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableWidget>

#include <malloc.h>

using namespace quva;
using namespace quva::suite;
using namespace creceber;
using bench::mediana;

namespace {

constexpr int kVezes = 5;

const char* kCondicao[] = {"1 = 1", "r.data_da_baixa IS NULL AND r.data_de_vencimento >= ?",
                           "r.data_da_baixa IS NULL AND r.data_de_vencimento < ?",
                           "r.data_da_baixa IS NOT NULL", "r.ultima_mudanca >= ?"};

QVariantList valoresDa(int s) {
    const QDate hoje = paraQDate(rt::Today());
    if (s == 1 || s == 2) return {Banco::data(hoje)};
    if (s == 4) return {Banco::dataEHora(QDateTime(hoje.addDays(-30), QTime(0, 0)))};
    return {};
}

const QString kDe = QStringLiteral(
    " FROM contas_a_receber r JOIN clientes c ON c.codigo_do_cliente = r.codigo_do_cliente WHERE ");
const QString kColunas = QStringLiteral("SELECT r.*, c.apelido_ou_nome_fantasia, c.nome_ou_razao_social");

// The rows of a query, each cell a text item of the table.
void encher(QTableWidget& t, QSqlQuery& q) {
    const int n = q.record().count();
    t.setColumnCount(n);
    int r = 0;
    while (q.next()) {
        if (r >= t.rowCount()) t.setRowCount(std::max(64, t.rowCount() * 2));
        for (int c = 0; c < n; ++c)
            t.setItem(r, c, new QTableWidgetItem(q.value(c).toString()));
        ++r;
    }
    t.setRowCount(r);
}

// The obvious list: the business selection read whole, then shown. Up to
// kTabelaInteira rows go into a QTableWidget as they are; beyond that a table
// item per cell would not fit in memory, so the rows are kept as values and
// only the first page is put in the table.
constexpr int kTabelaInteira = 100'000;

double tabelaInteira(Banco& b, int s, QWidget* area, std::vector<QVariantList>* guardar = nullptr) {
    const double t0 = bench::agoraMs();
    const QString onde = QString::fromLatin1(kCondicao[s]);
    const qlonglong n = b.valor(QStringLiteral("SELECT COUNT(*)") + kDe + onde, valoresDa(s)).toLongLong();
    QTableWidget t(area);
    QSqlQuery q = b.executar(kColunas + kDe + onde + QStringLiteral(" ORDER BY r.numero_do_lancamento DESC"),
                             valoresDa(s));
    if (n <= kTabelaInteira && !guardar) {
        encher(t, q);
    } else {
        std::vector<QVariantList> linhas;
        linhas.reserve(std::size_t(n));
        const int colunas = q.record().count();
        while (q.next()) {
            QVariantList l;
            l.reserve(colunas);
            for (int c = 0; c < colunas; ++c)
                l << q.value(c);
            linhas.push_back(std::move(l));
        }
        t.setColumnCount(colunas);
        t.setRowCount(int(std::min<std::size_t>(20, linhas.size())));
        for (int r = 0; r < t.rowCount(); ++r)
            for (int c = 0; c < colunas; ++c)
                t.setItem(r, c, new QTableWidgetItem(linhas[std::size_t(r)][c].toString()));
        if (guardar) *guardar = std::move(linhas);
    }
    t.show();
    t.repaint();
    return bench::agoraMs() - t0;
}

class Bancada : public bench::Hospedeiro {
public:
    std::shared_ptr<frmLista> lista;

    void abrir() {
        lista.reset();
        lista = std::make_shared<frmLista>();
        if (lista->MontarExibirFormulario(forms::hWnd(area)) != 0) qFatal("the list did not open");
        pintar();
    }
    void pintar() {
        lista->window()->repaint();
        QApplication::processEvents();
    }
    void situacao(int s) {
        lista->qzcmbSituacao->setListIndex(s);
        pintar();
    }
    void pesquisar(const QString& t) {
        lista->qzfndPesquisar->setText(t);
        lista->qzfndPesquisar->requestSearch();
        pintar();
    }
    int linhas() const { return lista->msfgGrade->Rows() - 1; }
};

void primeiraPagina(Bancada& m, Banco& b) {
    std::vector<double> t;
    for (int i = 0; i < kVezes; ++i) {
        m.lista.reset();
        malloc_trim(0);
        const double t0 = bench::agoraMs();
        m.abrir();
        t.push_back(bench::agoraMs() - t0);
    }
    std::fprintf(stderr, "bench_list: first page shows %d rows of %s\n", m.linhas(),
                 qPrintable(m.lista->qznbBarraDeNavegacao->caption()));
    // The list opens on the recent receivables: the baseline reads that selection whole.
    bench::report("list_first_page", mediana(t), "ms", 300, tabelaInteira(b, 4, m.area));
}

void trocaDePagina(Bancada& m, Banco& b) {
    m.abrir();
    m.situacao(0);
    std::vector<double> t;
    for (int i = 0; i < 4 * kVezes; ++i) {
        const double t0 = bench::agoraMs();
        m.lista->qznbBarraDeNavegacao->press(i % 4 == 3 ? qz::qzAnterior : qz::qzProximo);
        m.pintar();
        t.push_back(bench::agoraMs() - t0);
    }
    // "Last" on the overdue receivables: the whole list has more pages than
    // the list's 16-bit page number holds.
    m.situacao(2);
    double piorUltima = 0;
    for (int i = 0; i < kVezes; ++i) {
        m.lista->qznbBarraDeNavegacao->press(qz::qzPrimeiro);
        m.pintar();
        const double t0 = bench::agoraMs();
        m.lista->qznbBarraDeNavegacao->press(qz::qzUltimo);
        m.pintar();
        t.push_back(bench::agoraMs() - t0);
        piorUltima = std::max(piorUltima, t.back());
    }
    std::fprintf(stderr, "bench_list: last overdue page %s, worst %.1f ms\n",
                 qPrintable(m.lista->qznbBarraDeNavegacao->caption()), piorUltima);
    // Baseline: a middle page by OFFSET over the joined rows, into a table.
    std::vector<double> base;
    for (int i = 0; i < 3; ++i) {
        const double t0 = bench::agoraMs();
        QTableWidget tabela(m.area);
        QSqlQuery q =
            b.executar(kColunas + kDe +
                       QStringLiteral("1 = 1 ORDER BY r.numero_do_lancamento DESC LIMIT 20 OFFSET %1")
                           .arg(bench::kContas / 2 + i * 20));
        encher(tabela, q);
        tabela.show();
        tabela.repaint();
        base.push_back(bench::agoraMs() - t0);
    }
    bench::report("list_page_change", mediana(t), "ms", 30, mediana(base));
}

void filtro(Bancada& m, Banco& b) {
    m.abrir();
    std::vector<double> t;
    for (int i = 0; i < kVezes; ++i)
        for (int s : {1, 2, 3, 0}) {
            const double t0 = bench::agoraMs();
            m.situacao(s);
            t.push_back(bench::agoraMs() - t0);
        }
    // Baseline: each situation's selection read whole into a table.
    std::vector<double> base;
    for (int s : {1, 2, 3, 0})
        base.push_back(tabelaInteira(b, s, m.area));
    bench::report("list_filter", mediana(t), "ms", 200, mediana(base));
}

double buscaIngenua(Banco& b, const QString& termo, QWidget* area) {
    const double t0 = bench::agoraMs();
    const QString p = u'%' + termo + u'%';
    const QString onde = QStringLiteral(
        "(CAST(r.numero_do_lancamento AS TEXT) LIKE ? OR lower(r.historico) LIKE ? OR "
        "CAST(c.codigo_do_cliente AS TEXT) LIKE ? OR lower(c.apelido_ou_nome_fantasia) LIKE ? OR "
        "lower(c.nome_ou_razao_social) LIKE ?)");
    const QVariantList v{p, p, p, p, p};
    (void)b.valor(QStringLiteral("SELECT COUNT(*)") + kDe + onde, v);
    QTableWidget tabela(area);
    QSqlQuery q = b.executar(
        kColunas + kDe + onde + QStringLiteral(" ORDER BY r.numero_do_lancamento DESC LIMIT 20"), v);
    encher(tabela, q);
    tabela.show();
    tabela.repaint();
    return bench::agoraMs() - t0;
}

void busca(Bancada& m, Banco& b) {
    const QStringList termos{QStringLiteral("joao antonio"), QStringLiteral("conceicao"),
                             QStringLiteral("silva"), QStringLiteral("xyzzyq")};
    m.abrir();
    std::vector<double> t;
    for (int i = 0; i < kVezes; ++i)
        for (const QString& termo : termos) {
            const double t0 = bench::agoraMs();
            m.pesquisar(termo);
            t.push_back(bench::agoraMs() - t0);
            if (i == 0)
                std::fprintf(stderr, "bench_list: '%s' shows %s\n", qPrintable(termo),
                             qPrintable(m.lista->qznbBarraDeNavegacao->caption()));
        }
    std::vector<double> base;
    for (const QString& termo : termos)
        base.push_back(buscaIngenua(b, termo, m.area));
    bench::report("list_search", mediana(t), "ms", 200, mediana(base));
}

void memoria(Bancada& m, Banco& b) {
    std::vector<double> d;
    for (int i = 0; i < 3; ++i) {
        m.abrir();
        m.pesquisar(QStringLiteral("xyzzyq"));
        if (m.lista->qznbBarraDeNavegacao->caption().contains(QStringLiteral(" de ")))
            qFatal("the empty search found rows");
        malloc_trim(0);
        const double vazia = bench::rssMB();
        m.lista->qzfndPesquisar->requestClear();
        m.situacao(0);
        // Not the last page: past 32,767 pages the list's page number overflows.
        for (int p = 0; p < 3; ++p)
            m.lista->qznbBarraDeNavegacao->press(qz::qzProximo);
        m.pintar();
        d.push_back(bench::rssMB() - vazia);
    }
    m.lista.reset();
    malloc_trim(0);
    // Baseline: the whole 1,000,000-row selection held in memory (see tabelaInteira).
    const double antes = bench::rssMB();
    double base = 0;
    {
        std::vector<QVariantList> linhas;
        tabelaInteira(b, 0, m.area, &linhas);
        base = bench::rssMB() - antes;
    }
    malloc_trim(0);
    bench::report("list_rss", std::max(0.0, mediana(d)), "MB", 80, base);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    bench::AmbienteDaTela ambiente;
    {
        auto b = Banco::abrirSeparado(ambiente.arquivo);
        Bancada m;
        if (ambiente.quer("first")) primeiraPagina(m, *b);
        if (ambiente.quer("page")) trocaDePagina(m, *b);
        if (ambiente.quer("filter")) filtro(m, *b);
        if (ambiente.quer("search")) busca(m, *b);
        if (ambiente.quer("rss")) memoria(m, *b);
        m.lista.reset();
    }
    return ambiente.saida();
}
