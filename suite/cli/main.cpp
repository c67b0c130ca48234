// quva-suite: the suite's admin tool. One command per job; every command
// answers --help, reports what went wrong in plain Portuguese words, as the
// rest of the suite speaks, and exits with 0
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

#include <algorithm>

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
                                   QStringLiteral("Mostra esta ajuda."));
    p.addOption(ajuda);
    QStringList linha = args;
    linha.prepend(QStringLiteral("quva-suite ") + comando);
    if (!p.parse(linha)) {
        erro() << "quva-suite " << comando << ": " << admin::emPortugues(p.errorText()) << "\n"
               << "Veja 'quva-suite " << comando << " --help'.\n";
        *codigo = kUso;
        return false;
    }
    if (p.isSet(ajuda)) {
        // The parser names the program by its path; the user typed a command.
        QString texto = admin::emPortugues(p.helpText());
        texto.replace(QCoreApplication::applicationFilePath(), QStringLiteral("quva-suite ") + comando);
        saida() << texto;
        *codigo = kOk;
        return false;
    }
    if (posicionais >= 0 && p.positionalArguments().size() != posicionais) {
        erro() << "quva-suite " << comando << ": " << posicionais << " argumento(s) esperado(s), "
               << p.positionalArguments().size() << " dado(s).\nVeja 'quva-suite " << comando
               << " --help'.\n";
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
    if (!analisar(
            p, QStringLiteral("init"),
            QStringLiteral(
                "Cria o banco de dados que QUVA_DATABASE indica (ou o arquivo de configurações, ou o "
                "arquivo padrão) e atualiza o seu esquema. Não põe dados nele: veja 'quva-suite demo'."),
            args, 0, &codigo))
        return codigo;
    auto banco = abrirBanco();
    saida() << "Banco de dados: " << banco->conexaoExibida() << "\n"
            << "Versão do esquema: " << banco->versaoDoEsquema() << "\n"
            << "Clientes: " << contarClientes(*banco) << "\n";
    return kOk;
}

int registrar(const QStringList& args) {
    QCommandLineParser p;
    const QCommandLineOption remover(
        {QStringLiteral("u"), QStringLiteral("unregister")},
        QStringLiteral("Em vez de registrar, remove as bibliotecas do registro."));
    const QCommandLineOption pasta(QStringLiteral("dir"), QStringLiteral("Pasta das bibliotecas."),
                                   QStringLiteral("pasta"), admin::pastaDasBibliotecas());
    p.addOption(remover);
    p.addOption(pasta);
    int codigo = kOk;
    if (!analisar(
            p, QStringLiteral("register"),
            QStringLiteral("Registra todas as bibliotecas de componentes da suíte (QUVA_REGISTRY indica o "
                           "arquivo do registro)."),
            args, 0, &codigo))
        return codigo;
    int falhas = 0;
    for (const admin::Registro& r : admin::registrarSuite(p.value(pasta), p.isSet(remover))) {
        if (r.feito) {
            saida() << (p.isSet(remover) ? "removida do registro: " : "registrada: ") << r.biblioteca << "\n";
        } else {
            erro() << "erro: " << r.biblioteca << ": " << r.erro << "\n";
            ++falhas;
        }
    }
    saida() << "Registro: " << automation::Registry::path() << "\n";
    return falhas ? kFalhou : kOk;
}

std::optional<std::int64_t> numeroPositivo(const QString& texto, const QString& opcao) {
    bool ok = false;
    const qlonglong n = texto.toLongLong(&ok);
    if (!ok || n < 0) {
        erro() << "erro: " << opcao << " deve ser um número inteiro de 0 para cima, não '" << texto << "'.\n";
        return std::nullopt;
    }
    return n;
}

