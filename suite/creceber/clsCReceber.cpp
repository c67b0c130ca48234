// QUVA_N_CReceber.clsCReceber: the rules and storage of receivables.
// Selections come back as paged recordsets; writes run in one transaction
// each and answer 0 done, 1 failure (error triple), 2 validation failure
// (NomeDoCampoValidado, DescricaoDaFalha) or 3 refusal (DescricaoDaFalha).

#include "suite/creceber/Selecao.h"

#include "ado/PageProvider.h"
#include "suite/negocio/ConsultaDeNegocio.h"

#include "ado/Recordset.h"
#include "automation/DispatchObject.h"
#include "automation/LateBound.h"
#include "automation/Server.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"
#include "runtime/Errors.h"
#include "suite/storage/Banco.h"
#include "suite/storage/Cadastros.h"
#include "suite/storage/Valores.h"

#include <QSqlQuery>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace {

using namespace quva;
using namespace quva::suite;
using namespace quva::suite::creceber;
using automation::Args;
using automation::DispatchObject;
using rt::Variant;

constexpr std::int16_t kFeito = 0, kFalha = 1, kInvalido = 2, kRecusado = 3;

QString local(const QString& membro) {
    return QStringLiteral("QUVA_N_CReceber, clsCReceber, ") + membro;
}

// The rows of a selection are read as the caller walks them: a storage
// failure then is this component's, not the recordset's.
class LeituraDaSelecao final : public ado::PageProvider {
public:
    explicit LeituraDaSelecao(std::shared_ptr<ado::PageProvider> provedor) : m_provedor(std::move(provedor)) {}
    std::int64_t count() override { return m_provedor->count(); }
    std::vector<ado::FieldInfo> fields() override { return m_provedor->fields(); }
    void fetch(std::int64_t first, std::int64_t n, std::vector<rt::Variant>& out) override {
        comoFalhaDoComponente(local(QStringLiteral("ResultadoDaSelecaoEmRecordSet")),
                              [&] { m_provedor->fetch(first, n, out); });
    }
    bool refresh() override {
        bool mudou = false;
        comoFalhaDoComponente(local(QStringLiteral("ResultadoDaSelecaoEmRecordSet")),
                              [&] { mudou = m_provedor->refresh(); });
        return mudou;
    }

private:
    std::shared_ptr<ado::PageProvider> m_provedor;
};

// A validation failure or a refusal, carried out of the procedure that found it.
struct Resposta {
    std::int16_t codigo;
    QString campo;
    QString descricao;
};

Resposta invalido(const QString& campo, const QString& descricao) {
    return {kInvalido, campo, descricao};
}
Resposta recusado(const QString& descricao) {
    return {kRecusado, QString(), descricao};
}

struct Parcela {
    QDate vencimento;
    std::int64_t valor = 0;
};

// The fields of a list row that belong to the receivable itself.
const QStringList& camposComparados() {
    static const QStringList c{QStringLiteral("CodigoDoCliente"),     QStringLiteral("Historico"),
                               QStringLiteral("DataDeVencimento"),    QStringLiteral("ValorDoDocumento"),
                               QStringLiteral("DescontoAbatimento"),  QStringLiteral("JurosMoraMulta"),
                               QStringLiteral("DataDaBaixa"),         QStringLiteral("ValorDaBaixa"),
                               QStringLiteral("DataEHoraDaInclusao"), QStringLiteral("DataEHoraDaAlteracao"),
                               QStringLiteral("UsuarioDaAlteracao")};
    return c;
}

const QString kNulo = QStringLiteral("(nulo)");
QString comoTexto(const Variant& v) {
    return v.isNull() || v.isEmpty() ? kNulo : v.toString();
}

