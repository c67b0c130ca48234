// The print dialog's outputs over 100,000 open and 100,000 settled
// receivables, through the real late-bound calls: the real receivables
// component on SQLite and excel.application, its program a recorder that
// only notes the file's size. Each export is timed from the click until
// the workbook is written (the dialog comes back right after), beside the
// same cells written straight with libxlsxwriter from the same selection;
// the settled list's preview from the click until its first page is drawn.

#include "BancadaDaPlanilha.h"
#include "BancadaDaTela.h"
#include "BenchUtil.h"

#include "ado/Recordset.h"
#include "datareport/Visualizacao.h"
#include "forms/Window.h"
#include "forms/print/frmImprimirContasAReceber.h"

#include <QApplication>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <xlsxwriter.h>

using namespace quva;
using namespace creceber;
using Relogio = std::chrono::steady_clock;

namespace {

constexpr int kContas = 100000;
constexpr int kVezes = 3;

// Exactly kContas open and kContas settled receivables, beside the bin folder.
QString garantirDadosDaExportacao() {
    const QString arquivo = QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/.."))
                                .absoluteFilePath(QStringLiteral("export-100k.db"));
    auto b = suite::Banco::abrirSeparado(arquivo);
    auto contar = [&](const char* condicao) {
        return b->valor(QStringLiteral("SELECT COUNT(*) FROM contas_a_receber WHERE data_da_baixa IS ") +
                        QLatin1String(condicao))
            .toLongLong();
    };
    if (contar("NULL") == kContas && contar("NOT NULL") == kContas) return arquivo;
    b.reset();
    QFile::remove(arquivo);
    b = suite::Banco::abrirSeparado(arquivo);
    std::fprintf(stderr, "generating the export database into %s\n", qPrintable(arquivo));
    suite::OpcoesDaDemonstracao o;
    o.contas = 400000;
    o.clientes = 20000;
    suite::gerarDemonstracao(*b, o);
    for (const char* condicao : {"NULL", "NOT NULL"})
        b->executar(QStringLiteral("DELETE FROM contas_a_receber WHERE data_da_baixa IS %1 AND "
                                   "numero_do_lancamento > (SELECT numero_do_lancamento FROM contas_a_receber "
                                   "WHERE data_da_baixa IS %1 ORDER BY numero_do_lancamento LIMIT 1 OFFSET %2)")
                        .arg(QLatin1String(condicao))
                        .arg(kContas - 1));
    if (contar("NULL") != kContas || contar("NOT NULL") != kContas) qFatal("the export database is short");
    b->executar(QStringLiteral("VACUUM"));
    return arquivo;
}

bool ehJanelaDeProgresso(QWidget* w) {
    for (auto* b : w->findChildren<QPushButton*>())
        if (b->text() == QLatin1String("Interromper")) return true;
    return false;
}

// One output from the dialog's button: the time from the click until the
// dialog comes back (an export's workbook is written just before) or, with
// ateAPrevia, until the preview's first page is drawn.
Relogio::time_point g_primeiraPagina;
void aoDesenhar() {
    g_primeiraPagina = Relogio::now();
    QTimer::singleShot(0, [] {
        if (auto* v = qobject_cast<datareport::Visualizacao*>(QApplication::activeModalWidget())) v->close();
    });
}

class Volta : public QObject {
public:
    Relogio::time_point quando{};
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show && quando == Relogio::time_point{}) {
            quando = Relogio::now();
            QTimer::singleShot(0, [] {
                auto& d = frmImprimirContasAReceber::Instancia();
                if (d.Visible()) d.qzcmdCancelar->setValue(true);
            });
        }
        return false;
    }
};

double saida(bool baixadas, bool exportar, bool ateAPrevia) {
    auto& d = frmImprimirContasAReceber::Instancia();
    Relogio::time_point t0{}, fim{};
    g_primeiraPagina = {};
    bench::quando([&] { return d.Visible(); }, [&] {
        if (baixadas) {
            d.chkContasAReceberBaixada->setValue(forms::vbChecked);
        } else {
            d.chkContasAReceberVencidas->setValue(forms::vbChecked);
            d.chkContasAReceberAVencer->setValue(forms::vbChecked);
        }
        d.optTodasAsDatas->setValue(true);
        Volta volta;
        d.window()->installEventFilter(&volta);
        t0 = Relogio::now();
        d.qzcmdVisualizarImpressaoOuExportar_Click(exportar ? 1 : 0);
        fim = ateAPrevia ? g_primeiraPagina : volta.quando;
        if (fim == Relogio::time_point{}) {
            // Nothing came back: the output is not there (yet).
            fim = t0;
            if (d.Visible()) d.qzcmdCancelar->setValue(true);
        } else {
            d.window()->removeEventFilter(&volta);
        }
    });
    d.MontarExibirFormulario(rt::Variant(QString()));
    return std::chrono::duration<double, std::milli>(fim - t0).count();
}

