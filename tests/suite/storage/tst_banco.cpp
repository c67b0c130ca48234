// The suite's storage on both databases: schema and migrations, the search
// folding, transactions, clients, company and settlements.

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
    std::shared_ptr<Banco> abrirNovo() {
        QString conexao;
        [&] { QUVA_NOVO_BANCO(m_motor, m_pasta, conexao); }();
        if (conexao.isEmpty()) return nullptr;
        return Banco::abrir(conexao);
    }

    Motor m_motor;
    QTemporaryDir m_pasta;
    rt::ManualClock m_relogio{rt::makeDate(2024, 3, 15)};

private slots:
    void initTestCase() {
        if (m_motor == Motor::PostgreSQL && !teste::ServidorPostgres::instancia().disponivel())
            QSKIP(qPrintable(teste::ServidorPostgres::instancia().motivo()));
        rt::setClock(&m_relogio);
    }
    void cleanupTestCase() { rt::setClock(nullptr); }

    void migraUmaVezEGuardaAVersao() {
        auto b = abrirNovo();
        QVERIFY(b);
        QCOMPARE(b->tipo(), m_motor == Motor::SQLite ? Banco::Tipo::SQLite : Banco::Tipo::PostgreSQL);
        QVERIFY(Banco::versaoMaisRecente(b->tipo()) >= 1);
        QCOMPARE(b->versaoDoEsquema(), Banco::versaoMaisRecente(b->tipo()));
        for (const char* t : {"clientes", "empresa", "contas_a_receber", "baixas", "versao_do_esquema"})
            QVERIFY2(b->db().tables().contains(QLatin1String(t)), t);
        cliente(*b, QStringLiteral("Maria"));
        const QString conexao = b->conexao();
        b.reset();
        // Opening again keeps the data and applies nothing twice.
        auto de_novo = Banco::abrirSeparado(conexao);
        QCOMPARE(de_novo->versaoDoEsquema(), Banco::versaoMaisRecente(de_novo->tipo()));
        QCOMPARE(de_novo->valor(QStringLiteral("SELECT COUNT(*) FROM versao_do_esquema")).toInt(),
                 Banco::versaoMaisRecente(de_novo->tipo()));
        QCOMPARE(contarClientes(*de_novo), 1);
    }

    void abrirCompartilhaAConexao() {
        auto a = abrirNovo();
        QVERIFY(a);
        auto b = Banco::abrir(a->conexao());
        QCOMPARE(a.get(), b.get());
        QVERIFY(Banco::abrirSeparado(a->conexao()).get() != a.get());
    }

    void transacaoDesfazTudoAoFalhar() {
        auto b = abrirNovo();
        QVERIFY(b);
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

    void pesquisaIgnoraAcentosECaixa_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QStringList>("esperados");
        QTest::newRow("sem acento acha acentuado")
            << "joao" << QStringList{"João da Conceição", "Padaria São João"};
        QTest::newRow("apelido") << "zeca" << QStringList{"José Antônio Ávila"};
        QTest::newRow("dois caracteres") << "av" << QStringList{"José Antônio Ávila"};
        QTest::newRow("codigo") << "3 " << QStringList{"Padaria São João"};
        QTest::newRow("curinga do LIKE é texto") << "%" << QStringList{};
        QTest::newRow("dois emojis") << "😀😀" << QStringList{"Loja 😀😀"};
    }
    void pesquisaIgnoraAcentosECaixa() {
        QFETCH(QString, texto);
        QFETCH(QStringList, esperados);
        auto b = abrirNovo();
        QVERIFY(b);
        for (auto [apelido, nome] :
             {std::pair{"Joãozinho", "João da Conceição"}, std::pair{"Zeca", "José Antônio Ávila"},
              std::pair{"", "Padaria São João"}, std::pair{"", "Loja 😀😀"}}) {
            Cliente c;
            c.apelidoOuNomeFantasia = QString::fromUtf8(apelido);
            c.nomeOuRazaoSocial = QString::fromUtf8(nome);
            salvarCliente(*b, c);
        }
        QStringList achados;
        for (const Cliente& c : pesquisarClientes(*b, texto))
            achados << c.nomeOuRazaoSocial;
        QCOMPARE(achados, esperados);
    }

    // A rename keeps the search column in step.
    void renomearAtualizaABusca() {
        auto b = abrirNovo();
        QVERIFY(b);
        Cliente a = cliente(*b, QStringLiteral("Sebastião Nogueira"));
        a.nomeOuRazaoSocial = QStringLiteral("Ânderson");
        salvarCliente(*b, a);
        QCOMPARE(pesquisarClientes(*b, QStringLiteral("ANDERSON")).size(), 1u);
        QVERIFY(pesquisarClientes(*b, QStringLiteral("nogueira")).empty());
    }

    // What a settlement writes is read back through the component on both
    // databases; here, the refusals.
    void baixaRegistraERecusaRepeticao() {
        auto b = abrirNovo();
        QVERIFY(b);
        const Cliente c = cliente(*b, QStringLiteral("Cliente"));
        Baixa x;
        x.numeroDoLancamento =
            incluirVenda(
                *b, {{c.codigo, QStringLiteral("Venda"), QDate(2024, 3, 1), rt::Currency::fromUnits(100)}},
                QStringLiteral("ana"))
                .at(0);
        QCOMPARE(contasEmAbertoDoCliente(*b, c.codigo).size(), 1u);
        x.data = QDate(2024, 3, 10);
        baixar(*b, x);
        QVERIFY(contasEmAbertoDoCliente(*b, c.codigo).empty());
        QVERIFY_THROWS_EXCEPTION(ErroDoBanco, baixar(*b, x));
        x.numeroDoLancamento += 1;
        QVERIFY_THROWS_EXCEPTION(ErroDoBanco, baixar(*b, x));
        QCOMPARE(b->valor(QStringLiteral("SELECT COUNT(*) FROM baixas")).toInt(), 1);
    }

    // No sale or settlement beyond the currency is written, and the refusal says why.
    void valoresAlemDaMoedaSaoRecusados() {
        auto b = abrirNovo();
        QVERIFY(b);
        const Cliente c = cliente(*b, QStringLiteral("Cliente"));
        const rt::Currency metade = rt::Currency::fromUnits(500'000'000'000'000);
        auto recusa = [](const std::function<void()>& f) {
            try {
                f();
            } catch (const ErroDoBanco& e) {
                return e.texto();
            }
            return QString();
        };
        const QString foraDoLimite =
            QStringLiteral("ultrapassa o maior valor aceito (922.337.203.685.477,58).");
        auto parcela = [&](int n, int de) {
            return NovaConta{c.codigo, QStringLiteral("V"), QDate(2024, 3 + n, 1), metade, n, de};
        };
        QVERIFY(recusa([&] {
                    incluirVenda(*b, {parcela(1, 2), parcela(2, 2)}, QStringLiteral("ana"));
                }).endsWith(foraDoLimite));
        QCOMPARE(b->valor(QStringLiteral("SELECT COUNT(*) FROM contas_a_receber")).toInt(), 0);
        Baixa x;
        x.numeroDoLancamento = incluirVenda(*b, {parcela(1, 1)}, QStringLiteral("ana")).at(0);
        x.data = QDate(2024, 3, 10);
        x.juros = metade;
        QVERIFY(recusa([&] { baixar(*b, x); }).endsWith(foraDoLimite));
        QCOMPARE(b->valor(QStringLiteral("SELECT COUNT(*) FROM baixas")).toInt(), 0);
    }

    void demonstracaoDeterministicaComTodasAsSituacoes() {
        m_relogio.set(rt::makeDate(2024, 3, 15));
        auto b = abrirNovo();
        QVERIFY(b);
        OpcoesDaDemonstracao o;
        o.contas = 3000;
        o.clientes = 300;
        auto indices = [&] {
            QStringList out;
            QSqlQuery q = b->executar(
                m_motor == Motor::SQLite
                    ? QStringLiteral(
                          "SELECT name FROM sqlite_master WHERE type IN ('index', 'trigger') ORDER BY 1")
                    : QStringLiteral("SELECT indexname FROM pg_indexes WHERE schemaname = current_schema() "
                                     "ORDER BY 1"));
            while (q.next())
                out << q.value(0).toString();
            return out;
        };
        const QStringList antes = indices();
        gerarDemonstracao(*b, o);
        // The load sets indexes and safety aside only while it runs.
        QCOMPARE(indices(), antes);
        if (m_motor == Motor::SQLite)
            QCOMPARE(b->valor(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
        QVERIFY_THROWS_EXCEPTION(ErroDoBanco, b->executar(QStringLiteral(
                                                  "INSERT INTO baixas (numero_do_lancamento, data_da_baixa, "
                                                  "valor_da_baixa, data_e_hora) VALUES (999999, "
                                                  "'2024-01-01', 1, '2024-01-01 10:00:00')")));
        QCOMPARE(contarClientes(*b), 300);
        QVERIFY(lerEmpresa(*b));
        auto contar = [&](const char* onde) {
            return b
                ->valor(QStringLiteral("SELECT COUNT(*) FROM contas_a_receber WHERE ") + QLatin1String(onde))
                .toLongLong();
        };
        QCOMPARE(contar("1 = 1"), 3000);
        QVERIFY(contar("data_da_baixa IS NOT NULL") > 0);
        QVERIFY(contar("data_da_baixa IS NULL AND data_de_vencimento < '2024-03-15'") > 0);
        QVERIFY(contar("data_da_baixa IS NULL AND data_de_vencimento >= '2024-03-15'") > 0);
        QVERIFY(contar("ultima_mudanca >= '2024-02-14'") > 0);
        QCOMPARE(contar("data_da_baixa IS NOT NULL"),
                 b->valor(QStringLiteral("SELECT COUNT(*) FROM baixas")).toLongLong());
        QCOMPARE(contar("valor_da_baixa <> 0 AND valor_da_baixa <> valor_do_documento - desconto_abatimento "
                        "+ juros_mora_multa"),
                 0);
        for (int s = 2; s <= 4; ++s)
            QVERIFY(
                b->valor(QStringLiteral("SELECT COUNT(*) FROM clientes WHERE situacao = ?"), {s}).toInt() >
                0);
        // Accented names are there, and found without their accents.
        QVERIFY(!pesquisarClientes(*b, QStringLiteral("conceicao")).empty());
        const QString assinatura = QStringLiteral(
            "SELECT SUM(valor_do_documento), SUM(codigo_do_cliente), MAX(historico) FROM contas_a_receber");
        QSqlQuery q1 = b->executar(assinatura);
        QVERIFY(q1.next());
        const qint64 soma = q1.value(0).toLongLong(), clientes = q1.value(1).toLongLong();
        q1.finish();
        // A database that has data is refused.
        QVERIFY_THROWS_EXCEPTION(ErroDoBanco, gerarDemonstracao(*b, o));
        b.reset();
        // The same seed gives the same data.
        auto outro = abrirNovo();
        QVERIFY(outro);
        gerarDemonstracao(*outro, o);
        QSqlQuery q2 = outro->executar(assinatura);
        QVERIFY(q2.next());
        QCOMPARE(q2.value(0).toLongLong(), soma);
        QCOMPARE(q2.value(1).toLongLong(), clientes);
    }

    // A writer behind another's lock, once its wait is over, hears why.
    void escritorQueEsperaOuveOMotivo() {
        auto a = abrirNovo();
        QVERIFY(a);
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
};

class TstConfiguracao : public QObject {
    Q_OBJECT
private slots:
    void reconheceOServidor_data() {
        QTest::addColumn<QString>("conexao");
        QTest::addColumn<bool>("postgres");
        QTest::newRow("uri") << "postgresql://u:p@db.local:5433/quva" << true;
        QTest::newRow("uri curta") << "postgres:///quva?host=/tmp/x" << true;
        QTest::newRow("pares") << "host=db.local dbname=quva" << true;
        QTest::newRow("arquivo") << "/home/ana/quva.db" << false;
        QTest::newRow("arquivo com igual") << "/tmp/a=b.db" << false;
    }
    void reconheceOServidor() {
        QFETCH(QString, conexao);
        QFETCH(bool, postgres);
        QCOMPARE(Banco::ehPostgreSQL(conexao), postgres);
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

    void dobrar_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("dobrado");
        for (const auto& [texto, dobrado] : {std::pair{"JOÃO", "joao"},
                                             {"Ação Útil", "acao util"},
                                             {"Antônio à Vovô", "antonio a vovo"},
                                             {"Müller", "muller"},
                                             {"123 abc", "123 abc"}})
            QTest::newRow(texto) << QString::fromUtf8(texto) << QString::fromUtf8(dobrado);
    }
    void dobrar() {
        QFETCH(QString, texto);
        QFETCH(QString, dobrado);
        QCOMPARE(suite::dobrar(texto), dobrado);
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

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int falhas = 0;
    {
        TstConfiguracao t;
        falhas += QTest::qExec(&t, argc, argv);
    }
    for (Motor m : {Motor::SQLite, Motor::PostgreSQL}) {
        TstBanco t(m);
        falhas += QTest::qExec(&t, argc, argv);
    }
    teste::ServidorPostgres::instancia().parar();
    return falhas;
}

#include "tst_banco.moc"
