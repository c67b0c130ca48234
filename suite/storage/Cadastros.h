#pragma once
// The records the suite's components share through the database: clients,
// the company, and the settlement of receivables. Writers go through here so
// that the search columns stay in step with the texts they are made from.

#include "runtime/Variant.h"
#include "suite/storage/Banco.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace quva::suite {

enum SituacaoDoCliente : int {
    ClienteAtivo = 1,
    ClienteInativo = 2,
    ClienteBloqueado = 3,
    ClienteExcluido = 4
};

struct Cliente {
    std::int64_t codigo = 0; // 0: a new client, numbered on saving
    QString apelidoOuNomeFantasia;
    QString nomeOuRazaoSocial;
    int situacao = ClienteAtivo;
    QString cpfCnpj;
    QString logradouro, numero, complemento, bairro, cidade, uf, cep;
    QString telefone, email;
    bool vip = false;
    QString categoriaDaCurvaABC; // "A", "B", "C" or empty

    // "Rua das Flores, 12, apto 3 - Centro - Curitiba/PR - CEP 80000-000",
    // leaving out what is empty.
    QString enderecoCompleto() const;
    // What the search column holds: code, nickname and name, folded.
    QString busca() const;
};

struct Empresa {
    std::int64_t id = 0;
    QString nomeFantasia, razaoSocial, cnpj;
    QString logradouro, numero, complemento, bairro, cidade, uf, cep;
    QString telefone, email;
    QString enderecoCompleto() const;
};

// Both shapes of address text come from here.
QString montarEndereco(const QString& logradouro, const QString& numero, const QString& complemento,
                       const QString& bairro, const QString& cidade, const QString& uf, const QString& cep);

// Inserts (codigo 0 or not yet stored) or updates; returns the code. Throws ErroDoBanco.
std::int64_t salvarCliente(Banco& banco, Cliente& cliente);
std::optional<Cliente> lerCliente(Banco& banco, std::int64_t codigo);
// Clients whose code, nickname or name contain the text (case and accents
// ignored), by name; every situation. An empty text lists all.
std::vector<Cliente> pesquisarClientes(Banco& banco, const QString& texto, int limite = 1000);
// Clients whose nickname or name is the text (case and accents ignored),
// or whose code is codigo when codigo is not 0.
std::vector<Cliente> clientesPorNomeOuCodigo(Banco& banco, const QString& texto, std::int64_t codigo);
std::int64_t contarClientes(Banco& banco);

// The first company record, if any.
std::optional<Empresa> lerEmpresa(Banco& banco);
std::vector<Empresa> lerEmpresas(Banco& banco);
std::int64_t salvarEmpresa(Banco& banco, Empresa& empresa);

// Settles one receivable: the settlement is logged and the receivable takes
// its date and amounts, in one transaction. The amount paid is the
// document's value - discount + interest unless given. Throws ErroDoBanco
// with a text for the clerk when the receivable is gone or already settled.
struct Baixa {
    std::int64_t numeroDoLancamento = 0;
    QDate data;
    rt::Currency desconto{};
    rt::Currency juros{};
    std::optional<rt::Currency> valorPago;
    QString usuario;
};
void baixar(Banco& banco, const Baixa& baixa);

// A receivable still open, for the settlement screens and the admin tool.
struct ContaEmAberto {
    std::int64_t numeroDoLancamento = 0;
    std::int64_t codigoDoCliente = 0;
    QString historico;
    int numeroDaParcela = 1, numeroDeParcelas = 1;
    QDate vencimento;
    rt::Currency valor{};
};
std::vector<ContaEmAberto> contasEmAbertoDoCliente(Banco& banco, std::int64_t codigoDoCliente);

// One installment of a sale to be written.
struct NovaConta {
    std::int64_t codigoDoCliente = 0;
    QString historico;
    QDate vencimento;
    rt::Currency valor{};
    int parcela = 1, parcelas = 1;
};
// Why a client may not get new receivables (missing, inactive, blocked or
// deleted), in the clerk's words; nothing when it may.
std::optional<QString> recusaDoCliente(const std::optional<Cliente>& cliente, std::int64_t codigo);

// Why a new sale may not be written: the card's field the reason belongs to
// ("CodigoDoCliente", "Historico" or "Parcelas") and the clerk's text.
struct RecusaDaVenda {
    QString campo;
    QString motivo;
};
// The rules of a new sale, whoever writes it (the card or an import): a
// client that may buy, a history, installments 1 to n of n each above zero
// and due on a day of its own, and a total the currency holds.
std::optional<RecusaDaVenda> validarVenda(Banco& banco, const std::vector<NovaConta>& contas);

// Writes the receivables of one sale, under a new sale number, all
// or none: in a transaction of its own, or in the caller's. The sale's value
// is the sum of the installments. Throws ErroDoBanco when validarVenda
// refuses it. Returns the receivables' numbers in order.
std::vector<std::int64_t> incluirVenda(Banco& banco, const std::vector<NovaConta>& contas,
                                       const QString& usuario);
// What a receivable's search column holds: its number and its history, folded.
QString buscaDaConta(std::int64_t numero, const QString& historico);

// The moment stamped on writes: the runtime clock, to the second.
QDateTime agora();

} // namespace quva::suite