// What this process last showed of each receivable on a list page. The card
// takes the receivable it alters or deletes from the list's row and hands
// over no stamp of it, so a stored row that differs from the one shown is
// another clerk's work. Kept per open database; forgotten when it closes.
class Exibidas {
public:
    static void lembrar(const std::shared_ptr<Banco>& banco, ado::Recordset& pagina) {
        if (pagina.RecordCount() <= 0) return;
        std::vector<int> indices;
        for (const QString& c : camposComparados())
            indices.push_back(pagina.fieldIndex(c));
        const int numero = pagina.fieldIndex(QStringLiteral("NumeroDoLancamento"));
        std::lock_guard trava(s_mutex);
        Memoria& m = memoria(banco);
        if (m.linhas.size() > 200000) m.linhas.clear(); // a bound, not a cache policy
        for (pagina.MoveFirst(); !pagina.EOF_(); pagina.MoveNext()) {
            QStringList linha;
            for (int i : indices)
                linha << comoTexto(pagina.valueAt(i));
            m.linhas[std::int64_t(pagina.valueAt(numero).toLong())] = linha;
        }
        pagina.MoveFirst();
    }
    static std::optional<QStringList> linha(const std::shared_ptr<Banco>& banco, std::int64_t numero) {
        std::lock_guard trava(s_mutex);
        Memoria& m = memoria(banco);
        const auto it = m.linhas.find(numero);
        if (it == m.linhas.end()) return std::nullopt;
        return it->second;
    }

private:
    struct Memoria {
        std::weak_ptr<Banco> banco;
        std::unordered_map<std::int64_t, QStringList> linhas;
    };
    static Memoria& memoria(const std::shared_ptr<Banco>& banco) {
        for (auto it = s_memorias.begin(); it != s_memorias.end();)
            it = it->second.banco.expired() ? s_memorias.erase(it) : std::next(it);
        Memoria& m = s_memorias[banco.get()];
        m.banco = banco;
        return m;
    }
    static inline std::mutex s_mutex;
    static inline std::map<const Banco*, Memoria> s_memorias;
};

class clsCReceber : public DispatchObject {
public:
    clsCReceber() : DispatchObject(QStringLiteral("clsCReceber")) {
        method(QStringLiteral("Selecionar"), 4, [this](Args a) { return selecionar(a); });
        objectProperty(QStringLiteral("ResultadoDaSelecaoEmRecordSet"),
                       [this](Args) { return m_selecao ? Variant(m_selecao) : Variant(nullptr); }, {});
        method(QStringLiteral("PaginarResultadoDaSelecaoEmRecordset"), 2,
               [this](Args a) { return paginar(a); });
        method(QStringLiteral("SelecionarContasAReceber"), 5,
               [this](Args a) { return selecionarContasAReceber(a); });
        method(QStringLiteral("SelecionarContasAReceberBaixadas"), 4,
               [this](Args a) { return selecionarContasAReceberBaixadas(a); });
        property(QStringLiteral("TotalDeValoresDosDocumentos"), [this](Args) { return total(0); }, {});
        property(QStringLiteral("TotalDeDescontosEAbatimentos"), [this](Args) { return total(1); }, {});
        property(QStringLiteral("TotalDeJurosMorasEMultas"), [this](Args) { return total(2); }, {});
        property(QStringLiteral("TotalDeValoresBaixados"), [this](Args) { return total(3); }, {});

        valor(QStringLiteral("NumeroDoLancamento"), m_numero);
        valor(QStringLiteral("CodigoDoCliente"), m_codigoDoCliente);
        valor(QStringLiteral("Historico"), m_historico);
        valor(QStringLiteral("DataDeVencimento"), m_dataDeVencimento);
        valor(QStringLiteral("ValorDoDocumento"), m_valorDoDocumento);
        objeto(QStringLiteral("GradeDasParcelas"), m_grade);
        objeto(QStringLiteral("DadosDoUsuario"), m_dadosDoUsuario);

        method(QStringLiteral("Adicionar"), 0, [this](Args) {
            return escrever(QStringLiteral("Adicionar"), [this] { return adicionar(); });
        });
        method(QStringLiteral("Alterar"), 0,
               [this](Args) { return escrever(QStringLiteral("Alterar"), [this] { return alterar(); }); });
        method(QStringLiteral("Excluir"), 0,
               [this](Args) { return escrever(QStringLiteral("Excluir"), [this] { return excluir(); }); });
        property(QStringLiteral("NomeDoCampoValidado"), [this](Args) { return Variant(m_campoValidado); },
                 {});
        property(QStringLiteral("DescricaoDaFalha"), [this](Args) { return Variant(m_descricaoDaFalha); },
                 {});
        property(QStringLiteral("NumeroDoErro"), [this](Args) { return Variant(m_numeroDoErro); }, {});
        property(QStringLiteral("DescricaoDoErro"), [this](Args) { return Variant(m_descricaoDoErro); }, {});
        property(QStringLiteral("LocalDoErro"), [this](Args) { return Variant(m_localDoErro); }, {});
    }

private:
    void valor(const QString& nome, Variant& campo) {
        property(
            nome, [&campo](Args) { return campo; },
            [&campo](Args a) {
                campo = a[0].deref();
                return Variant();
            });
    }
    void objeto(const QString& nome, rt::Object& campo) {
        objectProperty(
            nome, [&campo](Args) { return Variant(campo); },
            [&campo](Args a) {
                campo = a[0].deref().toObject();
                return Variant();
            });
    }

