#include "suite/cli/Importacao.h"

#include "runtime/Convert.h"
#include "suite/storage/Valores.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <map>
#include <tuple>

namespace quva::suite::admin {

namespace {

QString campo(const LinhaCsv& l, int i) {
    return i < l.campos.size() ? l.campos.at(i).trimmed() : QString();
}

std::optional<std::int64_t> lerInteiro(const QString& texto, std::int64_t minimo, std::int64_t maximo) {
    bool ok = false;
    const qlonglong n = texto.toLongLong(&ok);
    if (!ok || n < minimo || n > maximo) return std::nullopt;
    return n;
}

std::optional<int> lerSituacao(const QString& texto) {
    if (texto.isEmpty()) return ClienteAtivo;
    if (auto n = lerInteiro(texto, 1, 4)) return int(*n);
    static const QHash<QString, int> nomes{{QStringLiteral("ativo"), ClienteAtivo},
                                           {QStringLiteral("inativo"), ClienteInativo},
                                           {QStringLiteral("bloqueado"), ClienteBloqueado},
                                           {QStringLiteral("excluido"), ClienteExcluido}};
    const auto it = nomes.constFind(dobrar(texto));
    if (it == nomes.cend()) return std::nullopt;
    return *it;
}

std::optional<bool> lerSimNao(const QString& texto) {
    const QString t = dobrar(texto);
    if (t.isEmpty() || t == QLatin1String("nao") || t == QLatin1String("n") || t == QLatin1String("0"))
        return false;
    if (t == QLatin1String("sim") || t == QLatin1String("s") || t == QLatin1String("1")) return true;
    return std::nullopt;
}

} // namespace

std::vector<LinhaCsv> separarCsv(const QString& texto) {
    std::vector<LinhaCsv> out;
    LinhaCsv atual;
    QString valor;
    bool entreAspas = false, algo = false, aspasNoCampo = false;
    int linha = 1;
    atual.numero = 1;
    auto fecharCampo = [&] {
        atual.campos << (aspasNoCampo ? valor : valor.trimmed());
        valor.clear();
        aspasNoCampo = false;
    };
    auto fecharRegistro = [&] {
        fecharCampo();
        const bool vazio = atual.campos.size() == 1 && atual.campos.front().trimmed().isEmpty();
        if (!vazio) out.push_back(atual);
        atual = LinhaCsv{};
    };
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (entreAspas) {
            if (c == u'"') {
                if (i + 1 < texto.size() && texto.at(i + 1) == u'"') {
                    valor += u'"';
                    ++i;
                } else {
                    entreAspas = false;
                }
            } else {
                if (c == u'\n') ++linha;
                valor += c;
            }
            continue;
        }
        if (c == u'"' && valor.trimmed().isEmpty()) {
            valor.clear();
            entreAspas = aspasNoCampo = true;
        } else if (c == u';') {
            fecharCampo();
        } else if (c == u'\r') {
            // CR LF ends the line at the LF.
        } else if (c == u'\n') {
            fecharRegistro();
            atual.numero = ++linha;
        } else {
            valor += c;
        }
        algo = true;
    }
    if (algo && (!valor.isEmpty() || !atual.campos.isEmpty())) fecharRegistro();
    return out;
}

bool lerArquivoCsv(const QString& caminho, QString* texto, QString* erro) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) {
        *erro = QStringLiteral("não foi possível ler %1: %2").arg(caminho, f.errorString());
        return false;
    }
    QByteArray bytes = f.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString t = utf8.decode(bytes);
    if (utf8.hasError()) {
        // What a spreadsheet saves on Windows: Latin-1 but for quotes, dashes
        // and the euro sign in 0x80..0x9F.
        t.clear();
        t.reserve(bytes.size());
        for (const char b : bytes) {
            const auto u = static_cast<unsigned char>(b);
            if (u >= 0x80 && u < 0xA0)
                t += rt::Chr(u);
            else
                t += QChar(u);
        }
    }
    *texto = t;
    return true;
}

