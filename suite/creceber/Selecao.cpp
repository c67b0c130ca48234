#include "suite/creceber/Selecao.h"

#include "runtime/Convert.h"

#include <QSqlDriver>
#include <QSqlQuery>

#include <sqlite3.h>

#include <algorithm>

namespace quva::suite::creceber {

using ado::FieldInfo;
using rt::Variant;

namespace {

// "YYYY-MM-DD" at the start of a text, read by hand: a report reads a
// date on every row. Invalid when it is not one.
template <class C> QDate isoParaData(const C* s, qsizetype n) {
    if (n < 10 || s[4] != '-' || s[7] != '-') return {};
    auto numero = [s](int de, int k) {
        int r = 0;
        for (int i = de; i < de + k; ++i) {
            const int c = int(s[i]) - '0';
            if (c < 0 || c > 9) return -1;
            r = r * 10 + c;
        }
        return r;
    };
    return QDate(numero(0, 4), numero(5, 2), numero(8, 2));
}

QString dataParaExibir(const QDate& d) {
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString momentoParaExibir(const QDateTime& d) {
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) : QString();
}

QString dinheiro(std::int64_t raw) {
    return rt::formatMoney(rt::Currency::fromRaw(raw));
}

Variant dataComoValor(const QDate& d) {
    return d.isValid() ? Variant(deQDate(d)) : Variant(rt::Null);
}

class LinhaQt final : public Linha {
public:
    explicit LinhaQt(const QSqlQuery& q) : m_q(q) {}
    bool nula(int i) const override { return m_q.isNull(i); }
    std::int64_t inteiro(int i) const override { return m_q.value(i).toLongLong(); }
    QString texto(int i) const override { return m_q.value(i).toString(); }
    QDate data(int i) const override {
        const QVariant v = m_q.value(i);
        if (v.typeId() == QMetaType::QString) {
            const QString* t = static_cast<const QString*>(v.constData());
            return isoParaData(reinterpret_cast<const char16_t*>(t->utf16()), t->size());
        }
        return Banco::lerData(v);
    }
    QDateTime momento(int i) const override { return Banco::lerDataEHora(m_q.value(i)); }
    QVariant valor(int i) const override { return m_q.value(i); }

private:
    const QSqlQuery& m_q;
};

class LinhaSQLite final : public Linha {
public:
    explicit LinhaSQLite(sqlite3_stmt* s) : m_s(s) {}
    bool nula(int i) const override { return sqlite3_column_type(m_s, i) == SQLITE_NULL; }
    std::int64_t inteiro(int i) const override { return sqlite3_column_int64(m_s, i); }
    // The file holds UTF-8: Qt decodes it faster than SQLite converts it.
    QString texto(int i) const override {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_s, i));
        return p ? QString::fromUtf8(p, sqlite3_column_bytes(m_s, i)) : QString();
    }
    QDate data(int i) const override {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_s, i));
        return p ? isoParaData(p, sqlite3_column_bytes(m_s, i)) : QDate();
    }
    QDateTime momento(int i) const override { return Banco::lerDataEHora(valor(i)); }
    QVariant valor(int i) const override {
        switch (sqlite3_column_type(m_s, i)) {
        case SQLITE_NULL:
            return {};
        case SQLITE_INTEGER:
            return qlonglong(sqlite3_column_int64(m_s, i));
        case SQLITE_FLOAT:
            return sqlite3_column_double(m_s, i);
        default:
            return texto(i);
        }
    }

private:
    sqlite3_stmt* m_s;
};

// The list shows a history on one line: each line break becomes a no-break space.
QString historicoNumaLinha(QString s) {
    if (!s.contains(u'\n') && !s.contains(u'\r')) return s;
    s.replace(QLatin1String("\r\n"), QString(QChar(0xA0)));
    s.replace(u'\n', QChar(0xA0));
    s.replace(u'\r', QChar(0xA0));
    return s;
}

FieldInfo texto(const char* nome, int tamanho) {
    return {QString::fromLatin1(nome), ado::adVarWChar, tamanho};
}
FieldInfo tipo(const char* nome, ado::DataType t) {
    return {QString::fromLatin1(nome), t, 0};
}

} // namespace

