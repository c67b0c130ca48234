// The print and export dialog: its rules and messages, how it opens and
// closes, the list's print command that opens it, and its two outputs
// against the registered stand-ins and the real spreadsheet library (its
// program a recorder): what reaches the sheet and the printed page, the
// order of the spreadsheet calls, and every way out. Today is 15/06/2025.

#include "Empresa.h"
#include "support/Modal.h"
#include "support/Paginas.h"
#include "support/Tela.h"
#include "support/Xlsx.h"

#include "component/modPrincipal.h"
#include "datareport/Visualizacao.h"
#include "forms/MsgBox.h"
#include "forms/list/frmLista.h"
#include "forms/print/frmImprimirContasAReceber.h"
#include "reports/Relatorios.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace quva;
using namespace creceber;
using rt::Currency;
using rt::Variant;
using teste::quando;

namespace {

const QString kSelecionar = QStringLiteral("SelecionarContasAReceber");
const QString kSelecionarBaixadas = QStringLiteral("SelecionarContasAReceberBaixadas");

Currency reais(double v) {
    return Currency::fromRaw(std::llround(v * 10000));
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
                           rt::Date{rt::makeDate(2025, 6, 10).serial + i}, reais(primeira ? 1234.56 : 0.10)});
        if (baixadas) v.insert(v.end(), {reais(10), reais(2.5), rt::Date{rt::makeDate(2025, 6, 12).serial + i}, reais(primeira ? 1227.06 : 0.10)});
    }
    return ado::Recordset::fromRows(campos, std::move(v));
}

void responder(bool baixadas, int contas) {
    doubles::setResult(teste::kNegocio, baixadas ? kSelecionarBaixadas : kSelecionar, std::int32_t(0));
    doubles::setResult(teste::kNegocio, QStringLiteral("ResultadoDaSelecaoEmRecordSet"),
                       Variant(selecao(baixadas, contas)));
    const double doc = contas == 0 ? 0 : 1234.56 + (contas - 1) * 0.10;
    doubles::setResult(teste::kNegocio, QStringLiteral("TotalDeValoresDosDocumentos"), reais(doc));
    doubles::setResult(teste::kNegocio, QStringLiteral("TotalDeDescontosEAbatimentos"), reais(10 * contas));
    doubles::setResult(teste::kNegocio, QStringLiteral("TotalDeJurosMorasEMultas"), reais(2.5 * contas));
    doubles::setResult(teste::kNegocio, QStringLiteral("TotalDeValoresBaixados"), reais(doc - 7.5 * contas));
}

// The dialog, keeping the outputs' calls ("abertas 1|0|s:Silva|01/06/2025|
// 14/06/2025|0") and, when they run for real, what they returned.
class Dialogo : public frmImprimirContasAReceber {
public:
    bool reais = false;
    QStringList saidas;
    QList<std::int16_t> resultados;
    std::int16_t ImprimirContasAReceber(std::int16_t tipo, bool todas, Variant filtro, QString inicio, QString fim,
                                        bool& exportar) override {
        return registrar(QStringLiteral("abertas %1|").arg(tipo), todas, filtro, inicio, fim, exportar, [&] {
            return frmImprimirContasAReceber::ImprimirContasAReceber(tipo, todas, filtro, inicio, fim, exportar);
        });
    }
    std::int16_t ImprimirContasAReceberBaixadas(bool todas, Variant filtro, QString inicio, QString fim,
                                                bool& exportar) override {
        return registrar(QStringLiteral("baixadas "), todas, filtro, inicio, fim, exportar, [&] {
            return frmImprimirContasAReceber::ImprimirContasAReceberBaixadas(todas, filtro, inicio, fim, exportar);
        });
    }

private:
    std::int16_t registrar(const QString& saida, bool todas, const Variant& filtro, const QString& inicio,
                           const QString& fim, bool exportar, const std::function<std::int16_t()>& real) {
        saidas << saida + QStringLiteral("%1|%2:%3|%4|%5|%6")
                              .arg(int(todas))
                              .arg(filtro.type() == rt::VarType::String ? "s" : "?", rt::CStr(filtro), inicio, fim)
                              .arg(int(exportar));
        if (reais) resultados << real();
        return resultados.value(resultados.size() - 1);
    }
};

