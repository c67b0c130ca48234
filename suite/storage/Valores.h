#pragma once
// Amounts of money as the suite accepts them, typed by a clerk or read from
// a file: one set of rules for every writer of receivables and settlements,
// so that no amount or sum leaves the currency's range unnoticed.

#include "runtime/Variant.h"

#include <QString>

#include <optional>
#include <vector>

namespace quva::suite {

// "922.337.203.685.477,58": the largest amount the suite stores.
QString maiorValorAceito();

enum class LeituraDeValor { Aceito, Invalido, ForaDoLimite };
// "1.234,56", "1234,5"; *valor is set only when accepted.
LeituraDeValor lerValor(const QString& texto, rt::Currency* valor);

// a + b, or nothing when the sum leaves the range.
std::optional<rt::Currency> somarValores(rt::Currency a, rt::Currency b);
std::optional<rt::Currency> somarValores(const std::vector<rt::Currency>& valores);

// "<oQue> ultrapassa o maior valor aceito (922.337.203.685.477,58)."
QString textoForaDoLimite(const QString& oQue);

} // namespace quva::suite
