#pragma once
// Demo data: clients with Brazilian names (accents included), a company, and
// receivables in every situation around today's date. The same seed gives
// the same data.

#include "suite/storage/Banco.h"

#include <cstdint>
#include <functional>

namespace quva::suite {

struct OpcoesDaDemonstracao {
    std::int64_t contas = 2000;
    std::int64_t clientes = 200;
    std::uint64_t semente = 20240601;
    // Called now and then with the receivables written so far.
    std::function<void(std::int64_t)> progresso;
};

struct ResultadoDaDemonstracao {
    std::int64_t contas = 0;
    std::int64_t clientes = 0;
};

// Adds the demo data to the database, in one transaction. Refuses (ErroDoBanco)
// a database that already holds receivables or clients.
ResultadoDaDemonstracao gerarDemonstracao(Banco& banco, const OpcoesDaDemonstracao& opcoes = {});

} // namespace quva::suite