void filtrarPorBusca(const Banco& banco, Filtro& f, const QString& texto) {
    const QString t = dobrar(texto.trimmed());
    if (t.isEmpty()) return;
    const FiltroDeBusca cliente =
        filtroDeBusca(banco, t, QStringLiteral("cb.busca"), QStringLiteral("cb.codigo_do_cliente"),
                      QStringLiteral("clientes_busca"));
    if (banco.sqlite()) {
        const FiltroDeBusca conta =
            filtroDeBusca(banco, t, QStringLiteral("r.busca"), QStringLiteral("r.numero_do_lancamento"),
                          QStringLiteral("contas_busca"));
        f.e(conta.sql +
                QStringLiteral(
                    " OR r.codigo_do_cliente IN (SELECT cb.codigo_do_cliente FROM clientes cb WHERE ") +
                cliente.sql + u')',
            {conta.valor, cliente.valor});
    } else {
        // PostgreSQL cannot join an OR with a subquery's hits to a trigram
        // index and reads every receivable instead: the numbers come from
        // both indexes and are looked up by key.
        const FiltroDeBusca conta =
            filtroDeBusca(banco, t, QStringLiteral("rb.busca"), QStringLiteral("rb.numero_do_lancamento"),
                          QStringLiteral("contas_busca"));
        f.e(QStringLiteral(
                "r.numero_do_lancamento IN (SELECT rb.numero_do_lancamento FROM contas_a_receber rb "
                "WHERE %1 UNION ALL SELECT rc.numero_do_lancamento FROM contas_a_receber rc JOIN "
                "clientes cb ON cb.codigo_do_cliente = rc.codigo_do_cliente WHERE %2)")
                .arg(conta.sql, cliente.sql),
            {conta.valor, cliente.valor});
    }
    f.busca = true;
}

void Forma::converter(const QSqlQuery& q, std::vector<Variant>& out) const {
    converterLinha(LinhaQt(q), out);
}

const Forma& formaDaLista() {
    static const Forma f{
        {tipo("NumeroDoLancamento", ado::adInteger),
         tipo("CodigoDoCliente", ado::adInteger),
         texto("ApelidoOuNomeFantasiaDoCliente", 100),
         texto("NomeOuRazaoSocialDoCliente", 150),
         texto("Historico", 4000),
         tipo("NumeroDaVenda", ado::adInteger),
         texto("DataDaVenda", 10),
         texto("ValorDaVenda", 30),
         texto("ValorRecebidoAVista", 30),
         texto("PercentualRecebidoAVista", 30),
         tipo("NumeroDaParcela", ado::adInteger),
         tipo("NumeroDeParcelas", ado::adInteger),
         tipo("NumeroDeParcelasAnteriorAoReparcelamento", ado::adInteger),
         texto("DataDeVencimento", 10),
         texto("ValorDoDocumento", 30),
         texto("DescontoAbatimento", 30),
         texto("JurosMoraMulta", 30),
         texto("DataDaBaixa", 10),
         texto("ValorDaBaixa", 30),
         texto("DataEHoraDaInclusao", 19),
         texto("UsuarioDaInclusao", 50),
         texto("DataEHoraDaAlteracao", 19),
         texto("UsuarioDaAlteracao", 50)},
        QStringLiteral(
            "r.numero_do_lancamento, r.codigo_do_cliente, c.apelido_ou_nome_fantasia, "
            "c.nome_ou_razao_social, r.historico, r.numero_da_venda, r.data_da_venda, r.valor_da_venda, "
            "r.valor_recebido_a_vista, r.percentual_recebido_a_vista, r.numero_da_parcela, "
            "r.numero_de_parcelas, r.numero_de_parcelas_anterior, r.data_de_vencimento, "
            "r.valor_do_documento, r.desconto_abatimento, r.juros_mora_multa, r.data_da_baixa, "
            "r.valor_da_baixa, r.data_e_hora_da_inclusao, r.usuario_da_inclusao, "
            "r.data_e_hora_da_alteracao, r.usuario_da_alteracao"),
        [](const Linha& l, std::vector<Variant>& out) {
            out.emplace_back(std::int32_t(l.inteiro(0)));
            out.emplace_back(std::int32_t(l.inteiro(1)));
            out.emplace_back(l.texto(2));
            out.emplace_back(l.texto(3));
            out.emplace_back(historicoNumaLinha(l.texto(4)));
            out.emplace_back(std::int32_t(l.inteiro(5)));
            out.emplace_back(dataParaExibir(l.data(6)));
            out.emplace_back(dinheiro(l.inteiro(7)));
            out.emplace_back(dinheiro(l.inteiro(8)));
            out.emplace_back(dinheiro(l.inteiro(9)));
            out.emplace_back(std::int32_t(l.inteiro(10)));
            out.emplace_back(std::int32_t(l.inteiro(11)));
            out.emplace_back(std::int32_t(l.inteiro(12)));
            out.emplace_back(dataParaExibir(l.data(13)));
            out.emplace_back(dinheiro(l.inteiro(14)));
            out.emplace_back(dinheiro(l.inteiro(15)));
            out.emplace_back(dinheiro(l.inteiro(16)));
            out.emplace_back(dataParaExibir(l.data(17)));
            out.emplace_back(dinheiro(l.inteiro(18)));
            out.emplace_back(momentoParaExibir(l.momento(19)));
            out.emplace_back(l.texto(20));
            out.emplace_back(l.nula(21) ? Variant(rt::Null) : Variant(momentoParaExibir(l.momento(21))));
            out.emplace_back(l.nula(22) ? Variant(rt::Null) : Variant(l.texto(22)));
        }};
    return f;
}

