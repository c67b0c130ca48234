#include "suite/storage/Banco.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRegularExpression>
#include <QSettings>
#include <QSqlError>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>
#include <QUrlQuery>

#include <atomic>
#include <cmath>
#include <map>

// Embedded in this library so that any program linking it can migrate.
static void carregarMigracoes() {
    Q_INIT_RESOURCE(migracoes);
}

namespace quva::suite {

namespace {

constexpr std::int64_t kJulianoDaOrigem = 2415019; // 30/12/1899, day 0 of the runtime's dates

struct Migracao {
    int versao;
    QString nome;
    QString sql;
};

// The scripts of one database, in version order (file names NNN_name.sql).
std::vector<Migracao> migracoes(Banco::Tipo tipo) {
    carregarMigracoes();
    const QString pasta = tipo == Banco::Tipo::SQLite ? QStringLiteral(":/quva/migracoes/sqlite")
                                                      : QStringLiteral(":/quva/migracoes/postgres");
    std::vector<Migracao> out;
    const QStringList nomes = QDir(pasta).entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
    for (const QString& nome : nomes) {
        QFile f(pasta + u'/' + nome);
        if (!f.open(QIODevice::ReadOnly))
            throw ErroDoBanco(QStringLiteral("Migração ilegível: %1").arg(nome));
        out.push_back({nome.section(u'_', 0, 0).toInt(), nome, QString::fromUtf8(f.readAll())});
    }
    return out;
}

// Statements end with ';' at the end of a line; a trigger body between a
// line ending in BEGIN and a line "END;" is one statement.
QStringList comandos(const QString& script) {
    QStringList out;
    QString atual;
    bool bloco = false;
    bool cifrao = false; // inside a $$-quoted function body
    for (const QString& linha : script.split(u'\n')) {
        const QString t = linha.trimmed();
        if (atual.isEmpty() && (t.isEmpty() || t.startsWith(QLatin1String("--")))) continue;
        atual += linha + u'\n';
        if (t.count(QLatin1String("$$")) % 2 == 1) cifrao = !cifrao;
        if (cifrao) continue;
        if (!bloco && t.endsWith(QLatin1String("BEGIN"), Qt::CaseInsensitive)) {
            bloco = true;
        } else if (bloco ? t.compare(QLatin1String("END;"), Qt::CaseInsensitive) == 0 : t.endsWith(u';')) {
            bloco = false;
            out << atual.trimmed();
            atual.clear();
        }
    }
    if (!atual.trimmed().isEmpty()) out << atual.trimmed();
    return out;
}

QString textoDoErro(const QSqlError& e) {
    QString t = e.databaseText().trimmed();
    if (t.isEmpty()) t = e.driverText().trimmed();
    return t.isEmpty() ? e.text() : t;
}

// A writer that waited its whole turn for another's lock: SQLite's BUSY and
// LOCKED, PostgreSQL's lock_not_available.
bool ocupado(const QSqlError& e) {
    const QString codigo = e.nativeErrorCode();
    return codigo == QLatin1String("5") || codigo == QLatin1String("6") || codigo == QLatin1String("55P03");
}

ErroDoBanco recusa(const QSqlError& e) {
    if (ocupado(e))
        return ErroDoBanco(QStringLiteral(
            "O banco de dados está ocupado com a gravação de outro usuário (uma importação, por exemplo). "
            "Aguarde alguns instantes e tente novamente."));
    return ErroDoBanco(QStringLiteral("O banco de dados recusou a operação: %1").arg(textoDoErro(e)));
}

void configurarPostgreSQL(QSqlDatabase& db, const QString& conexao) {
    QStringList opcoes;
    auto tomar = [&](const QString& chave, const QString& valor) {
        if (chave == QLatin1String("host"))
            db.setHostName(valor);
        else if (chave == QLatin1String("port"))
            db.setPort(valor.toInt());
        else if (chave == QLatin1String("dbname"))
            db.setDatabaseName(valor);
        else if (chave == QLatin1String("user"))
            db.setUserName(valor);
        else if (chave == QLatin1String("password"))
            db.setPassword(valor);
        else
            opcoes << chave + u'=' + valor;
    };
    if (conexao.startsWith(QLatin1String("postgres"), Qt::CaseInsensitive) &&
        conexao.contains(QLatin1String("://"))) {
        const QUrl url(conexao);
        if (!url.isValid())
            throw ErroDoBanco(
                QStringLiteral("Endereço do banco de dados inválido: %1").arg(Banco::semSenha(conexao)));
        if (!url.host().isEmpty()) tomar(QStringLiteral("host"), url.host());
        if (url.port() > 0) tomar(QStringLiteral("port"), QString::number(url.port()));
        const QString base = url.path().mid(1);
        if (!base.isEmpty()) tomar(QStringLiteral("dbname"), base);
        if (!url.userName().isEmpty()) tomar(QStringLiteral("user"), url.userName());
        if (!url.password().isEmpty()) tomar(QStringLiteral("password"), url.password());
        const auto itens = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
        for (const auto& [chave, valor] : itens)
            tomar(chave, valor);
    } else {
        static const QRegularExpression par(QStringLiteral(R"((\w+)\s*=\s*('(?:[^'\\]|\\.)*'|\S+))"));
        for (auto it = par.globalMatch(conexao); it.hasNext();) {
            const auto m = it.next();
            QString valor = m.captured(2);
            if (valor.startsWith(u'\''))
                valor = valor.mid(1, valor.size() - 2).replace(QLatin1String("\\'"), QLatin1String("'"));
            tomar(m.captured(1), valor);
        }
    }
    db.setConnectOptions(opcoes.join(u';'));
}

QMutex g_mutex;
std::map<std::pair<QString, Qt::HANDLE>, std::weak_ptr<Banco>> g_abertos;
std::atomic<int> g_serie{0};

} // namespace

QString dobrar(const QString& texto) {
    const QString d = texto.normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(d.size());
    for (QChar c : d) {
        const auto cat = c.category();
        if (cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining ||
            cat == QChar::Mark_Enclosing)
            continue;
        out += c;
    }
    return out.toCaseFolded();
}

FiltroDeBusca filtroDeBusca(const Banco& banco, const QString& textoDobrado, const QString& coluna,
                            const QString& chave, const QString& indice) {
    // Trigram indexes need three characters (not UTF-16 units: an emoji is
    // one character); shorter texts scan.
    if (banco.sqlite() && textoDobrado.toUcs4().size() >= 3) {
        QString frase = textoDobrado;
        frase.replace(u'"', QLatin1String("\"\""));
        return {QStringLiteral("%1 IN (SELECT rowid FROM %2 WHERE %2 MATCH ?)").arg(chave, indice),
                QString(u'"' + frase + u'"')};
    }
    QString padrao = textoDobrado;
    padrao.replace(u'\\', QLatin1String("\\\\"))
        .replace(u'%', QLatin1String("\\%"))
        .replace(u'_', QLatin1String("\\_"));
    return {QStringLiteral("%1 LIKE ? ESCAPE '\\'").arg(coluna), QString(u'%' + padrao + u'%')};
}

QDate paraQDate(rt::Date d) {
    return QDate::fromJulianDay(kJulianoDaOrigem + std::int64_t(std::floor(d.serial)));
}

rt::Date deQDate(const QDate& d) {
    return rt::Date{double(d.toJulianDay() - kJulianoDaOrigem)};
}

QDateTime paraQDateTime(rt::Date d) {
    const double dia = std::floor(d.serial);
    const int segundos = int(std::llround((d.serial - dia) * 86400.0));
    return QDateTime(paraQDate(d), QTime(0, 0)).addSecs(segundos);
}

rt::Date deQDateTime(const QDateTime& d) {
    const QTime t = d.time();
    return rt::Date{deQDate(d.date()).serial + (t.hour() * 3600 + t.minute() * 60 + t.second()) / 86400.0};
}

QString Banco::arquivoDeConfiguracao() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/quva/suite.ini");
}

