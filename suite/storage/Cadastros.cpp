#include "suite/storage/Cadastros.h"

#include "runtime/Clock.h"
#include "suite/storage/Valores.h"

#include <QSqlRecord>

#include <algorithm>

namespace quva::suite {

namespace {

// A text left unset is written as an empty text: the columns are NOT NULL
// and their readers expect texts.
QVariant texto(const QString& s) {
    return s.isNull() ? QVariant(QStringLiteral("")) : QVariant(s);
}

const QString kColunasDoCliente =
    QStringLiteral("codigo_do_cliente, apelido_ou_nome_fantasia, nome_ou_razao_social, situacao, cpf_cnpj, "
                   "logradouro, numero, "
                   "complemento, bairro, cidade, uf, cep, telefone, email, vip, categoria_da_curva_abc");

Cliente lerLinhaDeCliente(const QSqlQuery& q) {
    Cliente c;
    c.codigo = q.value(0).toLongLong();
    c.apelidoOuNomeFantasia = q.value(1).toString();
    c.nomeOuRazaoSocial = q.value(2).toString();
    c.situacao = q.value(3).toInt();
    c.cpfCnpj = q.value(4).toString();
    c.logradouro = q.value(5).toString();
    c.numero = q.value(6).toString();
    c.complemento = q.value(7).toString();
    c.bairro = q.value(8).toString();
    c.cidade = q.value(9).toString();
    c.uf = q.value(10).toString();
    c.cep = q.value(11).toString();
    c.telefone = q.value(12).toString();
    c.email = q.value(13).toString();
    c.vip = q.value(14).toInt() != 0;
    c.categoriaDaCurvaABC = q.value(15).toString();
    return c;
}

std::vector<Cliente> lerClientes(QSqlQuery& q) {
    std::vector<Cliente> out;
    while (q.next())
        out.push_back(lerLinhaDeCliente(q));
    return out;
}

Empresa lerLinhaDeEmpresa(const QSqlQuery& q) {
    Empresa e;
    e.id = q.value(0).toLongLong();
    e.nomeFantasia = q.value(1).toString();
    e.razaoSocial = q.value(2).toString();
    e.cnpj = q.value(3).toString();
    e.logradouro = q.value(4).toString();
    e.numero = q.value(5).toString();
    e.complemento = q.value(6).toString();
    e.bairro = q.value(7).toString();
    e.cidade = q.value(8).toString();
    e.uf = q.value(9).toString();
    e.cep = q.value(10).toString();
    e.telefone = q.value(11).toString();
    e.email = q.value(12).toString();
    return e;
}

} // namespace

QString montarEndereco(const QString& logradouro, const QString& numero, const QString& complemento,
                       const QString& bairro, const QString& cidade, const QString& uf, const QString& cep) {
    QStringList rua;
    for (const QString& s : {logradouro, numero, complemento})
        if (!s.trimmed().isEmpty()) rua << s.trimmed();
    QStringList partes;
    if (!rua.isEmpty()) partes << rua.join(QLatin1String(", "));
    if (!bairro.trimmed().isEmpty()) partes << bairro.trimmed();
    QString lugar = cidade.trimmed();
    if (!uf.trimmed().isEmpty()) lugar += (lugar.isEmpty() ? QString() : QStringLiteral("/")) + uf.trimmed();
    if (!lugar.isEmpty()) partes << lugar;
    if (!cep.trimmed().isEmpty()) partes << QStringLiteral("CEP ") + cep.trimmed();
    return partes.join(QLatin1String(" - "));
}

QString Cliente::enderecoCompleto() const {
    return montarEndereco(logradouro, numero, complemento, bairro, cidade, uf, cep);
}

QString Cliente::busca() const {
    return QString::number(codigo) + u' ' + dobrar(apelidoOuNomeFantasia) + u' ' + dobrar(nomeOuRazaoSocial);
}

QString Empresa::enderecoCompleto() const {
    return montarEndereco(logradouro, numero, complemento, bairro, cidade, uf, cep);
}

QDateTime agora() {
    QDateTime d = paraQDateTime(rt::Now());
    return d.addMSecs(-d.time().msec());
}

std::int64_t salvarCliente(Banco& banco, Cliente& c) {
    if (c.nomeOuRazaoSocial.trimmed().isEmpty())
        throw ErroDoBanco(QStringLiteral("O nome do cliente está vazio."));
    return banco.transacao([&] {
        const bool sqlite = banco.sqlite();
        if (c.codigo == 0) {
            // The code is part of the search text, so it is taken first. On
            // PostgreSQL the column's sequence hands it out, so two clerks never
            // take the same one; SQLite's writers queue at BEGIN IMMEDIATE and
            // the highest code + 1 is what SQLite itself gives a new row.
            c.codigo = banco
                           .valor(sqlite ? QStringLiteral(
                                               "SELECT COALESCE(MAX(codigo_do_cliente), 0) + 1 FROM clientes")
                                         : QStringLiteral("SELECT nextval(pg_get_serial_sequence('clientes', "
                                                          "'codigo_do_cliente'))"))
                           .toLongLong();
        } else if (!sqlite) {
            // A code chosen here moves the sequence past it first, so a clerk
            // numbered by the sequence afterwards never meets it.
            banco.executar(
                QStringLiteral(
                    "SELECT setval(s, GREATEST(COALESCE(pg_sequence_last_value(s), 0), ?)) FROM "
                    "(SELECT pg_get_serial_sequence('clientes', 'codigo_do_cliente')::regclass AS s) q"),
                {qlonglong(c.codigo)});
        }
        const bool existe = banco
                                .valor(QStringLiteral("SELECT 1 FROM clientes WHERE codigo_do_cliente = ?"),
                                       {qlonglong(c.codigo)})
                                .isValid();
        const QVariantList valores{texto(c.apelidoOuNomeFantasia),
                                   texto(c.nomeOuRazaoSocial),
                                   c.situacao,
                                   texto(c.cpfCnpj),
                                   texto(c.logradouro),
                                   texto(c.numero),
                                   texto(c.complemento),
                                   texto(c.bairro),
                                   texto(c.cidade),
                                   texto(c.uf),
                                   texto(c.cep),
                                   texto(c.telefone),
                                   texto(c.email),
                                   c.vip ? 1 : 0,
                                   texto(c.categoriaDaCurvaABC),
                                   c.busca(),
                                   qlonglong(c.codigo)};
        if (existe) {
            banco.executar(
                QStringLiteral("UPDATE clientes SET apelido_ou_nome_fantasia = ?, nome_ou_razao_social = ?, "
                               "situacao = ?, cpf_cnpj = ?, logradouro = ?, numero = ?, complemento = ?, "
                               "bairro = ?, cidade = ?, uf = ?, cep = ?, telefone = ?, email = ?, vip = ?, "
                               "categoria_da_curva_abc = ?, busca = ? WHERE codigo_do_cliente = ?"),
                valores);
        } else {
            banco.executar(
                QStringLiteral(
                    "INSERT INTO clientes (apelido_ou_nome_fantasia, nome_ou_razao_social, "
                    "situacao, cpf_cnpj, logradouro, numero, complemento, bairro, cidade, uf, "
                    "cep, telefone, email, vip, categoria_da_curva_abc, busca, "
                    "codigo_do_cliente) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                valores);
        }
        return c.codigo;
    });
}

std::optional<Cliente> lerCliente(Banco& banco, std::int64_t codigo) {
    QSqlQuery q = banco.executar(
        QStringLiteral("SELECT %1 FROM clientes WHERE codigo_do_cliente = ?").arg(kColunasDoCliente),
        {qlonglong(codigo)});
    if (!q.next()) return std::nullopt;
    return lerLinhaDeCliente(q);
}

std::vector<Cliente> pesquisarClientes(Banco& banco, const QString& texto, int limite) {
    const QString t = dobrar(texto.trimmed());
    if (t.isEmpty()) {
        QSqlQuery q = banco.executar(
            QStringLiteral("SELECT %1 FROM clientes ORDER BY nome_ou_razao_social, codigo_do_cliente LIMIT ?")
                .arg(kColunasDoCliente),
            {limite});
        return lerClientes(q);
    }
    const FiltroDeBusca f =
        filtroDeBusca(banco, t, QStringLiteral("busca"), QStringLiteral("codigo_do_cliente"),
                      QStringLiteral("clientes_busca"));
    QSqlQuery q = banco.executar(
        QStringLiteral(
            "SELECT %1 FROM clientes WHERE %2 ORDER BY nome_ou_razao_social, codigo_do_cliente LIMIT ?")
            .arg(kColunasDoCliente, f.sql),
        {f.valor, limite});
    return lerClientes(q);
}

std::vector<Cliente> clientesPorNomeOuCodigo(Banco& banco, const QString& texto, std::int64_t codigo) {
    if (codigo != 0) {
        std::vector<Cliente> out;
        if (auto c = lerCliente(banco, codigo)) out.push_back(*c);
        return out;
    }
    const QString t = dobrar(texto.trimmed());
    if (t.isEmpty()) return {};
    // The search column narrows the rows; the exact comparison is made here
    // because the database cannot fold accents itself.
    std::vector<Cliente> out;
    for (Cliente& c : pesquisarClientes(banco, t, 100000))
        if (dobrar(c.apelidoOuNomeFantasia.trimmed()) == t || dobrar(c.nomeOuRazaoSocial.trimmed()) == t)
            out.push_back(std::move(c));
    return out;
}

std::int64_t contarClientes(Banco& banco) {
    return banco.valor(QStringLiteral("SELECT COUNT(*) FROM clientes")).toLongLong();
}

std::vector<Empresa> lerEmpresas(Banco& banco) {
    QSqlQuery q = banco.executar(QStringLiteral(
        "SELECT id, nome_fantasia, razao_social, cnpj, logradouro, numero, complemento, bairro, cidade, "
        "uf, cep, telefone, email FROM empresa ORDER BY id"));
    std::vector<Empresa> out;
    while (q.next())
        out.push_back(lerLinhaDeEmpresa(q));
    return out;
}

std::optional<Empresa> lerEmpresa(Banco& banco) {
    auto todas = lerEmpresas(banco);
    if (todas.empty()) return std::nullopt;
    return todas.front();
}

std::int64_t salvarEmpresa(Banco& banco, Empresa& e) {
    return banco.transacao([&] {
        QVariantList valores;
        for (const QString* t : {&e.nomeFantasia, &e.razaoSocial, &e.cnpj, &e.logradouro, &e.numero,
                                 &e.complemento, &e.bairro, &e.cidade, &e.uf, &e.cep, &e.telefone, &e.email})
            valores << texto(*t);
        const QString colunas =
            QStringLiteral("nome_fantasia, razao_social, cnpj, logradouro, numero, complemento, "
                           "bairro, cidade, uf, cep, telefone, email");
        if (e.id != 0 &&
            banco.valor(QStringLiteral("SELECT 1 FROM empresa WHERE id = ?"), {qlonglong(e.id)}).isValid()) {
            QVariantList v = valores;
            v << qlonglong(e.id);
            banco.executar(
                QStringLiteral("UPDATE empresa SET nome_fantasia = ?, razao_social = ?, cnpj = ?, "
                               "logradouro = ?, numero = ?, complemento = ?, bairro = ?, cidade = ?, "
                               "uf = ?, cep = ?, telefone = ?, email = ? WHERE id = ?"),
                v);
        } else {
            e.id = banco
                       .valor(QStringLiteral("INSERT INTO empresa (%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                             "?, ?) RETURNING id")
                                  .arg(colunas),
                              valores)
                       .toLongLong();
        }
        return e.id;
    });
}

void baixar(Banco& banco, const Baixa& b) {
    if (!b.data.isValid()) throw ErroDoBanco(QStringLiteral("Informe a data da baixa."));
    if (b.desconto.raw < 0 || b.juros.raw < 0)
        throw ErroDoBanco(QStringLiteral("Desconto e juros não podem ser negativos."));
    banco.transacao([&] {
        QSqlQuery q = banco.executar(QStringLiteral("SELECT valor_do_documento, data_da_baixa FROM "
                                                    "contas_a_receber WHERE numero_do_lancamento = ?%1")
                                         .arg(banco.sqlite() ? QString() : QStringLiteral(" FOR UPDATE")),
                                     {qlonglong(b.numeroDoLancamento)});
        if (!q.next())
            throw ErroDoBanco(
                QStringLiteral("A conta a receber %1 não existe mais.").arg(b.numeroDoLancamento));
        if (!q.value(1).isNull())
            throw ErroDoBanco(
                QStringLiteral("A conta a receber %1 já está baixada.").arg(b.numeroDoLancamento));
        const std::int64_t documento = q.value(0).toLongLong();
        q.finish();
        const std::optional<rt::Currency> soma =
            b.valorPago ? b.valorPago
                        : somarValores(rt::Currency::fromRaw(documento - b.desconto.raw), b.juros);
        if (!soma) throw ErroDoBanco(textoForaDoLimite(QStringLiteral("O valor da baixa")));
        const std::int64_t pago = soma->raw;
        if (pago <= 0) throw ErroDoBanco(QStringLiteral("O valor da baixa deve ser maior que zero."));
        const QVariant momento = Banco::dataEHora(agora());
        banco.executar(
            QStringLiteral("INSERT INTO baixas (numero_do_lancamento, data_da_baixa, valor_da_baixa, "
                           "desconto_abatimento, juros_mora_multa, data_e_hora, usuario) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?)"),
            {qlonglong(b.numeroDoLancamento), Banco::data(b.data), qlonglong(pago), qlonglong(b.desconto.raw),
             qlonglong(b.juros.raw), momento, texto(b.usuario)});
        banco.executar(
            QStringLiteral(
                "UPDATE contas_a_receber SET data_da_baixa = ?, valor_da_baixa = ?, "
                "desconto_abatimento = ?, juros_mora_multa = ?, ultima_mudanca = ?, versao = versao + 1 "
                "WHERE numero_do_lancamento = ?"),
            {Banco::data(b.data), qlonglong(pago), qlonglong(b.desconto.raw), qlonglong(b.juros.raw), momento,
             qlonglong(b.numeroDoLancamento)});
    });
}

QString buscaDaConta(std::int64_t numero, const QString& historico) {
    return QString::number(numero) + u' ' + dobrar(historico);
}

std::optional<QString> recusaDoCliente(const std::optional<Cliente>& cliente, std::int64_t codigo) {
    if (codigo <= 0) return QStringLiteral("Informe o cliente.");
    if (!cliente) return QStringLiteral("Cliente de código %1 não cadastrado.").arg(codigo);
    switch (cliente->situacao) {
    case ClienteInativo:
        return QStringLiteral("Cliente inativo. Não é possível lançar contas a receber para ele.");
    case ClienteBloqueado:
        return QStringLiteral("Cliente bloqueado. Não é possível lançar contas a receber para ele.");
    case ClienteExcluido:
        return QStringLiteral("Cliente excluído. Não é possível lançar contas a receber para ele.");
    default:
        return std::nullopt;
    }
}

std::optional<RecusaDaVenda> validarVenda(Banco& banco, const std::vector<NovaConta>& contas) {
    const QString parcelas = QStringLiteral("Parcelas");
    if (contas.empty()) return RecusaDaVenda{parcelas, QStringLiteral("Informe ao menos uma parcela.")};
    const std::int64_t codigo = contas.front().codigoDoCliente;
    if (auto r = recusaDoCliente(codigo > 0 ? lerCliente(banco, codigo) : std::nullopt, codigo))
        return RecusaDaVenda{QStringLiteral("CodigoDoCliente"), *r};
    const QString historico = contas.front().historico.trimmed();
    if (historico.isEmpty())
        return RecusaDaVenda{QStringLiteral("Historico"), QStringLiteral("Informe o histórico.")};
    const int n = contas.front().parcelas;
    std::vector<int> vistas(std::size_t(std::max(n, 0)) + 1, 0);
    rt::Currency total{};
    for (std::size_t i = 0; i < contas.size(); ++i) {
        const NovaConta& c = contas[i];
        if (c.codigoDoCliente != codigo || c.historico.trimmed() != historico || c.parcelas != n)
            return RecusaDaVenda{parcelas,
                                 QStringLiteral("As parcelas de uma venda são do mesmo cliente, com o "
                                                "mesmo histórico e o mesmo número de parcelas.")};
        if (c.parcela < 1 || c.parcela > n)
            return RecusaDaVenda{parcelas, QStringLiteral("Não há parcela %1 de %2.").arg(c.parcela).arg(n)};
        if (vistas[std::size_t(c.parcela)]++)
            return RecusaDaVenda{
                parcelas,
                QStringLiteral("A parcela %1 de %2 aparece mais de uma vez.").arg(c.parcela).arg(n)};
        if (!c.vencimento.isValid())
            return RecusaDaVenda{
                parcelas, QStringLiteral("A data de vencimento da parcela %1 é inválida.").arg(c.parcela)};
        if (c.valor.raw <= 0)
            return RecusaDaVenda{
                parcelas, QStringLiteral("O valor da parcela %1 deve ser maior que zero.").arg(c.parcela)};
        const auto soma = somarValores(total, c.valor);
        if (!soma) return RecusaDaVenda{parcelas, textoForaDoLimite(QStringLiteral("O valor da venda"))};
        total = *soma;
        for (std::size_t j = 0; j < i; ++j)
            if (contas[j].vencimento == c.vencimento)
                return RecusaDaVenda{parcelas, QStringLiteral("Há mais de uma parcela com vencimento em %1.")
                                                   .arg(c.vencimento.toString(QStringLiteral("dd/MM/yyyy")))};
    }
    for (int k = 1; k <= n; ++k)
        if (!vistas[std::size_t(k)])
            return RecusaDaVenda{parcelas, QStringLiteral("Falta a parcela %1 de %2.").arg(k).arg(n)};
    return std::nullopt;
}

std::vector<std::int64_t> incluirVenda(Banco& banco, const std::vector<NovaConta>& contas,
                                       const QString& usuario) {
    return banco.transacao([&] {
        // Checked again inside the transaction: the client may have been
        // blocked since the caller looked.
        if (auto r = validarVenda(banco, contas)) throw ErroDoBanco(r->motivo);
        std::vector<rt::Currency> valores;
        for (const NovaConta& c : contas)
            valores.push_back(c.valor);
        const rt::Currency total = *somarValores(valores); // validarVenda saw that it fits
        const bool sqlite = banco.sqlite();
        const QDateTime agoraMesmo = agora();
        const QVariant momento = Banco::dataEHora(agoraMesmo);
        const QVariant dataDaVenda = Banco::data(agoraMesmo.date());
        // PostgreSQL numbers sales and receivables from sequences, so clerks
        // adding at once never wait for each other nor take the same number;
        // SQLite's writers queue at BEGIN IMMEDIATE, so the highest + 1 is free.
        const std::int64_t venda =
            banco
                .valor(sqlite ? QStringLiteral(
                                    "SELECT COALESCE(MAX(numero_da_venda), 0) + 1 FROM contas_a_receber")
                              : QStringLiteral("SELECT nextval('contas_numero_da_venda')"))
                .toLongLong();
        std::int64_t proximo =
            sqlite ? banco
                         .valor(QStringLiteral("SELECT COALESCE(MAX(numero_do_lancamento), 0) + 1 FROM "
                                               "contas_a_receber"))
                         .toLongLong()
                   : 0;
        QSqlQuery ins = banco.preparar(QStringLiteral(
            "INSERT INTO contas_a_receber (numero_do_lancamento, codigo_do_cliente, historico, "
            "numero_da_venda, data_da_venda, valor_da_venda, numero_da_parcela, numero_de_parcelas, "
            "data_de_vencimento, valor_do_documento, data_e_hora_da_inclusao, usuario_da_inclusao, "
            "ultima_mudanca, busca) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        std::vector<std::int64_t> numeros;
        for (const NovaConta& c : contas) {
            // The number goes into the search text, so it is taken first.
            const std::int64_t numero =
                sqlite
                    ? proximo++
                    : banco
                          .valor(QStringLiteral("SELECT nextval(pg_get_serial_sequence('contas_a_receber', "
                                                "'numero_do_lancamento'))"))
                          .toLongLong();
            const QVariantList v{qlonglong(numero),
                                 qlonglong(c.codigoDoCliente),
                                 texto(c.historico),
                                 qlonglong(venda),
                                 dataDaVenda,
                                 qlonglong(total.raw),
                                 c.parcela,
                                 c.parcelas,
                                 Banco::data(c.vencimento),
                                 qlonglong(c.valor.raw),
                                 momento,
                                 texto(usuario),
                                 momento,
                                 buscaDaConta(numero, c.historico)};
            for (int k = 0; k < v.size(); ++k)
                ins.bindValue(k, v[k]);
            Banco::executar(ins);
            numeros.push_back(numero);
        }
        return numeros;
    });
}

std::vector<ContaEmAberto> contasEmAbertoDoCliente(Banco& banco, std::int64_t codigoDoCliente) {
    QSqlQuery q =
        banco.executar(QStringLiteral("SELECT numero_do_lancamento, codigo_do_cliente, historico, "
                                      "numero_da_parcela, numero_de_parcelas, "
                                      "data_de_vencimento, valor_do_documento FROM contas_a_receber "
                                      "WHERE codigo_do_cliente = ? AND data_da_baixa IS NULL "
                                      "ORDER BY data_de_vencimento, numero_do_lancamento"),
                       {qlonglong(codigoDoCliente)});
    std::vector<ContaEmAberto> out;
    while (q.next()) {
        ContaEmAberto c;
        c.numeroDoLancamento = q.value(0).toLongLong();
        c.codigoDoCliente = q.value(1).toLongLong();
        c.historico = q.value(2).toString();
        c.numeroDaParcela = q.value(3).toInt();
        c.numeroDeParcelas = q.value(4).toInt();
        c.vencimento = Banco::lerData(q.value(5));
        c.valor = rt::Currency::fromRaw(q.value(6).toLongLong());
        out.push_back(c);
    }
    return out;
}

} // namespace quva::suite
