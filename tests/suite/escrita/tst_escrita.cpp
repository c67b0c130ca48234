// Writes under faults and concurrency, with clerks as processes: a clerk
// killed in the middle of adding a plan of 12 installments leaves all 12
// or none, and clerks adding at the same time never share or split a sale.

#include "suite/BancoDeTeste.h"

#include "automation/Server.h"
#include "suite/storage/Banco.h"
#include "suite/storage/Cadastros.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QThread>

#include <atomic>
#include <latch>

using namespace quva;
using namespace quva::suite;
using teste::Motor;

namespace {

// The calls a clerk reported done, and whether it was killed inside one
// (its last line an "A" with no "F" after it).
std::pair<int, bool> lerSaida(const QByteArray& texto) {
    return {int(texto.count("F 0\n")), texto.trimmed().endsWith('A')};
}

} // namespace

class TstEscrita : public QObject {
    Q_OBJECT
public:
    explicit TstEscrita(Motor m) : m_motor(m) {}

private:
    Motor m_motor;
    QTemporaryDir m_pasta;
    QString m_conexao;
    std::shared_ptr<Banco> m_banco;

    QProcess* adicionador(int vezes, std::int64_t cliente, QObject* dono) {
        auto* p = new QProcess(dono);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QUVA_DATABASE"), m_conexao);
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QStringLiteral(ADICIONADOR), {QString::number(vezes), QString::number(cliente)});
        return p;
    }

    std::int64_t cliente(const QString& nome) {
        Cliente c;
        c.nomeOuRazaoSocial = nome;
        return salvarCliente(*m_banco, c);
    }

    // The number of sales, or -1 when one lacks any of its 12 installments,
    // numbered 1 to 12, of one client, adding up to the sale's value.
    std::int64_t conferirVendas() {
        QSqlQuery q = m_banco->executar(QStringLiteral(
            "SELECT numero_da_venda, COUNT(*), COUNT(DISTINCT numero_da_parcela), MIN(numero_da_parcela), "
            "MAX(numero_da_parcela), COUNT(DISTINCT codigo_do_cliente), SUM(valor_do_documento), "
            "MIN(valor_da_venda), MAX(valor_da_venda) FROM contas_a_receber GROUP BY numero_da_venda"));
        std::int64_t vendas = 0;
        while (q.next()) {
            ++vendas;
            if (q.value(1).toInt() != 12 || q.value(2).toInt() != 12 || q.value(3).toInt() != 1 ||
                q.value(4).toInt() != 12 || q.value(5).toInt() != 1 || q.value(6) != q.value(7) ||
                q.value(7) != q.value(8)) {
                qWarning() << "sale" << q.value(0) << "is broken:" << q.value(1) << "rows";
                return -1;
            }
        }
        return vendas;
    }

