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
using teste::quando;
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
    std::vector<ado::FieldInfo> campos;
    for (const char* n : {"NumeroDoLancamento", "ApelidoOuNomeFantasiaDoCliente", "NomeOuRazaoSocialDoCliente",
                          "Historico", "DataDeVencimento", "ValorDoDocumento", "DescontoAbatimento", "JurosMoraMulta",
                          "DataDaBaixa", "ValorDaBaixa"})
        if (baixadas || campos.size() < 6) campos.push_back({QString::fromLatin1(n), ado::adVariant, 0});
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
    QString previa;            // "caption|maximizada|paisagem|espera" (the wait form beneath it)
};

} // namespace

class tst_print_saidas : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<rt::ManualClock> relogio;
    std::unique_ptr<forms::ScriptedMessageBoxes> mensagens;
    std::unique_ptr<teste::GravadorDePlanilha> gravador;

    // Checks the boxes ("V", "A", "B"), the period when given, clicks the
    // button (0 preview, 1 export) and watches the preview and the dialog's
    // return from inside their modal shows.
    Execucao clicar(const QString& caixas, const QString& periodo, int botao, const QString& filtro = QString()) {
        Execucao e;
        Dialogo d;
        QObject vigia; // the watchers go with it, fired or not
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
                const QImage pagina = rel.renderPage(0, 20);
                e.previa = QStringList{v->windowTitle(), v->isMaximized() ? "maximizada" : "",
                                       pagina.width() > pagina.height() ? "paisagem" : "",
                                       esperaVisivel() ? "espera" : ""}.join(u'|');
                e.paginas = teste::paginasDoPdf(rel);
                v->reject();
            }, &vigia);
            quando([&] { return d.Visible(); }, [&] {
                e.voltou = escolhas(d);
                d.qzcmdCancelar->setValue(true);
            }, &vigia);
            (*d.qzcmdVisualizarImpressaoOuExportar)(std::int16_t(botao)).setValue(true);
        }, &vigia);
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

    // A row's cells as "text|text|…", or each cell's kind, format and weight.
    static QString linha(const teste::PlanilhaXlsx& p, int row, int colunas, bool estilo = false) {
        QStringList r;
        for (int c = 1; c <= colunas; ++c) {
            const QString ref = teste::letraDaColuna(c) + QString::number(row);
            const teste::CelulaXlsx x = p(ref);
            r << (!p.celulas.contains(ref) ? QString() : estilo ? x.tipo + u' ' + x.formato + (x.negrito ? QStringLiteral(" B") : QString()) : x.texto);
        }
        return r.join(u'|');
    }

