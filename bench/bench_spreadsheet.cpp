// excel.application at 100,000 settled receivables of nine columns, against
// the same cells written straight with libxlsxwriter. Diagnostics only: the
// export_* figures need the export functions around it.

#include "BancadaDaPlanilha.h"

#include "runtime/Errors.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir pasta;
    if (!qEnvironmentVariableIsSet("QUVA_REGISTRY"))
        qputenv("QUVA_REGISTRY", pasta.filePath(QStringLiteral("registry.ini")).toUtf8());
    // The file is written, not opened, unless a program is named.
    if (!qEnvironmentVariableIsSet("QUVA_PLANILHA")) qputenv("QUVA_PLANILHA", "/bin/true");
    QString erro;
    if (quva::automation::RegisterLibrary(QStringLiteral(SPREADSHEET_LIB), &erro) != quva::automation::S_OK_) {
        std::fprintf(stderr, "spreadsheet: cannot register %s: %s\n", SPREADSHEET_LIB, qPrintable(erro));
        return 1;
    }
    const int kLinhas = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const double c0 = bench::cpuMs();
    const double direto = bench::escreverDireto(pasta.filePath(QStringLiteral("direto.xlsx")), kLinhas);
    const double c1 = bench::cpuMs();
    bench::zerarPicoDeMemoria();
    const double antes = bench::memoriaMb("VmRSS:");
    // The exports write under the hourglass.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    double camada = 0;
    try {
        camada = bench::escreverPelaCamada(kLinhas);
    } catch (const quva::rt::RuntimeError& e) {
        std::fprintf(stderr, "spreadsheet: stopped with failure %d\n", e.number());
        return 1;
    }
    QGuiApplication::restoreOverrideCursor();
    const double c2 = bench::cpuMs();
    const double pico = bench::memoriaMb("VmHWM:");
    std::fprintf(stderr,
                 "spreadsheet: %d rows x 9 columns: libxlsxwriter straight %.0f ms; excel.application %.0f ms "
                 "(%.0f cells/s, %.1f x the baseline); processor time %.0f ms and %.0f ms; peak memory growth %.1f MB\n",
                 kLinhas, direto, camada, kLinhas * 9 / (camada / 1000), camada / direto, c1 - c0, c2 - c1,
                 pico - antes);
    return 0;
}
