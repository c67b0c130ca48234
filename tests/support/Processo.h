#pragma once
// A program run as a user runs it, with some environment variables of the
// test's own.

#include <QDebug>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace teste {

struct Execucao {
    int codigo = -1; // -1 killed after the wait, -2 crashed
    QString saida, erro;

    // Whether the run ended with esperado and said texto where it should: a
    // success on standard output, anything else on standard error. When
    // not, what it said is logged.
    bool terminou(int esperado, const QString& texto) const {
        if (codigo == esperado && (esperado == 0 ? saida : erro).contains(texto)) return true;
        qWarning("exit code %d, output:\n%s", codigo, qPrintable(saida + erro));
        return false;
    }
};

// env: variables to set; an empty value removes one. A program that goes on
// to wait for a user is ended once its standard error says ateDizer.
inline Execucao executarPrograma(const QString& programa, const QStringList& args,
                                 const QMap<QString, QString>& env = {}, int esperaMs = 120000,
                                 const QString& ateDizer = {}) {
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    for (auto it = env.begin(); it != env.end(); ++it)
        it.value().isEmpty() ? ambiente.remove(it.key()) : ambiente.insert(it.key(), it.value());
    QProcess p;
    p.setProcessEnvironment(ambiente);
    p.setReadChannel(QProcess::StandardError);
    p.start(programa, args);
    QString erro;
    while (!ateDizer.isEmpty() && !erro.contains(ateDizer) && p.waitForReadyRead(esperaMs))
        erro += QString::fromUtf8(p.readAllStandardError());
    int codigo = -1;
    if (!p.waitForFinished(ateDizer.isEmpty() ? esperaMs : 0)) {
        p.kill();
        p.waitForFinished();
    } else {
        codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    }
    return {codigo, QString::fromUtf8(p.readAllStandardOutput()),
            erro + QString::fromUtf8(p.readAllStandardError())};
}

} // namespace teste