// The boxes and the date choice: "100|1|0" is overdue checked, all dates,
// period disabled.
QString estado(frmImprimirContasAReceber& d) {
    return QStringLiteral("%1%2%3|%4|%5")
        .arg(d.chkContasAReceberVencidas->Value())
        .arg(d.chkContasAReceberAVencer->Value())
        .arg(d.chkContasAReceberBaixada->Value())
        .arg(int(d.optTodasAsDatas->Value()))
        .arg(int(d.qzPeriodo->Enabled()));
}

// A clerk's clicks on the boxes ("V", "A", "B"); each toggles its box.
void marcar(frmImprimirContasAReceber& d, const QString& caixas) {
    for (QChar c : caixas) {
        forms::CheckBox* x = c == u'V'   ? d.chkContasAReceberVencidas
                             : c == u'A' ? d.chkContasAReceberAVencer
                                         : d.chkContasAReceberBaixada;
        x->setValue(x->Value() == forms::vbChecked ? forms::vbUnchecked : forms::vbChecked);
    }
}

// The control holding the dialog's focus (a box's inner widget counts as
// the box).
QString comFoco(frmImprimirContasAReceber& d) {
    for (QWidget* w = d.window()->focusWidget(); w; w = w->parentWidget())
        if (d.Controls().find(w->objectName())) return w->objectName();
    return {};
}

// A failure's location in the dialog, as the error message shows it.
QString noDialogo(const QString& procedimento, const QString& ponto) {
    return "QUVA_A_CReceber, frmImprimirContasAReceber, " + procedimento + ", Ponto: " + ponto;
}

// A shown window's widget of that name: the wait form's lblMensagem, the
// export's stop button cmdInterromper.
QWidget* mostrado(const char* nome) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* c = w->findChild<QWidget*>(QLatin1String(nome)); c && c->isVisible()) return c;
    return nullptr;
}

// What one click on an output button brought about.
struct Execucao {
    QStringList saidas;        // the outputs called, see Dialogo
    QList<std::int16_t> resultados;
    QString foco;              // the control focused right after the click
    QString voltou;            // the dialog's choices when it came back; empty when it stayed closed
    QStringList mensagens;     // message boxes, "text"
    QStringList paginas;       // the preview's pages as text
    QString previa;            // "caption|maximizada|paisagem|espera" (the wait form beneath it)
};

} // namespace

class tst_print : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    teste::Tela tela;
    std::unique_ptr<teste::GravadorDePlanilha> gravador;

    // Checks the boxes ("V", "A", "B"), the period when given, clicks the
    // button (0 preview, 1 export) and watches the preview and the dialog's
    // return from inside their modal shows. Without reais the outputs only
    // record their arguments.
    Execucao acionar(const QString& caixas, const QString& periodo, int botao, const QString& filtro = QString(),
                     bool reais = true) {
        Execucao e;
        Dialogo d;
        d.reais = reais;
        QObject vigia; // the watchers go with it, fired or not
        quando([&] { return d.Visible(); }, [&] {
            marcar(d, caixas);
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
                                       mostrado("lblMensagem") ? "espera" : ""}.join(u'|');
                e.paginas = teste::paginasDoPdf(rel);
                v->reject();
            }, &vigia);
            quando([&] { return d.Visible(); }, [&] {
                e.voltou = estado(d);
                d.qzcmdCancelar->setValue(true);
            }, &vigia);
            d.qzcmdVisualizarImpressaoOuExportar->element(botao)->widget()->setFocus();
            (*d.qzcmdVisualizarImpressaoOuExportar)(std::int16_t(botao)).setValue(true);
            e.foco = comFoco(d);
        }, &vigia);
        d.MontarExibirFormulario(filtro);
        e.saidas = d.saidas;
        e.resultados = d.resultados;
        // One message in another box than the dialog's information box keeps
        // its buttons and title.
        e.mensagens = teste::caixas(*tela.mensagens)
                          .replaceInStrings(teste::caixa({}, teste::kInfo, teste::kTitulo), QString());
        if (mostrado("lblMensagem")) e.mensagens << QStringLiteral("(espera aberta)");
        if (forms::Screen.MousePointer() != forms::vbDefault) e.mensagens << QStringLiteral("(ampulheta)");
        return e;
    }