const Forma& formaDoRelatorio() {
    static const Forma f{
        {tipo("NumeroDoLancamento", ado::adInteger), tipo("CodigoDoCliente", ado::adInteger),
         texto("ApelidoOuNomeFantasiaDoCliente", 100), texto("NomeOuRazaoSocialDoCliente", 150),
         texto("Historico", 4000), tipo("DataDeVencimento", ado::adDate),
         tipo("ValorDoDocumento", ado::adCurrency)},
        QStringLiteral("r.numero_do_lancamento, r.codigo_do_cliente, c.apelido_ou_nome_fantasia, "
                       "c.nome_ou_razao_social, r.historico, r.data_de_vencimento, r.valor_do_documento"),
        [](const Linha& l, std::vector<Variant>& out) {
            out.emplace_back(std::int32_t(l.inteiro(0)));
            out.emplace_back(std::int32_t(l.inteiro(1)));
            out.emplace_back(l.texto(2));
            out.emplace_back(l.texto(3));
            out.emplace_back(l.texto(4));
            out.emplace_back(dataComoValor(l.data(5)));
            out.emplace_back(rt::Currency::fromRaw(l.inteiro(6)));
        }};
    return f;
}

const Forma& formaDoRelatorioDeBaixadas() {
    // The open receivables' report fields, then what the settlement added.
    static const Forma f = [] {
        const Forma& abertas = formaDoRelatorio();
        Forma b = abertas;
        b.campos.insert(b.campos.end(),
                        {tipo("DescontoAbatimento", ado::adCurrency), tipo("JurosMoraMulta", ado::adCurrency),
                         tipo("DataDaBaixa", ado::adDate), tipo("ValorDaBaixa", ado::adCurrency)});
        b.colunas += QStringLiteral(", r.desconto_abatimento, r.juros_mora_multa, r.data_da_baixa, r.valor_da_baixa");
        const int n = int(abertas.campos.size());
        b.converterLinha = [&abertas, n](const Linha& l, std::vector<Variant>& out) {
            abertas.converterLinha(l, out);
            out.emplace_back(rt::Currency::fromRaw(l.inteiro(n)));
            out.emplace_back(rt::Currency::fromRaw(l.inteiro(n + 1)));
            out.emplace_back(dataComoValor(l.data(n + 2)));
            out.emplace_back(rt::Currency::fromRaw(l.inteiro(n + 3)));
        };
        return b;
    }();
    return f;
}

ProvedorDeContas::ProvedorDeContas(std::shared_ptr<Banco> banco, Filtro filtro, Ordem ordem,
                                   const Forma& forma)
    : m_banco(std::move(banco)), m_filtro(std::move(filtro)), m_ordem(std::move(ordem)), m_forma(forma) {
    if (m_banco->sqlite()) {
        const QVariant h = m_banco->db().driver()->handle();
        if (h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0)
            m_sqlite = *static_cast<sqlite3* const*>(h.constData());
    }
    m_geracao = lerGeracao();
    contar();
}

std::int64_t ProvedorDeContas::lerGeracao() const {
    return m_banco->valor(QStringLiteral("SELECT geracao FROM geracao_das_contas")).toLongLong();
}

bool ProvedorDeContas::refresh() {
    const std::int64_t g = lerGeracao();
    if (g == m_geracao) return false;
    m_geracao = g;
    m_chaves.clear();
    m_numeros.clear();
    contar();
    return true;
}

