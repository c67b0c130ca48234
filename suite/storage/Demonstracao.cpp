#include "suite/storage/Demonstracao.h"

#include "runtime/Clock.h"
#include "suite/storage/Cadastros.h"

#include <QSqlDriver>
#include <QSqlQuery>
#include <QStringList>

#include <libpq-fe.h>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>

namespace quva::suite {

namespace {

// A small generator of our own, so the same seed gives the same data
// whatever the standard library.
class Sorteio {
public:
    explicit Sorteio(std::uint64_t semente) : m_estado(semente) {}
    std::uint64_t proximo() {
        std::uint64_t z = (m_estado += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::int64_t ate(std::int64_t n) { return std::int64_t(proximo() % std::uint64_t(n)); } // [0, n)
    bool chance(int porCento) { return ate(100) < porCento; }
    template <std::size_t N> const char* um(const std::array<const char*, N>& a) {
        return a[std::size_t(ate(N))];
    }

private:
    std::uint64_t m_estado;
};

const std::array<const char*, 48> kPrenomes{
    "João",     "José",    "Antônio", "Francisco", "Luís",     "Sebastião", "Conceição", "Maria",
    "Ana",      "Fábio",   "Márcio",  "Lúcia",     "Cláudia",  "Vânia",     "Inês",      "Débora",
    "Sérgio",   "Rogério", "Flávio",  "Otávio",    "Simão",    "Tânia",     "Mônica",    "Patrícia",
    "Letícia",  "Cecília", "Júlia",   "Vitória",   "Heloísa",  "Caio",      "Pedro",     "Paulo",
    "Carlos",   "Marcos",  "Rafael",  "Beatriz",   "Fernanda", "Juliana",   "Adriana",   "Raimundo",
    "Benedito", "Joaquim", "Valéria", "Glória",    "Aurélio",  "Estêvão",   "Iracema",   "Rosângela"};
// The women's names above, so that a second name follows the first one's.
bool feminino(const QString& nome) {
    static const QStringList f{QStringLiteral("Conceição"), QStringLiteral("Maria"),    QStringLiteral("Ana"),
                               QStringLiteral("Lúcia"),     QStringLiteral("Cláudia"),  QStringLiteral("Vânia"),
                               QStringLiteral("Inês"),      QStringLiteral("Débora"),   QStringLiteral("Tânia"),
                               QStringLiteral("Mônica"),    QStringLiteral("Patrícia"), QStringLiteral("Letícia"),
                               QStringLiteral("Cecília"),   QStringLiteral("Júlia"),    QStringLiteral("Vitória"),
                               QStringLiteral("Heloísa"),   QStringLiteral("Beatriz"),  QStringLiteral("Fernanda"),
                               QStringLiteral("Juliana"),   QStringLiteral("Adriana"),  QStringLiteral("Valéria"),
                               QStringLiteral("Glória"),    QStringLiteral("Iracema"),  QStringLiteral("Rosângela")};
    return f.contains(nome);
}
const std::array<const char*, 40> kSobrenomes{
    "Silva",     "Santos",   "Oliveira", "Souza",    "Conceição", "Araújo",    "Gonçalves", "Simões",
    "Magalhães", "Assunção", "Brandão",  "Falcão",   "Galvão",    "Guimarães", "Leão",      "Lopes",
    "Ribeiro",   "Nogueira", "Peçanha",  "Carvalho", "Gomes",     "Mendonça",  "Sampaio",   "Patrício",
    "Antunes",   "Barbosa",  "Cardoso",  "Ferreira", "Pereira",   "Rodrigues", "Almeida",   "Corrêa",
    "Damasceno", "Queirós",  "Aragão",   "Bastião",  "Romão",     "Fontes",    "Teixeira",  "Macêdo"};
const std::array<const char*, 16> kRamos{"Padaria",       "Mercearia",   "Açougue",      "Oficina",
                                         "Farmácia",      "Papelaria",   "Borracharia",  "Lanchonete",
                                         "Distribuidora", "Serralheria", "Floricultura", "Confecções",
                                         "Ótica",         "Sorveteria",  "Vidraçaria",   "Marcenaria"};
const std::array<const char*, 14> kFantasias{
    "São Jorge",   "Bom Preço",  "Três Irmãos",   "União",     "Progresso", "Estrela", "Boa Vista",
    "Santa Luzia", "Pão de Mel", "Nossa Senhora", "Primavera", "Avenida",   "Central", "Bela Vitória"};
const std::array<const char*, 12> kRuas{"Rua das Acácias",        "Avenida Brasil",   "Rua São João",
                                        "Rua Sete de Setembro",   "Travessa da Paz",  "Rua Marechal Deodoro",
                                        "Avenida Getúlio Vargas", "Rua Tiradentes",   "Rua da Conceição",
                                        "Alameda dos Ipês",       "Rua Dom Pedro II", "Avenida Paraná"};
const std::array<const char*, 10> kBairros{"Centro",     "Jardim América", "Vila Nova",    "Boqueirão",
                                           "Água Verde", "São Cristóvão",  "Santa Mônica", "Bela Vista",
                                           "Capão Raso", "Itaúna"};
const std::array<std::pair<const char*, const char*>, 10> kCidades{{{"São Paulo", "SP"},
                                                                    {"Curitiba", "PR"},
                                                                    {"Belém", "PA"},
                                                                    {"Goiânia", "GO"},
                                                                    {"Maceió", "AL"},
                                                                    {"Florianópolis", "SC"},
                                                                    {"Ribeirão Preto", "SP"},
                                                                    {"Vitória", "ES"},
                                                                    {"São Luís", "MA"},
                                                                    {"Jundiaí", "SP"}}};
const std::array<const char*, 12> kHistoricos{
    "Venda a prazo",          "Venda balcão",           "Conserto de geladeira", "Mensalidade",
    "Serviço de instalação",  "Peças e mão de obra",    "Cheque devolvido",      "Renegociação de dívida",
    "Aluguel de equipamento", "Material de construção", "Manutenção preventiva", "Revisão do veículo"};

QString t(const char* s) {
    return QString::fromUtf8(s);
}

// "YYYY-MM-DD HH:MM:SS" of a day and a time, as Banco::dataEHora writes it,
// without going through the local time zone for every row.
QString momento(const QDate& d, const QTime& t) {
    char b[24];
    std::snprintf(b, sizeof b, "%04d-%02d-%02d %02d:%02d:%02d", d.year(), d.month(), d.day(), t.hour(),
                  t.minute(), t.second());
    return QString::fromLatin1(b, 19);
}

QVariant isoDoDia(const QDate& d) {
    char b[16];
    std::snprintf(b, sizeof b, "%04d-%02d-%02d", d.year(), d.month(), d.day());
    return QString::fromLatin1(b, 10);
}

// Inserts rows of `colunas` into `tabela` through the database's own
// library, whose bulk paths cost a fraction of the Qt driver's per-value
// work: on SQLite one prepared statement stepped per row, on PostgreSQL
// COPY of a few megabytes at a time. Other drivers get multi-row INSERTs
// of `linhasPorComando` rows.
class Lote {
public:
    Lote(Banco& banco, QString tabela, QStringList colunas, int linhasPorComando, bool automatico = true)
        : m_banco(banco), m_tabela(std::move(tabela)), m_colunas(std::move(colunas)),
          m_porComando(linhasPorComando), m_automatico(automatico) {
        if (m_banco.sqlite()) {
            const QVariant h = m_banco.db().driver()->handle();
            if (h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0)
                m_sqlite = *static_cast<sqlite3* const*>(h.constData());
        }
        if (!m_banco.sqlite()) {
            const QVariant h = m_banco.db().driver()->handle();
            if (h.isValid() && qstrcmp(h.typeName(), "PGconn*") == 0)
                m_pg = *static_cast<PGconn* const*>(h.constData());
        }
        if (m_sqlite) {
            const QByteArray sql =
                (QStringLiteral("INSERT INTO %1 (%2) VALUES (").arg(m_tabela, m_colunas.join(u',')) +
                 QStringList(m_colunas.size(), QStringLiteral("?")).join(u',') + u')')
                    .toUtf8();
            if (sqlite3_prepare_v2(m_sqlite, sql.constData(), int(sql.size()), &m_direto, nullptr) !=
                SQLITE_OK)
                falhar();
        }
    }
    ~Lote() { sqlite3_finalize(m_direto); }
    Lote(const Lote&) = delete;
    Lote& operator=(const Lote&) = delete;

    void linha(const QVariantList& valores) {
        if (m_direto) {
            inserirDireto(valores);
            return;
        }
        if (m_pg) {
            acrescentarAoCopy(valores);
            if (m_automatico && m_copy.size() >= kCopy) descarregarCompletos();
            return;
        }
        m_valores += valores;
        ++m_linhas;
        if (m_automatico && m_linhas >= m_porComando) descarregarCompletos();
    }
    // Writes the pending rows in whole batches; the rest waits.
    void descarregarCompletos() {
        if (m_pg) {
            copiar();
            if (depois) depois();
            return;
        }
        if (m_linhas < m_porComando) return;
        if (!m_comando) m_comando = std::make_unique<QSqlQuery>(preparar(m_porComando));
        const int n = int(m_colunas.size());
        int usados = 0;
        while (m_linhas - usados / n >= m_porComando) {
            for (int i = 0; i < m_porComando * n; ++i)
                m_comando->bindValue(i, m_valores[usados + i]);
            Banco::executar(*m_comando);
            usados += m_porComando * n;
        }
        m_valores.remove(0, usados);
        m_linhas -= usados / n;
        if (depois) depois();
    }
    void descarregar() {
        descarregarCompletos();
        if (m_pg) return;
        if (m_linhas == 0) return;
        QSqlQuery resto = preparar(m_linhas);
        for (int i = 0; i < m_valores.size(); ++i)
            resto.bindValue(i, m_valores[i]);
        Banco::executar(resto);
        m_valores.clear();
        m_linhas = 0;
        if (depois) depois();
    }
    std::function<void()> depois; // runs after each batch written

private:
    QSqlQuery preparar(int linhas) {
        const QString uma =
            QStringLiteral("(") + QStringList(m_colunas.size(), QStringLiteral("?")).join(u',') + u')';
        return m_banco.preparar(
            QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(m_tabela, m_colunas.join(u',')) +
            QStringList(linhas, uma).join(u','));
    }

    void inserirDireto(const QVariantList& valores) {
        for (int i = 0; i < valores.size(); ++i) {
            const QVariant& v = valores[i];
            int r = SQLITE_OK;
            if (v.isNull()) {
                r = sqlite3_bind_null(m_direto, i + 1);
            } else if (v.typeId() == QMetaType::QString) {
                // The text lives in `valores` until the step below.
                const QString* t = static_cast<const QString*>(v.constData());
                r = sqlite3_bind_text16(m_direto, i + 1, t->utf16(), int(t->size() * 2), SQLITE_STATIC);
            } else {
                r = sqlite3_bind_int64(m_direto, i + 1, v.toLongLong());
            }
            if (r != SQLITE_OK) falhar();
        }
        if (sqlite3_step(m_direto) != SQLITE_DONE) falhar();
        sqlite3_reset(m_direto);
    }

    // COPY's text format: tab between fields, \N for null, backslash escapes.
    void acrescentarAoCopy(const QVariantList& valores) {
        for (int i = 0; i < valores.size(); ++i) {
            if (i > 0) m_copy += '\t';
            const QVariant& v = valores[i];
            if (v.isNull()) {
                m_copy += "\\N";
            } else if (v.typeId() == QMetaType::QString) {
                for (const char c : static_cast<const QString*>(v.constData())->toUtf8()) {
                    switch (c) {
                    case '\\':
                        m_copy += "\\\\";
                        break;
                    case '\t':
                        m_copy += "\\t";
                        break;
                    case '\n':
                        m_copy += "\\n";
                        break;
                    case '\r':
                        m_copy += "\\r";
                        break;
                    default:
                        m_copy += c;
                    }
                }
            } else {
                m_copy += QByteArray::number(v.toLongLong());
            }
        }
        m_copy += '\n';
    }

    void copiar() {
        if (m_copy.isEmpty()) return;
        const QByteArray comando =
            QStringLiteral("COPY %1 (%2) FROM STDIN").arg(m_tabela, m_colunas.join(u',')).toUtf8();
        PGresult* r = PQexec(m_pg, comando.constData());
        const bool aberto = PQresultStatus(r) == PGRES_COPY_IN;
        PQclear(r);
        QString erro;
        if (!aberto) {
            erro = QString::fromUtf8(PQerrorMessage(m_pg));
        } else {
            if (PQputCopyData(m_pg, m_copy.constData(), int(m_copy.size())) != 1 ||
                PQputCopyEnd(m_pg, nullptr) != 1)
                erro = QString::fromUtf8(PQerrorMessage(m_pg));
            while (PGresult* fim = PQgetResult(m_pg)) {
                if (PQresultStatus(fim) != PGRES_COMMAND_OK && erro.isEmpty())
                    erro = QString::fromUtf8(PQresultErrorMessage(fim));
                PQclear(fim);
            }
        }
        m_copy.clear();
        if (!erro.isEmpty())
            throw ErroDoBanco(QStringLiteral("O banco de dados recusou a operação: %1").arg(erro.trimmed()));
    }

    [[noreturn]] void falhar() {
        const QString texto = QString::fromUtf8(sqlite3_errmsg(m_sqlite));
        if (m_direto) sqlite3_reset(m_direto);
        throw ErroDoBanco(QStringLiteral("O banco de dados recusou a operação: %1").arg(texto));
    }

    Banco& m_banco;
    QString m_tabela;
    QStringList m_colunas;
    int m_porComando;
    bool m_automatico;
    int m_linhas = 0;
    QVariantList m_valores;
    std::unique_ptr<QSqlQuery> m_comando;
    sqlite3* m_sqlite = nullptr;
    sqlite3_stmt* m_direto = nullptr;
    static constexpr qsizetype kCopy = 4 << 20;
    PGconn* m_pg = nullptr;
    QByteArray m_copy;
};

// The secondary indexes of the demo's tables: dropped while the rows go in,
// built again after from sorted keys, which costs a fraction of keeping
// them up to date row by row. Returns what puts them back.
QStringList tirarIndices(Banco& banco) {
    QStringList nomes, comandos;
    QSqlQuery q = banco.executar(
        banco.sqlite()
            ? QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL "
                             "AND tbl_name IN ('clientes', 'contas_a_receber', 'baixas')")
            : QStringLiteral(
                  "SELECT indexname, indexdef FROM pg_indexes WHERE schemaname = current_schema() "
                  "AND tablename IN ('clientes', 'contas_a_receber', 'baixas') AND indexname NOT IN "
                  "(SELECT conname FROM pg_constraint)"));
    while (q.next()) {
        nomes << q.value(0).toString();
        comandos << q.value(1).toString();
    }
    q.finish();
    for (const QString& n : nomes)
        banco.executar(QStringLiteral("DROP INDEX ") + n);
    // PostgreSQL checks a foreign key row by row through a trigger, which
    // costs more than the row; added back, it checks all rows in one join.
    if (!banco.sqlite()) {
        QSqlQuery c = banco.executar(QStringLiteral(
            "SELECT conrelid::regclass::text, conname, pg_get_constraintdef(oid) FROM pg_constraint WHERE "
            "contype = 'f' AND conrelid IN ('contas_a_receber'::regclass, 'baixas'::regclass)"));
        QStringList tirar;
        while (c.next()) {
            const QString tabela = c.value(0).toString(), nome = c.value(1).toString();
            tirar << QStringLiteral("ALTER TABLE %1 DROP CONSTRAINT %2").arg(tabela, nome);
            comandos << QStringLiteral("ALTER TABLE %1 ADD CONSTRAINT %2 %3")
                            .arg(tabela, nome, c.value(2).toString());
        }
        c.finish();
        for (const QString& t : tirar)
            banco.executar(t);
    }
    return comandos;
}

} // namespace

ResultadoDaDemonstracao gerarDemonstracao(Banco& banco, const OpcoesDaDemonstracao& o) {
    if (o.contas < 0 || o.clientes < 1)
        throw ErroDoBanco(QStringLiteral("Quantidades inválidas para a demonstração."));
    if (contarClientes(banco) > 0 ||
        banco.valor(QStringLiteral("SELECT COUNT(*) FROM contas_a_receber")).toLongLong() > 0)
        throw ErroDoBanco(
            QStringLiteral("O banco de dados já tem clientes ou contas a receber; a demonstração só é "
                           "gerada num banco vazio."));
    Sorteio s(o.semente);
    const QDate hoje = paraQDate(rt::Today());
    const QTime agora = paraQDateTime(rt::Now()).time();
    // Nothing happened later than now: a stamp in the future would sort
    // before every real change in "Recentes".
    const auto atePassado = [&](const QDate& d, const QTime& h) { return d < hoje || h <= agora ? h : agora; };
    ResultadoDaDemonstracao r;

    if (banco.sqlite()) {
        banco.executar(QStringLiteral("PRAGMA cache_size = -262144"));
        // Only for the load, and only outside a transaction: the rows are
        // made consistent, and an empty database has nothing to lose. The
        // journal stays in memory, so a failure still rolls back; a
        // database that others have open keeps its journal.
        banco.executar(QStringLiteral("PRAGMA foreign_keys = OFF"));
        banco.executar(QStringLiteral("PRAGMA synchronous = OFF"));
        QSqlQuery(banco.db()).exec(QStringLiteral("PRAGMA journal_mode = MEMORY"));
    }
    struct Restaurar {
        Banco& b;
        ~Restaurar() {
            if (!b.sqlite()) return;
            QSqlQuery(b.db()).exec(QStringLiteral("PRAGMA journal_mode = WAL"));
            QSqlQuery(b.db()).exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
            QSqlQuery(b.db()).exec(QStringLiteral("PRAGMA foreign_keys = ON"));
        }
    } restaurar{banco};
    std::array<QString, kHistoricos.size()> historicosDobrados;
    for (std::size_t i = 0; i < kHistoricos.size(); ++i)
        historicosDobrados[i] = dobrar(t(kHistoricos[i]));
    banco.transacao([&] {
        // Indexing the search texts and counting the position checkpoints row
        // by row costs many times what one rebuild at the end does: the insert
        // triggers are set aside meanwhile.
        QStringList gatilhos;
        if (!banco.sqlite())
            banco.executar(QStringLiteral("ALTER TABLE contas_a_receber DISABLE TRIGGER contas_marcos"));
        if (banco.sqlite()) {
            QSqlQuery g = banco.executar(
                QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'trigger' "
                               "AND name IN ('contas_busca_ai', 'clientes_busca_ai', 'contas_marcos_ai')"));
            QStringList nomes;
            while (g.next()) {
                nomes << g.value(0).toString();
                gatilhos << g.value(1).toString();
            }
            g.finish();
            for (const QString& n : nomes)
                banco.executar(QStringLiteral("DROP TRIGGER ") + n);
        }
        const QStringList indices = tirarIndices(banco);
        if (!lerEmpresa(banco)) {
            Empresa e;
            e.nomeFantasia = QStringLiteral("Armazém São Sebastião");
            e.razaoSocial = QStringLiteral("Armazém São Sebastião Comércio de Utilidades Ltda.");
            e.cnpj = QStringLiteral("12.345.678/0001-90");
            e.logradouro = QStringLiteral("Rua XV de Novembro");
            e.numero = QStringLiteral("1.250");
            e.bairro = QStringLiteral("Centro");
            e.cidade = QStringLiteral("Curitiba");
            e.uf = QStringLiteral("PR");
            e.cep = QStringLiteral("80020-310");
            e.telefone = QStringLiteral("(41) 3222-4567");
            e.email = QStringLiteral("financeiro@armazemsaosebastiao.com.br");
            salvarEmpresa(banco, e);
        }

        Lote clientes(banco, QStringLiteral("clientes"),
                      {QStringLiteral("codigo_do_cliente"), QStringLiteral("apelido_ou_nome_fantasia"),
                       QStringLiteral("nome_ou_razao_social"), QStringLiteral("situacao"),
                       QStringLiteral("cpf_cnpj"), QStringLiteral("logradouro"), QStringLiteral("numero"),
                       QStringLiteral("complemento"), QStringLiteral("bairro"), QStringLiteral("cidade"),
                       QStringLiteral("uf"), QStringLiteral("cep"), QStringLiteral("telefone"),
                       QStringLiteral("email"), QStringLiteral("vip"),
                       QStringLiteral("categoria_da_curva_abc"), QStringLiteral("busca")},
                      100);
        for (std::int64_t i = 1; i <= o.clientes; ++i) {
            Cliente c;
            c.codigo = i;
            const bool empresa = s.chance(25);
            if (empresa) {
                const QString ramo = t(s.um(kRamos));
                const QString fantasia = t(s.um(kFantasias));
                c.apelidoOuNomeFantasia = ramo + u' ' + fantasia;
                c.nomeOuRazaoSocial =
                    ramo + u' ' + fantasia + u' ' + t(s.um(kSobrenomes)) + QStringLiteral(" Ltda.");
                c.cpfCnpj = QStringLiteral("%1.%2.%3/0001-%4")
                                .arg(s.ate(100), 2, 10, QChar(u'0'))
                                .arg(s.ate(1000), 3, 10, QChar(u'0'))
                                .arg(s.ate(1000), 3, 10, QChar(u'0'))
                                .arg(s.ate(100), 2, 10, QChar(u'0'));
            } else {
                const QString prenome = t(s.um(kPrenomes));
                // Known by the first name, or by the first name and the last surname.
                const bool peloSobrenome = s.chance(30);
                // Nobody is "Débora Débora", "Luís Heloísa" nor "Gomes Gomes".
                QString segundo, primeiro, ultimo;
                do segundo = t(s.um(kPrenomes));
                while (segundo == prenome || feminino(segundo) != feminino(prenome));
                primeiro = t(s.um(kSobrenomes));
                do ultimo = t(s.um(kSobrenomes));
                while (ultimo == primeiro);
                c.apelidoOuNomeFantasia = peloSobrenome ? prenome + u' ' + ultimo : prenome;
                c.nomeOuRazaoSocial = prenome + u' ' + segundo + u' ' + primeiro + u' ' + ultimo;
                c.cpfCnpj = QStringLiteral("%1.%2.%3-%4")
                                .arg(s.ate(1000), 3, 10, QChar(u'0'))
                                .arg(s.ate(1000), 3, 10, QChar(u'0'))
                                .arg(s.ate(1000), 3, 10, QChar(u'0'))
                                .arg(s.ate(100), 2, 10, QChar(u'0'));
            }
            const int sorte = int(s.ate(100));
            c.situacao = sorte < 90   ? ClienteAtivo
                         : sorte < 94 ? ClienteInativo
                         : sorte < 97 ? ClienteBloqueado
                                      : ClienteExcluido;
            c.logradouro = t(s.um(kRuas));
            c.numero = QString::number(1 + s.ate(3000));
            c.complemento = s.chance(20) ? QStringLiteral("apto %1").arg(1 + s.ate(300)) : QString();
            c.bairro = t(s.um(kBairros));
            const auto& cidade = kCidades[std::size_t(s.ate(kCidades.size()))];
            c.cidade = t(cidade.first);
            c.uf = t(cidade.second);
            c.cep = QStringLiteral("%1-%2").arg(10000 + s.ate(90000)).arg(s.ate(1000), 3, 10, QChar(u'0'));
            c.telefone = QStringLiteral("(%1) 9%2-%3")
                             .arg(11 + s.ate(88))
                             .arg(1000 + s.ate(9000))
                             .arg(s.ate(10000), 4, 10, QChar(u'0'));
            c.email = empresa ? QString() : QStringLiteral("cliente%1@exemplo.com.br").arg(i);
            c.vip = s.chance(5);
            const int abc = int(s.ate(10));
            c.categoriaDaCurvaABC = abc < 2   ? QStringLiteral("A")
                                    : abc < 5 ? QStringLiteral("B")
                                              : QStringLiteral("C");
            clientes.linha({qlonglong(c.codigo), c.apelidoOuNomeFantasia, c.nomeOuRazaoSocial, c.situacao,
                            c.cpfCnpj, c.logradouro, c.numero,
                            c.complemento.isNull() ? QStringLiteral("") : c.complemento, c.bairro, c.cidade,
                            c.uf, c.cep, c.telefone, c.email.isNull() ? QStringLiteral("") : c.email,
                            c.vip ? 1 : 0, c.categoriaDaCurvaABC, c.busca()});
        }
        clientes.descarregar();
        r.clientes = o.clientes;

        Lote contas(banco, QStringLiteral("contas_a_receber"),
                    {QStringLiteral("numero_do_lancamento"),
                     QStringLiteral("codigo_do_cliente"),
                     QStringLiteral("historico"),
                     QStringLiteral("numero_da_venda"),
                     QStringLiteral("data_da_venda"),
                     QStringLiteral("valor_da_venda"),
                     QStringLiteral("valor_recebido_a_vista"),
                     QStringLiteral("percentual_recebido_a_vista"),
                     QStringLiteral("numero_da_parcela"),
                     QStringLiteral("numero_de_parcelas"),
                     QStringLiteral("data_de_vencimento"),
                     QStringLiteral("valor_do_documento"),
                     QStringLiteral("desconto_abatimento"),
                     QStringLiteral("juros_mora_multa"),
                     QStringLiteral("data_da_baixa"),
                     QStringLiteral("valor_da_baixa"),
                     QStringLiteral("data_e_hora_da_inclusao"),
                     QStringLiteral("usuario_da_inclusao"),
                     QStringLiteral("ultima_mudanca"),
                     QStringLiteral("busca")},
                    100);
        Lote baixas(banco, QStringLiteral("baixas"),
                    {QStringLiteral("numero_do_lancamento"), QStringLiteral("data_da_baixa"),
                     QStringLiteral("valor_da_baixa"), QStringLiteral("desconto_abatimento"),
                     QStringLiteral("juros_mora_multa"), QStringLiteral("data_e_hora"),
                     QStringLiteral("usuario")},
                    100, false);
        // Settlements refer to receivables: they go in right after their batch.
        contas.depois = [&] { baixas.descarregarCompletos(); };
        const std::array<const char*, 4> usuarios{"ana", "bruno", "carla", "dora"};
        const std::int64_t vendas = std::max<std::int64_t>(1, o.contas / 5);
        std::int64_t numero = 0, venda = 0;
        while (numero < o.contas) {
            ++venda;
            // Sales spread over the last two years, older ones first.
            const QDate dataDaVenda =
                std::min(hoje, hoje.addDays(-730 + (730 * (venda - 1)) / vendas + s.ate(3)));
            const int parcelas = int(std::min<std::int64_t>(1 + s.ate(10), o.contas - numero));
            const std::int64_t codigo = 1 + s.ate(o.clientes);
            const std::size_t h = std::size_t(s.ate(kHistoricos.size()));
            const QString historico = t(kHistoricos[h]);
            const QString usuario = t(s.um(usuarios));
            const QTime horaDaInclusao(8 + int(s.ate(10)), int(s.ate(60)), int(s.ate(60)));
            const QString inclusao = momento(dataDaVenda, atePassado(dataDaVenda, horaDaInclusao));
            const QVariant diaDaVenda = isoDoDia(dataDaVenda);
            std::vector<std::int64_t> valores(static_cast<std::size_t>(parcelas));
            std::int64_t total = 0;
            for (auto& v : valores)
                total += (v = (10 + s.ate(2000)) * 10000 + s.ate(100) * 100);
            for (int p = 1; p <= parcelas; ++p) {
                ++numero;
                const QDate vencimento = dataDaVenda.addMonths(p);
                const std::int64_t valor = valores[std::size_t(p - 1)];
                // Most of what fell due is settled; a little is paid early.
                const bool baixada = vencimento < hoje ? s.chance(80) : s.chance(4);
                QVariant dataDaBaixa;
                std::int64_t desconto = 0, juros = 0, pago = 0;
                QString mudanca = inclusao;
                if (baixada) {
                    QDate d = vencimento.addDays(s.ate(20) - 5);
                    if (d > hoje) d = hoje;
                    if (d < dataDaVenda) d = dataDaVenda;
                    if (d > vencimento)
                        juros = valor * std::int64_t(d.toJulianDay() - vencimento.toJulianDay()) / 300 / 100 *
                                100;
                    else if (s.chance(20))
                        desconto = valor / 20 / 100 * 100;
                    pago = valor - desconto + juros;
                    dataDaBaixa = isoDoDia(d);
                    const QTime hora(9 + int(s.ate(9)), int(s.ate(60)), 0);
                    mudanca = momento(d, atePassado(d, hora));
                }
                contas.linha({qlonglong(numero),
                              qlonglong(codigo),
                              historico,
                              qlonglong(venda),
                              diaDaVenda,
                              qlonglong(total),
                              0,
                              0,
                              p,
                              parcelas,
                              isoDoDia(vencimento),
                              qlonglong(valor),
                              qlonglong(desconto),
                              qlonglong(juros),
                              dataDaBaixa,
                              qlonglong(pago),
                              inclusao,
                              usuario,
                              mudanca,
                              QString::number(numero) + u' ' + historicosDobrados[h]});
                // Settlements refer to their receivable: they go in after it.
                if (baixada)
                    baixas.linha({qlonglong(numero), dataDaBaixa, qlonglong(pago), qlonglong(desconto),
                                  qlonglong(juros), mudanca, usuario});
                if (o.progresso && numero % 50000 == 0) o.progresso(numero);
            }
        }
        contas.descarregar();
        baixas.descarregar();
        r.contas = numero;
        for (const QString& i : indices)
            banco.executar(i);
        if (banco.sqlite()) {
            banco.executar(QStringLiteral("INSERT INTO contas_busca (contas_busca) VALUES ('rebuild')"));
            banco.executar(QStringLiteral("INSERT INTO clientes_busca (clientes_busca) VALUES ('rebuild')"));
            for (const QString& g : gatilhos)
                banco.executar(g);
        }
        banco.executar(QStringLiteral("DELETE FROM marcos_de_posicao"));
        banco.executar(QStringLiteral(
            "INSERT INTO marcos_de_posicao (familia, chave, n) SELECT familia, chave, n FROM marcos_calculados"));
        if (!banco.sqlite()) {
            banco.executar(QStringLiteral("ALTER TABLE contas_a_receber ENABLE TRIGGER contas_marcos"));
            banco.executar(
                QStringLiteral("SELECT setval(pg_get_serial_sequence('clientes', 'codigo_do_cliente'), "
                               "GREATEST((SELECT MAX(codigo_do_cliente) FROM clientes), 1))"));
            banco.executar(QStringLiteral(
                "SELECT setval(pg_get_serial_sequence('contas_a_receber', 'numero_do_lancamento'), "
                "GREATEST((SELECT MAX(numero_do_lancamento) FROM contas_a_receber), 1))"));
            banco.executar(
                QStringLiteral("SELECT setval('contas_numero_da_venda', "
                               "GREATEST((SELECT MAX(numero_da_venda) FROM contas_a_receber), 1))"));
        }
    });
    // Fresh statistics, so the planner picks the situation indexes at once.
    banco.executar(QStringLiteral("ANALYZE"));
    return r;
}

} // namespace quva::suite
