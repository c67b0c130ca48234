#include "suite/creceber/Selecao.h"

#include "runtime/Convert.h"

#include <QSqlQuery>

#include <algorithm>

namespace quva::suite::creceber {

using ado::FieldInfo;
using rt::Variant;

namespace {

// "2024-03-05" (text or date from the driver) as "05/03/2024"; "" for none.
QString dataParaExibir(const QVariant& v) {
    if (v.isNull()) return QString();
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString();
        if (s.size() < 10) return QString();
        QString out(10, u'/');
        out[0] = s[8], out[1] = s[9], out[3] = s[5], out[4] = s[6];
        for (int i = 0; i < 4; ++i)
            out[6 + i] = s[i];
        return out;
    }
    return Banco::lerData(v).toString(QStringLiteral("dd/MM/yyyy"));
}

QString momentoParaExibir(const QVariant& v) {
    const QDateTime d = Banco::lerDataEHora(v);
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) : QString();
}

QString dinheiro(const QVariant& v) {
    return rt::formatMoney(rt::Currency::fromRaw(v.toLongLong()));
}

Variant dataComoValor(const QVariant& v) {
    if (v.typeId() == QMetaType::QString) {
        // "YYYY-MM-DD" read by hand: a report reads a date on every row.
        const QString s = v.toString();
        auto numero = [&s](int de, int n) {
            int r = 0;
            for (int i = de; i < de + n; ++i) {
                const int c = s[i].unicode() - '0';
                if (c < 0 || c > 9) return -1;
                r = r * 10 + c;
            }
            return r;
        };
        if (s.size() >= 10 && s[4] == u'-' && s[7] == u'-') {
            const QDate d(numero(0, 4), numero(5, 2), numero(8, 2));
            if (d.isValid()) return Variant(deQDate(d));
        }
    }
    const QDate d = Banco::lerData(v);
    return d.isValid() ? Variant(deQDate(d)) : Variant(rt::Null);
}

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
    const FiltroDeBusca conta =
        filtroDeBusca(banco, t, QStringLiteral("r.busca"), QStringLiteral("r.numero_do_lancamento"),
                      QStringLiteral("contas_busca"));
    const FiltroDeBusca cliente =
        filtroDeBusca(banco, t, QStringLiteral("cb.busca"), QStringLiteral("cb.codigo_do_cliente"),
                      QStringLiteral("clientes_busca"));
    f.e(conta.sql +
            QStringLiteral(
                " OR r.codigo_do_cliente IN (SELECT cb.codigo_do_cliente FROM clientes cb WHERE ") +
            cliente.sql + u')',
        {conta.valor, cliente.valor});
    f.busca = true;
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
        [](const QSqlQuery& q, std::vector<Variant>& out) {
            out.emplace_back(std::int32_t(q.value(0).toLongLong()));
            out.emplace_back(std::int32_t(q.value(1).toLongLong()));
            out.emplace_back(q.value(2).toString());
            out.emplace_back(q.value(3).toString());
            out.emplace_back(historicoNumaLinha(q.value(4).toString()));
            out.emplace_back(std::int32_t(q.value(5).toLongLong()));
            out.emplace_back(dataParaExibir(q.value(6)));
            out.emplace_back(dinheiro(q.value(7)));
            out.emplace_back(dinheiro(q.value(8)));
            out.emplace_back(dinheiro(q.value(9)));
            out.emplace_back(std::int32_t(q.value(10).toInt()));
            out.emplace_back(std::int32_t(q.value(11).toInt()));
            out.emplace_back(std::int32_t(q.value(12).toInt()));
            out.emplace_back(dataParaExibir(q.value(13)));
            out.emplace_back(dinheiro(q.value(14)));
            out.emplace_back(dinheiro(q.value(15)));
            out.emplace_back(dinheiro(q.value(16)));
            out.emplace_back(dataParaExibir(q.value(17)));
            out.emplace_back(dinheiro(q.value(18)));
            out.emplace_back(momentoParaExibir(q.value(19)));
            out.emplace_back(q.value(20).toString());
            const QVariant alteracao = q.value(21);
            out.emplace_back(alteracao.isNull() ? Variant(rt::Null) : Variant(momentoParaExibir(alteracao)));
            const QVariant usuario = q.value(22);
            out.emplace_back(usuario.isNull() ? Variant(rt::Null) : Variant(usuario.toString()));
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
        [](const QSqlQuery& q, std::vector<Variant>& out) {
            out.emplace_back(std::int32_t(q.value(0).toLongLong()));
            out.emplace_back(std::int32_t(q.value(1).toLongLong()));
            out.emplace_back(q.value(2).toString());
            out.emplace_back(q.value(3).toString());
            out.emplace_back(q.value(4).toString());
            out.emplace_back(dataComoValor(q.value(5)));
            out.emplace_back(rt::Currency::fromRaw(q.value(6).toLongLong()));
        }};
    return f;
}