void ProvedorDeContas::contar() {
    if (m_filtro.busca) {
        lerNumerosDaBusca();
        return;
    }
    if (m_ordem.marcos != SemMarcos) {
        lerMarcos();
        return;
    }
    m_total = m_banco
                  ->valor(QStringLiteral("SELECT COUNT(*) FROM contas_a_receber r WHERE ") + m_filtro.sql,
                          m_filtro.valores)
                  .toLongLong();
    ++m_consultas;
    if (m_total == 0) return;
    // The keys of both ends.
    for (const bool fim : {false, true}) {
        QSqlQuery q =
            m_banco->executar(QStringLiteral("SELECT %1 FROM contas_a_receber r WHERE %2 ORDER BY %3 LIMIT 1")
                                  .arg(m_ordem.chaves.join(QLatin1String(", ")), m_filtro.sql,
                                       ordemSql(m_ordem.descendente != fim)),
                              m_filtro.valores);
        if (!q.next()) continue;
        QVariantList k;
        for (int i = 0; i < int(m_ordem.chaves.size()); ++i)
            k << q.value(i);
        m_chaves[fim ? m_total - 1 : 0] = k;
    }
}

QString ProvedorDeContas::chaveDoMarco(const QVariant& valor) const {
    if (m_ordem.marcos == PorNumero)
        return QStringLiteral("%1").arg(valor.toLongLong() / 1024, 10, 10, QChar(u'0'));
    return valor.toString().left(10);
}

std::pair<QVariant, QVariant> ProvedorDeContas::faixaDoMarco(const QString& chave) const {
    if (m_ordem.marcos == PorNumero) {
        const qlonglong de = chave.toLongLong() * 1024;
        return {de, de + 1024};
    }
    const QDate dia = QDate::fromString(chave, Qt::ISODate);
    if (m_ordem.marcos == PorMudanca)
        return {Banco::dataEHora(dia.startOfDay()), Banco::dataEHora(dia.addDays(1).startOfDay())};
    return {Banco::data(dia), Banco::data(dia.addDays(1))};
}

// The counts under the filter's bounds, in the selection's order. A
// checkpoint a bound cuts through is counted row by row: one day or 1024
// numbers at most.
void ProvedorDeContas::lerMarcos() {
    const QString coluna = m_ordem.chaves.front();
    const std::vector<Filtro::Limite> limites = m_filtro.limites(coluna);
    QString sql = QStringLiteral("SELECT chave, n FROM marcos_de_posicao WHERE familia = ? AND n > 0");
    QVariantList valores{int(m_ordem.marcos)};
    QStringList cortadas;
    for (const Filtro::Limite& l : limites) {
        sql += l.op.startsWith(u'>') ? QStringLiteral(" AND chave >= ?") : QStringLiteral(" AND chave <= ?");
        valores << chaveDoMarco(l.valor);
        cortadas << chaveDoMarco(l.valor);
    }
    std::vector<std::pair<QString, std::int64_t>> lidos;
    {
        QSqlQuery q = m_banco->executar(sql + QStringLiteral(" ORDER BY chave"), valores);
        while (q.next())
            lidos.emplace_back(q.value(0).toString(), q.value(1).toLongLong());
    }
    ++m_consultas;
    if (m_ordem.descendente) std::reverse(lidos.begin(), lidos.end());
    m_marcos.clear();
    m_total = 0;
    for (auto& [chave, n] : lidos) {
        const bool parcial = cortadas.contains(chave);
        if (parcial) {
            const auto [de, ate] = faixaDoMarco(chave);
            n = m_banco
                    ->valor(QStringLiteral(
                                "SELECT COUNT(*) FROM contas_a_receber r WHERE %1 AND %2 >= ? AND %2 < ?")
                                .arg(m_filtro.sql, coluna),
                            m_filtro.valores + QVariantList{de, ate})
                    .toLongLong();
            ++m_consultas;
        }
        if (n <= 0) continue;
        m_marcos.push_back({chave, m_total, parcial});
        m_total += n;
    }
}

ProvedorDeContas::~ProvedorDeContas() {
    sqlite3_finalize(m_direta);
}