std::vector<ErroDeLinha> caracteresDeControle(const std::vector<LinhaCsv>& linhas) {
    std::vector<ErroDeLinha> out;
    for (const LinhaCsv& l : linhas)
        for (int i = 0; i < l.campos.size(); ++i)
            for (const QChar c : l.campos.at(i))
                if (c.category() == QChar::Other_Control) {
                    out.push_back(
                        {l.numero, QStringLiteral("a coluna %1 tem um caractere de controle (código %2), "
                                                  "que nenhum campo aceita")
                                       .arg(i + 1)
                                       .arg(c.unicode())});
                    break;
                }
    return out;
}

bool ehCabecalho(const LinhaCsv& linha, const QStringList& colunas) {
    if (linha.campos.isEmpty() || linha.campos.size() > colunas.size()) return false;
    for (int i = 0; i < linha.campos.size(); ++i) {
        const QString t = dobrar(linha.campos.at(i).trimmed());
        if (t.isEmpty() ? i == 0 : t != dobrar(colunas.at(i))) return false;
    }
    return true;
}

std::optional<rt::Currency> lerDinheiro(const QString& texto) {
    const QString t = texto.trimmed();
    // A spreadsheet shows two decimals; more would be rounded away unseen.
    const qsizetype virgula = t.lastIndexOf(u',');
    if (virgula >= 0 && t.size() - virgula - 1 > 2) return std::nullopt;
    rt::Currency c;
    if (lerValor(t, &c) != LeituraDeValor::Aceito) return std::nullopt;
    return c;
}

std::optional<QDate> lerData(const QString& texto) {
    const QString t = texto.trimmed();
    // Only the day/month/year shape, which a spreadsheet writes.
    static const QRegularExpression forma(QStringLiteral("^\\d{1,2}/\\d{1,2}/\\d{4}$"));
    if (!forma.match(t).hasMatch()) return std::nullopt;
    const QDate d = QDate::fromString(t, QStringLiteral("d/M/yyyy"));
    if (!d.isValid()) return std::nullopt;
    return d;
}

const QStringList& colunasDeClientes() {
    static const QStringList c{QStringLiteral("Código"),
                               QStringLiteral("Apelido ou nome fantasia"),
                               QStringLiteral("Nome ou razão social"),
                               QStringLiteral("Situação"),
                               QStringLiteral("CPF/CNPJ"),
                               QStringLiteral("Logradouro"),
                               QStringLiteral("Número"),
                               QStringLiteral("Complemento"),
                               QStringLiteral("Bairro"),
                               QStringLiteral("Cidade"),
                               QStringLiteral("UF"),
                               QStringLiteral("CEP"),
                               QStringLiteral("Telefone"),
                               QStringLiteral("E-mail"),
                               QStringLiteral("VIP"),
                               QStringLiteral("Categoria ABC")};
    return c;
}

const QStringList& colunasDeContas() {
    static const QStringList c{QStringLiteral("Código do cliente"), QStringLiteral("Histórico"),
                               QStringLiteral("Vencimento"),        QStringLiteral("Valor"),
                               QStringLiteral("Parcela"),           QStringLiteral("Parcelas"),
                               QStringLiteral("Data da baixa"),     QStringLiteral("Valor da baixa")};
    return c;
}

namespace {

// The text columns of a client, by column.
const std::vector<std::pair<int, QString Cliente::*>>& textosDoCliente() {
    static const std::vector<std::pair<int, QString Cliente::*>> t{{1, &Cliente::apelidoOuNomeFantasia},
                                                                   {2, &Cliente::nomeOuRazaoSocial},
                                                                   {4, &Cliente::cpfCnpj},
                                                                   {5, &Cliente::logradouro},
                                                                   {6, &Cliente::numero},
                                                                   {7, &Cliente::complemento},
                                                                   {8, &Cliente::bairro},
                                                                   {9, &Cliente::cidade},
                                                                   {10, &Cliente::uf},
                                                                   {11, &Cliente::cep},
                                                                   {12, &Cliente::telefone},
                                                                   {13, &Cliente::email},
                                                                   {15, &Cliente::categoriaDaCurvaABC}};
    return t;
}

} // namespace

