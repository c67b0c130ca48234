#pragma once
// Spreadsheet files as a Brazilian spreadsheet saves them: fields split by
// semicolons, quotes around fields that hold one, decimal commas, dates as
// DD/MM/YYYY, in UTF-8 or Windows-1252. A file is read whole and checked
// whole: a caller writes nothing unless every line is good.

#include "runtime/Variant.h"
#include "suite/storage/Cadastros.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace quva::suite::admin {

struct LinhaCsv {
    int numero = 0; // line of the file where the record starts, from 1
    QStringList campos;
};

struct ErroDeLinha {
    int linha = 0; // 0: the file as a whole
    QString motivo;
};

// Splits a file's text into records. Quoted fields may hold semicolons,
// doubled quotes and line breaks. Blank lines are skipped.
std::vector<LinhaCsv> separarCsv(const QString& texto);
// Reads a file: a UTF-8 text (with or without a byte order mark), or
// Windows-1252 when it is not valid UTF-8. False, with the reason, when it
// cannot be read.
bool lerArquivoCsv(const QString& caminho, QString* texto, QString* erro);
// Fields holding control characters (a NUL, a line break, …), which no
// field of the suite takes.
std::vector<ErroDeLinha> caracteresDeControle(const std::vector<LinhaCsv>& linhas);
// Whether a record is the documented line of column names: each of its
// fields, folded, is the name of its column (trailing ones may be left off).
bool ehCabecalho(const LinhaCsv& linha, const QStringList& colunas);

// Clients: Código; Apelido ou nome fantasia; Nome ou razão social; Situação;
// CPF/CNPJ; Logradouro; Número; Complemento; Bairro; Cidade; UF; CEP;
// Telefone; E-mail; VIP; Categoria ABC. Trailing columns may be left off.
const QStringList& colunasDeClientes();
struct ClienteImportado {
    int linha = 0;
    Cliente dados;
    std::uint32_t informados = 0; // bit i: column i holds something
    bool informado(int coluna) const { return informados & (1u << coluna); }
    // A client already stored takes only what the line gives.
    void aplicarEm(Cliente& destino) const;
};
std::vector<ClienteImportado> lerClientesCsv(const std::vector<LinhaCsv>& linhas,
                                             std::vector<ErroDeLinha>* erros);

// Receivables: Código do cliente; Histórico; Vencimento; Valor; Parcela;
// Parcelas; Data da baixa; Valor da baixa. Parcela and Parcelas default to
// 1; the two last columns are for receivables already settled.
const QStringList& colunasDeContas();
struct ContaImportada {
    int linha = 0;
    std::int64_t codigoDoCliente = 0;
    QString historico;
    QDate vencimento;
    rt::Currency valor{};
    int parcela = 1, parcelas = 1;
    std::optional<QDate> dataDaBaixa;
    std::optional<rt::Currency> valorDaBaixa;
};
std::vector<ContaImportada> lerContasCsv(const std::vector<LinhaCsv>& linhas,
                                         std::vector<ErroDeLinha>* erros);
// Lines of one client and history numbered k of n are the installments of
// one sale, wherever they are in the file; a number met again starts
// another sale. A line of 1 installment is a sale of its own.
std::vector<std::vector<const ContaImportada*>> agruparVendas(const std::vector<ContaImportada>& contas);

// Brazilian formats, strict: "1.234,56" (two decimals at most) and "31/12/2024".
std::optional<rt::Currency> lerDinheiro(const QString& texto);
std::optional<QDate> lerData(const QString& texto);

} // namespace quva::suite::admin
