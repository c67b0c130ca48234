#pragma once
// A receivables store behind the scripted business stand-in: Selecionar
// filters it by situation and text, ResultadoDaSelecaoEmRecordSet hands out
// the selection, PaginarResultadoDaSelecaoEmRecordset the page AbsolutePage
// was set to. Large selections come from a page provider, so a million
// rows cost nothing.

#include "Ambiente.h"
#include "Script.h"
#include "ado/Recordset.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"

#include <QString>

#include <memory>
#include <vector>

namespace teste {

using quva::rt::Variant;

struct Conta {
    std::int32_t numero = 0;
    std::int32_t cliente = 0;
    QString nome;
    QString historico;
    QString vencimento; // "DD/MM/YYYY"
    QString baixa;      // empty: not settled
};

// The page Recordset's fields, in the grid's column order (its blank column
// and the situation's picture have none).
inline std::vector<quva::ado::FieldInfo> campos() {
    std::vector<quva::ado::FieldInfo> f;
    for (const char16_t* nome :
         {u"NumeroDoLancamento", u"CodigoDoCliente", u"ApelidoOuNomeFantasiaDoCliente", u"NomeOuRazaoSocialDoCliente",
          u"Historico", u"NumeroDaVenda", u"DataDaVenda", u"ValorDaVenda", u"ValorRecebidoAVista",
          u"PercentualRecebidoAVista", u"NumeroDaParcela", u"NumeroDeParcelas",
          u"NumeroDeParcelasAnteriorAoReparcelamento", u"DataDeVencimento", u"ValorDoDocumento", u"DescontoAbatimento",
          u"JurosMoraMulta", u"DataDaBaixa", u"ValorDaBaixa", u"DataEHoraDaInclusao", u"UsuarioDaInclusao",
          u"DataEHoraDaAlteracao", u"UsuarioDaAlteracao"})
        f.push_back({QString::fromUtf16(nome), quva::ado::adVariant, 0});
    return f;
}

// The values of one row, fields() order.
inline void linha(const Conta& c, std::vector<Variant>& out) {
    const QString zero = QStringLiteral("0,00");
    out.insert(out.end(),
               {c.numero, c.cliente, QStringLiteral("Apelido %1").arg(c.cliente), c.nome, c.historico,
                QStringLiteral("V%1").arg(c.numero), QStringLiteral("01/01/2025"), QStringLiteral("1.500,00"),
                zero, zero, QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("0"), c.vencimento,
                QStringLiteral("500,00"), zero, zero, c.baixa,
                c.baixa.isEmpty() ? QString() : QStringLiteral("500,00"),
                QStringLiteral("02/01/2025 10:00:00"), QStringLiteral("ana"), quva::rt::Null, quva::rt::Null});
}

// n synthetic receivables, built on demand.
class Sintetica : public quva::ado::PageProvider {
public:
    explicit Sintetica(std::int64_t n) : m_n(n) {}
    std::int64_t count() override { return m_n; }
    std::vector<quva::ado::FieldInfo> fields() override { return campos(); }
    void fetch(std::int64_t first, std::int64_t n, std::vector<Variant>& out) override {
        for (std::int64_t i = first; i < std::min(first + n, m_n); ++i)
            linha(Conta{std::int32_t(i + 1), std::int32_t(i % 97 + 1),
                        QStringLiteral("Cliente %1").arg(i % 97), QStringLiteral("Venda %1").arg(i + 1),
                        QStringLiteral("10/10/2030"), QString()},
                  out);
    }

private:
    std::int64_t m_n;
};

class Base {
public:
    std::vector<Conta> contas;
    // Situations 0 and 4 come from n synthetic rows instead, when set.
    std::int64_t sinteticas = 0;
    // The Selecionar call (1-based) that reports failure, with the error triple.
    int falharNaSelecao = 0;
    int selecoes = 0;
    std::shared_ptr<quva::ado::Recordset> selecao;

    // The stand-in answers from this store from now on.
    void ligar() {
        using quva::doubles::setBehaviour;
        setBehaviour(kNegocio, QStringLiteral("Selecionar"),
                     [this](std::span<Variant> a) { return selecionar(a); });
        setBehaviour(kNegocio, QStringLiteral("ResultadoDaSelecaoEmRecordSet"),
                     [this](std::span<Variant>) { return selecao ? Variant(selecao) : Variant(nullptr); });
        setBehaviour(kNegocio, QStringLiteral("PaginarResultadoDaSelecaoEmRecordset"),
                     [this](std::span<Variant> a) {
                         a[1].assign(Variant(selecao->currentPage()));
                         return Variant();
                     });
        quva::doubles::setErrorTriple(kNegocio, std::int32_t(-2147217900),
                                      QStringLiteral("Falha na consulta"),
                                      QStringLiteral("QUVA_N_CReceber, clsCReceber, Selecionar"));
    }

    static bool vencida(const Conta& c) {
        quva::rt::Date d;
        quva::rt::parseDate(c.vencimento, &d);
        return c.baixa.isEmpty() && d < quva::rt::Today();
    }

private:
    Variant selecionar(std::span<Variant> a) {
        ++selecoes;
        if (selecoes == falharNaSelecao) return std::int32_t(1);
        const std::int16_t porPagina = a[1].deref().toInteger();
        const std::int32_t codigo = a[2].deref().toLong();
        const QString texto = a[3].deref().toString();
        if (sinteticas > 0 && (codigo == 0 || codigo == 4) && texto.isEmpty()) {
            selecao = quva::ado::Recordset::fromProvider(std::make_shared<Sintetica>(sinteticas));
        } else {
            std::vector<Variant> valores;
            for (const Conta& c : contas) {
                const bool baixada = !c.baixa.isEmpty();
                bool entra = codigo == 0 || codigo == 4 || (codigo == 3 && baixada) ||
                             (codigo == 2 && vencida(c)) || (codigo == 1 && !baixada && !vencida(c));
                if (!texto.isEmpty())
                    entra = entra && (c.nome.contains(texto, Qt::CaseInsensitive) ||
                                      c.historico.contains(texto, Qt::CaseInsensitive));
                if (entra) linha(c, valores);
            }
            selecao = quva::ado::Recordset::fromRows(campos(), std::move(valores));
        }
        selecao->setPageSize(porPagina);
        return std::int32_t(0);
    }
};

// n receivables due in the future, numbered 1 … n.
inline std::vector<Conta> contasAVencer(int n) {
    std::vector<Conta> v;
    for (int i = 1; i <= n; ++i)
        v.push_back({i, 100 + i, QStringLiteral("Cliente %1").arg(i),
                     QStringLiteral("Venda a prazo %1").arg(i), QStringLiteral("10/10/2030"), QString()});
    return v;
}

} // namespace teste