private slots:
    void initTestCase() {
        teste::prepararTelas(DOUBLES_LIB, CRECEBER_LIB);
        teste::registrar(SPREADSHEET_LIB);
        relogio = teste::relogioDasTelas();
        gravador = std::make_unique<teste::GravadorDePlanilha>(m_dir.path());
    }
    void cleanupTestCase() { rt::setClock(nullptr); }
    void init() {
        doubles::reset();
        gstrNomeDaAplicacao = kTitulo;
        glngFormularioDoMenu_hWnd = 777;
        mensagens = std::make_unique<forms::ScriptedMessageBoxes>();
        doubles::cadastrarEmpresas({{QStringLiteral("Padaria Pão Quente"), {}, {}, {}, {}}});
        gravador->limparRegistro();
    }
    void cleanup() { mensagens.reset(); }

    // Open receivables to the sheet: the selection's arguments, the calls
    // in order, the workbook as a spreadsheet program reads it, and the
    // dialog back with its choices.
    void exportarAbertas() {
        responder(false, 2);
        const Execucao e = clicar(QStringLiteral("V"), QStringLiteral("01/06/2025-14/06/2025"), 1, QStringLiteral("sol"));
        QCOMPARE(e.resultados, QList<std::int16_t>{0});
        QCOMPARE(e.voltou, QStringLiteral("V|1"));
        QVERIFY2(e.mensagens.isEmpty(), qPrintable(e.mensagens.join(u'\n')));
        QCOMPARE(teste::chamadas(teste::kNegocio, kSelecionar),
                 QStringList{"SelecionarContasAReceber i&:1 v&:sol b&:Falso s&:01/06/2025 s&:14/06/2025"});

        const QStringList r = gravador->registro();
        QCOMPARE(r.mid(0, 4), (QStringList{"CreateObject excel.application", "Application.Workbooks", "Workbooks.Add",
                                           "Application.Visible = True"}));
        // A money cell: its value, the list format on the same cell reached
        // through the active cell's sheet, then its number format.
        const int valor = r.indexOf(QStringLiteral("Cells(5, 5).Value = Currency 1234.5600"));
        QVERIFY(valor > 0);
        QCOMPARE(r.mid(valor + 1, 5),
                 (QStringList{"Application.ActiveCell", "Cells(1, 1).Worksheet", "Worksheet.Cells(Long 5, Long 5)",
                              "Cells(5, 5).AutoFormat Integer 11, Integer 0, Empty, Integer 3, Integer 1, Integer 1",
                              "Cells(5, 5).NumberFormat = \"#,##0.00\""}));
        QCOMPARE(r.last(), QStringLiteral("Release"));

        const teste::PlanilhaXlsx p = teste::lerXlsx(gravador->proximaPlanilha());
        QCOMPARE(p("A1").fonte + p("A1").texto, QStringLiteral("VerdanaPadaria Pão Quente"));
        QVERIFY(p("A1").negrito);
        QCOMPARE(p("A2").texto, QStringLiteral("Contas vencidas - Período: 01/06/2025 à 14/06/2025 - Lista filtrada"));
        QCOMPARE(linha(p, 4, 5), QStringLiteral("Numero do lançamento|Cliente|Histórico|Data de vencimento|Valor do documento"));
        QCOMPARE(linha(p, 4, 5, true), QStringLiteral("inlineStr General B|inlineStr General B|inlineStr General B|inlineStr General B|inlineStr General B"));
        QCOMPARE(linha(p, 5, 5), QStringLiteral("12|Padaria Sol|Venda de pães|%1|1234.56").arg(dia(10, 6).serial));
        QCOMPARE(linha(p, 6, 5, true), QStringLiteral("n General|inlineStr General|inlineStr General|n dd/mm/yyyy|n #,##0.00"));
        QCOMPARE(p("C6").texto, QStringLiteral("Serviço\nde buffet"));
        QCOMPARE(linha(p, 7, 5), QStringLiteral("|||Total:|1234.66"));
        QCOMPARE(linha(p, 7, 5, true), QStringLiteral("|||inlineStr General B|n #,##0.00 B"));
        QCOMPARE(p("D7").alinhamento, QStringLiteral("right"));
        QVERIFY(!p.celulas.contains(QStringLiteral("A8")));
    }

    // One settled receivable: the total in row 6 with its four sums and
    // column 8 empty; LibreOffice reads the same values.
    void exportarBaixadas() {
        responder(true, 1);
        const Execucao e = clicar(QStringLiteral("B"), QString(), 1);
        QCOMPARE(e.resultados, QList<std::int16_t>{0});
        QCOMPARE(e.voltou, QStringLiteral("B|0"));
        QVERIFY2(e.mensagens.isEmpty(), qPrintable(e.mensagens.join(u'\n')));
        const QString arquivo = gravador->proximaPlanilha();
        const teste::PlanilhaXlsx p = teste::lerXlsx(arquivo);
        QCOMPARE(linha(p, 6, 9), QStringLiteral("|||Total:|1234.56|10|2.5||1227.06"));
        QCOMPARE(linha(p, 6, 9, true).section(u'|', 4),
                 QStringLiteral("n #,##0.00 B|n #,##0.00 B|n #,##0.00 B||n #,##0.00 B"));
        QVERIFY(!p.celulas.contains(QStringLiteral("A7")));

        const QString csv = teste::csvDoLibreOffice(arquivo, gravador->arquivo(QStringLiteral("csv")));
        if (csv.isNull()) QSKIP("LibreOffice is not installed");
        QCOMPARE(csv.split(u'\n').mid(1, 5),
                 (QStringList{"Contas baixadas - Lista completa;;;;;;;;", ";;;;;;;;",
                              "Numero do lançamento;Cliente;Histórico;Data de vencimento;Valor do documento;"
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
        QVERIFY(!impressa.previa.isEmpty());
        QVERIFY2(impressa.paginas.value(0).split(u'\n').contains(subtitulo), qPrintable(impressa.paginas.value(0)));
        clicar(caixas, periodo, 1, filtro);
        QVERIFY(gravador->registro().contains(QStringLiteral("Cells(2, 1).Value = \"%1\"").arg(subtitulo)));
        gravador->proximaPlanilha();
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
        responder(baixadas, 3);
        const Execucao e = clicar(baixadas ? QStringLiteral("B") : QStringLiteral("VA"), QString(), 0);
        QCOMPARE(e.resultados, QList<std::int16_t>{0});
        // The settled list's wait form stays beneath its landscape preview.
        QCOMPARE(e.previa, baixadas ? QStringLiteral("Imprimir lista de contas a receber|maximizada|paisagem|espera")
                                    : QStringLiteral("Imprimir lista de contas a receber|maximizada||"));
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
        QTest::newRow("empresa falhou") << "empresa falhou" << "V" << 1 << std::int16_t(1) << "" << "" << "QUVA_N_Empresa, x";
        QTest::newRow("seleção falhou") << "seleção falhou" << "V" << 1 << std::int16_t(0) << "" << "" << "QUVA_N_CReceber, x";
        QTest::newRow("sem programa de planilha") << "sem programa" << "VA" << 1 << std::int16_t(1) << "" << semExcel << "";
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
        if (caso == u"sem campo" && botao == 1) gravador->proximaPlanilha();
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
        const teste::PlanilhaXlsx p = teste::lerXlsx(gravador->proximaPlanilha());
        QCOMPARE(p("A5").texto, QStringLiteral("12"));
        QVERIFY(!p.celulas.contains(QStringLiteral("A10005")));
    }
};

QTEST_MAIN(tst_print_saidas)
#include "tst_print_saidas.moc"