std::shared_ptr<ado::Recordset> selecao(bool baixadas) {
    using automation::byRef;
    rt::Object comp = automation::CreateObject(QStringLiteral("QUVA_N_CReceber.clsCReceber"));
    rt::Variant tipo{std::int16_t(3)}, filtro{QString()}, todas{true}, inicio{QString()}, fim{QString()};
    const rt::Variant r =
        baixadas ? automation::call(comp, QStringLiteral("SelecionarContasAReceberBaixadas"), byRef(todas),
                                    byRef(filtro), byRef(inicio), byRef(fim))
                 : automation::call(comp, QStringLiteral("SelecionarContasAReceber"), byRef(tipo),
                                    byRef(filtro), byRef(todas), byRef(inicio), byRef(fim));
    if (r.toLong() != 0) qFatal("the selection failed");
    return std::dynamic_pointer_cast<ado::Recordset>(
        automation::get(comp, QStringLiteral("ResultadoDaSelecaoEmRecordSet")).toObject());
}

// The obvious preview draws its first page once the whole selection has been read.
double selecaoLidaAteOFim() {
    const auto t0 = Relogio::now();
    auto rs = selecao(true);
    double soma = 0;
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext())
        for (int c = 0; c < rs->fieldCount(); ++c)
            soma += rs->valueAt(c).toString().size();
    if (soma <= 0) qFatal("nothing read");
    return std::chrono::duration<double, std::milli>(Relogio::now() - t0).count();
}