QString Banco::caminhoPadrao() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/quva/quva.db");
}

QString Banco::conexaoConfigurada() {
    const QString env = qEnvironmentVariable("QUVA_DATABASE").trimmed();
    if (!env.isEmpty()) return env;
    const QString arquivo = arquivoDeConfiguracao();
    if (QFileInfo::exists(arquivo)) {
        const QString s =
            QSettings(arquivo, QSettings::IniFormat).value(QStringLiteral("banco/conexao")).toString();
        if (!s.trimmed().isEmpty()) return s.trimmed();
    }
    return caminhoPadrao();
}

QString Banco::semSenha(const QString& conexao) {
    static const QRegularExpression naUri(QStringLiteral(R"(^(postgres(?:ql)?://[^:/@?#]*:)[^/?#]*@)"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression emPar(QStringLiteral(R"(\b(password\s*=\s*)('(?:[^'\\]|\\.)*'|[^&\s]+))"),
                                          QRegularExpression::CaseInsensitiveOption);
    QString t = conexao;
    t.replace(naUri, QStringLiteral("\\1****@"));
    t.replace(emPar, QStringLiteral("\\1****"));
    return t;
}

bool Banco::ehPostgreSQL(const QString& conexao) {
    static const QRegularExpression pares(QStringLiteral(R"(^\s*\w+\s*=)"));
    return conexao.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           conexao.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive) ||
           (pares.match(conexao).hasMatch() &&
            (conexao.contains(QLatin1String("host=")) || conexao.contains(QLatin1String("dbname="))));
}

Banco::Banco(Tipo tipo, QString conexao, QString nome)
    : m_tipo(tipo), m_conexao(std::move(conexao)), m_nome(std::move(nome)) {}

Banco::~Banco() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_nome, false);
        if (m_emTransacao) db.rollback();
        db.close();
    }
    QSqlDatabase::removeDatabase(m_nome);
}