void ProvedorDeContas::consultar(const QString& sql, const QVariantList& valores,
                                 const std::function<void(const Linha&)>& porLinha) {
    ++m_consultas;
    // A text never set is an empty text, not NULL, as Banco binds it.
    auto texto = [](const QVariant& v) -> const QString* {
        static const QString vazio = QStringLiteral("");
        if (v.typeId() != QMetaType::QString) return nullptr;
        const QString* t = static_cast<const QString*>(v.constData());
        return t->isNull() ? &vazio : t;
    };
    if (!m_sqlite) {
        if (!m_consulta || sql != m_sqlDaConsulta) {
            m_consulta = std::make_unique<QSqlQuery>(m_banco->preparar(sql));
            m_sqlDaConsulta = sql;
        }
        QSqlQuery& q = *m_consulta;
        for (int i = 0; i < valores.size(); ++i) {
            const QString* t = texto(valores[i]);
            q.bindValue(i, t ? QVariant(*t) : valores[i]);
        }
        Banco::executar(q);
        const LinhaQt l(q);
        while (q.next())
            porLinha(l);
        return;
    }
    auto falhar = [this](const char* como) {
        const QString erro = QString::fromUtf8(sqlite3_errmsg(m_sqlite));
        if (m_direta) sqlite3_reset(m_direta);
        throw ErroDoBanco(QString::fromUtf8(como).arg(erro));
    };
    if (!m_direta || sql != m_sqlDaConsulta) {
        sqlite3_finalize(m_direta);
        m_direta = nullptr;
        m_sqlDaConsulta.clear();
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v2(m_sqlite, utf8.constData(), int(utf8.size()), &m_direta, nullptr) != SQLITE_OK)
            falhar("Comando inválido para o banco de dados: %1");
        m_sqlDaConsulta = sql;
    }
    sqlite3_reset(m_direta);
    for (int i = 0; i < valores.size(); ++i) {
        const QVariant& v = valores[i];
        int r;
        if (const QString* t = texto(v))
            r = sqlite3_bind_text16(m_direta, i + 1, t->utf16(), int(t->size() * 2), SQLITE_TRANSIENT);
        else if (v.isNull())
            r = sqlite3_bind_null(m_direta, i + 1);
        else if (v.typeId() == QMetaType::Double)
            r = sqlite3_bind_double(m_direta, i + 1, v.toDouble());
        else
            r = sqlite3_bind_int64(m_direta, i + 1, v.toLongLong());
        if (r != SQLITE_OK) falhar("O banco de dados recusou a operação: %1");
    }
    const LinhaSQLite l(m_direta);
    int r;
    try {
        while ((r = sqlite3_step(m_direta)) == SQLITE_ROW)
            porLinha(l);
    } catch (...) {
        sqlite3_reset(m_direta);
        throw;
    }
    if (r != SQLITE_DONE) falhar("O banco de dados recusou a operação: %1");
    // Done: the statement lets go of its read snapshot.
    sqlite3_reset(m_direta);
}

QString ProvedorDeContas::ordemSql(bool descendente) const {
    QStringList ordem;
    for (const QString& c : m_ordem.chaves)
        ordem << (descendente ? c + QStringLiteral(" DESC") : c);
    return ordem.join(QLatin1String(", "));
}

// Trigram matching costs far more than reading its hits, and a count, the
// ends and every page would each match again: the numbers found are read
// once, in order (8 bytes a row, 8 MB should a search find every row).
void ProvedorDeContas::lerNumerosDaBusca() {
    const QString ordem = ordemSql(m_ordem.descendente);
    if (m_banco->sqlite()) {
        consultar(QStringLiteral("SELECT r.numero_do_lancamento FROM contas_a_receber r WHERE %1 ORDER BY %2")
                      .arg(m_filtro.sql, ordem),
                  m_filtro.valores, [this](const Linha& l) { m_numeros.push_back(l.inteiro(0)); });
    } else {
        // One text instead of a row per hit: the server's rows cost more
        // to hand over one by one than to parse.
        const QString lista =
            m_banco
                ->valor(QStringLiteral("SELECT string_agg(r.numero_do_lancamento::text, ',' ORDER BY %2) "
                                       "FROM contas_a_receber r WHERE %1")
                            .arg(m_filtro.sql, ordem),
                        m_filtro.valores)
                .toString();
        ++m_consultas;
        m_numeros.reserve(std::size_t(lista.count(u',') + 1));
        std::int64_t v = 0;
        bool algum = false;
        for (const QChar c : lista) {
            if (c == u',') {
                m_numeros.push_back(v);
                v = 0;
                algum = false;
            } else {
                v = v * 10 + (c.unicode() - '0');
                algum = true;
            }
        }
        if (algum) m_numeros.push_back(v);
    }
    m_total = std::int64_t(m_numeros.size());
}

