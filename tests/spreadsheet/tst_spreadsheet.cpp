// excel.application through CreateObject, as the exports call it; the file
// it hands to the spreadsheet program (a recorder script here) read back.

#include "support/Falhas.h"
#include "support/Xlsx.h"

#include "automation/LateBound.h"
#include "automation/Server.h"
#include "runtime/Errors.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QProcess>
#include <QStandardPaths>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace quva;
using automation::call;
using automation::get;
using automation::let;
using automation::obj;
using rt::Currency;
using rt::Date;
using rt::Object;
using rt::Variant;

namespace {

// The call the exports make after every data cell.
void autoFormat(const Object& app, int row, int col) {
    const Object cell = obj(get(obj(get(obj(get(app, "ActiveCell")), "Worksheet")), "Cells", row, col));
    call(cell, "AutoFormat", 11, 0, Variant(), 3, 1, 1);
}

Object cellOf(const Object& app, int row, int col) {
    return obj(get(obj(get(app, "ActiveSheet")), "Cells", row, col));
}

void put(const Object& app, int row, int col, const Variant& v) {
    let(cellOf(app, row, col), "Value", v);
}

} // namespace

class tst_spreadsheet : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<teste::GravadorDePlanilha> m_gravador;
    QStringList m_lastArgs;
    QString m_lista; // the list written by the first test

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // Runs f on a new application with a workbook, releases everything and
    // returns the copy of the file the spreadsheet program was given.
    QString exportar(const std::function<void(const Object&)>& f) {
        {
            Object app = automation::CreateObject(QStringLiteral("excel.application"));
            call(obj(get(app, "Workbooks")), "Add");
            f(app);
        }
        m_lastArgs = m_gravador->proximaAbertura();
        return m_lastArgs.isEmpty() ? QString() : path(QFileInfo(m_lastArgs.last()).fileName());
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QString error;
        QCOMPARE(automation::RegisterLibrary(QStringLiteral(SPREADSHEET_LIB), &error), automation::S_OK_);
        m_gravador = std::make_unique<teste::GravadorDePlanilha>(m_dir.path(), QStringLiteral(" --nova"));
        qputenv("XDG_CONFIG_HOME", m_dir.path().toUtf8());
    }

    // A list laid out the way the receivables exports write it.
    void listaComoAsExportacoesEscrevem() {
        const QString titulo = QStringLiteral("Comércio de Peças Exemplo do Brasil Limitada - Matriz");
        const QString arquivo = exportar([&](const Object& app) {
            put(app, 1, 1, titulo);
            let(obj(get(cellOf(app, 1, 1), "Font")), "Name", "Verdana");
            let(obj(get(cellOf(app, 1, 1), "Font")), "Bold", true);
            put(app, 2, 1, "Contas vencidas - Lista completa");
            const char* headers[] = {"Numero do lançamento", "Cliente", "Histórico", "Data de vencimento",
                                     "Valor do documento"};
            for (int c = 1; c <= 5; ++c)
                put(app, 4, c, headers[c - 1]);
            for (int c = 1; c <= 5; ++c)
                let(obj(get(cellOf(app, 4, c), "Font")), "Bold", true);
            const Variant rows[2][5] = {
                {std::int32_t(17), "Ana", "=SOMA(A1)", Date{45000}, Currency::fromRaw(12345600)},
                {std::int32_t(18), "Bruno", "linha 1\r\nlinha 2", Date{45001}, Currency::fromRaw(5000)}};
            for (int r = 0; r < 2; ++r)
                for (int c = 1; c <= 5; ++c) {
                    put(app, 5 + r, c, rows[r][c - 1]);
                    autoFormat(app, 5 + r, c);
                    if (c == 5) let(cellOf(app, 5 + r, c), "NumberFormat", "#,##0.00");
                }
            put(app, 7, 4, "Total:");
            let(obj(get(cellOf(app, 7, 4), "Font")), "Bold", true);
            let(cellOf(app, 7, 4), "HorizontalAlignment", -4152);
            put(app, 7, 5, Currency::fromRaw(12350600));
            let(obj(get(cellOf(app, 7, 5), "Font")), "Bold", true);
            let(cellOf(app, 7, 5), "NumberFormat", "#,##0.00");
        });
        QVERIFY2(!arquivo.isEmpty(), "the spreadsheet program was not started");
        QCOMPARE(m_lastArgs.first(), QStringLiteral("--nova"));
        // The program got a file of its own, removed once it returned.
        QTRY_VERIFY(!QFile::exists(m_lastArgs.last()));

        const teste::PlanilhaXlsx p = teste::lerXlsx(arquivo);
        QVERIFY(p("A1").textual());
        QCOMPARE(p("A1").texto, titulo);
        QCOMPARE(p("A1").fonte, QStringLiteral("Verdana"));
        QVERIFY(p("A1").negrito);
        QCOMPARE(p("A2").texto, QStringLiteral("Contas vencidas - Lista completa"));
        QVERIFY(!p.celulas.contains(QStringLiteral("A3")));
        for (const char* ref : {"A4", "B4", "C4", "D4", "E4", "D7", "E7"})
            QVERIFY2(p(QString::fromLatin1(ref)).negrito, ref);
        for (const char* ref : {"A5", "B5", "C5", "D5", "E5"})
            QVERIFY2(!p(QString::fromLatin1(ref)).negrito, ref);

        QVERIFY(p("A5").numero());
        QCOMPARE(p("A5").texto, QStringLiteral("17"));
        QVERIFY(p("C5").textual());
        QCOMPARE(p("C5").texto, QStringLiteral("=SOMA(A1)"));
        QVERIFY(!p.temFormula);
        QCOMPARE(p("C6").texto, QStringLiteral("linha 1\nlinha 2"));
        QVERIFY(p("C6").quebra);
        QVERIFY(p("D5").numero());
        QCOMPARE(p("D5").texto, QStringLiteral("45000"));
        QCOMPARE(p("D5").formato, QStringLiteral("dd/mm/yyyy"));
        QVERIFY(p("E5").numero());
        QCOMPARE(p("E5").texto, QStringLiteral("1234.56"));
        QCOMPARE(p("E5").formato, QStringLiteral("#,##0.00"));
        QCOMPARE(p("D7").texto, QStringLiteral("Total:"));
        QCOMPARE(p("D7").alinhamento, QStringLiteral("right"));
        QCOMPARE(p("E7").texto, QStringLiteral("1235.06"));
        QCOMPARE(p("E7").formato, QStringLiteral("#,##0.00"));
        // The list format: a line under every data cell, bands on even rows.
        QVERIFY(p("B5").borda && p("B6").borda && !p("B4").borda);
        QVERIFY(p("B6").preenchida && !p("B5").preenchida);
        // Widths fit the header and data, not the title that runs over row 1.
        for (const char* col : {"A", "B", "C", "D", "E"})
            QVERIFY2(p.larguras.contains(QString::fromLatin1(col)), col);
        QVERIFY(p.larguras.value("A") >= 20 && p.larguras.value("A") < titulo.size());

        // Per money cell: its value, then the list format, then the number format.
        const QStringList log = m_gravador->registro();
        QCOMPARE(log.first(), QStringLiteral("CreateObject excel.application"));
        QCOMPARE(log.last(), QStringLiteral("Release"));
        m_lista = arquivo;
        QCOMPARE(log.filter(QStringLiteral("Cells(5, 5).")),
                 QStringList({QStringLiteral("Cells(5, 5).Value = Currency 1234.5600"),
                              QStringLiteral("Cells(5, 5).AutoFormat Long 11, Long 0, Empty, Long 3, Long 1, Long 1"),
                              QStringLiteral("Cells(5, 5).NumberFormat = \"#,##0.00\"")}));
    }

    // The spreadsheet program reads the same values the file holds.
    void libreOfficeLeALista() {
        if (m_lista.isEmpty()) QSKIP("the list was not written");
        const QString csv = teste::csvDoLibreOffice(m_lista, path(QStringLiteral("csv")));
        if (csv.isNull()) QSKIP("LibreOffice is not installed");
        QCOMPARE(csv,
                 QStringLiteral("Comércio de Peças Exemplo do Brasil Limitada - Matriz;;;;\n"
                                "Contas vencidas - Lista completa;;;;\n"
                                ";;;;\n"
                                "Numero do lançamento;Cliente;Histórico;Data de vencimento;Valor do documento\n"
                                "17;Ana;=SOMA(A1);15/03/2023;1,234.56\n"
                                "18;Bruno;\"linha 1\nlinha 2\";16/03/2023;0.50\n"
                                ";;;Total:;1,235.06\n"));
    }

    void falhasDeUmaCelula_data() {
        QTest::addColumn<std::function<void(const Object&)>>("passo");
        QTest::addColumn<int>("falha");
        using F = std::function<void(const Object&)>;
        QTest::newRow("última linha") << F([](const Object& a) { put(a, 1048576, 1, 1); }) << 0;
        QTest::newRow("linha depois da última") << F([](const Object& a) { put(a, 1048577, 1, 1); }) << 1004;
        QTest::newRow("linha 0") << F([](const Object& a) { put(a, 0, 1, 1); }) << 1004;
        QTest::newRow("coluna depois da última") << F([](const Object& a) { put(a, 1, 16385, 1); }) << 1004;
        QTest::newRow("alinhamento desconhecido")
            << F([](const Object& a) { let(cellOf(a, 1, 1), "HorizontalAlignment", 7); }) << 1004;
        QTest::newRow("outro formato automático")
            << F([](const Object& a) { call(cellOf(a, 1, 1), "AutoFormat", 3); }) << 1004;
        QTest::newRow("texto longo demais")
            << F([](const Object& a) { put(a, 1, 1, QString(32768, u'x')); }) << 1004;
        QTest::newRow("objeto como valor") << F([](const Object& a) { put(a, 1, 1, a); }) << 13;
        QTest::newRow("segunda pasta")
            << F([](const Object& a) { call(obj(get(a, "Workbooks")), "Add"); }) << 1004;
        // Rows far behind the last one written are already in the file.
        QTest::newRow("linha já gravada") << F([](const Object& a) {
            put(a, 1, 1, "primeira");
            put(a, 2000, 1, "longe");
            put(a, 1, 2, "tarde");
        }) << 1004;
    }
    void falhasDeUmaCelula() {
        QFETCH(std::function<void(const Object&)>, passo);
        QFETCH(int, falha);
        int obtida = -1;
        const QString arquivo = exportar([&](const Object& app) { obtida = teste::failureOf([&] { passo(app); }); });
        QCOMPARE(obtida, falha);
        // Whatever failed, what was written before stays readable.
        QVERIFY(!arquivo.isEmpty() && QFile::exists(arquivo));
    }

    // The progress window stops the export at the next call; rows stay.
    void interromper_data() {
        QTest::addColumn<bool>("pelaJanela");
        QTest::newRow("botão Interromper") << false;
        QTest::newRow("janela fechada") << true;
    }
    void interromper() {
        QFETCH(bool, pelaJanela);
        int falha = 0, escritas = 0, depois = 0;
        QString textoDaJanela;
        const QString arquivo = exportar([&](const Object& app) {
            let(app, "Visible", true);
            QWidget* janela = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("frmProgressoDaPlanilha")) janela = w;
            QVERIFY(janela && janela->isVisible());
            QCOMPARE(janela->windowModality(), Qt::ApplicationModal);
            for (int r = 1; r <= 3; ++r)
                put(app, r, 1, r);
            escritas = 3;
            if (pelaJanela) {
                // Reaches the window through the event loop the calls keep running.
                QCoreApplication::postEvent(janela, new QCloseEvent);
            } else {
                QTest::mouseClick(janela->findChild<QPushButton*>(QStringLiteral("cmdInterromper")), Qt::LeftButton);
            }
            QElapsedTimer t;
            t.start();
            while (falha == 0 && t.elapsed() < 5000) {
                falha = teste::failureOf([&] { put(app, escritas + 1, 1, escritas + 1); });
                if (falha == 0) ++escritas;
                QThread::msleep(5);
            }
            depois = teste::failureOf([&] { get(app, "Visible"); });
            textoDaJanela = janela->findChild<QLabel*>(QStringLiteral("lblLinhas"))->text();
            QVERIFY(!janela->isVisible());
        });
        QCOMPARE(falha, 50290);
        QCOMPARE(depois, 50290);
        QVERIFY(textoDaJanela.startsWith(QStringLiteral("Linhas escritas: ")));
        const teste::PlanilhaXlsx p = teste::lerXlsx(arquivo);
        QCOMPARE(p(QStringLiteral("A%1").arg(escritas)).texto, QString::number(escritas));
        QVERIFY(!p.celulas.contains(QStringLiteral("A%1").arg(escritas + 1)));
    }

    void semProgramaDePlanilha_data() {
        QTest::addColumn<QByteArray>("variavel"); // "-" leaves it unset
        QTest::addColumn<QString>("configurado");
        QTest::addColumn<bool>("cria");
        const QByteArray gravador = qgetenv("QUVA_PLANILHA");
        QTest::newRow("variável com programa ausente") << QByteArray("/nao/existe/planilha -n") << QString() << false;
        QTest::newRow("variável vazia") << QByteArray("") << QString() << false;
        QTest::newRow("configuração") << QByteArray("-") << QString::fromUtf8(gravador) << true;
        QTest::newRow("configuração com programa ausente") << QByteArray("-") << QStringLiteral("planilha-que-nao-ha")
                                                          << false;
        QTest::newRow("variável antes da configuração") << gravador << QStringLiteral("planilha-que-nao-ha") << true;
    }
    void semProgramaDePlanilha() {
        QFETCH(QByteArray, variavel);
        QFETCH(QString, configurado);
        QFETCH(bool, cria);
        const QByteArray antes = qgetenv("QUVA_PLANILHA");
        {
            QSettings s(path(QStringLiteral("quva/suite.ini")), QSettings::IniFormat);
            s.setValue(QStringLiteral("planilha/programa"), configurado);
        }
        if (variavel == "-")
            qunsetenv("QUVA_PLANILHA");
        else
            qputenv("QUVA_PLANILHA", variavel);
        const int falha = teste::failureOf([] { automation::CreateObject(QStringLiteral("excel.application")); });
        qputenv("QUVA_PLANILHA", antes);
        QFile::remove(path(QStringLiteral("quva/suite.ini")));
        QCOMPARE(falha, cria ? 0 : 429);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tst_spreadsheet t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_spreadsheet.moc"
