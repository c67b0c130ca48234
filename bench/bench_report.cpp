// The report engine on the open-receivables design: 10,000 rows to a PDF
// file (baseline: a raw QPdfWriter loop drawing the same texts at the same
// places), and a 100,000-row preview: the time from Show until its first
// page is drawn and the memory it holds while open (baseline for both: the
// obvious preview that records every page as a picture before showing).

#include "BenchUtil.h"

#include "datareport/Documento.h"
#include "datareport/Visualizacao.h"
#include "reports/Relatorios.h"
#include "runtime/Convert.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>

using namespace quva;
using namespace quva::datareport;
using Relogio = std::chrono::steady_clock;

namespace {

const char16_t* const kCaixas[5] = {u"txtNumeroDoLancamento", u"txtCliente", u"txtHistorico", u"txtVencimento",
                                    u"txtValor"};

std::shared_ptr<ado::Recordset> contas(int n) {
    std::vector<ado::FieldInfo> campos;
    for (const char16_t* c : kCaixas) campos.push_back({QString::fromUtf16(c), ado::adVariant, 0});
    std::vector<rt::Variant> v;
    v.reserve(std::size_t(n) * 5);
    for (int i = 1; i <= n; ++i)
        v.insert(v.end(), {std::int32_t(i), QStringLiteral("Cliente %1").arg(i % 997),
                           QStringLiteral("Venda a prazo %1, parcela 1 de 3").arg(i), QStringLiteral("10/10/2030"),
                           rt::Currency{std::int64_t(i) * 1234567}});
    return ado::Recordset::fromRows(campos, std::move(v));
}

DataReport& preenchido(std::shared_ptr<ado::Recordset> rs) {
    DataReport& r = creceber::drContasAReceber();
    r.setDataSource(std::move(rs));
    for (const char16_t* c : kCaixas)
        r.Sections(QStringLiteral("Dados")).Controls(QString::fromUtf16(c)).setDataField(QString::fromUtf16(c));
    r.Sections(QStringLiteral("Cabecalho")).Controls(QStringLiteral("lblNomeFantasiaDaEmpresa")).setCaption(
        QStringLiteral("Padaria Pão Quente"));
    r.WindowState = 2;
    return r;
}

// The same texts at the same places, straight onto a PDF writer.
void pdfCru(const QString& arquivo, const std::shared_ptr<ado::Recordset>& rs) {
    QPdfWriter w(arquivo);
    w.setResolution(1440);
    w.setPageSize(QPageSize(QPageSize::A4));
    QPainter p(&w);
    const QFont f = fonteDe({"Arial", 9.75, false});
    const QFont cab = fonteDe({"Arial", 24, true});
    const int lefts[5] = {170, 1134, 3288, 6973, 8277};
    int y = 0, pagina = 0;
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
        if (y == 0 || y + 227 > 16838 - 850 - 705) {
            if (pagina++) w.newPage();
            p.setFont(cab);
            p.drawText(QPointF(1020, 850 + 700), QStringLiteral("Padaria Pão Quente"));
            p.setFont(f);
            p.drawText(QPointF(1020, 850 + 2300), QStringLiteral("Nº Lanc.   Cliente   Histórico   Vencimento   Valor"));
            p.drawText(QPointF(9000, 850 + 1500), QStringLiteral("Página: %1").arg(pagina));
            y = 850 + 2550;
        }
        for (int k = 0; k < 5; ++k)
            p.drawText(QPointF(850 + lefts[k], y + 190),
                       k == 4 ? rt::Format(rs->valueAt(k), QStringLiteral("#,##0.00")) : rs->valueAt(k).toString());
        y += 227;
    }
}

long rssKb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmRSS:")) return l.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

Relogio::time_point g_desenhou;
long g_rssAberta = 0;
void aoDesenhar() {
    g_desenhou = Relogio::now();
    g_rssAberta = rssKb();
    QTimer::singleShot(0, [] {
        if (auto* v = QApplication::activeModalWidget()) v->close();
    });
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;

    {
        auto rs = contas(10000);
        const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
        const double cru = bench::medianSeconds(5, [&] { pdfCru(pdf, rs); }, 1e3);
        const double motor = bench::medianSeconds(5, [&] { preenchido(rs).saveToPdf(pdf); }, 1e3);
        bench::report("report_pdf_10k", motor, "ms", 1050, cru);
    }

    auto rs = contas(100000);
    Visualizacao::setAoDesenharPrimeiraPagina(aoDesenhar);
    std::vector<double> tempos;
    long crescimento = 0;
    for (int i = 0; i < 3; ++i) {
        DataReport& r = preenchido(rs);
        const long antes = rssKb();
        const auto t0 = Relogio::now();
        r.Show(1);
        tempos.push_back(std::chrono::duration<double, std::milli>(g_desenhou - t0).count());
        crescimento = std::max(crescimento, g_rssAberta - antes);
    }
    std::sort(tempos.begin(), tempos.end());

    // The obvious preview: every page recorded as a picture, then the first shown.
    DataReport& r = preenchido(rs);
    const long antes = rssKb();
    const auto t0 = Relogio::now();
    std::vector<QPicture> figuras;
    {
        const Documento& d = r.documento();
        figuras.resize(d.pageCount());
        for (std::size_t i = 0; i < d.pageCount(); ++i) {
            QPainter p(&figuras[i]);
            d.drawPage(p, int(i));
        }
    }
    const double base = std::chrono::duration<double, std::milli>(Relogio::now() - t0).count();
    const long baseRss = rssKb() - antes;

    bench::report("report_first_page_100k", tempos[1], "ms", 500, base);
    bench::report("report_rss_100k", crescimento / 1024.0, "MB", 150, baseRss / 1024.0);
    return 0;
}