QSqlDatabase Banco::db() const {
    return QSqlDatabase::database(m_nome, false);
}

std::shared_ptr<Banco> Banco::abrir(const QString& conexao) {
    const QString alvo = conexao.isEmpty() ? conexaoConfigurada() : conexao;
    const auto chave = std::make_pair(alvo, QThread::currentThreadId());
    QMutexLocker trava(&g_mutex);
    if (auto b = g_abertos[chave].lock()) return b;
    auto b = conectar(alvo);
    g_abertos[chave] = b;
    return b;
}

std::shared_ptr<Banco> Banco::abrirSeparado(const QString& conexao) {
    return conectar(conexao.isEmpty() ? conexaoConfigurada() : conexao);
}

std::shared_ptr<Banco> Banco::abrirInstantaneo(const QString& conexao) {
    auto b = abrirSeparado(conexao);
    // The snapshot is taken at the first read, not at BEGIN: read at once.
    b->executar(b->sqlite() ? QStringLiteral("BEGIN DEFERRED")
                            : QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY"));
    b->m_emTransacao = true;
    b->valor(QStringLiteral("SELECT COUNT(*) FROM versao_do_esquema"));
    return b;
}

std::shared_ptr<Banco> Banco::conectar(const QString& conexao) {
    const Tipo tipo = ehPostgreSQL(conexao) ? Tipo::PostgreSQL : Tipo::SQLite;
    const QString nome = QStringLiteral("quva-banco-%1").arg(++g_serie);
    QString erro;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(
            tipo == Tipo::SQLite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), nome);
        if (!db.isValid()) {
            erro = QStringLiteral("O driver de banco de dados %1 não está instalado.")
                       .arg(tipo == Tipo::SQLite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL"));
        } else if (tipo == Tipo::SQLite) {
            const QFileInfo info(conexao);
            const QString pasta = info.absolutePath();
            if (!QDir().mkpath(pasta))
                erro = QStringLiteral("Não foi possível criar a pasta %1 do banco de dados.").arg(pasta);
            // SQLite writes a journal beside the file: the folder must take writes too.
            else if (!QFileInfo(pasta).isWritable() || (info.exists() && !info.isWritable()))
                erro = QStringLiteral("O banco de dados %1 não pode ser gravado: a pasta %2 ou o arquivo não "
                                      "permitem gravação para este usuário.")
                           .arg(conexao, pasta);
            db.setDatabaseName(conexao);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        } else {
            try {
                configurarPostgreSQL(db, conexao);
            } catch (const ErroDoBanco& e) {
                erro = e.texto();
            }
        }
        if (erro.isEmpty() && !db.open())
            erro = QStringLiteral("Não foi possível abrir o banco de dados %1: %2")
                       .arg(semSenha(conexao), textoDoErro(db.lastError()));
    }
    if (!erro.isEmpty()) {
        QSqlDatabase::removeDatabase(nome);
        throw ErroDoBanco(erro);
    }
    std::shared_ptr<Banco> b(new Banco(tipo, conexao, nome));
    if (tipo == Tipo::SQLite) {
        // WAL lets readers page while a clerk writes; NORMAL syncing is still
        // safe against a killed process.
        b->executar(QStringLiteral("PRAGMA journal_mode=WAL"));
        b->executar(QStringLiteral("PRAGMA synchronous=NORMAL"));
        b->executar(QStringLiteral("PRAGMA foreign_keys=ON"));
        // Reports read rows scattered over the whole file: mapped, a page
        // costs no system call and no copy.
        b->executar(QStringLiteral("PRAGMA mmap_size=1073741824"));
    } else {
        b->executar(QStringLiteral("SET client_min_messages TO warning"));
        // As long as SQLite's busy wait: a writer behind another's lock then
        // hears why instead of waiting for good.
        b->executar(QStringLiteral("SET lock_timeout TO '10s'"));
    }
    b->migrar();
    return b;
}