const Forma& formaDoRelatorioDeBaixadas() {
    static const Forma f{
        {tipo("NumeroDoLancamento", ado::adInteger), tipo("CodigoDoCliente", ado::adInteger),
         texto("ApelidoOuNomeFantasiaDoCliente", 100), texto("NomeOuRazaoSocialDoCliente", 150),
         texto("Historico", 4000), tipo("DataDeVencimento", ado::adDate),
         tipo("ValorDoDocumento", ado::adCurrency), tipo("DescontoAbatimento", ado::adCurrency),
         tipo("JurosMoraMulta", ado::adCurrency), tipo("DataDaBaixa", ado::adDate),
         tipo("ValorDaBaixa", ado::adCurrency)},
        QStringLiteral("r.numero_do_lancamento, r.codigo_do_cliente, c.apelido_ou_nome_fantasia, "
                       "c.nome_ou_razao_social, r.historico, r.data_de_vencimento, r.valor_do_documento, "
                       "r.desconto_abatimento, r.juros_mora_multa, r.data_da_baixa, r.valor_da_baixa"),
        [](const QSqlQuery& q, std::vector<Variant>& out) {
            out.emplace_back(std::int32_t(q.value(0).toLongLong()));
            out.emplace_back(std::int32_t(q.value(1).toLongLong()));
            out.emplace_back(q.value(2).toString());
            out.emplace_back(q.value(3).toString());
            out.emplace_back(q.value(4).toString());
            out.emplace_back(dataComoValor(q.value(5)));
            out.emplace_back(rt::Currency::fromRaw(q.value(6).toLongLong()));
            out.emplace_back(rt::Currency::fromRaw(q.value(7).toLongLong()));
            out.emplace_back(rt::Currency::fromRaw(q.value(8).toLongLong()));
            out.emplace_back(dataComoValor(q.value(9)));
            out.emplace_back(rt::Currency::fromRaw(q.value(10).toLongLong()));
        }};
    return f;
}

ProvedorDeContas::ProvedorDeContas(std::shared_ptr<Banco> banco, Filtro filtro, Ordem ordem,
                                   const Forma& forma)
    : m_banco(std::move(banco)), m_filtro(std::move(filtro)), m_ordem(std::move(ordem)), m_forma(forma) {
    m_total = m_banco
                  ->valor(QStringLiteral("SELECT COUNT(*) FROM contas_a_receber r WHERE ") + m_filtro.sql,
                          m_filtro.valores)
                  .toLongLong();
    ++m_consultas;
    if (m_total == 0) return;
    // The keys of both ends.
    for (const bool fim : {false, true}) {
        QStringList ordem;
        for (const QString& c : m_ordem.chaves)
            ordem << c + (m_ordem.descendente != fim ? QStringLiteral(" DESC") : QString());
        QSqlQuery q = m_banco->executar(
            QStringLiteral("SELECT %1 FROM contas_a_receber r WHERE %2 ORDER BY %3 LIMIT 1")
                .arg(m_ordem.chaves.join(QLatin1String(", ")), m_filtro.sql, ordem.join(QLatin1String(", "))),
            m_filtro.valores);
        if (!q.next()) continue;
        QVariantList k;
        for (int i = 0; i < int(m_ordem.chaves.size()); ++i)
            k << q.value(i);
        m_chaves[fim ? m_total - 1 : 0] = k;
    }
}