    Banco& banco() {
        if (!m_banco) m_banco = Banco::abrir();
        return *m_banco;
    }

    void limparFalhas() {
        m_numeroDoErro = 0;
        m_descricaoDoErro.clear();
        m_localDoErro.clear();
        m_campoValidado.clear();
        m_descricaoDaFalha.clear();
    }

    // Runs a procedure, turning whatever it throws into the error triple.
    template <class F> bool protegido(const QString& procedimento, F&& f) {
        limparFalhas();
        try {
            f();
            return true;
        } catch (...) {
            auto [numero, descricao] = falhaDeNegocio(std::current_exception());
            m_numeroDoErro = numero;
            m_descricaoDoErro = std::move(descricao);
        }
        m_localDoErro = local(procedimento);
        return false;
    }

    Variant escrever(const QString& procedimento, const std::function<Resposta()>& f) {
        Resposta r{kFeito, {}, {}};
        if (!protegido(procedimento, [&] { r = f(); })) return Variant(kFalha);
        m_campoValidado = r.campo;
        m_descricaoDaFalha = r.descricao;
        return Variant(r.codigo);
    }

    // ---- selections

    void novaSelecao(std::shared_ptr<ProvedorDeContas> provedor, std::int32_t porPagina) {
        auto rs = ado::Recordset::fromProvider(std::make_shared<LeituraDaSelecao>(provedor));
        if (porPagina > 0) rs->setPageSize(porPagina);
        m_provedor = std::move(provedor);
        m_selecao = std::move(rs);
        m_totais.reset();
        m_selecaoDaLista = false;
    }

    Variant selecionar(Args a) {
        const bool ok = protegido(QStringLiteral("Selecionar"), [&] {
            std::int32_t porPagina = a[1].toLong();
            const std::int32_t situacao = a[2].toLong();
            const QString texto = a[3].isNull() ? QString() : a[3].toString();
            if (situacao < Todas || situacao > Recentes) rt::raise(rt::err::InvalidCall);
            Filtro f;
            Ordem o;
            const QString hoje = paraQDate(rt::Today()).toString(Qt::ISODate);
            switch (situacao) {
            case Todas:
                o = {{QStringLiteral("r.numero_do_lancamento")}, true, PorNumero};
                break;
            case AVencer:
                f.e(QStringLiteral("r.data_da_baixa IS NULL"));
                f.limite(QStringLiteral("r.data_de_vencimento"), QStringLiteral(">="), hoje);
                o = {{QStringLiteral("r.data_de_vencimento"), QStringLiteral("r.numero_do_lancamento")},
                     false,
                     AbertasPorVencimento};
                break;
            case Vencidas:
                f.e(QStringLiteral("r.data_da_baixa IS NULL"));
                f.limite(QStringLiteral("r.data_de_vencimento"), QStringLiteral("<"), hoje);
                o = {{QStringLiteral("r.data_de_vencimento"), QStringLiteral("r.numero_do_lancamento")},
                     false,
                     AbertasPorVencimento};
                break;
            case Baixadas:
                f.e(QStringLiteral("r.data_da_baixa IS NOT NULL"));
                o = {{QStringLiteral("r.data_da_baixa"), QStringLiteral("r.numero_do_lancamento")},
                     true,
                     BaixadasPorData};
                break;
            case Recentes:
                f.limite(QStringLiteral("r.ultima_mudanca"), QStringLiteral(">="),
                         Banco::dataEHora(agora().addDays(-kDiasRecentes)));
                o = {{QStringLiteral("r.ultima_mudanca"), QStringLiteral("r.numero_do_lancamento")},
                     true,
                     PorMudanca};
                break;
            }
            filtrarPorBusca(banco(), f, texto);
            if (porPagina < 1) {
                porPagina = 10;
                a[1].assign(Variant(std::int16_t(porPagina)));
            }
            novaSelecao(
                std::make_shared<ProvedorDeContas>(m_banco, std::move(f), std::move(o), formaDaLista()),
                porPagina);
            m_selecaoDaLista = true;
        });
        return Variant(std::int32_t(ok ? 0 : 1));
    }