private slots:
    void initTestCase() {
        tela.iniciarCaso(DOUBLES_LIB, CRECEBER_LIB);
        teste::registrar(SPREADSHEET_LIB);
        gravador = std::make_unique<teste::GravadorDePlanilha>(m_dir.path());
    }
    void cleanupTestCase() { tela.encerrarCaso(); }
    void init() {
        tela.iniciar();
        doubles::cadastrarEmpresas({{QStringLiteral("Padaria Pão Quente"), {}, {}, {}, {}}});
        gravador->limparRegistro();
    }
    void cleanup() { tela.encerrar(); }

    // clang-format off
    void regras_data() {
        QTest::addColumn<QString>("caixas");
        QTest::addColumn<QString>("periodo"); // the period option with its dates, or all dates
        QTest::addColumn<int>("botao");
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<QString>("saida");
        QTest::addColumn<QString>("falha");
        const QString vencidas = "Para %1 contas vencidas, a data final não pode ser maior ou igual a data atual";
        const QString aVencer = "Para %1 contas a vencer, a data inicial não pode ser menor que a data atual";
        const QString ambas = "Para %1 contas a receber vencidas e a vencer, selecione a opção 'Todas as datas'.";
        QTest::newRow("nada marcado") << "" << "" << 1
            << "Selecione o tipo de conta a receber: Vencidas, a vencer ou baixadas." << "" << "";
        QTest::newRow("vencidas até hoje, exportar") << "V" << "01/06/2025-15/06/2025" << 1
            << vencidas.arg("exportar") << "" << "";
        QTest::newRow("vencidas até ontem") << "V" << "01/06/2025-14/06/2025" << 0
            << "" << "abertas 1|0|s:Silva|01/06/2025|14/06/2025|0" << "";
        QTest::newRow("a vencer desde hoje, exportar") << "A" << "15/06/2025-30/06/2025" << 1
            << "" << "abertas 2|0|s:Silva|15/06/2025|30/06/2025|1" << "";
        QTest::newRow("a vencer desde ontem") << "A" << "14/06/2025-30/06/2025" << 0 << aVencer.arg("imprimir") << "" << "";
        QTest::newRow("ambas num período futuro") << "VA" << "16/06/2025-20/06/2025" << 0 << ambas.arg("imprimir") << "" << "";
        QTest::newRow("ambas em todas as datas") << "VA" << "" << 1
            << "" << "abertas 3|1|s:Silva|01/06/2025|15/06/2025|1" << "";
        QTest::newRow("baixadas com data impossível") << "B" << "31/02/2027-10/06/2025" << 1
            << "" << "baixadas 0|s:Silva|31/02/2027|10/06/2025|1" << "";
        QTest::newRow("vencidas até data impossível") << "V" << "01/06/2025-31/02/2027" << 0 << "" << "" << "4";
        QTest::newRow("a vencer desde data impossível") << "A" << "31/02/2027-30/06/2027" << 1 << "" << "" << "5";
    }
    // clang-format on
    // Each rule with both buttons: the message and its focus, or the output
    // called with exactly the dialog's choices; an impossible date in a
    // checked rule is reported. The dialog stays open.
    void regras() {
        QFETCH(QString, caixas);
        QFETCH(QString, periodo);
        QFETCH(int, botao);
        QFETCH(QString, mensagem);
        QFETCH(QString, saida);
        QFETCH(QString, falha);
        const Execucao e = acionar(caixas, periodo, botao, QStringLiteral("Silva"), false);
        QVERIFY(!e.voltou.isEmpty());
        QCOMPARE(e.mensagens, mensagem.isEmpty() ? QStringList() : QStringList{mensagem});
        if (!mensagem.isEmpty()) QCOMPARE(e.foco, caixas.isEmpty() ? "chkContasAReceberVencidas" : "qzPeriodo");
        QCOMPARE(e.saidas, saida.isEmpty() ? QStringList() : QStringList{saida});
        QCOMPARE(teste::locaisExibidos(), falha.isEmpty() ? QStringList()
                                                          : QStringList{noDialogo("qzcmdVisualizarImpressaoOuExportar_Click", falha)});
    }

    // The three boxes: settled excludes the two open ones. Each case is
    // the clicks, then the boxes left checked.
    void caixas() {
        for (const QString caso : {"BV>100", "BA>010", "VA>110", "VAB>001", "BBV>100"}) {
            Dialogo d;
            QString marcadas;
            teste::durante(d, [&] { d.MontarExibirFormulario(QString()); }, [&] {
                marcar(d, caso.section(u'>', 0, 0));
                marcadas = estado(d).left(3);
            });
            QCOMPARE(caso.section(u'>', 0, 0) + u'>' + marcadas, caso);
        }
    }

    void abertura_data() {
        QTest::addColumn<QString>("fechamento");
        QTest::newRow("Cancelar") << "Cancelar";
        QTest::newRow("Esc") << "Esc";
        QTest::newRow("botão de fechar da janela") << "janela";
        QTest::newRow("saída que deixou o diálogo oculto") << "oculto";
    }
    // The period follows the options; however the dialog was left, the menu
    // window is restored and the next opening starts from the design state.
    void abertura() {
        QFETCH(QString, fechamento);
        Dialogo d;
        QStringList vistos; // the choices as opened, with the period and without
        const bool aberto = teste::durante(d, [&] { d.MontarExibirFormulario(QStringLiteral("Silva")); }, [&] {
            vistos << estado(d);
            marcar(d, QStringLiteral("B"));
            d.optPeriodo->setValue(true);
            vistos << estado(d) + u' ' + comFoco(d);
            d.optTodasAsDatas->setValue(true);
            vistos << estado(d);
            d.optPeriodo->setValue(true);
            if (fechamento == "Cancelar")
                d.qzcmdCancelar->setValue(true);
            else if (fechamento == "Esc")
                QTest::keyClick(d.window(), Qt::Key_Escape);
            else if (fechamento == "janela")
                d.window()->close();
            else
                d.Hide();
        });
        QVERIFY(!aberto);
        QVERIFY(!d.isLoaded());
        QCOMPARE(teste::fundoEscuro(), (QStringList{"Aplicar 777", "Remover 777"}));

        teste::durante(d, [&] { d.MontarExibirFormulario(QString()); }, [&] { vistos << estado(d); });
        QCOMPARE(vistos, (QStringList{"000|1|0", "001|0|1 qzPeriodo", "001|1|0", "000|1|0"}));
        QVERIFY(teste::locaisExibidos().isEmpty());
    }

    // The print button opens the one dialog with the search text, empty or
    // not, as text; the list asks nothing of its business component afterwards.
    void pelaLista() {
        for (const QString pesquisa : {"Padaria Sol", ""}) {
            auto lista = std::make_shared<frmLista>();
            lista->Load();
            lista->qzfndPesquisar->setText(pesquisa);
            doubles::reset();
            Variant filtro;
            auto& d = frmImprimirContasAReceber::Instancia();
            teste::durante(d, [&] { lista->qzcmdImprimirLista_Click(); }, [&] { filtro = d.CodigoOuNomeParaFiltro(); });
            QCOMPARE(filtro.type(), rt::VarType::String);
            QCOMPARE(filtro.toString(), pesquisa);
            QVERIFY(doubles::calls(teste::kNegocio).empty());
            QVERIFY(teste::locaisExibidos().isEmpty());
        }
    }

    // Open receivables to the sheet: the selection's arguments, the calls in
    // order, the workbook as a spreadsheet program reads it, and the dialog
    // back with its choices.
    void exportarAbertas() {
        responder(false, 2);
        const QString empresa = QStringLiteral("Comércio de Peças Exemplo do Brasil Limitada - Matriz");
        doubles::cadastrarEmpresas({{empresa, {}, {}, {}, {}}});
        const Execucao e = acionar(QStringLiteral("V"), QStringLiteral("01/06/2025-14/06/2025"), 1, QStringLiteral("sol"));
        QCOMPARE(e.resultados, QList<std::int16_t>{0});
        QCOMPARE(e.voltou, QStringLiteral("100|0|1"));
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
        QCOMPARE(p("A1").fonte + p("A1").texto, QStringLiteral("Verdana") + empresa);
        QVERIFY(p("A1").negrito);
        QCOMPARE(p.linha(4, 5), QStringLiteral("Numero do lançamento|Cliente|Histórico|Data de vencimento|Valor do documento"));
        QCOMPARE(p.linha(4, 5, true), QStringLiteral("s General B|s General B|s General B|s General B|s General B"));
        QCOMPARE(p.linha(5, 5), QStringLiteral("12|Padaria Sol|Venda de pães|10/06/2025|1234.56"));
        QCOMPARE(p.linha(6, 5, true), QStringLiteral("n General|s General|s General|d dd/mm/yyyy|n #,##0.00"));
        QCOMPARE(p("C6").texto, QStringLiteral("Serviço\nde buffet"));
        QVERIFY(p("C6").quebra);
        // The list format: a line under every data cell, bands on even rows.
        QVERIFY(p("B5").borda && p("B6").borda && !p("B4").borda);
        QVERIFY(p("B6").preenchida && !p("B5").preenchida);
        // Widths fit the header and data, not the title that runs over row 1.
        QCOMPARE(p.larguras.size(), 5);
        QVERIFY(p.larguras.value("A") >= 20 && p.larguras.value("A") < empresa.size());
        QCOMPARE(p.linha(7, 5), QStringLiteral("|||Total:|1234.66"));
        QCOMPARE(p.linha(7, 5, true), QStringLiteral("|||s General B|n #,##0.00 B"));
        QCOMPARE(p("D7").alinhamento, QStringLiteral("right"));
        QVERIFY(!p.celulas.contains(QStringLiteral("A8")));
    }

    // One settled receivable in a period as LibreOffice reads it: its nine
    // columns, the total in row 6 with its four sums and column 8 empty.
    void exportarBaixadas() {
        responder(true, 1);
        const Execucao e = acionar(QStringLiteral("B"), QStringLiteral("01/06/2025-14/06/2025"), 1);
        QCOMPARE(e.resultados, QList<std::int16_t>{0});
        QCOMPARE(e.voltou, QStringLiteral("001|0|1"));
        QVERIFY2(e.mensagens.isEmpty(), qPrintable(e.mensagens.join(u'\n')));
        const QString arquivo = gravador->proximaPlanilha();
        const teste::PlanilhaXlsx p = teste::lerXlsx(arquivo);
        QCOMPARE(p.linha(6, 9, true).section(u'|', 4),
                 QStringLiteral("n #,##0.00 B|n #,##0.00 B|n #,##0.00 B||n #,##0.00 B"));

        const QString csv = teste::csvDoLibreOffice(arquivo, gravador->arquivo(QStringLiteral("csv")));
        if (csv.isNull()) QSKIP("LibreOffice is not installed");
        QCOMPARE(csv.split(u'\n', Qt::SkipEmptyParts).mid(1),
                 (QStringList{"Contas baixadas - Período: 01/06/2025 à 14/06/2025 - Lista completa;;;;;;;;", ";;;;;;;;",
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
    // The second line, the same on the printed page (see the golden lists).
    void subtitulos() {
        QFETCH(QString, caixas);
        QFETCH(QString, periodo);
        QFETCH(QString, filtro);
        QFETCH(QString, subtitulo);
        responder(caixas == u"B", 1);
        acionar(caixas, periodo, 1, filtro);
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
        const Execucao e = acionar(baixadas ? QStringLiteral("B") : QStringLiteral("VA"), QString(), 0);
        QCOMPARE(e.resultados, QList<std::int16_t>{0});
        // The settled list's wait form stays beneath its landscape preview.
        QCOMPARE(e.previa, baixadas ? QStringLiteral("Imprimir lista de contas a receber|maximizada|paisagem|espera")
                                    : QStringLiteral("Imprimir lista de contas a receber|maximizada||"));
        QCOMPARE(e.voltou, baixadas ? QStringLiteral("001|1|0") : QStringLiteral("110|1|0"));
        QVERIFY2(e.mensagens.isEmpty(), qPrintable(e.mensagens.join(u'\n')));
        const QString texto = e.paginas.join(QStringLiteral("\n\f\n")) + u'\n';
        QFile golden(QStringLiteral(GOLDEN_DIR "/%1.txt").arg(QTest::currentDataTag()));
        if (qEnvironmentVariableIsSet("QUVA_GRAVAR_GOLDEN")) {
            QVERIFY(golden.open(QIODevice::WriteOnly));
            golden.write(texto.toUtf8());
        } else {
            QVERIFY2(golden.open(QIODevice::ReadOnly), qPrintable(golden.fileName()));
            QCOMPARE(texto, QString::fromUtf8(golden.readAll()));
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
        // The clerk's stop keeps the rows already written in the workbook.
        QTest::newRow("exportação interrompida") << "interrompida" << "A" << 1 << std::int16_t(1) << "" << "Exportação interrompida pelo usuário." << "";
        QTest::newRow("nada selecionado") << "nada" << "V" << 0 << std::int16_t(0) << "100|1|0" << "Nenhuma conta a receber encontrada." << "";
        QTest::newRow("baixadas: nada selecionado") << "nada" << "B" << 1 << std::int16_t(0) << "001|1|0" << "Nenhuma conta a receber encontrada." << "";
        QTest::newRow("sem empresa") << "sem empresa" << "A" << 0 << std::int16_t(1) << "" << semEmpresa << "";
        QTest::newRow("empresa falhou") << "empresa falhou" << "V" << 1 << std::int16_t(1) << "" << "" << "QUVA_N_Empresa, x";
        QTest::newRow("seleção falhou") << "seleção falhou" << "V" << 1 << std::int16_t(0) << "" << "" << "QUVA_N_CReceber, x";
        QTest::newRow("sem programa de planilha") << "sem programa" << "VA" << 1 << std::int16_t(1) << "" << semExcel << "";
        QTest::newRow("campo que falta") << "sem campo" << "B" << 1 << std::int16_t(0) << "" << "" << noDialogo("ImprimirContasAReceberBaixadas", "15");
        QTest::newRow("relatório sem campo") << "sem campo" << "B" << 0 << std::int16_t(0) << "" << "" << noDialogo("ImprimirContasAReceberBaixadas", "19");
        QTest::newRow("total falhou") << "total falhou" << "V" << 0 << std::int16_t(0) << "" << "" << noDialogo("ImprimirContasAReceber", "24");
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
        // A settled list whose selection lacks the settlement's fields when one is missing.
        responder(baixadas && caso != u"sem campo", caso == u"nada" ? 0 : caso == u"interrompida" ? 10000 : 1);
        const QString progId = caso == u"empresa falhou" ? doubles::kEmpresa : teste::kNegocio;
        if (caso == u"sem empresa") doubles::cadastrarEmpresas({});
        if (caso == u"empresa falhou") doubles::setResult(doubles::kEmpresa, QStringLiteral("SelecionarNova"), std::int32_t(1));
        if (caso == u"seleção falhou")
            doubles::setResult(teste::kNegocio, baixadas ? kSelecionarBaixadas : kSelecionar, std::int32_t(1));
        doubles::setErrorTriple(progId, std::int32_t(5), QStringLiteral("falhou"), local);
        if (caso == u"total falhou")
            doubles::setFailure(teste::kNegocio, QStringLiteral("TotalDeValoresDosDocumentos"), 6);
        const QByteArray programa = qgetenv("QUVA_PLANILHA");
        if (caso == u"sem programa") qputenv("QUVA_PLANILHA", "/nao/existe/planilha");
        QObject vigia;
        if (caso == u"interrompida")
            quando([] { return mostrado("cmdInterromper"); },
                   [] { QTest::mouseClick(mostrado("cmdInterromper"), Qt::LeftButton); }, &vigia);
        const Execucao e = acionar(caixas, QString(), botao);
        qputenv("QUVA_PLANILHA", programa);

        QCOMPARE(e.resultados, QList<std::int16_t>{resultado});
        QCOMPARE(e.voltou, voltou);
        QCOMPARE(e.mensagens, mensagem.isEmpty() ? QStringList() : QStringList{mensagem});
        QCOMPARE(teste::locaisExibidos(), local.isEmpty() ? QStringList() : QStringList{local});
        QCOMPARE(doubles::calls(teste::kNegocio, baixadas ? kSelecionarBaixadas : kSelecionar).size(),
                 std::size_t(caso == u"sem empresa" || caso == u"empresa falhou" ? 0 : 1));
        QCOMPARE(teste::fundoEscuro(), (QStringList{"Aplicar 777", "Remover 777"}));
        if (caso == u"sem campo" && botao == 1) gravador->proximaPlanilha();
        if (caso == u"interrompida") {
            const teste::PlanilhaXlsx p = teste::lerXlsx(gravador->proximaPlanilha());
            QCOMPARE(p("A5").texto, QStringLiteral("12"));
            QVERIFY(!p.celulas.contains(QStringLiteral("A10005")));
        }
    }

};

QTEST_MAIN(tst_print)
#include "tst_print.moc"