void ProvedorDeContas::fetch(std::int64_t first, std::int64_t n, std::vector<Variant>& out) {
    n = std::min(n, m_total - first);
    if (first < 0 || n <= 0) return;
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

    const bool descendente = m_ordem.descendente != paraTras;
    const QString direcao = descendente ? QStringLiteral(" DESC") : QString();
    QStringList ordem;
    for (const QString& c : m_ordem.chaves)
        ordem << c + direcao;
    const std::int64_t ancora = paraTras ? antes : depois;
    // The anchor bounds the walk on the side it reads away from.
    Filtro f = ancora >= 0 ? m_filtro.semLimites(m_ordem.chaves.front(), !descendente) : m_filtro;
    std::int64_t pular = paraTras ? pularAtras : pularAdiante;
    if (ancora >= 0) {
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
    // order's index directly and needs no sort, unless a search feeds it.
    const QString sql =
        pular == 0 && !f.busca
            ? QStringLiteral("SELECT %1, %2 FROM contas_a_receber r JOIN clientes c ON c.codigo_do_cliente = "
                             "r.codigo_do_cliente WHERE %3 ORDER BY %4 LIMIT %5")
                  .arg(m_forma.colunas, m_ordem.chaves.join(QLatin1String(", ")), f.sql,
                       ordem.join(QLatin1String(", ")))
                  .arg(n)
            : QStringLiteral(
                  "SELECT %1, %2 FROM contas_a_receber r JOIN clientes c ON c.codigo_do_cliente = "
                  "r.codigo_do_cliente WHERE r.numero_do_lancamento IN (SELECT r.numero_do_lancamento FROM "
                  "contas_a_receber r WHERE %3 ORDER BY %4 LIMIT %5 OFFSET %6) ORDER BY %4")
                  .arg(m_forma.colunas, m_ordem.chaves.join(QLatin1String(", ")), f.sql,
                       ordem.join(QLatin1String(", ")))
                  .arg(n)
                  .arg(pular);
    QSqlQuery q = m_banco->executar(sql, f.valores);
    ++m_consultas;

    const std::size_t campos = m_forma.campos.size();
    const std::size_t inicio = out.size();
    const int nChaves = int(m_ordem.chaves.size());
    const int primeiraChave = int(campos);
    // Only the keys of the block's ends are kept.
    QVariantList primeiraLida, ultimaLida(nChaves);
    std::int64_t lidas = 0;
    while (q.next()) {
        m_forma.converter(q, out);
        for (int i = 0; i < nChaves; ++i)
            ultimaLida[i] = q.value(primeiraChave + i);
        if (lidas++ == 0) primeiraLida = ultimaLida;
    }
    if (lidas == 0) return;
    if (paraTras) {
        // Rows came last first: put them back in order.
        const std::size_t linhas = (out.size() - inicio) / campos;
        for (std::size_t i = 0; i < linhas / 2; ++i)
            std::swap_ranges(out.begin() + std::ptrdiff_t(inicio + i * campos),
                             out.begin() + std::ptrdiff_t(inicio + (i + 1) * campos),
                             out.begin() + std::ptrdiff_t(inicio + (linhas - 1 - i) * campos));
        std::swap(primeiraLida, ultimaLida);
    }
    // Where the block really starts when reading backwards and rows went
    // away meanwhile is unknown; keep only keys whose position is certain.
    const std::int64_t primeiro = paraTras ? last - lidas + 1 : first;
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