int demo(const QStringList& args) {
    QCommandLineParser p;
    const QCommandLineOption contas(QStringLiteral("receivables"),
                                    QStringLiteral("Contas a receber a criar."), QStringLiteral("N"),
                                    QStringLiteral("2000"));
    const QCommandLineOption clientes(QStringLiteral("clients"), QStringLiteral("Clientes a criar."),
                                      QStringLiteral("M"), QStringLiteral("200"));
    const QCommandLineOption semente(QStringLiteral("seed"),
                                     QStringLiteral("Semente do gerador (a mesma semente, os mesmos dados)."),
                                     QStringLiteral("S"), QStringLiteral("20240601"));
    const QCommandLineOption seVazio(
        QStringLiteral("if-empty"),
        QStringLiteral("Num banco que já tem dados, não faz nada (em vez de recusar)."));
    p.addOptions({contas, clientes, semente, seVazio});
    int codigo = kOk;
    if (!analisar(p, QStringLiteral("demo"),
                  QStringLiteral("Preenche um banco de dados vazio com dados de demonstração: uma empresa, "
                                 "clientes com nomes brasileiros e contas a receber em todas as situações."),
                  args, 0, &codigo))
        return codigo;
    const auto n = numeroPositivo(p.value(contas), QStringLiteral("--receivables"));
    const auto m = numeroPositivo(p.value(clientes), QStringLiteral("--clients"));
    const auto s = numeroPositivo(p.value(semente), QStringLiteral("--seed"));
    if (!n || !m || !s) return kUso;
    if (*m == 0 && *n > 0) {
        erro() << "erro: contas a receber precisam de clientes; dê --clients 1 ou mais.\n";
        return kUso;
    }
    if (*n > 10'000'000 || *m > 10'000'000) {
        erro() << "erro: no máximo 10000000 contas a receber e clientes.\n";
        return kUso;
    }
    auto banco = abrirBanco();
    if (p.isSet(seVazio) && contarClientes(*banco) > 0) {
        saida() << "O banco de dados já tem dados; nada foi gerado (" << banco->conexaoExibida() << ").\n";
        return kOk;
    }
    OpcoesDaDemonstracao opcoes;
    opcoes.contas = *n;
    opcoes.clientes = *m;
    opcoes.semente = std::uint64_t(*s);
    QElapsedTimer relogio;
    relogio.start();
    const ResultadoDaDemonstracao r = gerarDemonstracao(*banco, opcoes);
    saida() << "Criados " << r.clientes << " clientes e " << r.contas << " contas a receber em "
            << QString::number(relogio.elapsed() / 1000.0, 'f', 1).replace(u'.', u',') << " s ("
            << banco->conexaoExibida() << ").\n";
    return kOk;
}

// Reads a file and splits it into records; a field with a control
// character is a bad line. Empty when the file cannot be read.
std::optional<std::vector<admin::LinhaCsv>> lerCsv(const QString& arquivo,
                                                   std::vector<admin::ErroDeLinha>* erros) {
    QString texto, falha;
    if (!admin::lerArquivoCsv(arquivo, &texto, &falha)) {
        erro() << "erro: " << falha << "\n";
        return std::nullopt;
    }
    std::vector<admin::LinhaCsv> linhas = admin::separarCsv(texto);
    for (admin::ErroDeLinha& e : admin::caracteresDeControle(linhas))
        erros->push_back(std::move(e));
    return linhas;
}

int relatarErros(const QString& arquivo, std::vector<admin::ErroDeLinha> erros) {
    std::stable_sort(erros.begin(), erros.end(),
                     [](const auto& a, const auto& b) { return a.linha < b.linha; });
    std::set<int> linhas;
    for (const admin::ErroDeLinha& e : erros) {
        erro() << arquivo << ":" << e.linha << ": " << e.motivo << "\n";
        linhas.insert(e.linha);
    }
    erro() << "Nada foi importado: " << linhas.size() << " linha(s) com erro.\n";
    return kFalhou;
}

const QString kTudoOuNada = QStringLiteral(
    "A primeira linha pode ter os nomes das colunas, como acima. Tudo é conferido antes de gravar: se "
    "alguma linha tiver erro, nada é importado.");