void ClienteImportado::aplicarEm(Cliente& destino) const {
    for (const auto& [coluna, membro] : textosDoCliente())
        if (informado(coluna)) destino.*membro = dados.*membro;
    if (informado(3)) destino.situacao = dados.situacao;
    if (informado(14)) destino.vip = dados.vip;
}

std::vector<ClienteImportado> lerClientesCsv(const std::vector<LinhaCsv>& linhas,
                                             std::vector<ErroDeLinha>* erros) {
    std::vector<ClienteImportado> out;
    QHash<std::int64_t, int> codigos; // code -> line
    const int kColunas = int(colunasDeClientes().size());
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        const LinhaCsv& l = linhas[i];
        if (i == 0 && ehCabecalho(l, colunasDeClientes())) continue;
        QStringList motivos;
        if (l.campos.size() > kColunas)
            motivos
                << QStringLiteral("%1 colunas, no máximo %2 esperadas").arg(l.campos.size()).arg(kColunas);
        ClienteImportado importado;
        importado.linha = l.numero;
        for (int k = 0; k < kColunas; ++k)
            if (!campo(l, k).isEmpty()) importado.informados |= 1u << k;
        Cliente& c = importado.dados;
        const QString codigo = campo(l, 0);
        if (!codigo.isEmpty()) {
            if (auto n = lerInteiro(codigo, 1, 2147483647)) {
                c.codigo = *n;
                if (codigos.contains(c.codigo))
                    motivos << QStringLiteral("o código de cliente %1 repete a linha %2")
                                   .arg(c.codigo)
                                   .arg(codigos[c.codigo]);
                else
                    codigos.insert(c.codigo, l.numero);
            } else {
                motivos << QStringLiteral("código de cliente inválido '%1'").arg(codigo);
            }
        }
        for (const auto& [coluna, membro] : textosDoCliente())
            c.*membro = campo(l, coluna);
        // A code of a stored client may leave the name as it is; the caller knows.
        if (c.nomeOuRazaoSocial.isEmpty() && codigo.isEmpty())
            motivos << QStringLiteral("o nome ou razão social está vazio");
        if (auto s = lerSituacao(campo(l, 3)))
            c.situacao = *s;
        else
            motivos << QStringLiteral("situação inválida '%1' (Ativo, Inativo, Bloqueado, Excluído ou 1 a 4)")
                           .arg(campo(l, 3));
        c.uf = c.uf.toUpper();
        if (!c.uf.isEmpty() && (c.uf.size() != 2 || !c.uf.at(0).isLetter() || !c.uf.at(1).isLetter()))
            motivos << QStringLiteral("UF inválida '%1' (duas letras)").arg(campo(l, 10));
        if (!c.email.isEmpty() && !c.email.contains(u'@'))
            motivos << QStringLiteral("e-mail inválido '%1'").arg(c.email);
        if (auto v = lerSimNao(campo(l, 14)))
            c.vip = *v;
        else
            motivos << QStringLiteral("VIP inválido '%1' (Sim ou Não)").arg(campo(l, 14));
        c.categoriaDaCurvaABC = c.categoriaDaCurvaABC.toUpper();
        if (!c.categoriaDaCurvaABC.isEmpty() && c.categoriaDaCurvaABC != QLatin1String("A") &&
            c.categoriaDaCurvaABC != QLatin1String("B") && c.categoriaDaCurvaABC != QLatin1String("C"))
            motivos << QStringLiteral("categoria ABC inválida '%1' (A, B ou C)").arg(campo(l, 15));
        for (const QString& m : motivos)
            erros->push_back({l.numero, m});
        if (motivos.isEmpty()) out.push_back(std::move(importado));
    }
    return out;
}