int Banco::versaoMaisRecente(Tipo tipo) {
    const auto m = migracoes(tipo);
    return m.empty() ? 0 : m.back().versao;
}

int Banco::versaoDoEsquema() {
    return valor(QStringLiteral("SELECT COALESCE(MAX(versao), 0) FROM versao_do_esquema")).toInt();
}

void Banco::migrar() {
    executar(QStringLiteral("CREATE TABLE IF NOT EXISTS versao_do_esquema (versao INTEGER PRIMARY KEY, "
                            "nome TEXT NOT NULL, aplicada_em TEXT NOT NULL)"));
    const auto lista = migracoes(m_tipo);
    if (!lista.empty() && versaoDoEsquema() >= lista.back().versao) return;
    transacao([&] {
        // Another process may be migrating too: the lock makes it wait, and
        // the version read under it tells what is still missing.
        if (!sqlite()) executar(QStringLiteral("LOCK TABLE versao_do_esquema IN EXCLUSIVE MODE"));
        const int atual = versaoDoEsquema();
        for (const Migracao& m : lista) {
            if (m.versao <= atual) continue;
            for (const QString& c : comandos(m.sql)) {
                QSqlQuery q(db());
                if (!q.exec(c))
                    throw ErroDoBanco(QStringLiteral("A migração %1 do banco de dados falhou: %2")
                                          .arg(m.nome, textoDoErro(q.lastError())));
            }
            executar(
                QStringLiteral("INSERT INTO versao_do_esquema (versao, nome, aplicada_em) VALUES (?, ?, ?)"),
                {m.versao, m.nome, QDateTime::currentDateTime().toString(Qt::ISODate)});
        }
    });
}

QSqlQuery Banco::preparar(const QString& sql) {
    QSqlQuery q(db());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw ErroDoBanco(
            QStringLiteral("Comando inválido para o banco de dados: %1").arg(textoDoErro(q.lastError())));
    return q;
}

void Banco::executar(QSqlQuery& q) {
    if (!q.exec()) throw recusa(q.lastError());
}

QSqlQuery Banco::executar(const QString& sql, const QVariantList& valores) {
    if (valores.isEmpty()) {
        QSqlQuery q(db());
        q.setForwardOnly(true);
        if (!q.exec(sql)) throw recusa(q.lastError());
        return q;
    }
    QSqlQuery q = preparar(sql);
    for (const QVariant& v : valores) {
        // A text never set is an empty text, not NULL.
        if (v.typeId() == QMetaType::QString && v.toString().isNull())
            q.addBindValue(QStringLiteral(""));
        else
            q.addBindValue(v);
    }
    executar(q);
    return q;
}

QVariant Banco::valor(const QString& sql, const QVariantList& valores) {
    QSqlQuery q = executar(sql, valores);
    return q.next() ? q.value(0) : QVariant();
}

void Banco::iniciar() {
    // SQLite takes the write lock at once, so two writers queue at BEGIN
    // instead of failing half-way when one upgrades its read lock.
    if (sqlite()) {
        executar(QStringLiteral("BEGIN IMMEDIATE"));
    } else if (!db().transaction()) {
        throw ErroDoBanco(
            QStringLiteral("Não foi possível iniciar a transação: %1").arg(textoDoErro(db().lastError())));
    }
    m_emTransacao = true;
}

void Banco::confirmar() {
    if (sqlite()) {
        executar(QStringLiteral("COMMIT"));
    } else if (!db().commit()) {
        throw ErroDoBanco(
            QStringLiteral("Não foi possível confirmar a transação: %1").arg(textoDoErro(db().lastError())));
    }
    m_emTransacao = false;
}

void Banco::desfazer() {
    m_emTransacao = false;
    if (sqlite()) {
        QSqlQuery q(db());
        q.exec(QStringLiteral("ROLLBACK"));
    } else {
        db().rollback();
    }
}

QVariant Banco::dataEHora(const QDateTime& d) {
    return d.isValid() ? QVariant(d.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))) : QVariant();
}

QDate Banco::lerData(const QVariant& v) {
    if (v.isNull()) return {};
    if (v.typeId() == QMetaType::QDate) return v.toDate();
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().date();
    return QDate::fromString(v.toString().left(10), Qt::ISODate);
}

QDateTime Banco::lerDataEHora(const QVariant& v) {
    if (v.isNull()) return {};
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime();
    QString s = v.toString();
    s.replace(u'T', u' ');
    return QDateTime::fromString(s.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace quva::suite
