// Recordset figures: reading a page of a million-row selection, and building
// and walking a small in-memory recordset. Each beside a naive recordset
// (rows as QVariantMap, fields found by a case-insensitive linear search).

#include "BenchUtil.h"

#include "ado/Recordset.h"
#include "automation/LateBound.h"

#include <QList>
#include <QStringList>
#include <QVariantMap>

#include <chrono>

using namespace quva;
using ado::FieldInfo;
using rt::Variant;

namespace {

const QStringList kListFields = {"NumeroDoLancamento",
                                 "CodigoDoCliente",
                                 "ApelidoOuNomeFantasiaDoCliente",
                                 "NomeOuRazaoSocialDoCliente",
                                 "Historico",
                                 "NumeroDaVenda",
                                 "DataDaVenda",
                                 "ValorDaVenda",
                                 "ValorRecebidoAVista",
                                 "PercentualRecebidoAVista",
                                 "NumeroDaParcela",
                                 "NumeroDeParcelas",
                                 "NumeroDeParcelasAnteriorAoReparcelamento",
                                 "DataDeVencimento",
                                 "ValorDoDocumento",
                                 "DescontoAbatimento",
                                 "JurosMoraMulta",
                                 "DataDaBaixa",
                                 "ValorDaBaixa",
                                 "Situacao",
                                 "DataEHoraDaInclusao",
                                 "UsuarioDaInclusao",
                                 "DataEHoraDaAlteracao",
                                 "UsuarioDaAlteracao",
                                 "Observacao"};

constexpr std::int64_t kRows = 1'000'000;
constexpr int kPageSize = 20;

double seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Serves the same pre-made rows for any stretch and keeps the time it spent.
class PremadeProvider : public ado::PageProvider {
public:
    PremadeProvider() {
        for (int r = 0; r < kPageSize; ++r)
            for (int f = 0; f < kListFields.size(); ++f)
                m_rows.emplace_back(f < 2 ? Variant(double(r * 100 + f))
                                          : Variant(QStringLiteral("texto %1").arg(r)));
    }
    std::int64_t count() override { return kRows; }
    std::vector<FieldInfo> fields() override {
        std::vector<FieldInfo> out;
        for (int f = 0; f < kListFields.size(); ++f)
            out.push_back({kListFields[f], f < 2 ? ado::adDouble : ado::adVarChar, f < 2 ? 0 : 255});
        return out;
    }
    void fetch(std::int64_t, std::int64_t n, std::vector<Variant>& out) override {
        const auto a = std::chrono::steady_clock::now();
        for (std::int64_t i = 0; i < n; i += kPageSize) {
            const auto take =
                std::size_t(std::min<std::int64_t>(n - i, kPageSize)) * std::size_t(kListFields.size());
            out.insert(out.end(), m_rows.begin(), m_rows.begin() + std::ptrdiff_t(take));
        }
        spent += std::chrono::steady_clock::now() - a;
    }
    std::chrono::steady_clock::duration spent{};

private:
    std::vector<Variant> m_rows;
};

// The obvious recordset: a page of QVariantMaps and a linear name search.
struct NaiveRecordset {
    QStringList names;
    QList<QVariantMap> page;
    int row = 0;
    QVariant value(const QString& name) const {
        for (const QString& n : names)
            if (n.compare(name, Qt::CaseInsensitive) == 0) return page[row].value(n);
        return {};
    }
    void add(const QStringList& values) {
        QVariantMap m;
        for (int i = 0; i < names.size(); ++i)
            m.insert(names[i], values[i]);
        page.append(m);
    }
};

std::size_t sink = 0;
void consume(const Variant& v) {
    sink += std::size_t(v.type());
}
void consume(const QVariant& v) {
    sink += std::size_t(v.typeId());
}

} // namespace