std::vector<ContaImportada> lerContasCsv(const std::vector<LinhaCsv>& linhas,
                                         std::vector<ErroDeLinha>* erros) {
    std::vector<ContaImportada> out;
    const int kColunas = int(colunasDeContas().size());
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        const LinhaCsv& l = linhas[i];
        if (i == 0 && ehCabecalho(l, colunasDeContas())) continue;
        QStringList motivos;
        if (l.campos.size() > kColunas)
            motivos
                << QStringLiteral("%1 colunas, no máximo %2 esperadas").arg(l.campos.size()).arg(kColunas);
        ContaImportada c;
        c.linha = l.numero;
        if (auto n = lerInteiro(campo(l, 0), 1, 2147483647))
            c.codigoDoCliente = *n;
        else
            motivos << QStringLiteral("código de cliente inválido '%1'").arg(campo(l, 0));
        c.historico = campo(l, 1);
        if (c.historico.isEmpty()) motivos << QStringLiteral("o histórico está vazio");
        if (auto d = lerData(campo(l, 2)))
            c.vencimento = *d;
        else
            motivos << QStringLiteral("vencimento inválido '%1' (DD/MM/AAAA)").arg(campo(l, 2));
        if (auto v = lerDinheiro(campo(l, 3))) {
            c.valor = *v;
            if (c.valor.raw <= 0) motivos << QStringLiteral("o valor deve ser maior que zero");
        } else if (lerValor(campo(l, 3), nullptr) == LeituraDeValor::ForaDoLimite) {
            motivos << textoForaDoLimite(QStringLiteral("O valor '%1'").arg(campo(l, 3)));
        } else {
            motivos << QStringLiteral("valor inválido '%1' (como 1.234,56)").arg(campo(l, 3));
        }
        const QString parcela = campo(l, 4), parcelas = campo(l, 5);
        if (!parcelas.isEmpty()) {
            if (auto n = lerInteiro(parcelas, 1, 999))
                c.parcelas = int(*n);
            else
                motivos << QStringLiteral("número de parcelas inválido '%1'").arg(parcelas);
        }
        if (!parcela.isEmpty()) {
            if (auto n = lerInteiro(parcela, 1, 999))
                c.parcela = int(*n);
            else
                motivos << QStringLiteral("número da parcela inválido '%1'").arg(parcela);
        }
        if (c.parcela > c.parcelas)
            motivos << QStringLiteral("parcela %1 de %2").arg(c.parcela).arg(c.parcelas);
        const QString baixa = campo(l, 6), valorDaBaixa = campo(l, 7);
        if (!baixa.isEmpty()) {
            if (auto d = lerData(baixa))
                c.dataDaBaixa = *d;
            else
                motivos << QStringLiteral("data da baixa inválida '%1' (DD/MM/AAAA)").arg(baixa);
        }
        if (!valorDaBaixa.isEmpty()) {
            if (baixa.isEmpty()) motivos << QStringLiteral("valor da baixa sem data da baixa");
            if (auto v = lerDinheiro(valorDaBaixa); v && v->raw > 0)
                c.valorDaBaixa = *v;
            else
                motivos << QStringLiteral("valor da baixa inválido '%1'").arg(valorDaBaixa);
        }
        for (const QString& m : motivos)
            erros->push_back({l.numero, m});
        if (motivos.isEmpty()) out.push_back(std::move(c));
    }
    return out;
}

std::vector<std::vector<const ContaImportada*>> agruparVendas(const std::vector<ContaImportada>& contas) {
    std::vector<std::vector<const ContaImportada*>> out;
    // Sales still short of installments, by client, history and count.
    std::map<std::tuple<std::int64_t, QString, int>, std::vector<std::size_t>> abertas;
    for (const ContaImportada& c : contas) {
        if (c.parcelas == 1) {
            out.push_back({&c});
            continue;
        }
        auto& candidatas = abertas[{c.codigoDoCliente, c.historico, c.parcelas}];
        auto livre = std::find_if(candidatas.begin(), candidatas.end(), [&](std::size_t v) {
            return std::none_of(out[v].begin(), out[v].end(),
                                [&](const ContaImportada* p) { return p->parcela == c.parcela; });
        });
        if (livre == candidatas.end()) {
            out.push_back({&c});
            candidatas.push_back(out.size() - 1);
            continue;
        }
        out[*livre].push_back(&c);
        if (int(out[*livre].size()) == c.parcelas) candidatas.erase(livre);
    }
    // In installment order, as the card writes them.
    for (auto& venda : out)
        std::stable_sort(venda.begin(), venda.end(), [](const ContaImportada* a, const ContaImportada* b) {
            return a->parcela < b->parcela;
        });
    return out;
}

} // namespace quva::suite::admin
