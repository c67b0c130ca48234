// The print dialog's two outputs against the registered stand-ins and the
// real spreadsheet library (its program a recorder): what reaches the sheet
// and the printed page, the order of the spreadsheet calls, and every way
// out, each ending with the dialog back or closed. Today is 15/06/2025.

#include "Ambiente.h"
#include "Empresa.h"
#include "support/Modal.h"
#include "support/Paginas.h"
#include "support/Xlsx.h"

#include "component/modPrincipal.h"
#include "datareport/Visualizacao.h"
#include "forms/Metrics.h"
#include "forms/MsgBox.h"
#include "forms/print/frmImprimirContasAReceber.h"
#include "reports/Relatorios.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace quva;
using namespace creceber;
using rt::Currency;
using rt::Variant;

namespace {

const QString kTitulo = QStringLiteral("QUVA - Contas a Receber");
const QString kSelecionar = QStringLiteral("SelecionarContasAReceber");
const QString kSelecionarBaixadas = QStringLiteral("SelecionarContasAReceberBaixadas");

Currency reais(double v) {
    return Currency::fromRaw(std::llround(v * 10000));
}
rt::Date dia(int d, int m) {
    return rt::makeDate(2025, m, d);
}

// The selections the business stand-in hands out.
std::shared_ptr<ado::Recordset> selecao(bool baixadas, int contas) {
    std::vector<ado::FieldInfo> campos{{QStringLiteral("NumeroDoLancamento"), ado::adInteger, 4},
                                       {QStringLiteral("ApelidoOuNomeFantasiaDoCliente"), ado::adVarWChar, 100},
                                       {QStringLiteral("NomeOuRazaoSocialDoCliente"), ado::adVarWChar, 150},
                                       {QStringLiteral("Historico"), ado::adVarWChar, 4000},
                                       {QStringLiteral("DataDeVencimento"), ado::adDate, 8},
                                       {QStringLiteral("ValorDoDocumento"), ado::adCurrency, 8}};
    if (baixadas)
        campos.insert(campos.end(), {{QStringLiteral("DescontoAbatimento"), ado::adCurrency, 8},
                                     {QStringLiteral("JurosMoraMulta"), ado::adCurrency, 8},
                                     {QStringLiteral("DataDaBaixa"), ado::adDate, 8},
                                     {QStringLiteral("ValorDaBaixa"), ado::adCurrency, 8}});
    std::vector<Variant> v;
    for (int i = 0; i < contas; ++i) {
        const bool primeira = i == 0;
        v.insert(v.end(), {std::int32_t(12 + i), primeira ? QStringLiteral("  Padaria Sol  ") : QStringLiteral("Bar do Zé"),
                           primeira ? QStringLiteral("Padaria Sol Comércio Ltda") : QStringLiteral("José Souza ME"),
                           primeira ? QStringLiteral("Venda de pães") : QStringLiteral("Serviço\r\nde buffet"),
                           rt::Date{dia(10, 6).serial + i}, reais(primeira ? 1234.56 : 0.10)});
        if (baixadas) v.insert(v.end(), {reais(10), reais(2.5), rt::Date{dia(12, 6).serial + i}, reais(primeira ? 1227.06 : 0.10)});
    }
    return ado::Recordset::fromRows(campos, std::move(v));
}

void responder(bool baixadas, int contas) {
    doubles::setResult(teste::kNegocio, baixadas ? kSelecionarBaixadas : kSelecionar, std::int32_t(0));
    auto rs = selecao(baixadas, contas);
    doubles::setBehaviour(teste::kNegocio, QStringLiteral("ResultadoDaSelecaoEmRecordSet"),
                          [rs](std::span<Variant>) { return Variant(rs); });
    const double doc = contas == 0 ? 0 : 1234.56 + (contas - 1) * 0.10;
    doubles::setResult(teste::kNegocio, QStringLiteral("TotalDeValoresDosDocumentos"), reais(doc));
    doubles::setResult(teste::kNegocio, QStringLiteral("TotalDeDescontosEAbatimentos"), reais(10 * contas));
    doubles::setResult(teste::kNegocio, QStringLiteral("TotalDeJurosMorasEMultas"), reais(2.5 * contas));
    doubles::setResult(teste::kNegocio, QStringLiteral("TotalDeValoresBaixados"), reais(doc - 7.5 * contas));
}

// The dialog, keeping what its real outputs returned.
class Dialogo : public frmImprimirContasAReceber {
public:
    QList<std::int16_t> resultados;
    std::int16_t ImprimirContasAReceber(std::int16_t tipo, bool todas, Variant filtro, QString inicio, QString fim,
                                        bool& exportar) override {
        resultados << frmImprimirContasAReceber::ImprimirContasAReceber(tipo, todas, filtro, inicio, fim, exportar);
        return resultados.back();
    }
    std::int16_t ImprimirContasAReceberBaixadas(bool todas, Variant filtro, QString inicio, QString fim,
                                                bool& exportar) override {
        resultados << frmImprimirContasAReceber::ImprimirContasAReceberBaixadas(todas, filtro, inicio, fim, exportar);
        return resultados.back();
    }
};

// "VA|1" is both open boxes checked with a period; "B|0" settled, all dates.
QString escolhas(frmImprimirContasAReceber& d) {
    auto m = [](forms::CheckBox* c) { return c->Value() == forms::vbChecked; };
    return QString(m(d.chkContasAReceberVencidas) ? "V" : "") + (m(d.chkContasAReceberAVencer) ? "A" : "") +
           (m(d.chkContasAReceberBaixada) ? "B" : "") + u'|' + QString::number(int(d.optPeriodo->Value()));
}

bool esperaVisivel() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->findChild<QWidget*>(QStringLiteral("lblMensagem"))) return true;
    return false;
}