private slots:
    void initTestCase() {
        QCOMPARE(automation::RegisterLibrary(QStringLiteral(CRECEBER_PATH)), automation::S_OK_);
    }

    void init() {
        m_conexao = teste::novoBanco(m_motor, m_pasta);
        m_banco = Banco::abrirSeparado(m_conexao);
        if (m_motor == Motor::SQLite) {
            // Each installment's insert costs a millisecond more, so that most
            // kills find a plan half-written rather than between two plans.
            m_banco->executar(QStringLiteral(
                "CREATE TRIGGER devagar AFTER INSERT ON contas_a_receber BEGIN SELECT COUNT(*) FROM "
                "(WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 2000) "
                "SELECT x FROM n); END"));
        } else {
            m_banco->executar(QStringLiteral("CREATE FUNCTION devagar() RETURNS trigger LANGUAGE plpgsql AS "
                                             "$$ BEGIN PERFORM pg_sleep(0.001); RETURN NEW; END $$"));
            m_banco->executar(QStringLiteral("CREATE TRIGGER devagar AFTER INSERT ON contas_a_receber "
                                             "FOR EACH ROW EXECUTE FUNCTION devagar()"));
        }
    }
    void cleanup() { m_banco.reset(); }

    void mortoNoMeioDoPlano() {
        const std::int64_t codigo = cliente(QStringLiteral("Cliente do teste de queda"));
        constexpr int kVezes = 40;
        int feitas = 0, emVoo = 0;
        for (int i = 0; i < kVezes; ++i) {
            QObject dono;
            QProcess* p = adicionador(0, codigo, &dono);
            QByteArray texto;
            // The first plan opens the database; the kill comes later.
            while (!texto.contains("F 0\n") && p->waitForReadyRead(20000))
                texto += p->readAllStandardOutput();
            QVERIFY2(texto.contains("F 0\n"), "the clerk added no plan");
            QThread::usleep(QRandomGenerator::global()->bounded(80000));
            p->kill(); // SIGKILL
            QVERIFY(p->waitForFinished(20000));
            const auto [f, voando] = lerSaida(texto + p->readAllStandardOutput());
            feitas += f;
            emVoo += voando ? 1 : 0;
        }
        auto depois = Banco::abrirSeparado(m_conexao);
        if (m_motor == Motor::SQLite)
            QCOMPARE(depois->valor(QStringLiteral("PRAGMA integrity_check")).toString(),
                     QStringLiteral("ok"));
        m_banco = depois;
        const std::int64_t vendas = conferirVendas();
        qInfo("%d kills, %d inside Adicionar; %d plans reported done, %lld stored", kVezes, emVoo, feitas,
              qlonglong(vendas));
        // What was reported done is there; at most the plans cut after their commit are more.
        QVERIFY(vendas >= feitas && vendas <= feitas + emVoo);
        QVERIFY2(emVoo >= kVezes / 2, "too few kills fell inside a call to tell anything");

        // The database takes the next plans from three clerks adding at
        // once: sales queue, each whole, none numbered twice.
        constexpr int kPlanos = 10;
        // On PostgreSQL their numbers cross from one checkpoint stretch of
        // 1024 receivables to the next while they queue.
        if (m_motor == Motor::PostgreSQL)
            m_banco->executar(QStringLiteral(
                "SELECT setval(pg_get_serial_sequence('contas_a_receber', 'numero_do_lancamento'), "
                "(MAX(numero_do_lancamento) / 1024 + 2) * 1024 - 100) FROM contas_a_receber"));
        QObject dono;
        std::vector<QProcess*> balconistas;
        for (int i = 0; i < 3; ++i)
            balconistas.push_back(adicionador(kPlanos, cliente(QStringLiteral("Cliente %1").arg(i)), &dono));
        for (QProcess* p : balconistas) {
            QVERIFY(p->waitForFinished(120000));
            QCOMPARE(p->exitCode(), 0);
            QCOMPARE(lerSaida(p->readAllStandardOutput()).first, kPlanos);
        }
        QCOMPARE(conferirVendas(), vendas + 3 * kPlanos);
    }

    // Two clerks registering clients at once, one of them with codes of its
    // own as an import gives them: every client saved, no code taken twice.
    void doisBalconistasCadastramClientes() {
        constexpr int kClientes = 100;
        std::atomic<int> falhas{0};
        std::latch juntos(2);
        auto balconista = [&](int quem) {
            try {
                auto banco = Banco::abrirSeparado(m_conexao);
                juntos.arrive_and_wait();
                for (int i = 0; i < kClientes; ++i) {
                    Cliente c;
                    c.nomeOuRazaoSocial = QStringLiteral("Cliente %1-%2").arg(quem).arg(i);
                    if (quem == 1 && i % 10 == 0) c.codigo = 1000 - i;
                    salvarCliente(*banco, c);
                }
            } catch (const ErroDoBanco& e) {
                qWarning() << e.texto();
                ++falhas;
            }
        };
        std::unique_ptr<QThread> outro(QThread::create(balconista, 1));
        outro->start();
        balconista(0);
        QVERIFY(outro->wait(120000));
        QCOMPARE(falhas.load(), 0);
        QCOMPARE(m_banco->valor(QStringLiteral("SELECT COUNT(*) FROM clientes")).toInt(), 2 * kClientes);
        // The next one numbered by the database follows the codes chosen by hand.
        QVERIFY(cliente(QStringLiteral("Depois")) > 1000);
    }
};

QUVA_TESTE_NOS_DOIS_BANCOS(TstEscrita)

#include "tst_escrita.moc"