    Variant paginar(Args a) {
        return comoFalhaDoComponente(local(QStringLiteral("PaginarResultadoDaSelecaoEmRecordset")),
                                     [&] { return paginarSemProtecao(a); });
    }
    Variant paginarSemProtecao(Args a) {
        if (!m_selecao) rt::raise(rt::err::ObjectNotSet);
        const std::int32_t porPagina = a[0].toLong();
        if (porPagina > 0 && porPagina != m_selecao->PageSize()) {
            // The caller numbered the page it set under the old size (a list
            // whose window grew): the same page number under the new size.
            const std::int32_t numero = m_selecao->AbsolutePage();
            m_selecao->setPageSize(porPagina);
            if (numero > 0) m_selecao->setAbsolutePage(std::min(numero, m_selecao->PageCount()));
        }
        auto pagina = m_selecao->currentPage();
        if (m_selecaoDaLista) Exibidas::lembrar(m_banco, *pagina);
        a[1].assign(Variant(pagina));
        return Variant();
    }

    // A report reads its count, its rows and its totals at different
    // moments: on a snapshot of its own they agree whatever others commit
    // meanwhile. The snapshot lives as long as the selection's recordset.
    std::shared_ptr<Banco> instantaneo() { return Banco::abrirInstantaneo(banco().conexao()); }

    // Period texts "DD/MM/YYYY"; all dates when the flag is set.
    void filtrarPeriodo(Filtro& f, const QString& coluna, const Variant& todas, const Variant& inicio,
                        const Variant& fim) {
        if (todas.toBool()) return;
        rt::Date de, ate;
        if (!rt::parseDate(inicio.toString(), &de) || !rt::parseDate(fim.toString(), &ate))
            rt::raise(rt::err::TypeMismatch,
                      QStringLiteral("Período inválido: %1 a %2").arg(inicio.toString(), fim.toString()));
        f.limite(coluna, QStringLiteral(">="), Banco::data(paraQDate(de)));
        f.limite(coluna, QStringLiteral("<="), Banco::data(paraQDate(ate)));
    }

    Variant selecionarContasAReceber(Args a) {
        const bool ok = protegido(QStringLiteral("SelecionarContasAReceber"), [&] {
            const std::int16_t tipo = a[0].toInteger();
            const QString hoje = paraQDate(rt::Today()).toString(Qt::ISODate);
            Filtro f;
            f.e(QStringLiteral("r.data_da_baixa IS NULL"));
            if (tipo == 1)
                f.limite(QStringLiteral("r.data_de_vencimento"), QStringLiteral("<"), hoje);
            else if (tipo == 2)
                f.limite(QStringLiteral("r.data_de_vencimento"), QStringLiteral(">="), hoje);
            else if (tipo != 3)
                rt::raise(rt::err::InvalidCall);
            filtrarPeriodo(f, QStringLiteral("r.data_de_vencimento"), a[2], a[3], a[4]);
            filtrarPorBusca(banco(), f, a[1].isNull() ? QString() : a[1].toString());
            Ordem o{{QStringLiteral("r.data_de_vencimento"), QStringLiteral("r.numero_do_lancamento")},
                    false,
                    AbertasPorVencimento};
            novaSelecao(std::make_shared<ProvedorDeContas>(instantaneo(), std::move(f), std::move(o),
                                                           formaDoRelatorio()),
                        0);
        });
        return Variant(std::int32_t(ok ? 0 : 1));
    }

