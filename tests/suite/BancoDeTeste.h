#pragma once
// Databases for the suite's tests: a SQLite file in a temporary folder, or
// a private PostgreSQL server started once per test program with
// scripts/pg-test-server (skipped when the server cannot be started).
// QUVA_TEST_POSTGRESQL names an existing server instead; "off" skips it.

#include <QCoreApplication>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

#include <memory>

namespace quva::teste {

enum class Motor { SQLite, PostgreSQL };

inline const char* nomeDoMotor(Motor m) {
    return m == Motor::SQLite ? "SQLite" : "PostgreSQL";
}

class ServidorPostgres {
public:
    static ServidorPostgres& instancia() {
        static ServidorPostgres s;
        return s;
    }
    bool disponivel() {
        iniciar();
        return !m_uri.isEmpty();
    }
    const QString& uri() const { return m_uri; }
    const QString& motivo() const { return m_motivo; }

    // Leaves an empty database: the next opening migrates from scratch.
    void limpar() {
        const QString nome = QStringLiteral("quva-teste-limpeza");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), nome);
            const QUrl url(m_uri);
            const QUrlQuery q(url);
            db.setHostName(q.queryItemValue(QStringLiteral("host")));
            db.setPort(q.queryItemValue(QStringLiteral("port")).toInt());
            db.setUserName(q.queryItemValue(QStringLiteral("user")));
            db.setDatabaseName(url.path().mid(1));
            if (db.open()) {
                QSqlQuery(db).exec(QStringLiteral("SET client_min_messages TO warning"));
                QSqlQuery(db).exec(QStringLiteral("DROP SCHEMA public CASCADE"));
                QSqlQuery(db).exec(QStringLiteral("CREATE SCHEMA public"));
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(nome);
    }

    void parar() {
        if (!m_pasta) return;
        QProcess::execute(QStringLiteral(QUVA_PG_SCRIPT), {QStringLiteral("stop"), m_pasta->path()});
        m_pasta.reset();
    }

private:
    void iniciar() {
        if (m_tentado) return;
        m_tentado = true;
        const QString externo = qEnvironmentVariable("QUVA_TEST_POSTGRESQL");
        if (externo == QLatin1String("off")) {
            m_motivo = QStringLiteral("QUVA_TEST_POSTGRESQL=off");
            return;
        }
        if (!externo.isEmpty()) {
            m_uri = externo;
            return;
        }
        m_pasta = std::make_unique<QTemporaryDir>();
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

    bool m_tentado = false;
    QString m_uri;
    QString m_motivo;
    std::unique_ptr<QTemporaryDir> m_pasta;
};

// A fresh, empty database of the given kind; QSKIPs the calling test when
// PostgreSQL is not available. Returns the connection setting.
#define QUVA_NOVO_BANCO(motor, pasta, resultado)                                                             \
    do {                                                                                                     \
        if ((motor) == ::quva::teste::Motor::SQLite) {                                                       \
            static int serie = 0;                                                                            \
            resultado = (pasta).filePath(QStringLiteral("quva-%1.db").arg(++serie));                         \
        } else {                                                                                             \
            auto& servidor = ::quva::teste::ServidorPostgres::instancia();                                   \
            if (!servidor.disponivel()) QSKIP(qPrintable(servidor.motivo()));                                \
            servidor.limpar();                                                                               \
            resultado = servidor.uri();                                                                      \
        }                                                                                                    \
    } while (false)

// Runs a test class once per database kind, then stops the private server.
#define QUVA_TESTE_NOS_DOIS_BANCOS(Classe)                                                                   \
    int main(int argc, char** argv) {                                                                        \
        QCoreApplication app(argc, argv);                                                                    \
        int falhas = 0;                                                                                      \
        {                                                                                                    \
            Classe sqlite(::quva::teste::Motor::SQLite);                                                     \
            falhas += QTest::qExec(&sqlite, argc, argv);                                                     \
        }                                                                                                    \
        {                                                                                                    \
            Classe pg(::quva::teste::Motor::PostgreSQL);                                                     \
            falhas += QTest::qExec(&pg, argc, argv);                                                         \
        }                                                                                                    \
        ::quva::teste::ServidorPostgres::instancia().parar();                                                \
        return falhas;                                                                                       \
    }

} // namespace quva::teste
