#pragma once
// The million-receivable database the suite benchmarks share: generated
// once into build/<preset>/suite-1m.db around a fixed day, then reused.

#include "runtime/Clock.h"
#include "runtime/Convert.h"
#include "suite/storage/Banco.h"
#include "suite/storage/Demonstracao.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace bench {

inline constexpr std::int64_t kContas = 1'000'000;
inline constexpr std::int64_t kClientes = 100'000;

// The day the cached data were generated around.
inline quva::rt::Date diaDosDados() {
    return quva::rt::Date{quva::rt::makeDate(2024, 6, 14).serial + 0.5};
}

inline double agoraMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

inline double rssMB() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> p = f.readAll().split(' ');
    return p.size() > 1 ? p[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

// The SQLite file beside the bin folder, filled on first use.
inline QString garantirDados() {
    const QString arquivo = QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/.."))
                                .absoluteFilePath(QStringLiteral("suite-1m.db"));
    auto b = quva::suite::Banco::abrirSeparado(arquivo);
    if (b->valor(QStringLiteral("SELECT COUNT(*) FROM contas_a_receber")).toLongLong() < kContas) {
        std::fprintf(stderr, "generating %lld receivables and %lld clients into %s\n", (long long)kContas,
                     (long long)kClientes, qPrintable(arquivo));
        quva::suite::OpcoesDaDemonstracao o;
        o.contas = kContas;
        o.clientes = kClientes;
        quva::suite::gerarDemonstracao(*b, o);
    }
    return arquivo;
}

} // namespace bench