    Variant selecionarContasAReceberBaixadas(Args a) {
        const bool ok = protegido(QStringLiteral("SelecionarContasAReceberBaixadas"), [&] {
            Filtro f;
            f.e(QStringLiteral("r.data_da_baixa IS NOT NULL"));
            filtrarPeriodo(f, QStringLiteral("r.data_da_baixa"), a[0], a[2], a[3]);
            filtrarPorBusca(banco(), f, a[1].isNull() ? QString() : a[1].toString());
            Ordem o{{QStringLiteral("r.data_da_baixa"), QStringLiteral("r.numero_do_lancamento")},
                    false,
                    BaixadasPorData};
            novaSelecao(std::make_shared<ProvedorDeContas>(instantaneo(), std::move(f), std::move(o),
                                                           formaDoRelatorioDeBaixadas()),
                        0);
        });
        return Variant(std::int32_t(ok ? 0 : 1));
    }

    // Summed by the database on first demand, over the last selection.
    Variant total(int qual) {
        static const char* const kNomes[] = {"TotalDeValoresDosDocumentos", "TotalDeDescontosEAbatimentos",
                                             "TotalDeJurosMorasEMultas", "TotalDeValoresBaixados"};
        return comoFalhaDoComponente(local(QString::fromLatin1(kNomes[qual])),
                                     [&] { return totalSemProtecao(qual); });
    }
    Variant totalSemProtecao(int qual) {
        if (!m_provedor) return Variant(rt::Currency{});
        if (!m_totais) {
            const Filtro& f = m_provedor->filtro();
            Banco& b = m_provedor->banco();
            const QString exatas = QStringLiteral(
                "SUM(r.valor_do_documento), SUM(r.desconto_abatimento), SUM(r.juros_mora_multa), "
                "SUM(r.valor_da_baixa)");
            auto foraDoLimite = [] {
                rt::raise(rt::err::Overflow, textoForaDoLimite(QStringLiteral("A soma dos valores selecionados")));
            };
            std::array<std::int64_t, 4> t{};
            // One pass over the selection. SQLite refuses an exact sum beyond
            // 64 bits; PostgreSQL sums exactly into a numeric, checked here
            // against the currency's limit by the approximate sums beside it.
            if (b.sqlite()) {
                try {
                    QSqlQuery q = b.executar(QStringLiteral("SELECT %1 FROM contas_a_receber r WHERE %2")
                                                 .arg(exatas, f.sql),
                                             f.valores);
                    if (q.next())
                        for (int i = 0; i < 4; ++i)
                            t[std::size_t(i)] = q.value(i).toLongLong();
                } catch (const ErroDoBanco& e) {
                    if (e.texto().contains(QLatin1String("integer overflow"))) foraDoLimite();
                    throw;
                }
            } else {
                QSqlQuery q = b.executar(
                    QStringLiteral("SELECT %1, SUM(CAST(r.valor_do_documento AS DOUBLE PRECISION)), "
                                   "SUM(CAST(r.desconto_abatimento AS DOUBLE PRECISION)), "
                                   "SUM(CAST(r.juros_mora_multa AS DOUBLE PRECISION)), "
                                   "SUM(CAST(r.valor_da_baixa AS DOUBLE PRECISION)) FROM contas_a_receber r "
                                   "WHERE %2")
                        .arg(exatas, f.sql),
                    f.valores);
                if (q.next())
                    for (int i = 0; i < 4; ++i) {
                        if (std::abs(q.value(i + 4).toDouble()) >= 9.2e18) foraDoLimite();
                        t[std::size_t(i)] = q.value(i).toLongLong();
                    }
            }
            m_totais = t;
        }
        return Variant(rt::Currency::fromRaw((*m_totais)[std::size_t(qual)]));
    }

    // ---- writes

    QString usuario() {
        // The user data object names its user in NomeDoUsuario.
        if (!m_dadosDoUsuario) return QString();
        try {
            return automation::get(m_dadosDoUsuario, QStringLiteral("NomeDoUsuario")).toString();
        } catch (const rt::RuntimeError&) {
            return QString();
        }
    }