// The baseline: the same selection walked and its cells written straight.
double diretoComLibxlsxwriter(const QString& arquivo, bool baixadas) {
    const auto t0 = Relogio::now();
    auto rs = selecao(baixadas);
    static const char* const kAbertas[] = {"NumeroDoLancamento", "ApelidoOuNomeFantasiaDoCliente", "Historico",
                                           "DataDeVencimento", "ValorDoDocumento"};
    static const char* const kBaixadas[] = {"NumeroDoLancamento",  "ApelidoOuNomeFantasiaDoCliente",
                                            "Historico",           "DataDeVencimento",
                                            "ValorDoDocumento",    "DescontoAbatimento",
                                            "JurosMoraMulta",      "DataDaBaixa",
                                            "ValorDaBaixa"};
    const int colunas = baixadas ? 9 : 5;
    std::vector<int> campos;
    for (int c = 0; c < colunas; ++c)
        campos.push_back(rs->fieldIndex(QLatin1String(baixadas ? kBaixadas[c] : kAbertas[c])));

    lxw_workbook_options o{};
    o.constant_memory = LXW_TRUE;
    lxw_workbook* wb = workbook_new_opt(arquivo.toLocal8Bit().constData(), &o);
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    lxw_format* data = workbook_add_format(wb);
    format_set_num_format(data, "dd/mm/yyyy");
    lxw_format* dinheiro = workbook_add_format(wb);
    format_set_num_format(dinheiro, "#,##0.00");
    lxw_format* negrito = workbook_add_format(wb);
    format_set_bold(negrito);
    worksheet_write_string(ws, 0, 0, "Empresa", negrito);
    worksheet_write_string(ws, 1, 0, "Contas - Lista completa", nullptr);
    for (int c = 0; c < colunas; ++c)
        worksheet_write_string(ws, 3, lxw_col_t(c), bench::kCabecalhos[c], negrito);
    std::vector<std::int64_t> somas(std::size_t(colunas), 0);
    lxw_row_t linha = 4;
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext(), ++linha) {
        for (int c = 0; c < colunas; ++c) {
            const rt::Variant& v = rs->valueAt(campos[std::size_t(c)]);
            switch (v.type()) {
            case rt::VarType::Date:
                worksheet_write_number(ws, linha, lxw_col_t(c), v.toDate().serial, data);
                break;
            case rt::VarType::Currency:
                somas[std::size_t(c)] += v.rawCurrency().raw;
                worksheet_write_number(ws, linha, lxw_col_t(c), double(v.rawCurrency().raw) / 10000, dinheiro);
                break;
            case rt::VarType::String:
                worksheet_write_string(ws, linha, lxw_col_t(c), v.toString().trimmed().toUtf8().constData(),
                                       nullptr);
                break;
            default:
                worksheet_write_number(ws, linha, lxw_col_t(c), v.toDouble(), nullptr);
            }
        }
    }
    worksheet_write_string(ws, linha, 3, "Total:", negrito);
    for (int c = 4; c < colunas; ++c)
        if (c != 7) worksheet_write_number(ws, linha, lxw_col_t(c), double(somas[std::size_t(c)]) / 10000, dinheiro);
    workbook_close(wb);
    return std::chrono::duration<double, std::milli>(Relogio::now() - t0).count();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir pasta;
    if (!qEnvironmentVariableIsSet("QUVA_REGISTRY"))
        qputenv("QUVA_REGISTRY", pasta.filePath(QStringLiteral("registry.ini")).toUtf8());
    bench::AmbienteDaTela ambiente(garantirDadosDaExportacao);
    ambiente.esperada = [](QWidget* w) {
        return ehJanelaDeProgresso(w) || qobject_cast<datareport::Visualizacao*>(w) != nullptr;
    };
    QString erro;
    if (automation::RegisterLibrary(QStringLiteral(SPREADSHEET_LIB), &erro) != automation::S_OK_)
        qFatal("cannot register %s: %s", SPREADSHEET_LIB, qPrintable(erro));
    // The spreadsheet program: a recorder of the written file's size.
    const QString registro = pasta.filePath(QStringLiteral("planilhas.txt"));
    const QString gravador = pasta.filePath(QStringLiteral("gravador.sh"));
    {
        QFile f(gravador);
        f.open(QIODevice::WriteOnly);
        f.write(QStringLiteral("#!/bin/sh\nstat -c %s \"$1\" >> '%1'\n").arg(registro).toUtf8());
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }
    qputenv("QUVA_PLANILHA", gravador.toUtf8());
    bench::Hospedeiro hospedeiro;
    glngFormularioDoMenu_hWnd = forms::hWnd(hospedeiro.hospedeiro.get());
    datareport::Visualizacao::setAoDesenharPrimeiraPagina(aoDesenhar);

    const QString direto = pasta.filePath(QStringLiteral("direto.xlsx"));
    if (ambiente.quer("export_open")) {
        const double base = bench::medianSeconds(kVezes, [&] { diretoComLibxlsxwriter(direto, false); }, 1e3);
        std::vector<double> t;
        for (int i = 0; i < kVezes; ++i)
            t.push_back(saida(false, true, false));
        bench::report("export_open_100k", bench::mediana(t), "ms", 4000, base);
    }
    if (ambiente.quer("export_settled") || ambiente.quer("export_rss")) {
        const double base = bench::medianSeconds(kVezes, [&] { diretoComLibxlsxwriter(direto, true); }, 1e3);
        std::vector<double> t, memoria, memoriaBase;
        for (int i = 0; i < kVezes; ++i) {
            bench::zerarPicoDeMemoria();
            double antes = bench::memoriaMb("VmRSS:");
            t.push_back(saida(true, true, false));
            memoria.push_back(bench::memoriaMb("VmHWM:") - antes);
            bench::zerarPicoDeMemoria();
            antes = bench::memoriaMb("VmRSS:");
            diretoComLibxlsxwriter(direto, true);
            memoriaBase.push_back(bench::memoriaMb("VmHWM:") - antes);
        }
        bench::report("export_settled_100k", bench::mediana(t), "ms", 7000, base);
        bench::report("export_rss_100k", bench::mediana(memoria), "MB", 200, bench::mediana(memoriaBase));
    }
    if (ambiente.quer("print_settled")) {
        const double base = bench::medianSeconds(kVezes, [&] { selecaoLidaAteOFim(); }, 1e3);
        std::vector<double> t;
        for (int i = 0; i < kVezes; ++i)
            t.push_back(saida(true, false, true));
        bench::report("print_settled_100k", bench::mediana(t), "ms", 1500, base);
    }
    QFile r(registro);
    if (r.open(QIODevice::ReadOnly))
        std::fprintf(stderr, "export: workbooks handed to the program: %s\n",
                     qPrintable(QString::fromUtf8(r.readAll()).simplified()));
    return ambiente.saida();
}
