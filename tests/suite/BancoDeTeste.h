#pragma once
// Databases for the suite's tests: a SQLite file in a temporary folder, or
// a private PostgreSQL server started once per test program with
// scripts/pg-test-server (skipped when the server cannot be started).

#include "suite/storage/Banco.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace quva::teste {

enum class Motor { SQLite, PostgreSQL };

// Started on first use; stopped by parar().
class ServidorPostgres {
public:
    static ServidorPostgres& instancia() {
        static ServidorPostgres s;
        return s;
    }
    bool disponivel() const { return !m_uri.isEmpty(); }
    const QString& uri() const { return m_uri; }
    const QString& motivo() const { return m_motivo; }

    // Leaves an empty database: the next opening migrates from scratch.
    void limpar() {
        auto banco = suite::Banco::abrirSeparado(m_uri);
        banco->executar(QStringLiteral("SET client_min_messages TO warning"));
        banco->executar(QStringLiteral("DROP SCHEMA public CASCADE"));
        banco->executar(QStringLiteral("CREATE SCHEMA public"));
    }

    void parar() {
        if (!m_pasta) return;
        QProcess::execute(QStringLiteral(QUVA_PG_SCRIPT), {QStringLiteral("stop"), m_pasta->path()});
        m_pasta.reset();
    }

private:
    ServidorPostgres() {
        QProcess p;
        p.start(QStringLiteral(QUVA_PG_SCRIPT), {QStringLiteral("start"), m_pasta->path()});
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            m_motivo = QStringLiteral("no private PostgreSQL server: ") +
                       QString::fromUtf8(p.readAllStandardError()).trimmed();
            m_pasta.reset();
            return;
        }
        m_uri = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

    QString m_uri;
    QString m_motivo;
    std::unique_ptr<QTemporaryDir> m_pasta = std::make_unique<QTemporaryDir>();
};

// A fresh, empty database of the given kind: its connection setting.
inline QString novoBanco(Motor motor, const QTemporaryDir& pasta) {
    if (motor == Motor::SQLite) {
        static int serie = 0;
        return pasta.filePath(QStringLiteral("quva-%1.db").arg(++serie));
    }
    auto& servidor = ServidorPostgres::instancia();
    servidor.limpar();
    return servidor.uri();
}

// Runs one of several test objects in this process. QtTest's crash handler,
// installed again by a later run, re-raises into itself and prints forever
// on an abort; later runs go without it.
inline int executar(QObject& teste, int argc, char** argv) {
    static int vezes = 0;
    QStringList argumentos;
    for (int i = 0; i < argc; ++i) argumentos << QString::fromLocal8Bit(argv[i]);
    if (vezes++ > 0) argumentos.insert(1, QStringLiteral("-nocrashhandler"));
    return QTest::qExec(&teste, argumentos);
}

// Runs a test class once per database kind (PostgreSQL only when the
// private server starts), then stops the server.
template <class Classe> int executarNosDoisBancos(int argc, char** argv) {
    auto& servidor = ServidorPostgres::instancia();
    int falhas = 0;
    for (Motor motor : {Motor::SQLite, Motor::PostgreSQL}) {
        if (motor == Motor::PostgreSQL && !servidor.disponivel()) {
            qInfo("PostgreSQL skipped: %s", qPrintable(servidor.motivo()));
            continue;
        }
        Classe teste(motor);
        falhas += executar(teste, argc, argv);
    }
    servidor.parar();
    return falhas;
}

#define QUVA_TESTE_NOS_DOIS_BANCOS(Classe)                                                                   \
    int main(int argc, char** argv) {                                                                        \
        QCoreApplication app(argc, argv);                                                                    \
        return ::quva::teste::executarNosDoisBancos<Classe>(argc, argv);                                     \
    }

} // namespace quva::teste
