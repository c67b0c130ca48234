// The suite's storage on both databases: connections and transactions, the
// search column, settlements, the demonstration load and where the
// connection setting comes from.

#include "suite/BancoDeTeste.h"
#include "suite/storage/Banco.h"
#include "suite/storage/Cadastros.h"
#include "suite/storage/Demonstracao.h"

#include "runtime/Clock.h"
#include "runtime/Convert.h"

#include <QSettings>
#include <QTest>

using namespace quva;
using namespace quva::suite;
using teste::Motor;

namespace {
Cliente cliente(Banco& b, const QString& nome) {
    Cliente c;
    c.nomeOuRazaoSocial = nome;
    salvarCliente(b, c);
    return c;
}
} // namespace

class TstBanco : public QObject {
    Q_OBJECT
public:
    explicit TstBanco(Motor m) : m_motor(m) {}

private:
    std::shared_ptr<Banco> abrirNovo() { return Banco::abrir(teste::novoBanco(m_motor, m_pasta)); }

    Motor m_motor;
    QTemporaryDir m_pasta;
    rt::ManualClock m_relogio{rt::makeDate(2024, 3, 15)};

private slots:
    void initTestCase() { rt::setClock(&m_relogio); }
    void cleanupTestCase() { rt::setClock(nullptr); }

    void transacaoDesfazTudoAoFalhar() {
        auto b = abrirNovo();
        cliente(*b, QStringLiteral("Primeiro"));
        QVERIFY_THROWS_EXCEPTION(ErroDoBanco, b->transacao([&] {
            cliente(*b, QStringLiteral("Segundo")); // joins the outer transaction
            b->executar(QStringLiteral("INSERT INTO tabela_que_nao_existe VALUES (1)"));
        }));
        QVERIFY(!b->emTransacao());
        QCOMPARE(contarClientes(*b), 1);
        // The connection is usable afterwards. (PostgreSQL's sequence keeps
        // the number the rollback left unused.)
        QVERIFY(cliente(*b, QStringLiteral("Terceiro")).codigo > 1);
        QCOMPARE(contarClientes(*b), 2);
    }

    // A rename keeps the search column in step.
    void renomearAtualizaABusca() {
        auto b = abrirNovo();
        Cliente a = cliente(*b, QStringLiteral("Sebastião Nogueira"));
        a.nomeOuRazaoSocial = QStringLiteral("Ânderson");
        salvarCliente(*b, a);
        QCOMPARE(pesquisarClientes(*b, QStringLiteral("ANDERSON")).size(), 1u);
        QVERIFY(pesquisarClientes(*b, QStringLiteral("nogueira")).empty());
    }

    // The load sets indexes, triggers and constraints aside only while it
    // runs, and never writes over data.
    void demonstracaoDevolveOEsquema() {
        auto b = abrirNovo();
        auto esquema = [&] {
            QStringList out;
            QSqlQuery q = b->executar(
                m_motor == Motor::SQLite
                    ? QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('index', 'trigger') ORDER BY 1")
                    : QStringLiteral("SELECT indexname FROM pg_indexes WHERE schemaname = current_schema() "
                                     "UNION ALL SELECT tgname FROM pg_trigger WHERE NOT tgisinternal AND tgenabled <> 'D' "
                                     "ORDER BY 1"));
            while (q.next())
                out << q.value(0).toString();
            return out;
        };
        const QStringList antes = esquema();
        OpcoesDaDemonstracao o;
        o.contas = 300;
        o.clientes = 30;
        gerarDemonstracao(*b, o);
        QCOMPARE(esquema(), antes);
        if (m_motor == Motor::SQLite)
            QCOMPARE(b->valor(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
        QVERIFY_THROWS_EXCEPTION(ErroDoBanco, b->executar(QStringLiteral(
                                                  "INSERT INTO baixas (numero_do_lancamento, data_da_baixa, "
                                                  "valor_da_baixa, data_e_hora) VALUES (999999, "
                                                  "'2024-01-01', 1, '2024-01-01 10:00:00')")));
        QVERIFY_THROWS_EXCEPTION(ErroDoBanco, gerarDemonstracao(*b, o));
    }

    // A writer behind another's lock, once its wait is over, hears why.
    void escritorQueEsperaOuveOMotivo() {
        auto a = abrirNovo();
        Cliente c = cliente(*a, QStringLiteral("Disputado"));
        auto b = Banco::abrirSeparado(a->conexao());
        b->executar(m_motor == Motor::SQLite ? QStringLiteral("PRAGMA busy_timeout = 100")
                                             : QStringLiteral("SET lock_timeout TO '100ms'"));
        a->transacao([&] {
            a->executar(QStringLiteral("UPDATE clientes SET cidade = 'A' WHERE codigo_do_cliente = ?"),
                        {qlonglong(c.codigo)});
            try {
                salvarCliente(*b, c);
                QFAIL("the second writer did not wait");
            } catch (const ErroDoBanco& e) {
                QVERIFY2(e.texto().contains(QStringLiteral("ocupado com a gravação de outro usuário")),
                         qPrintable(e.texto()));
            }
        });
    }

    // The connection setting and its kind; these do not depend on the
    // database the run is for.
    void reconheceOServidor() {
        const std::pair<const char*, bool> casos[] = {{"postgresql://u:p@db.local:5433/quva", true},
                                                      {"postgres:///quva?host=/tmp/x", true},
                                                      {"host=db.local dbname=quva", true},
                                                      {"/home/ana/quva.db", false},
                                                      {"/tmp/a=b.db", false}};
        for (const auto& [conexao, postgres] : casos)
            QVERIFY2(Banco::ehPostgreSQL(QString::fromUtf8(conexao)) == postgres, conexao);
    }

    void variavelAntesDoArquivoAntesDoPadrao() {
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
        qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
        qunsetenv("QUVA_DATABASE");
        QCOMPARE(Banco::conexaoConfigurada(), home.filePath(QStringLiteral("data/quva/quva.db")));
        QDir().mkpath(home.filePath(QStringLiteral("config/quva")));
        {
            QSettings s(home.filePath(QStringLiteral("config/quva/suite.ini")), QSettings::IniFormat);
            s.setValue(QStringLiteral("banco/conexao"), QStringLiteral("postgresql:///quva"));
        }
        QCOMPARE(Banco::conexaoConfigurada(), QStringLiteral("postgresql:///quva"));
        qputenv("QUVA_DATABASE", "/tmp/outro.db");
        QCOMPARE(Banco::conexaoConfigurada(), QStringLiteral("/tmp/outro.db"));
        qunsetenv("QUVA_DATABASE");
    }

    void servidorInexistenteFalhaComTexto() {
        try {
            Banco::abrirSeparado(QStringLiteral("postgresql:///quva?host=/nao/existe&port=1"));
            QFAIL("opened");
        } catch (const ErroDoBanco& e) {
            QVERIFY(e.texto().startsWith(QStringLiteral("Não foi possível abrir o banco de dados")));
        }
    }
};

QUVA_TESTE_NOS_DOIS_BANCOS(TstBanco)

#include "tst_banco.moc"