    std::optional<Resposta> validarCliente(std::int64_t* codigo, Cliente* cliente) {
        const double d =
            m_codigoDoCliente.isEmpty() || m_codigoDoCliente.isNull() ? 0.0 : m_codigoDoCliente.toDouble();
        *codigo = std::int64_t(d);
        if (*codigo <= 0)
            return invalido(QStringLiteral("CodigoDoCliente"), QStringLiteral("Informe o cliente."));
        auto c = lerCliente(banco(), *codigo);
        if (auto r = recusaDoCliente(c, *codigo)) return invalido(QStringLiteral("CodigoDoCliente"), *r);
        *cliente = *c;
        return std::nullopt;
    }

    QString historico() const {
        return m_historico.isEmpty() || m_historico.isNull() ? QString() : m_historico.toString().trimmed();
    }

    // Rows 1 to Rows - 1 of the grid: due date and value in columns 0 and 1.
    std::optional<Resposta> lerParcelas(std::vector<Parcela>& parcelas) {
        const QString campo = QStringLiteral("Parcelas");
        if (!m_grade) return invalido(campo, QStringLiteral("Informe ao menos uma parcela."));
        const std::int32_t linhas = automation::get(m_grade, QStringLiteral("Rows")).toLong();
        std::vector<std::pair<QString, QString>> texto;
        for (std::int32_t r = 1; r < linhas; ++r)
            texto.emplace_back(
                automation::get(m_grade, QStringLiteral("TextMatrix"), r, 0).toString().trimmed(),
                automation::get(m_grade, QStringLiteral("TextMatrix"), r, 1).toString().trimmed());
        if (texto.empty() || (texto.size() == 1 && texto[0].first.isEmpty() && texto[0].second.isEmpty()))
            return invalido(campo, QStringLiteral("Informe ao menos uma parcela."));
        for (std::size_t i = 0; i < texto.size(); ++i) {
            const int n = int(i) + 1;
            rt::Date d;
            if (!rt::parseDate(texto[i].first, &d))
                return invalido(campo,
                                QStringLiteral("A data de vencimento da parcela %1 é inválida.").arg(n));
            rt::Currency v;
            const LeituraDeValor leitura = lerValor(texto[i].second, &v);
            if (leitura == LeituraDeValor::ForaDoLimite)
                return invalido(campo, textoForaDoLimite(QStringLiteral("O valor da parcela %1").arg(n)));
            if (leitura != LeituraDeValor::Aceito || v.raw <= 0)
                return invalido(campo,
                                QStringLiteral("O valor da parcela %1 deve ser maior que zero.").arg(n));
            parcelas.push_back({paraQDate(d), v.raw});
        }
        std::vector<rt::Currency> valores;
        for (const Parcela& p : parcelas)
            valores.push_back(rt::Currency::fromRaw(p.valor));
        if (!somarValores(valores))
            return invalido(campo, textoForaDoLimite(QStringLiteral("O total das parcelas")));
        return std::nullopt;
    }

    Resposta adicionar() {
        std::int64_t codigo = 0;
        Cliente cliente;
        if (auto r = validarCliente(&codigo, &cliente)) return *r;
        const QString hist = historico();
        if (hist.isEmpty())
            return invalido(QStringLiteral("Historico"), QStringLiteral("Informe o histórico."));
        std::vector<Parcela> parcelas;
        if (auto r = lerParcelas(parcelas)) return *r;

        std::vector<NovaConta> contas;
        for (std::size_t i = 0; i < parcelas.size(); ++i)
            contas.push_back({codigo, hist, parcelas[i].vencimento, rt::Currency::fromRaw(parcelas[i].valor),
                              int(i + 1), int(parcelas.size())});
        if (auto r = validarVenda(banco(), contas)) return invalido(r->campo, r->motivo);
        incluirVenda(banco(), contas, usuario());
        return {kFeito, {}, {}};
    }

    std::int64_t numeroDoLancamento() const {
        return m_numero.isEmpty() || m_numero.isNull() ? 0 : std::int64_t(m_numero.toDouble());
    }

