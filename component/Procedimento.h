#pragma once
// The failure handler every procedure of the component carries: the
// procedure names its location once, records its step numbers as it goes,
// and runs its body through executar(). A failure anywhere in the body, or
// in a callee without a handler of its own, ends the body and goes to
// ExibirMensagemDeErro with "QUVA_A_CReceber" + location + step; the
// procedure then returns normally with whatever result it had.
//
//     Procedimento ponto(u", clsCReceber, AbrirLista, Ponto: ");
//     ponto.executar([&] {
//         ponto(1); ...
//         ponto(2); ...
//     });
//
// A procedure that holds things the clerk must not be left with (a wait
// message, the darkened menu, an hourglass) names its tidying up once; a
// failure runs it before anything is presented. One that treats some
// failures as its own outcome chooses by number after the tidying.
#include "component/Exportacao.h"
#include "contracts/Contrato.h"
#include "runtime/Dispatch.h"
#include "runtime/Variant.h"

#include <QString>

#include <cstdint>
#include <exception>
#include <functional>
#include <utility>

namespace creceber {

inline constexpr char16_t kNomeDoComponente[] = u"QUVA_A_CReceber";

class CRECEBER_API Procedimento {
public:
    // local: ", <module>, <procedure>, Ponto: "
    explicit Procedimento(const char16_t* local) : m_local(local) {}
    Procedimento(const Procedimento&) = delete;
    Procedimento& operator=(const Procedimento&) = delete;

    // Records the step about to run.
    void operator()(std::int16_t passo) { m_passo = passo; }
    std::int16_t passo() const { return m_passo; }

    // "QUVA_A_CReceber, <module>, <procedure>, Ponto: <step>"
    QString localDoErro() const;

    // Runs on a failure before it is presented. A failure of the tidying
    // itself is dropped: the clerk hears of the first one.
    void aoFalhar(std::function<void()> arrumar) { m_arrumar = std::move(arrumar); }
    // Sees the failure's number and description after the tidying; true
    // means the procedure dealt with it and nothing is presented.
    void escolherPorNumero(std::function<bool(std::int32_t, const QString&)> escolha) {
        m_escolha = std::move(escolha);
    }

    template <class Corpo> void executar(Corpo&& corpo) {
        try {
            corpo();
        } catch (...) {
            // The presenter may fail too; that failure continues to our caller,
            // carrying this procedure's location.
            tratar(std::current_exception());
        }
    }

    // As executar(corpo), then `restaurar` gives the screen back (enables it,
    // hides its wait panel) however the body ended, also when presenting a
    // failure failed and that failure goes on to the caller.
    template <class Corpo, class Restaurar> void executar(Corpo&& corpo, Restaurar&& restaurar) {
        try {
            executar(std::forward<Corpo>(corpo));
        } catch (...) {
            try {
                restaurar();
            } catch (...) { // the failure on its way out is the one to report
            }
            throw;
        }
        restaurar();
    }

private:
    void tratar(std::exception_ptr falha) const;
    const char16_t* m_local;
    std::function<void()> m_arrumar;
    std::function<bool(std::int32_t, const QString&)> m_escolha;
    std::int16_t m_passo = 0;
};

// The business failure path: a component reported failure through its
// result, so its own error triple is read, in order, from the same instance
// and handed on unchanged.
CRECEBER_API void RepassarFalhaDoComponente(const contratos::ComponenteDeNegocio& componente);

} // namespace creceber