int main() {
    // Page of a million-row selection, fetch time subtracted per run.
    auto provider = std::make_shared<PremadeProvider>();
    auto rs = ado::Recordset::fromProvider(provider);
    rs->setPageSize(kPageSize);
    const std::int32_t pages[] = {1, rs->PageCount() / 2, rs->PageCount()};
    double worst = 0, worstBaseline = 0;
    std::vector<Variant> scratch;
    for (std::int32_t p : pages) {
        std::vector<double> t;
        for (int run = 0; run < 301; ++run) {
            provider->spent = {};
            const auto a = std::chrono::steady_clock::now();
            rs->setAbsolutePage(p);
            for (int r = 0; r < kPageSize; ++r) {
                for (const QString& name : kListFields)
                    consume(rs->Fields(name).Value());
                if (r + 1 < kPageSize) rs->MoveNext();
            }
            t.push_back(seconds(std::chrono::steady_clock::now() - a - provider->spent) * 1e3);
        }
        std::sort(t.begin(), t.end());
        worst = std::max(worst, t[t.size() / 2]);

        // Naive: the same rows fetched, then turned into maps.
        std::vector<double> b;
        for (int run = 0; run < 301; ++run) {
            scratch.clear();
            provider->spent = {};
            const auto a = std::chrono::steady_clock::now();
            NaiveRecordset n{kListFields, {}, 0};
            provider->fetch(std::int64_t(p - 1) * kPageSize, kPageSize, scratch);
            for (int r = 0; r < kPageSize; ++r) {
                QVariantMap m;
                for (int f = 0; f < kListFields.size(); ++f) {
                    const Variant& v = scratch[std::size_t(r * kListFields.size() + f)];
                    m.insert(kListFields[f],
                             v.isString() ? QVariant(v.rawString()) : QVariant(v.rawDouble()));
                }
                n.page.append(m);
            }
            for (n.row = 0; n.row < kPageSize; ++n.row)
                for (const QString& name : kListFields)
                    consume(n.value(name));
            b.push_back(seconds(std::chrono::steady_clock::now() - a - provider->spent) * 1e3);
        }
        std::sort(b.begin(), b.end());
        worstBaseline = std::max(worstBaseline, b[b.size() / 2]);
    }
    bench::report("recordset_page_1m", worst, "ms", 1, worstBaseline);

    // A 40-row recordset with the collection letter's fields, built and walked.
    const std::vector<FieldInfo> letter = {{"txtNumeroDeLancamento", ado::adDouble, 0},
                                           {"txtVencimento", ado::adChar, 20},
                                           {"txtValor", ado::adChar, 50},
                                           {"txtCodigoDoCliente", ado::adDouble, 0},
                                           {"txtApelidoOuNomeFantasiaDoCliente", ado::adChar, 20},
                                           {"txtNomeOuRazaoSocialDoCliente", ado::adChar, 50}};
    const QStringList cells = {"1532", "10/05/2024", "1.234,56", "123", "Fulano", "Fulano de Tal Ltda"};
    const double build = bench::medianSeconds(
        501,
        [&] {
            auto r = ado::Recordset::create();
            for (const FieldInfo& f : letter)
                r->Fields().Append(f.name, f.type, f.definedSize);
            r->Open();
            for (int row = 0; row < 40; ++row) {
                r->AddNew();
                for (std::size_t f = 0; f < letter.size(); ++f)
                    r->Fields(letter[f].name).setValue(cells[qsizetype(f)]);
                r->Update();
            }
            for (r->MoveFirst(); !r->EOF_(); r->MoveNext())
                for (const FieldInfo& f : letter)
                    consume(r->Fields(f.name).Value());
        },
        1e6);
    QStringList names;
    for (const FieldInfo& f : letter)
        names << f.name;
    const double buildBaseline = bench::medianSeconds(
        501,
        [&] {
            NaiveRecordset n{names, {}, 0};
            for (int row = 0; row < 40; ++row)
                n.add(cells);
            for (n.row = 0; n.row < n.page.size(); ++n.row)
                for (const QString& name : names)
                    consume(n.value(name));
        },
        1e6);
    bench::report("recordset_build40", build, "us", 50, buildBaseline);
    return sink == 0 ? 1 : 0;
}
