#pragma once
// The suite's database: one SQLite file in the user's data folder unless the
// connection setting names another file or a PostgreSQL server. Opening
// creates and migrates the schema; every write runs in one transaction.
//
// Connection setting, first found wins: the environment variable
// QUVA_DATABASE, the key banco/conexao of the suite's settings file
// (~/.config/quva/suite.ini), the default file ~/.local/share/quva/quva.db.
// A value starting with postgresql:// or postgres:// (a libpq URI), or made
// of key=value pairs with host= or dbname=, names a server; anything else is
// a SQLite file path.

#include "runtime/Variant.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <exception>
#include <memory>
#include <utility>

namespace quva::suite {

class ErroDoBanco : public std::exception {
public:
    explicit ErroDoBanco(QString texto) : m_texto(std::move(texto)), m_utf8(m_texto.toUtf8()) {}
    const QString& texto() const { return m_texto; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_texto;
    QByteArray m_utf8;
};

// Lower case without accents or marks ("João" -> "joao"): what the search
// columns hold and what search texts are compared as.
QString dobrar(const QString& texto);

// Dates and money between the runtime's values and the database's.
QDate paraQDate(rt::Date d);
rt::Date deQDate(const QDate& d);
QDateTime paraQDateTime(rt::Date d);
rt::Date deQDateTime(const QDateTime& d);

class Banco;

// A condition that keeps the rows whose search column contains a folded
// text, and the value to bind for its one placeholder. coluna is the
// qualified search column ("c.busca"), chave the row's key ("c.codigo_do_cliente")
// and indice the SQLite trigram table kept beside the table.
struct FiltroDeBusca {
    QString sql;
    QVariant valor;
};
FiltroDeBusca filtroDeBusca(const Banco& banco, const QString& textoDobrado, const QString& coluna,
                            const QString& chave, const QString& indice);

class Banco {
public:
    enum class Tipo { SQLite, PostgreSQL };

    static QString arquivoDeConfiguracao();
    static QString caminhoPadrao();
    static QString conexaoConfigurada();
    static bool ehPostgreSQL(const QString& conexao);
    // The setting with its password masked: what may be shown or printed.
    static QString semSenha(const QString& conexao);

    // The database the setting names (conexao empty: the configured one),
    // shared by everyone in this thread that opens the same setting. Throws
    // ErroDoBanco when it cannot be opened or migrated.
    static std::shared_ptr<Banco> abrir(const QString& conexao = {});
    // A connection of its own, never shared (a second clerk in tests).
    static std::shared_ptr<Banco> abrirSeparado(const QString& conexao = {});
    // A connection of its own that reads one snapshot for its whole life:
    // what others commit after its opening stays unseen. It cannot write.
    static std::shared_ptr<Banco> abrirInstantaneo(const QString& conexao = {});

    ~Banco();
    Banco(const Banco&) = delete;
    Banco& operator=(const Banco&) = delete;

    Tipo tipo() const { return m_tipo; }
    bool sqlite() const { return m_tipo == Tipo::SQLite; }
    QSqlDatabase db() const;
    const QString& conexao() const { return m_conexao; }
    QString conexaoExibida() const { return semSenha(m_conexao); }

    int versaoDoEsquema();
    static int versaoMaisRecente(Tipo tipo);

    // A prepared statement; throws ErroDoBanco when it does not prepare.
    QSqlQuery preparar(const QString& sql);
    // Executes a prepared statement; throws ErroDoBanco on failure.
    static void executar(QSqlQuery& q);
    // Prepares, binds in order and executes.
    QSqlQuery executar(const QString& sql, const QVariantList& valores = {});
    // The first column of the first row, or an invalid QVariant for none.
    QVariant valor(const QString& sql, const QVariantList& valores = {});

    // Runs f in one transaction: commits when it returns, rolls back when it
    // throws (and rethrows). A call inside another joins the outer one.
    template <class F> decltype(auto) transacao(F&& f) {
        if (m_emTransacao) return f();
        iniciar();
        try {
            if constexpr (std::is_void_v<decltype(f())>) {
                f();
                confirmar();
            } else {
                decltype(auto) r = f();
                confirmar();
                return r;
            }
        } catch (...) {
            desfazer();
            throw;
        }
    }
    bool emTransacao() const { return m_emTransacao; }

    // How values travel: dates as ISO texts (both drivers accept them),
    // stamps as "YYYY-MM-DD HH:MM:SS", money as its raw ten-thousandths.
    static QVariant data(const QDate& d) {
        return d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant();
    }
    static QVariant dataEHora(const QDateTime& d);
    static QDate lerData(const QVariant& v);
    static QDateTime lerDataEHora(const QVariant& v);

private:
    Banco(Tipo tipo, QString conexao, QString nome);
    static std::shared_ptr<Banco> conectar(const QString& conexao);
    void migrar();
    void iniciar();
    void confirmar();
    void desfazer();

    Tipo m_tipo;
    QString m_conexao;
    QString m_nome; // Qt connection name
    bool m_emTransacao = false;
};

} // namespace quva::suite