int importarClientes(const QStringList& args) {
    QCommandLineParser p;
    p.addPositionalArgument(QStringLiteral("ARQUIVO"), QStringLiteral("A planilha (.csv)."));
    int codigo = kOk;
    if (!analisar(p, QStringLiteral("import-clients"),
                  QStringLiteral("Importa clientes de um arquivo CSV como uma planilha brasileira o grava "
                                 "(ponto e vírgula, UTF-8 ou Windows-1252), um cliente por linha, nestas "
                                 "colunas:\n  ") +
                      admin::colunasDeClientes().join(QStringLiteral("; ")) +
                      QStringLiteral("\nUm código vazio toma o próximo livre; um código já cadastrado altera "
                                     "esse cliente, só nos campos que a linha preenche. ") +
                      kTudoOuNada,
                  args, 1, &codigo))
        return codigo;
    const QString arquivo = p.positionalArguments().front();
    std::vector<admin::ErroDeLinha> erros;
    const auto linhas = lerCsv(arquivo, &erros);
    if (!linhas) return kFalhou;
    std::vector<admin::ClienteImportado> clientes = admin::lerClientesCsv(*linhas, &erros);
    if (erros.empty() && clientes.empty()) {
        erro() << "erro: " << arquivo << " não tem clientes.\n";
        return kFalhou;
    }
    auto banco = abrirBanco();
    int alterados = 0;
    for (const admin::ClienteImportado& c : clientes) {
        if (c.dados.codigo != 0 && lerCliente(*banco, c.dados.codigo))
            ++alterados;
        else if (c.dados.nomeOuRazaoSocial.isEmpty())
            erros.push_back({c.linha, QStringLiteral("o nome ou razão social está vazio")});
    }
    if (!erros.empty()) return relatarErros(arquivo, std::move(erros));
    // Everything was checked above: the write lock is held only while writing.
    banco->transacao([&] {
        for (const admin::ClienteImportado& importado : clientes) {
            std::optional<Cliente> atual =
                importado.dados.codigo != 0 ? lerCliente(*banco, importado.dados.codigo) : std::nullopt;
            Cliente c = atual.value_or(importado.dados);
            if (atual) importado.aplicarEm(c);
            salvarCliente(*banco, c);
        }
    });
    saida() << "Importados " << clientes.size() << " clientes (" << clientes.size() - alterados << " novos, "
            << alterados << " alterados).\n";
    return kOk;
}

QString usuarioDoSistema() {
    const QString u = qEnvironmentVariable("USER");
    return u.isEmpty() ? QStringLiteral("quva-suite") : u;
}