    // A receivable as a clerk last saw it or as it is stored: gone, settled,
    // its version (-1 when only the list row is known) and its list row.
    struct Estado {
        bool existe = false;
        bool baixada = false;
        std::int64_t versao = -1;
        QStringList linha;
    };
    Estado estado(std::int64_t numero, bool travar) {
        Banco& b = banco();
        const Forma& f = formaDaLista();
        QSqlQuery q = b.executar(
            QStringLiteral("SELECT %1, r.versao, r.data_da_baixa FROM contas_a_receber r JOIN clientes c ON "
                           "c.codigo_do_cliente = r.codigo_do_cliente WHERE r.numero_do_lancamento = ?%2")
                .arg(f.colunas, travar && !b.sqlite() ? QStringLiteral(" FOR UPDATE OF r") : QString()),
            {qlonglong(numero)});
        Estado e;
        if (!q.next()) return e;
        const int n = int(f.campos.size());
        e.existe = true;
        e.versao = q.value(n).toLongLong();
        e.baixada = !q.value(n + 1).isNull();
        std::vector<Variant> valores;
        f.converter(q, valores);
        for (const QString& campo : camposComparados())
            for (int i = 0; i < n; ++i)
                if (f.campos[std::size_t(i)].name == campo) e.linha << comoTexto(valores[std::size_t(i)]);
        return e;
    }
    // What the clerk saw: the list row this process showed, else the stored
    // receivable now.
    Estado visto(std::int64_t numero) {
        banco();
        if (auto linha = Exibidas::linha(m_banco, numero)) {
            Estado e;
            e.existe = true;
            const QString baixa = linha->at(camposComparados().indexOf(QStringLiteral("DataDaBaixa")));
            e.baixada = !baixa.isEmpty() && baixa != kNulo;
            e.linha = *linha;
            return e;
        }
        return estado(numero, false);
    }

    // Why a receivable cannot be changed, if it cannot: `antes` is what the
    // clerk saw, `agora` what is stored.
    static std::optional<Resposta> recusa(const Estado& antes, const Estado& agora, const QString& acao) {
        if (!agora.existe)
            return recusado(
                antes.existe
                    ? QStringLiteral("Esta conta a receber acabou de ser excluída por outro usuário.")
                    : QStringLiteral("Esta conta a receber não existe mais. Ela pode ter sido "
                                     "excluída por outro usuário."));
        if (agora.baixada)
            return recusado(
                antes.baixada
                    ? QStringLiteral("Esta conta a receber já está baixada e não pode ser %1.").arg(acao)
                    : QStringLiteral("Esta conta a receber acabou de ser baixada por outro usuário e não "
                                     "pode mais ser %1.")
                          .arg(acao));
        if (antes.existe && (antes.versao >= 0 ? agora.versao != antes.versao : agora.linha != antes.linha))
            return recusado(
                QStringLiteral("Esta conta a receber acabou de ser alterada por outro usuário. Para ver "
                               "os dados atuais na lista, escolha a situação novamente ou faça uma "
                               "pesquisa."));
        return std::nullopt;
    }

