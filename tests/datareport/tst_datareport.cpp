// The report engine through the component's own designs: what pdftotext
// reads back from the PDF (the same pages the preview and the printer get),
// page breaks, growing rows, the page-number labels and the preview's life.

#include "datareport/DataReport.h"
#include "datareport/Documento.h"
#include "datareport/Visualizacao.h"
#include "reports/Relatorios.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"
#include "support/Paginas.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QTest>
#include <QTimer>

using namespace quva;
using namespace quva::datareport;
using rt::Variant;

namespace {

int linhaCom(const QString& pagina, const QString& texto) {
    const QStringList ls = pagina.split(u'\n');
    for (int i = 0; i < ls.size(); ++i)
        if (ls[i].contains(texto)) return i;
    return -1;
}

// n open receivables, fields named after the list's columns.
std::shared_ptr<ado::Recordset> contas(int n, const QString& historicoDaDecima = {}) {
    const std::vector<ado::FieldInfo> campos{
        {QStringLiteral("NumeroDoLancamento"), ado::adInteger, 0},
        {QStringLiteral("Cliente"), ado::adVarWChar, 100},
        {QStringLiteral("Historico"), ado::adChar, 200},
        {QStringLiteral("DataDeVencimento"), ado::adVarWChar, 10},
        {QStringLiteral("ValorDoDocumento"), ado::adCurrency, 0},
    };
    std::vector<Variant> v;
    for (int i = 1; i <= n; ++i) {
        // Fixed-length texts arrive padded with blanks.
        QString h = i == 10 && !historicoDaDecima.isEmpty() ? historicoDaDecima : QStringLiteral("Venda %1").arg(i);
        v.insert(v.end(), {std::int32_t(i), QStringLiteral("Cliente %1").arg(i), h.leftJustified(200),
                           QStringLiteral("10/01/2027"), rt::Currency::fromUnits(i == 1 ? 0 : 1234) + rt::Currency{5000}});
    }
    return ado::Recordset::fromRows(campos, std::move(v));
}

DataReport& listaPreenchida(std::shared_ptr<ado::Recordset> rs) {
    DataReport& r = creceber::drContasAReceber();
    r.setDataSource(std::move(rs));
    auto& dados = r.Sections(QStringLiteral("Dados"));
    for (auto [caixa, campo] : {std::pair{u"txtNumeroDoLancamento", u"NumeroDoLancamento"},
                                {u"txtCliente", u"Cliente"},
                                {u"txtHistorico", u"Historico"},
                                {u"txtVencimento", u"DataDeVencimento"},
                                {u"txtValor", u"ValorDoDocumento"}})
        dados.Controls(QString::fromUtf16(caixa)).setDataField(QString::fromUtf16(campo));
    r.Sections(QStringLiteral("Cabecalho")).Controls(QStringLiteral("lblNomeFantasiaDaEmpresa")).setCaption(
        QStringLiteral("Padaria Pão Quente"));
    r.Sections(QStringLiteral("Totalizacao")).Controls(QStringLiteral("txtTotalDeValoresDosDocumentos")).setCaption(
        QStringLiteral("99.999,99"));
    r.Orientation = 1;
    return r;
}

} // namespace

class tst_datareport : public QObject {
    Q_OBJECT
    std::unique_ptr<rt::ManualClock> relogio;

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
        relogio = std::make_unique<rt::ManualClock>(rt::Date{rt::makeDate(2026, 12, 7).serial + 0.5});
        rt::setClock(relogio.get());
    }
    void cleanupTestCase() { rt::setClock(nullptr); }

    // Headers and footers on every page, the page numbers, the money
    // format, the totals once after the last record; then the preview: keys
    // move through the pages, and when it closes the report lets go of its
    // data while keeping captions.
    void listaEmPaginas() {
        DataReport& r = listaPreenchida(contas(120));
        const QStringList pgs = teste::paginasDoPdf(r);
        QCOMPARE(pgs.size(), 3);
        for (int i = 0; i < 3; ++i) {
            const QString& p = pgs[i];
            for (const char* t : {"Padaria Pão Quente", "Contas a receber", "Emissão: 07/12/2026",
                                  "Nº Lanc. Cliente Histórico Vencimento Valor", "Tessaria", "Título do aplicativo"})
                QVERIFY2(p.contains(QString::fromUtf8(t)), qPrintable(QStringLiteral("%1 on page %2").arg(t).arg(i + 1)));
            QVERIFY(p.contains(QStringLiteral("Página: %1 de 3").arg(i + 1)));
            QCOMPARE(p.contains(QStringLiteral("Total: 99.999,99")), i == 2);
        }
        // The totals come after the last row, and rows run on across pages.
        QVERIFY(linhaCom(pgs[2], QStringLiteral("Total:")) > linhaCom(pgs[2], QStringLiteral("120 Cliente 120")));
        const int naPrimeira = int(pgs[0].count(QStringLiteral(" 10/01/2027 ")));
        QVERIFY(pgs[1].contains(QStringLiteral("%1 Cliente %1 ").arg(naPrimeira + 1)));

        std::weak_ptr<ado::Recordset> dados = r.DataSource();
        QStringList rotulos;
        QTimer::singleShot(0, [&] {
            auto* v = qobject_cast<Visualizacao*>(QApplication::activeModalWidget());
            QVERIFY(v);
            QApplication::setActiveWindow(v);
            auto rotulo = [&] { rotulos << v->findChild<QLabel*>()->text(); };
            rotulo();
            for (auto k : {Qt::Key_PageDown, Qt::Key_End, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Home}) {
                QTest::keyClick(v, k);
                rotulo();
            }
            QTest::keyClick(v, Qt::Key_Escape);
        });
        r.Show(1);
        QCOMPARE(rotulos, QStringList({"Página 1 de 3", "Página 2 de 3", "Página 3 de 3", "Página 3 de 3",
                                       "Página 2 de 3", "Página 1 de 3"}));
        QVERIFY(!r.DataSource());
        QVERIFY(dados.expired());
        QCOMPARE(r.Sections(QStringLiteral("Cabecalho")).Controls(QStringLiteral("lblNomeFantasiaDaEmpresa")).Caption(),
                 QStringLiteral("Padaria Pão Quente"));
    }

    // A long history grows its row and pushes the next one down; padding
    // blanks of a fixed-length field grow nothing. Past a hundred pages the
    // page labels keep every digit, and only the pages asked for are drawn.
    void listaLonga() {
        const QString longo = QStringLiteral(
            "Venda de pães, bolos e doces para a festa de fim de ano da associação de moradores do bairro, "
            "entregue em três vezes conforme o combinado");
        QCOMPARE(listaPreenchida(contas(60)).documento().pageCount(), 2);
        DataReport& r = listaPreenchida(contas(5300, longo));
        const int n = r.pageCount();
        QVERIFY(n > 100);
        const QStringList pgs = teste::paginasDoPdf(r, {0, n - 1});
        QCOMPARE(pgs.size(), 2);
        const int dez = linhaCom(pgs[0], QStringLiteral("10 Cliente 10 Venda de pães"));
        QVERIFY(dez >= 0);
        QVERIFY(pgs[0].contains(QStringLiteral("combinado")));
        QVERIFY(linhaCom(pgs[0], QStringLiteral("11 Cliente 11")) >= dez + 3);
        QVERIFY2(pgs[1].contains(QStringLiteral("Página: %1 de %1").arg(n)), qPrintable(pgs[1].left(400)));
    }
};

QTEST_MAIN(tst_datareport)
#include "tst_datareport.moc"
