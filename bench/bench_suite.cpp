// The receivables business component at scale: 1,000,000 receivables and
// 100,000 clients, generated once into build/<preset>/suite-1m.db (and into
// a private PostgreSQL cluster under build/<preset>/suite-pg when the server
// binaries are installed). Each figure beside the obvious implementation:
// a fully materialised selection, OFFSET paging with a join, an accent-blind
// LIKE scan, one commit per row.

#include "BenchUtil.h"
#include "DadosDeBench.h"

#include "ado/Recordset.h"
#include "automation/LateBound.h"
#include "automation/Server.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"
#include "suite/storage/Banco.h"
#include "suite/storage/Demonstracao.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <unistd.h>

using namespace quva;
using namespace quva::suite;
using automation::byRef;
using automation::call;
using automation::get;
using rt::Variant;

namespace {

using bench::agoraMs;
using bench::kClientes;
using bench::kContas;
using bench::rssMB;

std::shared_ptr<ado::Recordset> rs(const Variant& v) {
    return std::dynamic_pointer_cast<ado::Recordset>(v.toObject());
}

rt::Object criar() {
    return automation::CreateObject(QStringLiteral("QUVA_N_CReceber.clsCReceber"));
}

// Selecionar and the page of 20 the list shows first.
void selecionarPrimeiraPagina(const rt::Object& o, int situacao, const QString& texto) {
    Variant pp(std::int16_t(20));
    if (call(o, QStringLiteral("Selecionar"), std::int32_t(1), byRef(pp), std::int32_t(situacao), texto)
            .toLong() != 0)
        qFatal("Selecionar: %s", qPrintable(get(o, QStringLiteral("DescricaoDoErro")).toString()));
    auto sel = rs(get(o, QStringLiteral("ResultadoDaSelecaoEmRecordSet")));
    if (sel->RecordCount() > 0) {
        sel->setAbsolutePage(1);
        Variant alvo;
        call(o, QStringLiteral("PaginarResultadoDaSelecaoEmRecordset"), byRef(pp), byRef(alvo, false));
    }
}

const char* kCondicao[] = {"1 = 1", "r.data_da_baixa IS NULL AND r.data_de_vencimento >= :hoje",
                           "r.data_da_baixa IS NULL AND r.data_de_vencimento < :hoje",
                           "r.data_da_baixa IS NOT NULL", "r.ultima_mudanca >= :recente"};

// The obvious implementation: the whole selection joined and read into memory.
double materializar(Banco& b, const QString& onde, const QVariantList& v,
                    std::vector<QVariantList>* guardar = nullptr) {
    const double t0 = agoraMs();
    QSqlQuery q =
        b.executar(QStringLiteral("SELECT r.*, c.apelido_ou_nome_fantasia, c.nome_ou_razao_social FROM "
                                  "contas_a_receber r JOIN clientes c ON c.codigo_do_cliente = "
                                  "r.codigo_do_cliente WHERE ") +
                       onde + QStringLiteral(" ORDER BY r.numero_do_lancamento DESC"),
                   v);
    std::vector<QVariantList> linhas;
    const int n = q.record().count();
    while (q.next()) {
        QVariantList l;
        l.reserve(n);
        for (int i = 0; i < n; ++i)
            l << q.value(i);
        linhas.push_back(std::move(l));
    }
    if (guardar) *guardar = std::move(linhas);
    return agoraMs() - t0;
}

QString sqlDaSituacao(int s, const Banco& b, QVariantList& v) {
    QString c = QString::fromLatin1(kCondicao[s]);
    const QDate hoje = paraQDate(rt::Today());
    if (c.contains(QLatin1String(":hoje"))) {
        c.replace(QLatin1String(":hoje"), QStringLiteral("?"));
        v << Banco::data(hoje);
    }
    if (c.contains(QLatin1String(":recente"))) {
        c.replace(QLatin1String(":recente"), QStringLiteral("?"));
        v << Banco::dataEHora(QDateTime(hoje.addDays(-30), QTime(0, 0)));
    }
    Q_UNUSED(b);
    return c;
}

void garantirDados(const QString& conexao) {
    auto b = Banco::abrirSeparado(conexao);
    if (b->valor(QStringLiteral("SELECT COUNT(*) FROM contas_a_receber")).toLongLong() >= kContas) return;
    std::fprintf(stderr, "bench_suite: generating %lld receivables and %lld clients into %s\n",
                 (long long)kContas, (long long)kClientes, qPrintable(conexao));
    const double t0 = agoraMs();
    OpcoesDaDemonstracao o;
    o.contas = kContas;
    o.clientes = kClientes;
    gerarDemonstracao(*b, o);
    std::fprintf(stderr, "bench_suite: generated in %.1f s\n", (agoraMs() - t0) / 1000);
}

void medirSelecao(Banco& b, const QString& prefixo, bool todas) {
    const char* nomes[] = {"sel_first_page_all", "sel_first_page_due", "sel_first_page_overdue",
                           "sel_first_page_settled", "sel_first_page_recent"};
    for (int s = 0; s < (todas ? 5 : 1); ++s) {
        rt::Object o = criar();
        const double m = bench::medianSeconds(
            5, [&] { selecionarPrimeiraPagina(o, s, QString()); }, 1e3);
        QVariantList v;
        const QString onde = sqlDaSituacao(s, b, v);
        const double base = materializar(b, onde, v);
        bench::report(qPrintable(prefixo + QString::fromLatin1(nomes[s])), m, "ms", 50, base);
    }
}

// The obvious search: LIKE over the raw texts, joined, counted and paged.
double buscaIngenua(Banco& b, const QString& termo, std::int64_t* achados = nullptr) {
    const double t0 = agoraMs();
    const QString padrao = u'%' + termo + u'%';
    const QString onde =
        QStringLiteral("(CAST(r.numero_do_lancamento AS TEXT) LIKE ? OR lower(r.historico) LIKE ? OR "
                       "CAST(c.codigo_do_cliente AS TEXT) LIKE ? OR lower(c.apelido_ou_nome_fantasia) "
                       "LIKE ? OR lower(c.nome_ou_razao_social) LIKE ?)");
    const QVariantList v{padrao, padrao, padrao, padrao, padrao};
    const QString de = QStringLiteral(
        " FROM contas_a_receber r JOIN clientes c ON c.codigo_do_cliente = r.codigo_do_cliente WHERE ");
    const std::int64_t n = b.valor(QStringLiteral("SELECT COUNT(*)") + de + onde, v).toLongLong();
    QSqlQuery q = b.executar(QStringLiteral("SELECT r.*") + de + onde +
                                 QStringLiteral(" ORDER BY r.numero_do_lancamento DESC LIMIT 20"),
                             v);
    while (q.next()) {
    }
    if (achados) *achados = n;
    return agoraMs() - t0;
}

void medirBusca(Banco& b, const QString& prefixo, bool todas) {
    struct Caso {
        const char* nome;
        const char* termo;
        double alvo;
    };
    const Caso casos[] = {
        {"search_few", "joao antonio", 30}, {"search_many", "conceicao", 150}, {"search_none", "xyzzyq", 30}};
    for (const Caso& c : casos) {
        if (!todas && QLatin1String(c.nome) != QLatin1String("search_few")) continue;
        rt::Object o = criar();
        const QString termo = QString::fromLatin1(c.termo);
        const double m = bench::medianSeconds(
            5, [&] { selecionarPrimeiraPagina(o, 0, termo); }, 1e3);
        const double base = buscaIngenua(b, termo);
        bench::report(qPrintable(prefixo + QString::fromLatin1(c.nome)), m, "ms",
                      prefixo.isEmpty() ? c.alvo : 60, base);
        const auto sel = rs(get(o, QStringLiteral("ResultadoDaSelecaoEmRecordSet")));
        std::fprintf(stderr, "bench_suite: %s%s '%s' found %d\n", qPrintable(prefixo), c.nome, c.termo,
                     sel->RecordCount());
    }
}

void medirRecall(Banco& b) {
    // Rows whose client carries "João" in its names, against what "joao" finds.
    QSet<int> esperados;
    QSqlQuery q = b.executar(QStringLiteral(
        "SELECT r.numero_do_lancamento FROM contas_a_receber r JOIN clientes c ON c.codigo_do_cliente = "
        "r.codigo_do_cliente WHERE c.nome_ou_razao_social LIKE '%João%' OR c.apelido_ou_nome_fantasia LIKE "
        "'%João%'"));
    while (q.next())
        esperados.insert(q.value(0).toInt());
    rt::Object o = criar();
    Variant pp(std::int16_t(20));
    call(o, QStringLiteral("Selecionar"), std::int32_t(1), byRef(pp), std::int32_t(0),
         QStringLiteral("joao"));
    auto sel = rs(get(o, QStringLiteral("ResultadoDaSelecaoEmRecordSet")));
    std::int64_t achados = 0;
    for (sel->MoveFirst(); !sel->EOF_(); sel->MoveNext())
        achados += esperados.contains(sel->Fields(QStringLiteral("NumeroDoLancamento")).Value().toLong());
    std::int64_t ingenuos = 0;
    QSqlQuery n = b.executar(QStringLiteral(
        "SELECT r.numero_do_lancamento FROM contas_a_receber r JOIN clientes c ON c.codigo_do_cliente = "
        "r.codigo_do_cliente WHERE lower(c.nome_ou_razao_social) LIKE '%joao%' OR "
        "lower(c.apelido_ou_nome_fantasia) "
        "LIKE '%joao%'"));
    while (n.next())
        ingenuos += esperados.contains(n.value(0).toInt());
    const double total = std::max<double>(1, double(esperados.size()));
    bench::report("search_accent_recall", 100.0 * double(achados) / total, "percent", 100,
                  100.0 * double(ingenuos) / total);
}

void medirPaginas(Banco& b, const QString& prefixo) {
    std::vector<double> piores;
    for (int run = 0; run < 5; ++run) {
        rt::Object o = criar();
        selecionarPrimeiraPagina(o, 0, QString());
        auto sel = rs(get(o, QStringLiteral("ResultadoDaSelecaoEmRecordSet")));
        const int paginas = sel->PageCount();
        double pior = 0;
        for (int p : {1, paginas / 2 + run, paginas}) {
            const double t0 = agoraMs();
            sel->setAbsolutePage(p);
            Variant pp(std::int16_t(20)), alvo;
            call(o, QStringLiteral("PaginarResultadoDaSelecaoEmRecordset"), byRef(pp), byRef(alvo, false));
            pior = std::max(pior, agoraMs() - t0);
        }
        piores.push_back(pior);
    }
    std::sort(piores.begin(), piores.end());
    // Baseline: the last page by OFFSET over the joined rows.
    const double t0 = agoraMs();
    QSqlQuery q = b.executar(QStringLiteral("SELECT r.*, c.nome_ou_razao_social FROM contas_a_receber r JOIN "
                                            "clientes c ON c.codigo_do_cliente = "
                                            "r.codigo_do_cliente ORDER BY r.data_de_vencimento DESC, "
                                            "r.numero_do_lancamento DESC LIMIT 20 OFFSET %1")
                                 .arg(kContas - 20));
    while (q.next()) {
    }
    bench::report(qPrintable(prefixo + QStringLiteral("page_any")), piores[piores.size() / 2], "ms",
                  prefixo.isEmpty() ? 5 : 10, agoraMs() - t0);
    // Not a target, for the record: a first jump into the middle of a
    // situation ordered by date counts its way there on the order's index
    // from the nearest row already read; the next jumps near it do not.
    rt::Object o = criar();
    selecionarPrimeiraPagina(o, 3, QString());
    auto sel = rs(get(o, QStringLiteral("ResultadoDaSelecaoEmRecordSet")));
    double meio[2];
    for (int i = 0; i < 2; ++i) {
        const double t1 = agoraMs();
        sel->setAbsolutePage(sel->PageCount() / 2 + i);
        Variant pp(std::int16_t(20)), alvo;
        call(o, QStringLiteral("PaginarResultadoDaSelecaoEmRecordset"), byRef(pp), byRef(alvo, false));
        meio[i] = agoraMs() - t1;
    }
    std::fprintf(stderr, "bench_suite: %ssettled, middle page of %d: %.1f ms, the page after it: %.2f ms\n",
                 qPrintable(prefixo), sel->PageCount(), meio[0], meio[1]);
}

// Ten thousand receivables deleted at random, kept aside with their
// settlements and put back afterwards, so the cached data stay whole. A run
// that died midway left them aside: they go back first.
class Exclusoes {
public:
    explicit Exclusoes(Banco& b) : m_b(b) {
        restaurar();
        QRandomGenerator sorteio(15);
        QSet<qlonglong> numeros;
        while (numeros.size() < 10000)
            numeros.insert(qlonglong(1 + sorteio.bounded(quint32(kContas))));
        QStringList lista;
        for (qlonglong n : numeros)
            lista << QString::number(n);
        const QString em = lista.join(u',');
        m_b.transacao([&] {
            m_b.executar(QStringLiteral("CREATE TABLE bench_contas AS SELECT * FROM contas_a_receber WHERE "
                                        "numero_do_lancamento IN (%1)")
                             .arg(em));
            m_b.executar(
                QStringLiteral(
                    "CREATE TABLE bench_baixas AS SELECT * FROM baixas WHERE numero_do_lancamento IN (%1)")
                    .arg(em));
            m_b.executar(
                QStringLiteral("DELETE FROM contas_a_receber WHERE numero_do_lancamento IN (%1)").arg(em));
        });
    }
    ~Exclusoes() { restaurar(); }

private:
    void restaurar() {
        const QString existe =
            m_b.sqlite() ? QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = 'bench_contas'")
                         : QStringLiteral("SELECT COUNT(*) FROM pg_tables WHERE tablename = 'bench_contas'");
        if (m_b.valor(existe).toInt() == 0) return;
        m_b.transacao([&] {
            m_b.executar(QStringLiteral("INSERT INTO contas_a_receber SELECT * FROM bench_contas"));
            m_b.executar(QStringLiteral("INSERT INTO baixas SELECT * FROM bench_baixas"));
            m_b.executar(QStringLiteral("DROP TABLE bench_contas"));
            m_b.executar(QStringLiteral("DROP TABLE bench_baixas"));
        });
    }
    Banco& m_b;
};

// First, middle and last page of every situation and of a broad search,
// with gaps in the numbering: the worst of all. Baseline: the same pages by
// OFFSET over the joined rows.
void medirQualquerPagina(Banco& b, const QString& prefixo) {
    Exclusoes exclusoes(b);
    const QString busca = QStringLiteral("conceicao");
    std::vector<double> piores;
    for (int run = 0; run < 5; ++run) {
        double pior = 0;
        QString onde;
        for (int s = 0; s <= 5; ++s) {
            rt::Object o = criar();
            selecionarPrimeiraPagina(o, s % 5, s == 5 ? busca : QString());
            auto sel = rs(get(o, QStringLiteral("ResultadoDaSelecaoEmRecordSet")));
            const int paginas = sel->PageCount();
            for (int p : {1, std::min(paginas, paginas / 2 + run), paginas}) {
                if (p < 1) continue;
                const double t0 = agoraMs();
                sel->setAbsolutePage(p);
                Variant pp(std::int16_t(20)), alvo;
                call(o, QStringLiteral("PaginarResultadoDaSelecaoEmRecordset"), byRef(pp),
                     byRef(alvo, false));
                const double ms = agoraMs() - t0;
                if (ms > pior) {
                    pior = ms;
                    onde = QStringLiteral("selection %1 page %2 of %3").arg(s).arg(p).arg(paginas);
                }
            }
        }
        std::fprintf(stderr, "bench_suite: %spage_any_worst: run %d, worst %s: %.1f ms\n", qPrintable(prefixo),
                     run, qPrintable(onde), pior);
        piores.push_back(pior);
    }
    std::sort(piores.begin(), piores.end());
    const char* ordens[] = {"r.numero_do_lancamento DESC", "r.data_de_vencimento, r.numero_do_lancamento",
                            "r.data_de_vencimento, r.numero_do_lancamento",
                            "r.data_da_baixa DESC, r.numero_do_lancamento DESC",
                            "r.ultima_mudanca DESC, r.numero_do_lancamento DESC"};
    double base = 0;
    for (int s = 0; s < 5; ++s) {
        QVariantList v;
        const QString onde = sqlDaSituacao(s, b, v);
        const std::int64_t n =
            b.valor(QStringLiteral("SELECT COUNT(*) FROM contas_a_receber r WHERE ") + onde, v).toLongLong();
        for (std::int64_t k : {n / 2, std::max<std::int64_t>(0, n - 20)}) {
            const double t0 = agoraMs();
            QSqlQuery q =
                b.executar(QStringLiteral("SELECT r.*, c.nome_ou_razao_social FROM contas_a_receber r "
                                          "JOIN clientes c ON c.codigo_do_cliente = r.codigo_do_cliente "
                                          "WHERE %1 ORDER BY %2 LIMIT 20 OFFSET %3")
                               .arg(onde, QLatin1String(ordens[s]))
                               .arg(k),
                           v);
            while (q.next()) {
            }
            base = std::max(base, agoraMs() - t0);
        }
    }
    bench::report(qPrintable(prefixo + QStringLiteral("page_any_worst")), piores[piores.size() / 2], "ms",
                  prefixo.isEmpty() ? 5 : 10, base);
}

void medirMemoria(Banco& b) {
    malloc_trim(0);
    const double antes = rssMB();
    double depois = 0;
    {
        rt::Object o = criar();
        selecionarPrimeiraPagina(o, 0, QString());
        auto sel = rs(get(o, QStringLiteral("ResultadoDaSelecaoEmRecordSet")));
        sel->setAbsolutePage(sel->PageCount());
        depois = rssMB();
    }
    malloc_trim(0);
    const double base0 = rssMB();
    std::vector<QVariantList> tudo;
    materializar(b, QStringLiteral("1 = 1"), {}, &tudo);
    const double base = rssMB() - base0;
    tudo.clear();
    tudo.shrink_to_fit();
    malloc_trim(0);
    bench::report("selection_rss", std::max(0.0, depois - antes), "MB", 64, base);
}

void medirAdicionar(Banco& b) {
    class Grade : public automation::DispatchObject {
    public:
        Grade() : DispatchObject(QStringLiteral("MSFlexGrid")) {
            property(QStringLiteral("Rows"), [](automation::Args) { return Variant(std::int32_t(13)); }, {});
            property(
                QStringLiteral("TextMatrix"),
                [](automation::Args a) {
                    const int r = a[0].toLong();
                    if (a[1].toLong() == 0)
                        return Variant(rt::formatDate(rt::Date{rt::Today().serial + 30.0 * r}));
                    return a[1].toLong() == 1 ? Variant(QStringLiteral("1.234,56")) : Variant(QString());
                },
                {}, rt::kUnknownMember, 2);
        }
    };
    const std::int64_t antes =
        b.valor(QStringLiteral("SELECT MAX(numero_do_lancamento) FROM contas_a_receber")).toLongLong();
    auto grade = rt::Object(std::make_shared<Grade>());
    const double m = bench::medianSeconds(
        11,
        [&] {
            rt::Object o = criar();
            automation::let(o, QStringLiteral("CodigoDoCliente"), 1.0);
            automation::let(o, QStringLiteral("Historico"), QStringLiteral("Venda em 12 vezes"));
            automation::set(o, QStringLiteral("GradeDasParcelas"), grade);
            if (call(o, QStringLiteral("Adicionar")).toInteger() != 0)
                qFatal("Adicionar: %s %s", qPrintable(get(o, QStringLiteral("DescricaoDaFalha")).toString()),
                       qPrintable(get(o, QStringLiteral("DescricaoDoErro")).toString()));
        },
        1e3);
    // Baseline: twelve inserts, each committed on its own.
    const double base = bench::medianSeconds(
        3,
        [&] {
            for (int i = 0; i < 12; ++i) {
                const std::int64_t n =
                    b.valor(QStringLiteral("SELECT MAX(numero_do_lancamento) + 1 FROM contas_a_receber"))
                        .toLongLong();
                b.executar(
                    QStringLiteral(
                        "INSERT INTO contas_a_receber (numero_do_lancamento, codigo_do_cliente, historico, "
                        "data_de_vencimento, valor_do_documento, data_e_hora_da_inclusao, ultima_mudanca, "
                        "busca) "
                        "VALUES (?, 1, 'x', '2030-01-01', 10000, '2024-01-01 00:00:00', '2024-01-01 "
                        "00:00:00', 'x')"),
                    {qlonglong(n)});
            }
        },
        1e3);
    b.executar(QStringLiteral("DELETE FROM contas_a_receber WHERE numero_do_lancamento > ?"),
               {qlonglong(antes)});
    bench::report("adicionar_12", m, "ms", 20, base);
}

void medirRelatorio(Banco& b) {
    // A due-date period holding 100,000 open receivables.
    const QString inicio = QStringLiteral("01/01/1900");
    QVariant fim =
        b.valor(QStringLiteral("SELECT data_de_vencimento FROM contas_a_receber WHERE data_da_baixa IS NULL "
                               "ORDER BY data_de_vencimento LIMIT 1 OFFSET 99999"));
    const QString fimTexto = Banco::lerData(fim).toString(QStringLiteral("dd/MM/yyyy"));
    std::int64_t linhas = 0;
    const double m = bench::medianSeconds(
        3,
        [&] {
            rt::Object o = criar();
            Variant t{std::int16_t(3)}, f{QString()}, td{false}, i{inicio}, e{fimTexto};
            call(o, QStringLiteral("SelecionarContasAReceber"), byRef(t), byRef(f, false), byRef(td),
                 byRef(i), byRef(e));
            auto sel = rs(get(o, QStringLiteral("ResultadoDaSelecaoEmRecordSet")));
            linhas = 0;
            for (sel->MoveFirst(); !sel->EOF_(); sel->MoveNext()) {
                for (int k = 0; k < sel->fieldCount(); ++k)
                    (void)sel->valueAt(k);
                ++linhas;
            }
        },
        1e3);
    QVariantList v{Banco::data(QDate(1900, 1, 1)), Banco::data(Banco::lerData(fim))};
    const double base = materializar(
        b,
        QStringLiteral("r.data_da_baixa IS NULL AND r.data_de_vencimento >= ? AND r.data_de_vencimento <= ?"),
        v);
    bench::report("report_stream", double(linhas) / (m / 1000.0), "rows/s", 200000,
                  double(linhas) / (base / 1000.0));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The data are generated around a fixed day, so the cached file stays valid.
    rt::ManualClock relogio(bench::diaDosDados());
    rt::setClock(&relogio);
    QString erro;
    if (automation::RegisterLibrary(QStringLiteral(CRECEBER_PATH), &erro) != automation::S_OK_)
        qFatal("cannot register %s: %s", CRECEBER_PATH, qPrintable(erro));
    const QString pasta = QCoreApplication::applicationDirPath() + QStringLiteral("/..");

    // BENCH_ONLY=report,pg_search runs the rows whose names contain one of its words.
    const QStringList so = qEnvironmentVariable("BENCH_ONLY").split(u',', Qt::SkipEmptyParts);
    auto quer = [&](const char* n) {
        if (so.isEmpty()) return true;
        for (const QString& p : so)
            if (QLatin1String(n).contains(p)) return true;
        return false;
    };

    // SQLite.
    const QString arquivo = bench::garantirDados();
    qputenv("QUVA_DATABASE", arquivo.toUtf8());
    {
        auto b = Banco::abrirSeparado(arquivo);
        if (quer("sel_first_page")) medirSelecao(*b, QString(), true);
        if (quer("search_few search_many search_none")) medirBusca(*b, QString(), true);
        if (quer("search_accent_recall")) medirRecall(*b);
        if (quer("page_any")) medirPaginas(*b, QString());
        if (quer("page_any_worst")) medirQualquerPagina(*b, QString());
        if (quer("selection_rss")) medirMemoria(*b);
        if (quer("adicionar_12")) medirAdicionar(*b);
        if (quer("report_stream")) medirRelatorio(*b);
    }
    if (!quer("pg_sel_first_page pg_search_few pg_page_any")) return 0;

    // PostgreSQL, on a private cluster kept beside the SQLite file.
    const QString cluster = QDir(pasta).absoluteFilePath(QStringLiteral("suite-pg"));
    QProcess p;
    p.start(QStringLiteral(PG_SCRIPT), {QStringLiteral("start"), cluster});
    p.waitForFinished(180000);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "bench_suite: no PostgreSQL figures: the private server did not start: %s\n",
                     qPrintable(QString::fromUtf8(p.readAllStandardError()).trimmed()));
        return 0;
    }
    const QString uri = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    try {
        garantirDados(uri);
        qputenv("QUVA_DATABASE", uri.toUtf8());
        auto b = Banco::abrirSeparado(uri);
        if (quer("pg_sel_first_page")) medirSelecao(*b, QStringLiteral("pg_"), false);
        if (quer("pg_search_few")) medirBusca(*b, QStringLiteral("pg_"), false);
        if (quer("pg_page_any")) medirPaginas(*b, QStringLiteral("pg_"));
        if (quer("pg_page_any_worst")) medirQualquerPagina(*b, QStringLiteral("pg_"));
    } catch (const ErroDoBanco& e) {
        std::fprintf(stderr, "bench_suite: PostgreSQL: %s\n", e.what());
    }
    QProcess::execute(QStringLiteral(PG_SCRIPT), {QStringLiteral("stop"), cluster});
    rt::setClock(nullptr);
    return 0;
}