    Resposta alterar() {
        const std::int64_t numero = numeroDoLancamento();
        const Estado antes = visto(numero);
        if (auto r = recusa(antes, estado(numero, false), QStringLiteral("alterada"))) return *r;
        // The client stays the stored one: whatever became of it since, the
        // receivable is still its own.
        const QString hist = historico();
        if (hist.isEmpty())
            return invalido(QStringLiteral("Historico"), QStringLiteral("Informe o histórico."));
        rt::Date vencimento;
        const QString textoDaData =
            m_dataDeVencimento.isNull() ? QString() : m_dataDeVencimento.toString().trimmed();
        if (!rt::parseDate(textoDaData, &vencimento))
            return invalido(QStringLiteral("DataDeVencimento"),
                            QStringLiteral("Informe uma data de vencimento válida."));
        rt::Currency valor{};
        LeituraDeValor leitura = LeituraDeValor::Invalido;
        if (m_valorDoDocumento.isString()) {
            leitura = lerValor(m_valorDoDocumento.toString(), &valor);
        } else if (m_valorDoDocumento.isNumeric()) {
            try {
                valor = m_valorDoDocumento.toCurrency();
                leitura = LeituraDeValor::Aceito;
            } catch (const rt::RuntimeError&) {
                leitura = LeituraDeValor::ForaDoLimite;
            }
        }
        if (leitura == LeituraDeValor::ForaDoLimite)
            return invalido(QStringLiteral("ValorDoDocumento"), textoForaDoLimite(QStringLiteral("O valor")));
        if (leitura != LeituraDeValor::Aceito || valor.raw <= 0)
            return invalido(QStringLiteral("ValorDoDocumento"),
                            QStringLiteral("Informe um valor maior que zero."));

        const QString quem = usuario();
        Banco& b = banco();
        return b.transacao([&]() -> Resposta {
            const Estado atual = estado(numero, true);
            if (auto r = recusa(antes, atual, QStringLiteral("alterada"))) return *r;
            const QDateTime momento = agora();
            b.executar(QStringLiteral(
                           "UPDATE contas_a_receber SET historico = ?, "
                           "data_de_vencimento = ?, valor_do_documento = ?, data_e_hora_da_alteracao = ?, "
                           "usuario_da_alteracao = ?, ultima_mudanca = ?, versao = versao + 1, busca = ? "
                           "WHERE numero_do_lancamento = ? AND data_da_baixa IS NULL"),
                       {hist, Banco::data(paraQDate(vencimento)), qlonglong(valor.raw),
                        Banco::dataEHora(momento), quem.isNull() ? QStringLiteral("") : quem,
                        Banco::dataEHora(momento), buscaDaConta(numero, hist), qlonglong(numero)});
            return {kFeito, {}, {}};
        });
    }

    Resposta excluir() {
        const std::int64_t numero = numeroDoLancamento();
        const Estado antes = visto(numero);
        if (auto r = recusa(antes, estado(numero, false), QStringLiteral("excluída"))) return *r;
        Banco& b = banco();
        return b.transacao([&]() -> Resposta {
            const Estado atual = estado(numero, true);
            if (auto r = recusa(antes, atual, QStringLiteral("excluída"))) return *r;
            b.executar(
                QStringLiteral(
                    "DELETE FROM contas_a_receber WHERE numero_do_lancamento = ? AND data_da_baixa IS NULL"),
                {qlonglong(numero)});
            return {kFeito, {}, {}};
        });
    }

    std::shared_ptr<Banco> m_banco;
    std::shared_ptr<ado::Recordset> m_selecao;
    std::shared_ptr<ProvedorDeContas> m_provedor;
    std::optional<std::array<std::int64_t, 4>> m_totais;
    bool m_selecaoDaLista = false;

    Variant m_numero, m_codigoDoCliente, m_historico, m_dataDeVencimento, m_valorDoDocumento;
    rt::Object m_grade, m_dadosDoUsuario;

    std::int32_t m_numeroDoErro = 0;
    QString m_descricaoDoErro, m_localDoErro;
    QString m_campoValidado, m_descricaoDaFalha;
};

const automation::ServerDescription& descricao() {
    static const automation::ServerDescription d = [] {
        automation::ClassEntry e;
        e.progId = QStringLiteral("QUVA_N_CReceber.clsCReceber");
        e.clsid = QStringLiteral("{4B7E2C91-6A3D-4F58-9E12-7C0D5B8A3F64}");
        e.className = QStringLiteral("clsCReceber");
        e.typeLib = QStringLiteral("QUVA_N_CReceber");
        e.typeLibId = QStringLiteral("{8D1F5A36-2C7B-4E90-B4A8-1E6F3C9D7025}");
        e.version = QStringLiteral("1.0");
        e.description = QStringLiteral("QUVA - Negócio - Contas a Receber");
        e.interfaceName = QStringLiteral("_clsCReceber");
        e.interfaceId = QStringLiteral("{C3A95E17-8B4F-4D26-A7E0-5F2B9C1D6E48}");
        return automation::ServerDescription{{automation::serverClass<clsCReceber>(e)}};
    }();
    return d;
}

} // namespace

QUVA_AUTOMATION_SERVER(descricao)
