// quva-suite: the suite's admin tool. One command per job; every command
// answers --help, reports what went wrong in plain words, and exits with 0
// on success, 1 when the work failed or the input was bad, and 2 when the
// command line itself was wrong.

#include "suite/cli/Administracao.h"
#include "suite/cli/Importacao.h"

#include "automation/Registry.h"
#include "runtime/Convert.h"
#include "runtime/Errors.h"
#include "suite/storage/Banco.h"
#include "suite/storage/Cadastros.h"
#include "suite/storage/Demonstracao.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <map>
#include <set>

namespace {

using namespace quva;
using namespace quva::suite;

constexpr int kOk = 0;
constexpr int kFalhou = 1;
constexpr int kUso = 2;

QTextStream& saida() {
    static QTextStream s(stdout);
    return s;
}
QTextStream& erro() {
    static QTextStream s(stderr);
    return s;
}

struct Comando {
    QString resumo;
    std::function<int(const QStringList&)> executar;
};

// A parser for one command: its description, --help, and a check of the
// positional arguments. Returns false (with the exit code in *codigo) when
// the command should stop here.
bool analisar(QCommandLineParser& p, const QString& comando, const QString& descricao,
              const QStringList& args, int posicionais, int* codigo) {
    p.setApplicationDescription(descricao);
    p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption ajuda({QStringLiteral("h"), QStringLiteral("help")},
                                   QStringLiteral("Shows this help."));
    p.addOption(ajuda);
    QStringList linha = args;
    linha.prepend(QStringLiteral("quva-suite ") + comando);
    if (!p.parse(linha)) {
        erro() << "quva-suite " << comando << ": " << p.errorText() << "\n"
               << "Try 'quva-suite " << comando << " --help'.\n";
        *codigo = kUso;
        return false;
    }
    if (p.isSet(ajuda)) {
        // The parser names the program by its path; the user typed a command.
        QString texto = p.helpText();
        texto.replace(QCoreApplication::applicationFilePath(), QStringLiteral("quva-suite ") + comando);
        saida() << texto;
        *codigo = kOk;
        return false;
    }
    if (posicionais >= 0 && p.positionalArguments().size() != posicionais) {
        erro() << "quva-suite " << comando << ": expected " << posicionais << " argument(s), got "
               << p.positionalArguments().size() << ".\nTry 'quva-suite " << comando << " --help'.\n";
        *codigo = kUso;
        return false;
    }
    return true;
}

std::shared_ptr<Banco> abrirBanco() {
    return Banco::abrir();
}

int init(const QStringList& args) {
    QCommandLineParser p;
    int codigo = kOk;
    if (!analisar(p, QStringLiteral("init"),
                  QStringLiteral(
                      "Creates the database named by QUVA_DATABASE (or the settings file, or the default "
                      "file) and brings its schema up to date."),
                  args, 0, &codigo))
        return codigo;
    auto banco = abrirBanco();
    saida() << "Database: " << banco->conexao() << "\n"
            << "Schema version: " << banco->versaoDoEsquema() << "\n"
            << "Clients: " << contarClientes(*banco) << "\n";
    return kOk;
}

int registrar(const QStringList& args) {
    QCommandLineParser p;
    const QCommandLineOption remover({QStringLiteral("u"), QStringLiteral("unregister")},
                                     QStringLiteral("Removes the libraries from the registry instead."));
    const QCommandLineOption pasta(QStringLiteral("dir"), QStringLiteral("Folder of the libraries."),
                                   QStringLiteral("folder"), admin::pastaDasBibliotecas());
    p.addOption(remover);
    p.addOption(pasta);
    int codigo = kOk;
    if (!analisar(p, QStringLiteral("register"),
                  QStringLiteral("Registers every component library of the suite (QUVA_REGISTRY names the "
                                 "registry file)."),
                  args, 0, &codigo))
        return codigo;
    int falhas = 0;
    for (const admin::Registro& r : admin::registrarSuite(p.value(pasta), p.isSet(remover))) {
        if (r.feito) {
            saida() << (p.isSet(remover) ? "unregistered " : "registered ") << r.biblioteca << "\n";
        } else {
            erro() << "error: " << r.biblioteca << " " << r.erro << "\n";
            ++falhas;
        }
    }
    saida() << "Registry: " << automation::Registry::path() << "\n";
    return falhas ? kFalhou : kOk;
}

std::optional<std::int64_t> numeroPositivo(const QString& texto, const QString& opcao) {
    bool ok = false;
    const qlonglong n = texto.toLongLong(&ok);
    if (!ok || n < 0) {
        erro() << "error: " << opcao << " must be a whole number of 0 or more, not '" << texto << "'.\n";
        return std::nullopt;
    }
    return n;
}

int demo(const QStringList& args) {
    QCommandLineParser p;
    const QCommandLineOption contas(QStringLiteral("receivables"), QStringLiteral("Receivables to create."),
                                    QStringLiteral("N"), QStringLiteral("2000"));
    const QCommandLineOption clientes(QStringLiteral("clients"), QStringLiteral("Clients to create."),
                                      QStringLiteral("M"), QStringLiteral("200"));
    const QCommandLineOption semente(QStringLiteral("seed"),
                                     QStringLiteral("Seed of the generator (the same seed, the same data)."),
                                     QStringLiteral("S"), QStringLiteral("20240601"));
    p.addOptions({contas, clientes, semente});
    int codigo = kOk;
    if (!analisar(p, QStringLiteral("demo"),
                  QStringLiteral("Fills an empty database with demo data: a company, clients with Brazilian "
                                 "names, and receivables in every situation."),
                  args, 0, &codigo))
        return codigo;
    const auto n = numeroPositivo(p.value(contas), QStringLiteral("--receivables"));
    const auto m = numeroPositivo(p.value(clientes), QStringLiteral("--clients"));
    const auto s = numeroPositivo(p.value(semente), QStringLiteral("--seed"));
    if (!n || !m || !s) return kUso;
    if (*m == 0 && *n > 0) {
        erro() << "error: receivables need clients; give --clients 1 or more.\n";
        return kUso;
    }
    if (*n > 10'000'000 || *m > 10'000'000) {
        erro() << "error: at most 10000000 receivables and clients.\n";
        return kUso;
    }
    auto banco = abrirBanco();
    OpcoesDaDemonstracao opcoes;
    opcoes.contas = *n;
    opcoes.clientes = *m;
    opcoes.semente = std::uint64_t(*s);
    QElapsedTimer relogio;
    relogio.start();
    const ResultadoDaDemonstracao r = gerarDemonstracao(*banco, opcoes);
    saida() << "Created " << r.clientes << " clients and " << r.contas << " receivables in "
            << QString::number(relogio.elapsed() / 1000.0, 'f', 1) << " s (" << banco->conexao() << ").\n";
    return kOk;
}

// Reads and checks a file; prints every bad line. Empty when nothing may be imported.
std::optional<std::vector<admin::LinhaCsv>> lerCsv(const QString& arquivo) {
    QString texto, falha;
    if (!admin::lerArquivoCsv(arquivo, &texto, &falha)) {
        erro() << "error: " << falha << "\n";
        return std::nullopt;
    }
    return admin::separarCsv(texto);
}

int relatarErros(const QString& arquivo, const std::vector<admin::ErroDeLinha>& erros) {
    for (const admin::ErroDeLinha& e : erros)
        erro() << arquivo << ":" << e.linha << ": " << e.motivo << "\n";
    std::set<int> linhas;
    for (const auto& e : erros)
        linhas.insert(e.linha);
    erro() << "Nothing was imported: " << linhas.size() << " bad line(s).\n";
    return kFalhou;
}

int importarClientes(const QStringList& args) {
    QCommandLineParser p;
    p.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The spreadsheet file (.csv)."));
    int codigo = kOk;
    if (!analisar(
            p, QStringLiteral("import-clients"),
            QStringLiteral("Imports clients from a CSV file as a Brazilian spreadsheet saves it "
                           "(semicolons, UTF-8 or Latin-1), one client a line, in these columns:\n"
                           "  Código; Apelido ou nome fantasia; Nome ou razão social; Situação; CPF/CNPJ; "
                           "Logradouro; Número; Complemento; Bairro; Cidade; UF; CEP; Telefone; E-mail; "
                           "VIP; Categoria ABC\n"
                           "A first line of column names is skipped. An empty code takes the next free "
                           "one; a code already stored updates that client. If any line is bad, nothing "
                           "is imported."),
            args, 1, &codigo))
        return codigo;
    const QString arquivo = p.positionalArguments().front();
    const auto linhas = lerCsv(arquivo);
    if (!linhas) return kFalhou;
    std::vector<admin::ErroDeLinha> erros;
    std::vector<Cliente> clientes = admin::lerClientesCsv(*linhas, &erros);
    if (!erros.empty()) return relatarErros(arquivo, erros);
    if (clientes.empty()) {
        erro() << "error: " << arquivo << " holds no clients.\n";
        return kFalhou;
    }
    auto banco = abrirBanco();
    int novos = 0, alterados = 0;
    banco->transacao([&] {
        for (Cliente& c : clientes) {
            (c.codigo != 0 && lerCliente(*banco, c.codigo) ? alterados : novos)++;
            salvarCliente(*banco, c);
        }
    });
    saida() << "Imported " << clientes.size() << " clients (" << novos << " new, " << alterados
            << " updated).\n";
    return kOk;
}

// Consecutive lines of one client and history numbered 1/n, 2/n, … are
// the installments of one sale; any other line is a sale of its own.
std::vector<std::vector<const admin::ContaImportada*>>
vendas(const std::vector<admin::ContaImportada>& contas) {
    std::vector<std::vector<const admin::ContaImportada*>> out;
    for (const admin::ContaImportada& c : contas) {
        const admin::ContaImportada* antes = out.empty() ? nullptr : out.back().back();
        if (antes && c.parcelas > 1 && c.codigoDoCliente == antes->codigoDoCliente &&
            c.historico == antes->historico && c.parcelas == antes->parcelas &&
            c.parcela == antes->parcela + 1)
            out.back().push_back(&c);
        else
            out.push_back({&c});
    }
    return out;
}

QString usuarioDoSistema() {
    const QString u = qEnvironmentVariable("USER");
    return u.isEmpty() ? QStringLiteral("quva-suite") : u;
}

int importarContas(const QStringList& args) {
    QCommandLineParser p;
    p.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The spreadsheet file (.csv)."));
    int codigo = kOk;
    if (!analisar(
            p, QStringLiteral("import-receivables"),
            QStringLiteral("Imports receivables from a CSV file as a Brazilian spreadsheet saves it "
                           "(semicolons, decimal commas, DD/MM/YYYY, UTF-8 or Latin-1), one receivable a "
                           "line, in these columns:\n"
                           "  Código do cliente; Histórico; Vencimento; Valor; Parcela; Parcelas; "
                           "Data da baixa; Valor da baixa\n"
                           "Parcela and Parcelas default to 1; the last two are for receivables already "
                           "settled. A first line of column names is skipped. If any line is bad, nothing "
                           "is imported."),
            args, 1, &codigo))
        return codigo;
    const QString arquivo = p.positionalArguments().front();
    const auto linhas = lerCsv(arquivo);
    if (!linhas) return kFalhou;
    std::vector<admin::ErroDeLinha> erros;
    std::vector<admin::ContaImportada> contas = admin::lerContasCsv(*linhas, &erros);
    auto banco = abrirBanco();
    std::map<std::int64_t, Cliente> clientes;
    for (const admin::ContaImportada& c : contas) {
        if (clientes.count(c.codigoDoCliente)) continue;
        if (auto cliente = lerCliente(*banco, c.codigoDoCliente))
            clientes.emplace(c.codigoDoCliente, *cliente);
        else
            erros.push_back({c.linha, QStringLiteral("client %1 does not exist").arg(c.codigoDoCliente)});
    }
    if (!erros.empty()) {
        std::stable_sort(erros.begin(), erros.end(),
                         [](const auto& a, const auto& b) { return a.linha < b.linha; });
        return relatarErros(arquivo, erros);
    }
    if (contas.empty()) {
        erro() << "error: " << arquivo << " holds no receivables.\n";
        return kFalhou;
    }
    const QString usuario = usuarioDoSistema();
    int baixadas = 0;
    banco->transacao([&] {
        for (const auto& venda : vendas(contas)) {
            std::vector<NovaConta> novas;
            for (const admin::ContaImportada* c : venda)
                novas.push_back(
                    {c->codigoDoCliente, c->historico, c->vencimento, c->valor, c->parcela, c->parcelas});
            const std::vector<std::int64_t> numeros = incluirVenda(*banco, novas, usuario);
            for (std::size_t i = 0; i < venda.size(); ++i) {
                if (!venda[i]->dataDaBaixa) continue;
                Baixa b;
                b.numeroDoLancamento = numeros[i];
                b.data = *venda[i]->dataDaBaixa;
                b.valorPago = venda[i]->valorDaBaixa;
                b.usuario = usuario;
                baixar(*banco, b);
                ++baixadas;
            }
        }
    });
    saida() << "Imported " << contas.size() << " receivables (" << baixadas << " settled).\n";
    return kOk;
}

int empresa(const QStringList& args) {
    QCommandLineParser p;
    struct Campo {
        const char* opcao;
        const char* descricao;
        QString Empresa::*membro;
    };
    static const Campo campos[] = {
        {"trade-name", "Nome fantasia (heads the printed documents).", &Empresa::nomeFantasia},
        {"legal-name", "Razão social.", &Empresa::razaoSocial},
        {"cnpj", "CNPJ.", &Empresa::cnpj},
        {"street", "Logradouro.", &Empresa::logradouro},
        {"number", "Número.", &Empresa::numero},
        {"complement", "Complemento.", &Empresa::complemento},
        {"district", "Bairro.", &Empresa::bairro},
        {"city", "Cidade.", &Empresa::cidade},
        {"state", "UF (two letters).", &Empresa::uf},
        {"zip", "CEP.", &Empresa::cep},
        {"phone", "Telefone.", &Empresa::telefone},
        {"email", "E-mail.", &Empresa::email},
    };
    std::vector<QCommandLineOption> opcoes;
    for (const Campo& c : campos) {
        opcoes.emplace_back(QString::fromLatin1(c.opcao), QString::fromUtf8(c.descricao),
                            QStringLiteral("text"));
        p.addOption(opcoes.back());
    }
    int codigo = kOk;
    if (!analisar(p, QStringLiteral("company"),
                  QStringLiteral("Shows the company record; with options, changes it (creating it when there "
                                 "is none)."),
                  args, 0, &codigo))
        return codigo;
    auto banco = abrirBanco();
    std::optional<Empresa> atual = lerEmpresa(*banco);
    bool mudou = false;
    Empresa e = atual.value_or(Empresa{});
    for (std::size_t i = 0; i < opcoes.size(); ++i) {
        if (!p.isSet(opcoes[i])) continue;
        e.*(campos[i].membro) = p.value(opcoes[i]).trimmed();
        mudou = true;
    }
    if (mudou) {
        if (e.nomeFantasia.trimmed().isEmpty()) {
            erro() << "error: the company needs a trade name (--trade-name).\n";
            return kFalhou;
        }
        if (!e.uf.isEmpty() && e.uf.size() != 2) {
            erro() << "error: --state takes the two letters of a state, not '" << e.uf << "'.\n";
            return kFalhou;
        }
        e.uf = e.uf.toUpper();
        salvarEmpresa(*banco, e);
        saida() << (atual ? "Company updated.\n" : "Company created.\n");
    } else if (!atual) {
        saida() << "No company is registered. Create it with: quva-suite company --trade-name NAME …\n";
        return kOk;
    }
    for (std::size_t i = 0; i < opcoes.size(); ++i)
        saida() << QStringLiteral("%1: %2\n")
                       .arg(QString::fromLatin1(campos[i].opcao), -12)
                       .arg(e.*(campos[i].membro));
    saida() << QStringLiteral("%1: %2\n").arg(QStringLiteral("address"), -12).arg(e.enderecoCompleto());
    return kOk;
}

int liquidar(const QStringList& args) {
    QCommandLineParser p;
    p.addPositionalArgument(QStringLiteral("NUMBER"), QStringLiteral("The receivable's number."),
                            QStringLiteral("[NUMBER]"));
    const QCommandLineOption cliente(QStringLiteral("client"),
                                     QStringLiteral("Lists the open receivables of a client instead."),
                                     QStringLiteral("code"));
    const QCommandLineOption data(QStringLiteral("date"),
                                  QStringLiteral("Settlement date, DD/MM/YYYY (today)."),
                                  QStringLiteral("date"));
    const QCommandLineOption desconto(QStringLiteral("discount"),
                                      QStringLiteral("Discount, as 12,50 (0,00)."), QStringLiteral("value"));
    const QCommandLineOption juros(QStringLiteral("interest"),
                                   QStringLiteral("Interest and fines, as 3,20 (0,00)."),
                                   QStringLiteral("value"));
    const QCommandLineOption pago(QStringLiteral("paid"),
                                  QStringLiteral("Amount paid (the value less discount plus interest)."),
                                  QStringLiteral("value"));
    p.addOptions({cliente, data, desconto, juros, pago});
    int codigo = kOk;
    if (!analisar(p, QStringLiteral("settle"),
                  QStringLiteral("Settles one receivable, or lists the open receivables of a client."), args,
                  -1, &codigo))
        return codigo;
    auto banco = abrirBanco();
    if (p.isSet(cliente)) {
        if (!p.positionalArguments().isEmpty()) {
            erro() << "error: give either --client or a receivable's number.\n";
            return kUso;
        }
        const auto c = numeroPositivo(p.value(cliente), QStringLiteral("--client"));
        if (!c) return kUso;
        const auto quem = lerCliente(*banco, *c);
        if (!quem) {
            erro() << "error: client " << *c << " does not exist.\n";
            return kFalhou;
        }
        saida() << "Client " << quem->codigo << " - " << quem->nomeOuRazaoSocial << "\n";
        rt::Currency total{};
        for (const ContaEmAberto& a : contasEmAbertoDoCliente(*banco, *c)) {
            saida() << QStringLiteral("%1  %2  %3/%4  %5  %6\n")
                           .arg(a.numeroDoLancamento, 8)
                           .arg(a.vencimento.toString(QStringLiteral("dd/MM/yyyy")))
                           .arg(a.numeroDaParcela)
                           .arg(a.numeroDeParcelas)
                           .arg(rt::formatMoney(a.valor), 12)
                           .arg(a.historico);
            total = total + a.valor;
        }
        saida() << "Total open: " << rt::formatMoney(total) << "\n";
        return kOk;
    }
    if (p.positionalArguments().size() != 1) {
        erro()
            << "error: give the receivable's number (or --client CODE).\nTry 'quva-suite settle --help'.\n";
        return kUso;
    }
    Baixa b;
    bool ok = false;
    b.numeroDoLancamento = p.positionalArguments().front().toLongLong(&ok);
    if (!ok || b.numeroDoLancamento <= 0) {
        erro() << "error: '" << p.positionalArguments().front() << "' is not a receivable's number.\n";
        return kUso;
    }
    b.data = QDate::currentDate();
    if (p.isSet(data)) {
        const auto d = admin::lerData(p.value(data));
        if (!d) {
            erro() << "error: --date takes DD/MM/YYYY, not '" << p.value(data) << "'.\n";
            return kUso;
        }
        b.data = *d;
    }
    for (auto [opcao, destino] : {std::pair{&desconto, &b.desconto}, std::pair{&juros, &b.juros}}) {
        if (!p.isSet(*opcao)) continue;
        const auto v = admin::lerDinheiro(p.value(*opcao));
        if (!v || v->raw < 0) {
            erro() << "error: --" << opcao->names().front() << " takes an amount as 12,50, not '"
                   << p.value(*opcao) << "'.\n";
            return kUso;
        }
        *destino = *v;
    }
    if (p.isSet(pago)) {
        const auto v = admin::lerDinheiro(p.value(pago));
        if (!v || v->raw <= 0) {
            erro() << "error: --paid takes an amount above zero as 12,50, not '" << p.value(pago) << "'.\n";
            return kUso;
        }
        b.valorPago = *v;
    }
    b.usuario = usuarioDoSistema();
    baixar(*banco, b);
    saida() << "Receivable " << b.numeroDoLancamento << " settled on "
            << b.data.toString(QStringLiteral("dd/MM/yyyy")) << ".\n";
    return kOk;
}

const std::map<QString, Comando>& comandos() {
    static const std::map<QString, Comando> c{
        {QStringLiteral("init"),
         {QStringLiteral("Create the database and bring its schema up to date"), init}},
        {QStringLiteral("register"), {QStringLiteral("Register the suite's component libraries"), registrar}},
        {QStringLiteral("demo"), {QStringLiteral("Fill an empty database with demo data"), demo}},
        {QStringLiteral("import-clients"),
         {QStringLiteral("Import clients from a CSV file"), importarClientes}},
        {QStringLiteral("import-receivables"),
         {QStringLiteral("Import receivables from a CSV file"), importarContas}},
        {QStringLiteral("company"), {QStringLiteral("Show or change the company record"), empresa}},
        {QStringLiteral("settle"),
         {QStringLiteral("Settle a receivable, or list a client's debts"), liquidar}},
    };
    return c;
}

void ajudaGeral(QTextStream& s) {
    s << "Usage: quva-suite COMMAND [options]\n\nThe QUVA suite's admin tool.\n\nCommands:\n";
    for (const auto& [nome, c] : comandos())
        s << "  " << nome.leftJustified(20) << c.resumo << "\n";
    s << "\n'quva-suite COMMAND --help' tells more. The database is the one QUVA_DATABASE names (a SQLite "
         "file or a postgresql:// address), else the one in ~/.config/quva/suite.ini, else "
      << Banco::caminhoPadrao() << ".\n";
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quva-suite"));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty()) {
        ajudaGeral(erro());
        return kUso;
    }
    const QString nome = args.takeFirst();
    if (nome == QLatin1String("--help") || nome == QLatin1String("-h") || nome == QLatin1String("help")) {
        ajudaGeral(saida());
        return kOk;
    }
    const auto it = comandos().find(nome);
    if (it == comandos().end()) {
        erro() << "quva-suite: unknown command '" << nome << "'.\n\n";
        ajudaGeral(erro());
        return kUso;
    }
    try {
        return it->second.executar(args);
    } catch (const ErroDoBanco& e) {
        erro() << "error: " << e.texto() << "\n";
    } catch (const rt::RuntimeError& e) {
        erro() << "error: " << e.description() << " (" << e.number() << ")\n";
    }
    return kFalhou;
}
