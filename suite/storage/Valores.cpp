#include "suite/storage/Valores.h"

#include "runtime/Convert.h"

namespace quva::suite {

QString maiorValorAceito() {
    return rt::formatMoney(rt::kMaxCurrency);
}

LeituraDeValor lerValor(const QString& texto, rt::Currency* valor) {
    bool foraDoLimite = false;
    rt::Currency v;
    if (rt::parseMoney(texto.trimmed(), &v, &foraDoLimite)) {
        if (valor) *valor = v;
        return LeituraDeValor::Aceito;
    }
    return foraDoLimite ? LeituraDeValor::ForaDoLimite : LeituraDeValor::Invalido;
}

std::optional<rt::Currency> somarValores(rt::Currency a, rt::Currency b) {
    std::int64_t r = 0;
    if (__builtin_add_overflow(a.raw, b.raw, &r)) return std::nullopt;
    return rt::Currency::fromRaw(r);
}

std::optional<rt::Currency> somarValores(const std::vector<rt::Currency>& valores) {
    std::optional<rt::Currency> total = rt::Currency{};
    for (const rt::Currency& v : valores)
        if (!(total = somarValores(*total, v))) break;
    return total;
}

QString textoForaDoLimite(const QString& oQue) {
    return QStringLiteral("%1 ultrapassa o maior valor aceito (%2).").arg(oQue, maiorValorAceito());
}

} // namespace quva::suite