int importarContas(const QStringList& args) {
    QCommandLineParser p;
    p.addPositionalArgument(QStringLiteral("ARQUIVO"), QStringLiteral("A planilha (.csv)."));
    int codigo = kOk;
    if (!analisar(p, QStringLiteral("import-receivables"),
                  QStringLiteral("Importa contas a receber de um arquivo CSV como uma planilha brasileira o "
                                 "grava (ponto e vírgula, vírgula decimal, DD/MM/AAAA, UTF-8 ou "
                                 "Windows-1252), uma conta por linha, nestas colunas:\n  ") +
                      admin::colunasDeContas().join(QStringLiteral("; ")) +
                      QStringLiteral("\nParcela e Parcelas valem 1 quando vazias; as linhas de um cliente e "
                                     "histórico numeradas 1 a N de N são uma venda, todas as parcelas "
                                     "presentes. As duas últimas colunas são para contas já baixadas. "
                                     "Valores com no máximo duas casas decimais. ") +
                      kTudoOuNada,
                  args, 1, &codigo))
        return codigo;
    const QString arquivo = p.positionalArguments().front();
    std::vector<admin::ErroDeLinha> erros;
    const auto linhas = lerCsv(arquivo, &erros);
    if (!linhas) return kFalhou;
    std::vector<admin::ContaImportada> contas = admin::lerContasCsv(*linhas, &erros);
    if (erros.empty() && contas.empty()) {
        erro() << "erro: " << arquivo << " não tem contas a receber.\n";
        return kFalhou;
    }
    auto banco = abrirBanco();
    const QString usuario = usuarioDoSistema();
    // Every sale goes through the rules the card's sales go through, before
    // anything is written.
    std::vector<std::pair<std::vector<const admin::ContaImportada*>, std::vector<NovaConta>>> vendas;
    for (auto& venda : admin::agruparVendas(contas)) {
        std::vector<NovaConta> novas;
        for (const admin::ContaImportada* c : venda)
            novas.push_back(
                {c->codigoDoCliente, c->historico, c->vencimento, c->valor, c->parcela, c->parcelas});
        if (auto r = validarVenda(*banco, novas)) {
            QStringList onde;
            for (const admin::ContaImportada* c : venda)
                onde << QString::number(c->linha);
            erros.push_back({venda.front()->linha, venda.size() > 1
                                                       ? QStringLiteral("%1 (venda das linhas %2)")
                                                             .arg(r->motivo, onde.join(QStringLiteral(", ")))
                                                       : r->motivo});
        }
        vendas.emplace_back(std::move(venda), std::move(novas));
    }
    if (!erros.empty()) return relatarErros(arquivo, std::move(erros));
    int baixadas = 0;
    banco->transacao([&] {
        for (const auto& [venda, novas] : vendas) {
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
    saida() << "Importadas " << contas.size() << " contas a receber (" << vendas.size() << " vendas, "
            << baixadas << " baixadas).\n";
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
        {"trade-name", "Nome fantasia (encabeça os documentos impressos).", &Empresa::nomeFantasia},
        {"legal-name", "Razão social.", &Empresa::razaoSocial},
        {"cnpj", "CNPJ.", &Empresa::cnpj},
        {"street", "Logradouro.", &Empresa::logradouro},
        {"number", "Número.", &Empresa::numero},
        {"complement", "Complemento.", &Empresa::complemento},
        {"district", "Bairro.", &Empresa::bairro},
        {"city", "Cidade.", &Empresa::cidade},
        {"state", "UF (duas letras).", &Empresa::uf},
        {"zip", "CEP.", &Empresa::cep},
        {"phone", "Telefone.", &Empresa::telefone},
        {"email", "E-mail.", &Empresa::email},
    };
    std::vector<QCommandLineOption> opcoes;
    for (const Campo& c : campos) {
        opcoes.emplace_back(QString::fromLatin1(c.opcao), QString::fromUtf8(c.descricao),
                            QStringLiteral("texto"));
        p.addOption(opcoes.back());
    }
    int codigo = kOk;
    if (!analisar(p, QStringLiteral("company"),
                  QStringLiteral("Mostra o cadastro da empresa; com opções, altera-o (criando-o quando não "
                                 "há)."),
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
            erro() << "erro: a empresa precisa de um nome fantasia (--trade-name).\n";
            return kFalhou;
        }
        if (!e.uf.isEmpty() && e.uf.size() != 2) {
            erro() << "erro: --state recebe as duas letras de uma UF, não '" << e.uf << "'.\n";
            return kFalhou;
        }
        e.uf = e.uf.toUpper();
        salvarEmpresa(*banco, e);
        saida() << (atual ? "Empresa alterada.\n" : "Empresa cadastrada.\n");
    } else if (!atual) {
        saida() << "Nenhuma empresa cadastrada. Cadastre-a com: quva-suite company --trade-name NOME …\n";
        return kOk;
    }
    for (std::size_t i = 0; i < opcoes.size(); ++i)
        saida() << QStringLiteral("%1: %2\n")
                       .arg(QString::fromLatin1(campos[i].opcao), -12)
                       .arg(e.*(campos[i].membro));
    saida() << QStringLiteral("%1: %2\n").arg(QStringLiteral("endereço"), -12).arg(e.enderecoCompleto());
    return kOk;
}

int liquidar(const QStringList& args) {
    QCommandLineParser p;
    p.addPositionalArgument(QStringLiteral("NÚMERO"), QStringLiteral("O número da conta a receber."),
                            QStringLiteral("[NÚMERO]"));
    const QCommandLineOption cliente(
        QStringLiteral("client"),
        QStringLiteral("Em vez de baixar, lista as contas em aberto de um cliente."),
        QStringLiteral("código"));
    const QCommandLineOption data(QStringLiteral("date"), QStringLiteral("Data da baixa, DD/MM/AAAA (hoje)."),
                                  QStringLiteral("data"));
    const QCommandLineOption desconto(
        QStringLiteral("discount"), QStringLiteral("Desconto, como 12,50 (0,00)."), QStringLiteral("valor"));
    const QCommandLineOption juros(QStringLiteral("interest"),
                                   QStringLiteral("Juros e multas, como 3,20 (0,00)."),
                                   QStringLiteral("valor"));
    const QCommandLineOption pago(QStringLiteral("paid"),
                                  QStringLiteral("Valor pago (o valor menos o desconto mais os juros)."),
                                  QStringLiteral("valor"));
    p.addOptions({cliente, data, desconto, juros, pago});
    int codigo = kOk;
    if (!analisar(p, QStringLiteral("settle"),
                  QStringLiteral("Baixa uma conta a receber, ou lista as contas em aberto de um cliente."),
                  args, -1, &codigo))
        return codigo;
    auto banco = abrirBanco();
    if (p.isSet(cliente)) {
        if (!p.positionalArguments().isEmpty()) {
            erro() << "erro: dê --client ou o número de uma conta, não os dois.\n";
            return kUso;
        }
        const auto c = numeroPositivo(p.value(cliente), QStringLiteral("--client"));
        if (!c) return kUso;
        const auto quem = lerCliente(*banco, *c);
        if (!quem) {
            erro() << "erro: o cliente " << *c << " não existe.\n";
            return kFalhou;
        }
        saida() << "Cliente " << quem->codigo << " - " << quem->nomeOuRazaoSocial << "\n";
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
        saida() << "Total em aberto: " << rt::formatMoney(total) << "\n";
        return kOk;
    }
    if (p.positionalArguments().size() != 1) {
        erro() << "erro: dê o número da conta a receber (ou --client CÓDIGO).\nVeja 'quva-suite settle "
                  "--help'.\n";
        return kUso;
    }
    Baixa b;
    bool ok = false;
    b.numeroDoLancamento = p.positionalArguments().front().toLongLong(&ok);
    if (!ok || b.numeroDoLancamento <= 0) {
        erro() << "erro: '" << p.positionalArguments().front() << "' não é um número de conta a receber.\n";
        return kUso;
    }
    b.data = QDate::currentDate();
    if (p.isSet(data)) {
        const auto d = admin::lerData(p.value(data));
        if (!d) {
            erro() << "erro: --date recebe DD/MM/AAAA, não '" << p.value(data) << "'.\n";
            return kUso;
        }
        b.data = *d;
    }
    for (auto [opcao, destino] : {std::pair{&desconto, &b.desconto}, std::pair{&juros, &b.juros}}) {
        if (!p.isSet(*opcao)) continue;
        const auto v = admin::lerDinheiro(p.value(*opcao));
        if (!v || v->raw < 0) {
            erro() << "erro: --" << opcao->names().front() << " recebe um valor como 12,50, não '"
                   << p.value(*opcao) << "'.\n";
            return kUso;
        }
        *destino = *v;
    }
    if (p.isSet(pago)) {
        const auto v = admin::lerDinheiro(p.value(pago));
        if (!v || v->raw <= 0) {
            erro() << "erro: --paid recebe um valor acima de zero como 12,50, não '" << p.value(pago)
                   << "'.\n";
            return kUso;
        }
        b.valorPago = *v;
    }
    b.usuario = usuarioDoSistema();
    baixar(*banco, b);
    saida() << "Conta a receber " << b.numeroDoLancamento << " baixada em "
            << b.data.toString(QStringLiteral("dd/MM/yyyy")) << ".\n";
    return kOk;
}

const std::map<QString, Comando>& comandos() {
    static const std::map<QString, Comando> c{
        {QStringLiteral("init"), {QStringLiteral("Cria o banco de dados e atualiza o seu esquema"), init}},
        {QStringLiteral("register"),
         {QStringLiteral("Registra as bibliotecas de componentes da suíte"), registrar}},
        {QStringLiteral("demo"), {QStringLiteral("Preenche um banco vazio com dados de demonstração"), demo}},
        {QStringLiteral("import-clients"),
         {QStringLiteral("Importa clientes de um arquivo CSV"), importarClientes}},
        {QStringLiteral("import-receivables"),
         {QStringLiteral("Importa contas a receber de um arquivo CSV"), importarContas}},
        {QStringLiteral("company"), {QStringLiteral("Mostra ou altera o cadastro da empresa"), empresa}},
        {QStringLiteral("settle"),
         {QStringLiteral("Baixa uma conta a receber, ou lista os débitos de um cliente"), liquidar}},
    };
    return c;
}

void ajudaGeral(QTextStream& s) {
    s << "Uso: quva-suite COMANDO [opções]\n\nA ferramenta de administração da suíte QUVA.\n\nComandos:\n";
    for (const auto& [nome, c] : comandos())
        s << "  " << nome.leftJustified(20) << c.resumo << "\n";
    s << "\n'quva-suite COMANDO --help' diz mais. O banco de dados é o que QUVA_DATABASE indica (um arquivo "
         "SQLite ou um endereço postgresql://), senão o de ~/.config/quva/suite.ini, senão "
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
        erro() << "quva-suite: comando desconhecido '" << nome << "'.\n\n";
        ajudaGeral(erro());
        return kUso;
    }
    try {
        return it->second.executar(args);
    } catch (const ErroDoBanco& e) {
        erro() << "erro: " << e.texto() << "\n";
    } catch (const rt::RuntimeError& e) {
        erro() << "erro: " << e.description() << " (" << e.number() << ")\n";
    }
    return kFalhou;
}
