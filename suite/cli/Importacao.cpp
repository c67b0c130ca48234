#include "suite/cli/Importacao.h"

#include "runtime/Convert.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

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
        *erro = QStringLiteral("cannot read %1: %2").arg(caminho, f.errorString());
        return false;
    }
    QByteArray bytes = f.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString t = utf8.decode(bytes);
    if (utf8.hasError()) t = QString::fromLatin1(bytes);
    *texto = t;
    return true;
}

bool ehCabecalho(const LinhaCsv& linha, const QStringList& palavras) {
    for (const QString& c : linha.campos) {
        const QString t = dobrar(c);
        for (const QString& p : palavras)
            if (t.contains(p)) return true;
    }
    return false;
}

std::optional<rt::Currency> lerDinheiro(const QString& texto) {
    rt::Currency c;
    if (!rt::parseMoney(texto.trimmed(), &c)) return std::nullopt;
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

std::vector<Cliente> lerClientesCsv(const std::vector<LinhaCsv>& linhas, std::vector<ErroDeLinha>* erros) {
    std::vector<Cliente> out;
    QHash<std::int64_t, int> codigos; // code -> line
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        const LinhaCsv& l = linhas[i];
        if (i == 0 && ehCabecalho(l, {QStringLiteral("codigo"), QStringLiteral("nome")})) continue;
        QStringList motivos;
        if (l.campos.size() > kColunasDeClientes)
            motivos << QStringLiteral("%1 columns, at most %2 expected")
                           .arg(l.campos.size())
                           .arg(kColunasDeClientes);
        Cliente c;
        const QString codigo = campo(l, 0);
        if (!codigo.isEmpty()) {
            if (auto n = lerInteiro(codigo, 1, 2147483647)) {
                c.codigo = *n;
                if (codigos.contains(c.codigo))
                    motivos << QStringLiteral("client code %1 repeats line %2")
                                   .arg(c.codigo)
                                   .arg(codigos[c.codigo]);
                else
                    codigos.insert(c.codigo, l.numero);
            } else {
                motivos << QStringLiteral("invalid client code '%1'").arg(codigo);
            }
        }
        c.apelidoOuNomeFantasia = campo(l, 1);
        c.nomeOuRazaoSocial = campo(l, 2);
        if (c.nomeOuRazaoSocial.isEmpty()) motivos << QStringLiteral("the name or legal name is empty");
        if (auto s = lerSituacao(campo(l, 3)))
            c.situacao = *s;
        else
            motivos << QStringLiteral(
                           "invalid situation '%1' (Ativo, Inativo, Bloqueado, Excluído or 1 to 4)")
                           .arg(campo(l, 3));
        c.cpfCnpj = campo(l, 4);
        c.logradouro = campo(l, 5);
        c.numero = campo(l, 6);
        c.complemento = campo(l, 7);
        c.bairro = campo(l, 8);
        c.cidade = campo(l, 9);
        c.uf = campo(l, 10).toUpper();
        if (!c.uf.isEmpty() && (c.uf.size() != 2 || !c.uf.at(0).isLetter() || !c.uf.at(1).isLetter()))
            motivos << QStringLiteral("invalid state '%1' (two letters)").arg(campo(l, 10));
        c.cep = campo(l, 11);
        c.telefone = campo(l, 12);
        c.email = campo(l, 13);
        if (!c.email.isEmpty() && !c.email.contains(u'@'))
            motivos << QStringLiteral("invalid e-mail '%1'").arg(c.email);
        if (auto v = lerSimNao(campo(l, 14)))
            c.vip = *v;
        else
            motivos << QStringLiteral("invalid VIP '%1' (Sim or Não)").arg(campo(l, 14));
        c.categoriaDaCurvaABC = campo(l, 15).toUpper();
        if (!c.categoriaDaCurvaABC.isEmpty() && c.categoriaDaCurvaABC != QLatin1String("A") &&
            c.categoriaDaCurvaABC != QLatin1String("B") && c.categoriaDaCurvaABC != QLatin1String("C"))
            motivos << QStringLiteral("invalid ABC category '%1' (A, B or C)").arg(campo(l, 15));
        for (const QString& m : motivos)
            erros->push_back({l.numero, m});
        if (motivos.isEmpty()) out.push_back(std::move(c));
    }
    return out;
}

std::vector<ContaImportada> lerContasCsv(const std::vector<LinhaCsv>& linhas,
                                         std::vector<ErroDeLinha>* erros) {
    std::vector<ContaImportada> out;
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        const LinhaCsv& l = linhas[i];
        if (i == 0 && ehCabecalho(l, {QStringLiteral("cliente"), QStringLiteral("historico"),
                                      QStringLiteral("vencimento")}))
            continue;
        QStringList motivos;
        if (l.campos.size() > kColunasDeContas)
            motivos << QStringLiteral("%1 columns, at most %2 expected")
                           .arg(l.campos.size())
                           .arg(kColunasDeContas);
        ContaImportada c;
        c.linha = l.numero;
        if (auto n = lerInteiro(campo(l, 0), 1, 2147483647))
            c.codigoDoCliente = *n;
        else
            motivos << QStringLiteral("invalid client code '%1'").arg(campo(l, 0));
        c.historico = campo(l, 1);
        if (c.historico.isEmpty()) motivos << QStringLiteral("the history is empty");
        if (auto d = lerData(campo(l, 2)))
            c.vencimento = *d;
        else
            motivos << QStringLiteral("invalid due date '%1' (DD/MM/YYYY)").arg(campo(l, 2));
        if (auto v = lerDinheiro(campo(l, 3))) {
            c.valor = *v;
            if (c.valor.raw <= 0) motivos << QStringLiteral("the value must be greater than zero");
        } else {
            motivos << QStringLiteral("invalid value '%1' (as 1.234,56)").arg(campo(l, 3));
        }
        const QString parcela = campo(l, 4), parcelas = campo(l, 5);
        if (!parcelas.isEmpty()) {
            if (auto n = lerInteiro(parcelas, 1, 999))
                c.parcelas = int(*n);
            else
                motivos << QStringLiteral("invalid installment count '%1'").arg(parcelas);
        }
        if (!parcela.isEmpty()) {
            if (auto n = lerInteiro(parcela, 1, 999))
                c.parcela = int(*n);
            else
                motivos << QStringLiteral("invalid installment number '%1'").arg(parcela);
        }
        if (c.parcela > c.parcelas)
            motivos << QStringLiteral("installment %1 of %2").arg(c.parcela).arg(c.parcelas);
        const QString baixa = campo(l, 6), valorDaBaixa = campo(l, 7);
        if (!baixa.isEmpty()) {
            if (auto d = lerData(baixa))
                c.dataDaBaixa = *d;
            else
                motivos << QStringLiteral("invalid settlement date '%1' (DD/MM/YYYY)").arg(baixa);
        }
        if (!valorDaBaixa.isEmpty()) {
            if (baixa.isEmpty()) motivos << QStringLiteral("a settled value without a settlement date");
            if (auto v = lerDinheiro(valorDaBaixa); v && v->raw > 0)
                c.valorDaBaixa = *v;
            else
                motivos << QStringLiteral("invalid settled value '%1'").arg(valorDaBaixa);
        }
        for (const QString& m : motivos)
            erros->push_back({l.numero, m});
        if (motivos.isEmpty()) out.push_back(std::move(c));
    }
    return out;
}

} // namespace quva::suite::admin