void ProvedorDeContas::lerPorNumeros(std::int64_t first, std::int64_t n, std::vector<Variant>& out) {
    QString lista;
    lista.reserve(int(n) * 8);
    for (std::int64_t i = first; i < first + n; ++i) {
        if (i > first) lista += u',';
        lista += QString::number(m_numeros[std::size_t(i)]);
    }
    // Rows removed since the search are simply missing from the page.
    consultar(QStringLiteral("SELECT %1 FROM contas_a_receber r JOIN clientes c ON c.codigo_do_cliente = "
                             "r.codigo_do_cliente WHERE r.numero_do_lancamento IN (%2) ORDER BY %3")
                  .arg(m_forma.colunas, lista, ordemSql(m_ordem.descendente)),
              {}, [&](const Linha& l) { m_forma.converterLinha(l, out); });
}

void ProvedorDeContas::fetch(std::int64_t first, std::int64_t n, std::vector<Variant>& out) {
    n = std::min(n, m_total - first);
    if (first < 0 || n <= 0) return;
    if (m_filtro.busca) {
        lerPorNumeros(first, n, out);
        return;
    }
    const std::int64_t last = first + n - 1;

    // Between two known rows whose numbers differ by as much as their
    // positions there are no gaps, so the number at any position in
    // between is known too: a jump into such a stretch skips nothing.
    if (m_ordem.chaves.size() == 1) {
        const auto b = m_chaves.lower_bound(first);
        if (b != m_chaves.end() && b != m_chaves.begin() && b->first != first) {
            const auto a = std::prev(b);
            const qint64 passo = m_ordem.descendente ? -1 : 1;
            const qint64 ka = a->second.front().toLongLong(), kb = b->second.front().toLongLong();
            if ((kb - ka) * passo == b->first - a->first)
                m_chaves[first] = {QVariant(ka + passo * (first - a->first))};
        }
    }

    // Forward from the nearest row known at or before the block, or
    // backward from the nearest known at or after it, whichever skips less.
    // The first and the last row are always known, so rows added to the
    // tables after the count do not shift the selection's ends.
    auto it = m_chaves.upper_bound(first);
    const std::int64_t depois = it == m_chaves.begin() ? -1 : std::prev(it)->first;
    auto jt = m_chaves.lower_bound(last);
    const std::int64_t antes = jt == m_chaves.end() ? -1 : jt->first;
    const std::int64_t pularAdiante = depois < 0 ? first : first - depois - 1;
    const std::int64_t pularAtras = antes < 0 ? m_total - 1 - last : antes - last - 1;
    const bool paraTras = pularAtras < pularAdiante;

    // Not next to a row already read: from the nearer end of the checkpoint
    // stretch holding the block, skipping within that stretch only.
    const bool peloMarco = m_ordem.marcos != SemMarcos && std::min(pularAtras, pularAdiante) > 0;
    auto marcoDe = [this](std::int64_t posicao) {
        return std::prev(std::upper_bound(m_marcos.begin(), m_marcos.end(), posicao,
                                          [](std::int64_t p, const Marco& x) { return p < x.antes; }));
    };
    auto doInicio = m_marcos.end(), doFim = m_marcos.end();
    std::int64_t pularNoInicio = 0, pularNoFim = 0;
    if (peloMarco) {
        doInicio = marcoDe(first);
        doFim = marcoDe(last);
        pularNoInicio = first - doInicio->antes;
        pularNoFim = (std::next(doFim) == m_marcos.end() ? m_total : std::next(doFim)->antes) - 1 - last;
    }
    const bool doFimDoMarco = peloMarco && pularNoFim < pularNoInicio;
    const bool descendente = m_ordem.descendente != (peloMarco ? doFimDoMarco : paraTras);
    // Rows come last first: they are put back in order once read.
    const bool reverso = descendente != m_ordem.descendente;
    const QString ordem = ordemSql(descendente);
    const std::int64_t ancora = peloMarco ? -1 : paraTras ? antes : depois;
    // The anchor bounds the walk on the side it reads away from.
    Filtro f = ancora >= 0 ? m_filtro.semLimites(m_ordem.chaves.front(), !descendente) : m_filtro;
    std::int64_t pular = paraTras ? pularAtras : pularAdiante;
    if (peloMarco) {
        const auto m = doFimDoMarco ? doFim : doInicio;
        pular = doFimDoMarco ? pularNoFim : pularNoInicio;
        const auto [de, ate] = faixaDoMarco(m->chave);
        // A checkpoint the filter cuts keeps the filter's own bound on its start.
        if (!m->parcial) f = m_filtro.semLimites(m_ordem.chaves.front(), !descendente);
        f.e(m_ordem.chaves.front() + (descendente ? QStringLiteral(" < ?") : QStringLiteral(" >= ?")),
            {descendente ? ate : de});
    } else if (ancora >= 0) {
        // The anchor row itself is the first one wanted when the block starts (or ends) on it.
        const bool inclusive = ancora == (paraTras ? last : first);
        if (inclusive) pular = 0;
        QStringList marcas;
        for (qsizetype i = 0; i < m_ordem.chaves.size(); ++i)
            marcas << QStringLiteral("?");
        const QString op = descendente ? QStringLiteral("<") : QStringLiteral(">");
        f.e(QStringLiteral("(%1) %2 (%3)")
                .arg(m_ordem.chaves.join(QLatin1String(", ")), inclusive ? op + u'=' : op,
                     marcas.join(QLatin1String(", "))),
            m_chaves[ancora]);
    }
    // The rows skipped are found on the order's index alone; only the block
    // is joined with its clients. Skipping nothing, the join walks the
    // order's index directly and needs no sort.
    const QString sql =
        pular == 0
            ? QStringLiteral("SELECT %1, %2 FROM contas_a_receber r JOIN clientes c ON c.codigo_do_cliente = "
                             "r.codigo_do_cliente WHERE %3 ORDER BY %4 LIMIT %5")
                  .arg(m_forma.colunas, m_ordem.chaves.join(QLatin1String(", ")), f.sql, ordem)
                  .arg(n)
            : QStringLiteral(
                  "SELECT %1, %2 FROM contas_a_receber r JOIN clientes c ON c.codigo_do_cliente = "
                  "r.codigo_do_cliente WHERE r.numero_do_lancamento IN (SELECT r.numero_do_lancamento FROM "
                  "contas_a_receber r WHERE %3 ORDER BY %4 LIMIT %5 OFFSET %6) ORDER BY %4")
                  .arg(m_forma.colunas, m_ordem.chaves.join(QLatin1String(", ")), f.sql, ordem)
                  .arg(n)
                  .arg(pular);
    const std::size_t campos = m_forma.campos.size();
    const std::size_t inicio = out.size();
    const int nChaves = int(m_ordem.chaves.size());
    const int primeiraChave = int(campos);
    // Only the keys of the block's ends are kept.
    QVariantList primeiraLida, ultimaLida(nChaves);
    std::int64_t lidas = 0;
    consultar(sql, f.valores, [&](const Linha& l) {
        m_forma.converterLinha(l, out);
        for (int i = 0; i < nChaves; ++i)
            ultimaLida[i] = l.valor(primeiraChave + i);
        if (lidas++ == 0) primeiraLida = ultimaLida;
    });
    if (lidas == 0) return;
    if (reverso) {
        const std::size_t linhas = (out.size() - inicio) / campos;
        for (std::size_t i = 0; i < linhas / 2; ++i)
            std::swap_ranges(out.begin() + std::ptrdiff_t(inicio + i * campos),
                             out.begin() + std::ptrdiff_t(inicio + (i + 1) * campos),
                             out.begin() + std::ptrdiff_t(inicio + (linhas - 1 - i) * campos));
        std::swap(primeiraLida, ultimaLida);
    }
    // Where the block really starts when reading backwards and rows went
    // away meanwhile is unknown; keep only keys whose position is certain.
    const std::int64_t primeiro = reverso ? last - lidas + 1 : first;
    if (m_chaves.size() > 4096) {
        const auto ultima = *m_chaves.rbegin();
        const auto primeira = *m_chaves.begin();
        m_chaves.clear();
        m_chaves.insert(primeira);
        m_chaves.insert(ultima);
    }
    m_chaves[primeiro] = primeiraLida;
    m_chaves[primeiro + lidas - 1] = ultimaLida;
}

} // namespace quva::suite::creceber
