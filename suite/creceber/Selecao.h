#pragma once
// Selections of receivables as paged recordsets. A selection is a filter
// and an order; it counts its rows once and reads any stretch of them on
// demand, walking the order's index from the nearest row it has already
// seen (keyset), so reading on from a page, or back from the end, never
// skips over more rows than it must and never joins the rows it skips.
// A search is matched once: the selection keeps the numbers of the rows
// found, in order, and reads any page by them.

#include "ado/PageProvider.h"
#include "suite/storage/Banco.h"

#include <QDate>
#include <QDateTime>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <functional>
#include <map>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace quva::suite::creceber {

// The list's situations.
enum Situacao : int { Todas = 0, AVencer = 1, Vencidas = 2, Baixadas = 3, Recentes = 4 };

// "Recent" is what was included, altered or settled in the last 30 days,
// newest change first.
inline constexpr int kDiasRecentes = 30;

struct Filtro {
    QString sql = QStringLiteral("1 = 1"); // over contas_a_receber r
    QVariantList valores;
    // Rows come from the search indexes, not in the order of any index.
    bool busca = false;
    void e(const QString& condicao, const QVariantList& v = {}) { acrescentar({condicao, v, {}, false, {}}); }
    // A bound on a column: op is ">=", ">", "<=" or "<".
    void limite(const QString& coluna, const QString& op, const QVariant& v) {
        acrescentar({coluna + u' ' + op + QStringLiteral(" ?"), {v}, coluna, op.startsWith(u'>'), op});
    }
    struct Limite {
        QString op;
        QVariant valor;
    };
    std::vector<Limite> limites(const QString& coluna) const {
        std::vector<Limite> l;
        for (const Termo& t : m_termos)
            if (t.coluna == coluna) l.push_back({t.op, t.valores.front()});
        return l;
    }
    // The same filter without the bounds on coluna from one side. A read
    // that starts past a row of the selection is bounded by that row
    // already, and SQLite walks an index from one lower bound only: left
    // in, the filter's own bound would make every read start at its edge.
    Filtro semLimites(const QString& coluna, bool inferiores) const {
        Filtro f;
        f.busca = busca;
        for (const Termo& t : m_termos)
            if (t.coluna != coluna || t.inferior != inferiores) f.acrescentar(t);
        return f;
    }

private:
    struct Termo {
        QString sql;
        QVariantList valores;
        QString coluna; // bounded column, empty for other conditions
        bool inferior;
        QString op;
    };
    void acrescentar(const Termo& t) {
        sql += QStringLiteral(" AND (") + t.sql + u')';
        valores += t.valores;
        m_termos.push_back(t);
    }
    std::vector<Termo> m_termos;
};

// The rows whose receivable or client matches the search text.
void filtrarPorBusca(const Banco& banco, Filtro& f, const QString& texto);

// One row of a result, column by column: through the Qt driver, or on
// SQLite straight from the library, which spares a QVariant per value.
class Linha {
public:
    virtual ~Linha() = default;
    virtual bool nula(int i) const = 0;
    virtual std::int64_t inteiro(int i) const = 0;
    virtual QString texto(int i) const = 0;
    // Invalid for none.
    virtual QDate data(int i) const = 0;
    virtual QDateTime momento(int i) const = 0;
    virtual QVariant valor(int i) const = 0;
};

struct Forma {
    std::vector<ado::FieldInfo> campos;
    QString colunas; // over r and its client c, before the order's keys
    // Appends the fields of a row.
    std::function<void(const Linha& l, std::vector<rt::Variant>& out)> converterLinha;
    // The same for the current row of q.
    void converter(const QSqlQuery& q, std::vector<rt::Variant>& out) const;
};

// The list's 23 fields, formatted for display.
const Forma& formaDaLista();
// The report selections: dates and money as values.
const Forma& formaDoRelatorio();
const Forma& formaDoRelatorioDeBaixadas();

// The position checkpoints the database keeps (marcos_de_posicao).
enum Marcos : int {
    SemMarcos = -1,
    PorNumero = 0,
    AbertasPorVencimento = 1,
    BaixadasPorData = 2,
    PorMudanca = 3
};

struct Ordem {
    QStringList chaves; // unique together; the last is r.numero_do_lancamento
    bool descendente = false;
    // With checkpoints, the filter is their rows between bounds on the first key.
    Marcos marcos = SemMarcos;
};

class ProvedorDeContas final : public ado::PageProvider {
public:
    ProvedorDeContas(std::shared_ptr<Banco> banco, Filtro filtro, Ordem ordem, const Forma& forma);
    ~ProvedorDeContas() override;
    ProvedorDeContas(const ProvedorDeContas&) = delete;
    ProvedorDeContas& operator=(const ProvedorDeContas&) = delete;

    std::int64_t count() override { return m_total; }
    std::vector<ado::FieldInfo> fields() override { return m_forma.campos; }
    void fetch(std::int64_t first, std::int64_t n, std::vector<rt::Variant>& out) override;
    bool refresh() override;

    const Filtro& filtro() const { return m_filtro; }
    // The connection the rows are read on: sums meant to agree with them too.
    Banco& banco() const { return *m_banco; }
    std::int64_t consultas() const { return m_consultas; }

private:
    void consultar(const QString& sql, const QVariantList& valores,
                   const std::function<void(const Linha&)>& porLinha);
    void lerNumerosDaBusca();
    void contar();
    void lerMarcos();
    // The first key's values [de, ate) of the rows under a checkpoint.
    std::pair<QVariant, QVariant> faixaDoMarco(const QString& chave) const;
    QString chaveDoMarco(const QVariant& valor) const;
    std::int64_t lerGeracao() const;
    void lerPorNumeros(std::int64_t first, std::int64_t n, std::vector<rt::Variant>& out);
    QString ordemSql(bool descendente) const;

    std::shared_ptr<Banco> m_banco;
    Filtro m_filtro;
    Ordem m_ordem;
    const Forma& m_forma;
    std::int64_t m_total = 0;
    std::map<std::int64_t, QVariantList> m_chaves; // keys of rows already read, by position
    std::vector<std::int64_t> m_numeros;           // a search's rows, in order
    struct Marco {
        QString chave;
        std::int64_t antes; // rows of the selection before it
        bool parcial;       // cut by the filter's bounds
    };
    std::vector<Marco> m_marcos; // in the selection's order
    std::int64_t m_geracao = -1;
    // The last statement run, kept prepared: reading on block after block
    // repeats it with another anchor.
    QString m_sqlDaConsulta;
    std::unique_ptr<QSqlQuery> m_consulta;
    sqlite3* m_sqlite = nullptr; // the connection, on SQLite
    sqlite3_stmt* m_direta = nullptr;
    std::int64_t m_consultas = 0;
};

} // namespace quva::suite::creceber