// What one click on an output button brought about.
struct Execucao {
    QList<std::int16_t> resultados;
    QString voltou;            // the dialog's choices when it came back; empty when it stayed closed
    QStringList mensagens;     // message boxes, "text"
    QStringList paginas;       // the preview's pages as text
    bool previa = false, paisagem = false, maximizada = false, esperaNaPrevia = false;
    QString tituloDaPrevia;
};

} // namespace

class tst_print_saidas : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<rt::ManualClock> relogio;
    std::unique_ptr<forms::ScriptedMessageBoxes> mensagens;
    int m_arquivos = 0;

    QString caminho(const QString& nome) const { return m_dir.filePath(nome); }

    // Checks the boxes ("V", "A", "B"), the period when given, clicks the
    // button (0 preview, 1 export) and watches the preview and the dialog's
    // return from inside their modal shows.
    Execucao clicar(const QString& caixas, const QString& periodo, int botao, const QString& filtro = QString()) {
        Execucao e;
        Dialogo d;
        QObject vigia; // the watchers go with it, fired or not
        auto quando = [&vigia](std::function<bool()> pronto, std::function<void()> acao) {
            auto* t = new QTimer(&vigia);
            t->setInterval(0);
            QObject::connect(t, &QTimer::timeout, [t, pronto, acao] {
                if (!pronto()) return;
                t->stop();
                acao();
            });
            t->start();
        };
        quando([&] { return d.Visible(); }, [&] {
            for (QChar c : caixas)
                (c == u'V' ? d.chkContasAReceberVencidas : c == u'A' ? d.chkContasAReceberAVencer : d.chkContasAReceberBaixada)
                    ->setValue(forms::vbChecked);
            if (!periodo.isEmpty()) {
                d.optPeriodo->setValue(true);
                d.qzPeriodo->setDataInicial(periodo.section(u'-', 0, 0));
                d.qzPeriodo->setDataFinal(periodo.section(u'-', 1, 1));
            }
            quando([] { return qobject_cast<datareport::Visualizacao*>(QApplication::activeModalWidget()); }, [&] {
                auto* v = qobject_cast<datareport::Visualizacao*>(QApplication::activeModalWidget());
                auto& rel = caixas == u"B" ? drContasAReceberBaixadas() : drContasAReceber();
                e.previa = true;
                e.maximizada = v->isMaximized();
                e.tituloDaPrevia = v->windowTitle();
                e.esperaNaPrevia = esperaVisivel();
                e.paginas = teste::paginasDoPdf(rel);
                const QImage pagina = rel.renderPage(0, 20);
                e.paisagem = pagina.width() > pagina.height();
                // QUVA_PAGINAS=<folder> keeps the first page to look at.
                if (const QString pasta = qEnvironmentVariable("QUVA_PAGINAS"); !pasta.isEmpty())
                    rel.renderPage(0, 110).save(pasta + u'/' + rel.Name() + QStringLiteral(".png"));
                v->reject();
            });
            quando([&] { return d.Visible(); }, [&] {
                e.voltou = escolhas(d);
                d.qzcmdCancelar->setValue(true);
            });
            (*d.qzcmdVisualizarImpressaoOuExportar)(std::int16_t(botao)).setValue(true);
        });
        d.MontarExibirFormulario(filtro);
        e.resultados = d.resultados;
        for (const auto& m : mensagens->shown()) {
            if (m.buttons != forms::vbOKOnly + forms::vbInformation || m.title != kTitulo)
                e.mensagens << QStringLiteral("(caixa errada) ");
            e.mensagens << m.prompt;
        }
        if (esperaVisivel()) e.mensagens << QStringLiteral("(espera aberta)");
        if (forms::Screen.MousePointer() != forms::vbDefault) e.mensagens << QStringLiteral("(ampulheta)");
        return e;
    }

    // The copy of the workbook the spreadsheet program was handed last.
    QString planilhaAberta() {
        ++m_arquivos;
        QStringList chamadas;
        for (int i = 0; i < 500 && chamadas.size() < m_arquivos; ++i) {
            QFile f(caminho(QStringLiteral("programa.log")));
            if (f.open(QIODevice::ReadOnly)) chamadas = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
            if (chamadas.size() < m_arquivos) QThread::msleep(20);
        }
        return chamadas.size() < m_arquivos ? QString()
                                            : caminho(QFileInfo(chamadas.last().section(u' ', -1)).fileName());
    }

    // The spreadsheet calls of the last export, one a line.
    QStringList registro() {
        QFile f(caminho(QStringLiteral("chamadas.log")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts)
                                          : QStringList();
    }

private slots:
    void initTestCase() {
        teste::registroNovo();
        teste::registrar(DOUBLES_LIB);
        teste::registrar(CRECEBER_LIB);
        teste::registrar(SPREADSHEET_LIB);
        forms::setLogicalDpiOverride(96);
        relogio = std::make_unique<rt::ManualClock>(rt::Date{dia(15, 6).serial + 0.5});
        relogio->setStepPerRead(0.3);
        rt::setClock(relogio.get());
        const QString gravador = caminho(QStringLiteral("programa.sh"));
        QFile script(gravador);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nfor f; do :; done\ncp \"$f\" '%1/'\necho \"$@\" >> '%1/programa.log'\n")
                         .arg(m_dir.path())
                         .toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("QUVA_PLANILHA", gravador.toUtf8());
        qputenv("QUVA_PLANILHA_REGISTRO", caminho(QStringLiteral("chamadas.log")).toUtf8());
    }
    void cleanupTestCase() { rt::setClock(nullptr); }
    void init() {
        doubles::reset();
        gstrNomeDaAplicacao = kTitulo;
        glngFormularioDoMenu_hWnd = 777;
        mensagens = std::make_unique<forms::ScriptedMessageBoxes>();
        doubles::cadastrarEmpresas({{QStringLiteral("Padaria Pão Quente"), {}, {}, {}, {}}});
        QFile::remove(caminho(QStringLiteral("chamadas.log")));
    }
    void cleanup() { mensagens.reset(); }

    // Open receivables to the sheet: the calls in order, the workbook as a
    // spreadsheet program reads it, and the dialog back with its choices.
    void exportarAbertas() {
        responder(false, 2);
        const Execucao e = clicar(QStringLiteral("V"), QStringLiteral("01/06/2025-14/06/2025"), 1, QStringLiteral("sol"));
        QCOMPARE(e.resultados, QList<std::int16_t>{0});
        QCOMPARE(e.voltou, QStringLiteral("V|1"));
        QVERIFY2(e.mensagens.isEmpty(), qPrintable(e.mensagens.join(u'\n')));
        // The selection got the dialog's choices by reference.
        const auto sel = doubles::calls(teste::kNegocio, kSelecionar);
        QCOMPARE(sel.size(), std::size_t(1));
        QCOMPARE(sel[0].args.size(), std::size_t(5));
        for (const auto& a : sel[0].args)
            QVERIFY(a.byRef());
        QCOMPARE(sel[0].args[0].value.toLong(), 1);
        QCOMPARE(sel[0].args[1].value.toString(), QStringLiteral("sol"));
        QCOMPARE(sel[0].args[2].type(), rt::VarType::Boolean);
        QVERIFY(!sel[0].args[2].value.toBool());

        const QStringList r = registro();
        QCOMPARE(r.mid(0, 4), (QStringList{"CreateObject excel.application", "Application.Workbooks", "Workbooks.Add",
                                           "Application.Visible = True"}));
        // One money cell: its value, the list format on the same cell reached
        // through the active cell's sheet, then its number format.
        const int valor = r.indexOf(QStringLiteral("Cells(5, 5).Value = Currency 1234.5600"));
        QVERIFY(valor > 0);
        QCOMPARE(r.mid(valor + 1, 5),
                 (QStringList{"Application.ActiveCell", "Cells(1, 1).Worksheet", "Worksheet.Cells(Long 5, Long 5)",
                              "Cells(5, 5).AutoFormat Integer 11, Integer 0, Empty, Integer 3, Integer 1, Integer 1",
                              "Cells(5, 5).NumberFormat = \"#,##0.00\""}));
        QVERIFY(r.last() == QStringLiteral("Release"));

        const teste::PlanilhaXlsx p = teste::lerXlsx(planilhaAberta());
        QCOMPARE(p("A1").texto, QStringLiteral("Padaria Pão Quente"));
        QCOMPARE(p("A1").fonte, QStringLiteral("Verdana"));
        QVERIFY(p("A1").negrito);
        QCOMPARE(p("A2").texto, QStringLiteral("Contas vencidas - Período: 01/06/2025 à 14/06/2025 - Lista filtrada"));
        QStringList cabecalhos;
        for (const char* ref : {"A4", "B4", "C4", "D4", "E4"}) {
            QVERIFY2(p(ref).negrito, ref);
            cabecalhos << p(ref).texto;
        }
        QCOMPARE(cabecalhos, (QStringList{"Numero do lançamento", "Cliente", "Histórico", "Data de vencimento",
                                          "Valor do documento"}));
        QVERIFY(p("A5").numero() && !p("A5").negrito);
        QCOMPARE(p("A5").texto, QStringLiteral("12"));
        QCOMPARE(p("B5").texto, QStringLiteral("Padaria Sol"));
        QCOMPARE(p("C6").texto, QStringLiteral("Serviço\nde buffet"));
        QVERIFY(p("D5").numero());
        QCOMPARE(p("D5").formato, QStringLiteral("dd/mm/yyyy"));
        QCOMPARE(p("D6").texto, QString::number(dia(11, 6).serial));
        QVERIFY(p("E6").numero());
        QCOMPARE(p("E6").texto, QStringLiteral("0.1"));
        QCOMPARE(p("E6").formato, QStringLiteral("#,##0.00"));
        QCOMPARE(p("D7").texto, QStringLiteral("Total:"));
        QVERIFY(p("D7").negrito);
        QCOMPARE(p("D7").alinhamento, QStringLiteral("right"));
        QCOMPARE(p("E7").texto, QStringLiteral("1234.66"));
        QVERIFY(p("E7").negrito);
        QCOMPARE(p("E7").formato, QStringLiteral("#,##0.00"));
        QVERIFY(!p.celulas.contains(QStringLiteral("A8")));
    }

    // One settled receivable: the total in row 6, its four sums, column 8 empty.
    void exportarBaixadas() {
        responder(true, 1);
        const Execucao e = clicar(QStringLiteral("B"), QString(), 1);
        QCOMPARE(e.resultados, QList<std::int16_t>{0});
        QCOMPARE(e.voltou, QStringLiteral("B|0"));
        QVERIFY2(e.mensagens.isEmpty(), qPrintable(e.mensagens.join(u'\n')));
        const QString arquivo = planilhaAberta();
        const teste::PlanilhaXlsx p = teste::lerXlsx(arquivo);
        QCOMPARE(p("A2").texto, QStringLiteral("Contas baixadas - Lista completa"));
        QCOMPARE(p("F4").texto, QStringLiteral("Desconto/Abatimento"));
        QVERIFY(p("I4").negrito);
        QCOMPARE(p("B5").texto, QStringLiteral("Padaria Sol"));
        QCOMPARE(p("H5").formato, QStringLiteral("dd/mm/yyyy"));
        QCOMPARE(p("D6").texto, QStringLiteral("Total:"));
        QCOMPARE(p("D6").alinhamento, QStringLiteral("right"));
        QStringList somas;
        for (const char* ref : {"E6", "F6", "G6", "I6"}) {
            QVERIFY2(p(ref).numero() && p(ref).negrito && p(ref).formato == u"#,##0.00", ref);
            somas << p(ref).texto;
        }
        QCOMPARE(somas, (QStringList{"1234.56", "10", "2.5", "1227.06"}));
        QVERIFY(!p.celulas.contains(QStringLiteral("H6")));
        QVERIFY(!p.celulas.contains(QStringLiteral("A7")));

        // The spreadsheet program reads the same values.
        const QString csv = teste::csvDoLibreOffice(arquivo, caminho(QStringLiteral("csv")));
        if (csv.isNull()) QSKIP("LibreOffice is not installed");
        QCOMPARE(csv.split(u'\n').mid(3, 3),
                 (QStringList{"Numero do lançamento;Cliente;Histórico;Data de vencimento;Valor do documento;"
                              "Desconto/Abatimento;Juros/Mora/Multa;Data da baixa;Valor da baixa",
                              "12;Padaria Sol;Venda de pães;10/06/2025;1,234.56;10.00;2.50;12/06/2025;1,227.06",
                              ";;;Total:;1,234.56;10.00;2.50;;1,227.06"}));
    }

    // clang-format off
    void subtitulos_data() {
        QTest::addColumn<QString>("caixas");
        QTest::addColumn<QString>("periodo");
        QTest::addColumn<QString>("filtro");
        QTest::addColumn<QString>("subtitulo");
        const QString passado = "01/06/2025-14/06/2025", futuro = "15/06/2025-30/06/2025";
        QTest::newRow("vencidas") << "V" << "" << "" << "Contas vencidas - Lista completa";
        QTest::newRow("vencidas filtradas") << "V" << "" << "x" << "Contas vencidas - Lista filtrada";
        QTest::newRow("vencidas no período") << "V" << passado << "" << "Contas vencidas - Período: 01/06/2025 à 14/06/2025 - Lista completa";
        QTest::newRow("vencidas no período, filtradas") << "V" << passado << "x" << "Contas vencidas - Período: 01/06/2025 à 14/06/2025 - Lista filtrada";
        QTest::newRow("a vencer") << "A" << "" << "" << "Contas a vencer - Lista completa";
        QTest::newRow("a vencer filtradas") << "A" << "" << "x" << "Contas a vencer - Lista filtrada";
        QTest::newRow("a vencer no período") << "A" << futuro << "" << "Contas a vencer - Período: 15/06/2025 à 30/06/2025 - Lista completa";
        QTest::newRow("a vencer no período, filtradas") << "A" << futuro << "x" << "Contas a vencer - Período: 15/06/2025 à 30/06/2025 - Lista filtrada";
        QTest::newRow("ambas") << "VA" << "" << "" << "Contas vencidas e a vencer - Lista completa";
        QTest::newRow("ambas filtradas") << "VA" << "" << "x" << "Contas vencidas e a vencer - Lista filtrada";
        QTest::newRow("baixadas") << "B" << "" << "" << "Contas baixadas - Lista completa";
        QTest::newRow("baixadas filtradas") << "B" << "" << "x" << "Contas baixadas - Lista filtrada";
        QTest::newRow("baixadas no período") << "B" << passado << "" << "Contas baixadas - Período: 01/06/2025 à 14/06/2025 - Lista completa";
        QTest::newRow("baixadas no período, filtradas") << "B" << futuro << "x" << "Contas baixadas - Período: 15/06/2025 à 30/06/2025 - Lista filtrada";
    }
    // clang-format on
    // The same second line on the sheet and on the printed page.
    void subtitulos() {
        QFETCH(QString, caixas);
        QFETCH(QString, periodo);
        QFETCH(QString, filtro);
        QFETCH(QString, subtitulo);
        const bool baixadas = caixas == u"B";
        responder(baixadas, 1);
        const Execucao impressa = clicar(caixas, periodo, 0, filtro);
        QVERIFY(impressa.previa);
        QVERIFY2(impressa.paginas.value(0).split(u'\n').contains(subtitulo), qPrintable(impressa.paginas.value(0)));
        clicar(caixas, periodo, 1, filtro);
        QVERIFY(registro().contains(QStringLiteral("Cells(2, 1).Value = \"%1\"").arg(subtitulo)));
        planilhaAberta();
    }

    // The printed lists, page by page as golden text: heading, columns,
    // totals; the settled list landscape with the clients' legal names.
    void listasImpressas_data() {
        QTest::addColumn<bool>("baixadas");
        QTest::newRow("abertas") << false;
        QTest::newRow("baixadas") << true;
    }
    void listasImpressas() {
        QFETCH(bool, baixadas);
        responder(baixadas, 40);
        const Execucao e = clicar(baixadas ? QStringLiteral("B") : QStringLiteral("VA"), QString(), 0);
        QCOMPARE(e.resultados, QList<std::int16_t>{0});
        QVERIFY(e.previa && e.maximizada);
        QCOMPARE(e.tituloDaPrevia, QStringLiteral("Imprimir lista de contas a receber"));
        QCOMPARE(e.paisagem, baixadas);
        // The settled list's wait form stays beneath its preview.
        QCOMPARE(e.esperaNaPrevia, baixadas);
        QCOMPARE(e.voltou, baixadas ? QStringLiteral("B|0") : QStringLiteral("VA|0"));
        QVERIFY2(e.mensagens.isEmpty(), qPrintable(e.mensagens.join(u'\n')));
        const QString nome = baixadas ? QStringLiteral("baixadas.txt") : QStringLiteral("abertas.txt");
        const QString texto = e.paginas.join(QStringLiteral("\n\f\n")) + u'\n';
        QFile golden(QStringLiteral(GOLDEN_DIR "/") + nome);
        if (qEnvironmentVariableIsSet("QUVA_GRAVAR_GOLDEN")) {
            QVERIFY(golden.open(QIODevice::WriteOnly));
            golden.write(texto.toUtf8());
        } else {
            QVERIFY2(golden.open(QIODevice::ReadOnly), qPrintable(golden.fileName()));
            const QString esperado = QString::fromUtf8(golden.readAll());
            QCOMPARE(e.paginas.size(), esperado.count(u'\f') + 1);
            QCOMPARE(texto, esperado);
        }
    }

    // clang-format off
    void saidasSemLista_data() {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("caixas");
        QTest::addColumn<int>("botao");
        QTest::addColumn<std::int16_t>("resultado");
        QTest::addColumn<QString>("voltou");
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<QString>("local");
        const QString semEmpresa = "Não foi possível imprimir o documento porque não há empresa cadastrada.\r\n"
            "Selecione a guia (aba) 'Cadastros' e em seguida, clique na opções 'Empresa'. "
            "Efetue o cadastro e solicite a impressão novamente";
        const QString semExcel = "É necessário ter o Excel instalado para efetuar a exportação";
        QTest::newRow("nada selecionado") << "nada" << "V" << 0 << std::int16_t(0) << "V|0" << "Nenhuma conta a receber encontrada." << "";
        QTest::newRow("baixadas: nada selecionado") << "nada" << "B" << 1 << std::int16_t(0) << "B|0" << "Nenhuma conta a receber encontrada." << "";
        QTest::newRow("sem empresa") << "sem empresa" << "A" << 0 << std::int16_t(1) << "" << semEmpresa << "";
        QTest::newRow("baixadas: sem empresa") << "sem empresa" << "B" << 1 << std::int16_t(1) << "" << semEmpresa << "";
        QTest::newRow("empresa falhou") << "empresa falhou" << "V" << 1 << std::int16_t(1) << "" << "" << "QUVA_N_Empresa, x";
        QTest::newRow("seleção falhou") << "seleção falhou" << "V" << 1 << std::int16_t(0) << "" << "" << "QUVA_N_CReceber, x";
        QTest::newRow("baixadas: seleção falhou") << "seleção falhou" << "B" << 0 << std::int16_t(0) << "" << "" << "QUVA_N_CReceber, x";
        QTest::newRow("sem programa de planilha") << "sem programa" << "VA" << 1 << std::int16_t(1) << "" << semExcel << "";
        QTest::newRow("baixadas: sem programa de planilha") << "sem programa" << "B" << 1 << std::int16_t(1) << "" << semExcel << "";
        QTest::newRow("campo que falta") << "sem campo" << "B" << 1 << std::int16_t(0) << "" << ""
            << "QUVA_A_CReceber, frmImprimirContasAReceber, ImprimirContasAReceberBaixadas, Ponto: 15";
        QTest::newRow("relatório sem campo") << "sem campo" << "B" << 0 << std::int16_t(0) << "" << ""
            << "QUVA_A_CReceber, frmImprimirContasAReceber, ImprimirContasAReceberBaixadas, Ponto: 19";
        QTest::newRow("total falhou") << "total falhou" << "V" << 0 << std::int16_t(0) << "" << ""
            << "QUVA_A_CReceber, frmImprimirContasAReceber, ImprimirContasAReceber, Ponto: 24";
    }
    // clang-format on
    // The ways out before or instead of a list: the message or the failure
    // shown, the result, and the dialog back or closed; never a wait form
    // or an hourglass left behind.
    void saidasSemLista() {
        QFETCH(QString, caso);
        QFETCH(QString, caixas);
        QFETCH(int, botao);
        QFETCH(std::int16_t, resultado);
        QFETCH(QString, voltou);
        QFETCH(QString, mensagem);
        QFETCH(QString, local);
        const bool baixadas = caixas == u"B";
        responder(baixadas, caso == u"nada" ? 0 : 1);
        const QString progId = caso == u"empresa falhou" ? doubles::kEmpresa : teste::kNegocio;
        if (caso == u"sem empresa") doubles::cadastrarEmpresas({});
        if (caso == u"empresa falhou") doubles::setResult(doubles::kEmpresa, QStringLiteral("SelecionarNova"), std::int32_t(1));
        if (caso == u"seleção falhou")
            doubles::setResult(teste::kNegocio, baixadas ? kSelecionarBaixadas : kSelecionar, std::int32_t(1));
        doubles::setErrorTriple(progId, std::int32_t(5), QStringLiteral("falhou"), local);
        if (caso == u"sem campo") {
            auto rs = selecao(false, 1); // without the settlement's fields
            doubles::setBehaviour(teste::kNegocio, QStringLiteral("ResultadoDaSelecaoEmRecordSet"),
                                  [rs](std::span<Variant>) { return Variant(rs); });
        }
        if (caso == u"total falhou")
            doubles::setFailure(teste::kNegocio, QStringLiteral("TotalDeValoresDosDocumentos"), 6);
        const QByteArray programa = qgetenv("QUVA_PLANILHA");
        if (caso == u"sem programa") qputenv("QUVA_PLANILHA", "/nao/existe/planilha");
        const Execucao e = clicar(caixas, QString(), botao);
        qputenv("QUVA_PLANILHA", programa);

        QCOMPARE(e.resultados, QList<std::int16_t>{resultado});
        QCOMPARE(e.voltou, voltou);
        QCOMPARE(e.mensagens, mensagem.isEmpty() ? QStringList() : QStringList{mensagem});
        QCOMPARE(teste::locaisExibidos(), local.isEmpty() ? QStringList() : QStringList{local});
        QCOMPARE(doubles::calls(teste::kNegocio, baixadas ? kSelecionarBaixadas : kSelecionar).size(),
                 std::size_t(caso == u"sem empresa" || caso == u"empresa falhou" ? 0 : 1));
        QCOMPARE(teste::fundoEscuro(), (QStringList{"Aplicar 777", "Remover 777"}));
        if (caso == u"sem campo" && botao == 1) planilhaAberta();
    }

    // "Interromper" stops the export at the next call with the clerk's
    // message; the rows already written stay in the workbook.
    void interromper() {
        responder(false, 10000);
        QObject vigia;
        auto* t = new QTimer(&vigia);
        t->setInterval(0);
        connect(t, &QTimer::timeout, [t] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* b = w->findChild<QPushButton*>(QStringLiteral("cmdInterromper")); b && b->isVisible()) {
                    t->stop();
                    b->click();
                }
        });
        t->start();
        const Execucao e = clicar(QStringLiteral("V"), QString(), 1);
        QCOMPARE(e.resultados, QList<std::int16_t>{1});
        QCOMPARE(e.voltou, QString());
        QCOMPARE(e.mensagens, QStringList{"Exportação interrompida pelo usuário."});
        QVERIFY(teste::locaisExibidos().isEmpty());
        const teste::PlanilhaXlsx p = teste::lerXlsx(planilhaAberta());
        QCOMPARE(p("A5").texto, QStringLiteral("12"));
        QVERIFY(!p.celulas.contains(QStringLiteral("A10005")));
    }
};

QTEST_MAIN(tst_print_saidas)
#include "tst_print_saidas.moc"
