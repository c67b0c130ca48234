#include "component/clsCReceber.h"

#include "component/Formularios.h"
#include "component/Procedimento.h"
#include "component/modPrincipal.h"
#include "runtime/Errors.h"

#include <new>

namespace creceber {

using quva::rt::Variant;
namespace err = quva::rt::err;

clsCReceber::clsCReceber() : DispatchObject(QStringLiteral("clsCReceber")) {
    method(QStringLiteral("AbrirLista"), 2,
           [this](quva::automation::Args a) { return AbrirLista(a[0].toLong(), a[1].toLong()); });
    method(QStringLiteral("AbrirFicha"), 0, [this](quva::automation::Args) { return AbrirFicha(); });
    objectProperty(QStringLiteral("DadosDoUsuario"), {}, [this](quva::automation::Args a) {
        DadosDoUsuario(a.back().toObject());
        return Variant();
    });
    property(QStringLiteral("NomeDaAplicacao"), {}, [this](quva::automation::Args a) {
        NomeDaAplicacao(a.back().toString());
        return Variant();
    });
}

Variant clsCReceber::AbrirLista(std::int32_t FomularioDoMenu_hWnd, std::int32_t AreaDeTrabalho_hWnd) {
    Variant resultado;
    Procedimento ponto(u", clsCReceber, AbrirLista, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        glngFormularioDoMenu_hWnd = FomularioDoMenu_hWnd;

        // Until the list screen is built into the library no factory is
        // installed, and this step fails with 429 through the presenter.
        ponto(2);
        gfrmLista = NovofrmLista();

        ponto(3);
        gfrmLista->MontarExibirFormulario(AreaDeTrabalho_hWnd);
    });
    return resultado;
}

Variant clsCReceber::AbrirFicha() {
    Variant resultado;
    Procedimento ponto(u", clsCReceber, AbrirFicha, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        auto lfrmFicha = NovofrmFicha();

        ponto(2);
        lfrmFicha->MontarExibirFormulario(1);
    });
    return resultado;
}

void clsCReceber::DadosDoUsuario(const quva::rt::Object& lobjDadosDoUsuario) {
    gobjDadosDoUsuario = lobjDadosDoUsuario;
}

void clsCReceber::NomeDaAplicacao(const QString& lstrNomeDaAplicacao) {
    gstrNomeDaAplicacao = lstrNomeDaAplicacao;
}

// The bodies report their own failures; what can still arrive here is a
// call the class cannot take (an unknown member, a wrong argument count or
// type) or an error presenter that failed itself. Those go back to the
// caller as run-time failures, the way a failed call returns to a
// late-bound caller; no other kind of exception crosses this boundary.
Variant clsCReceber::invoke(quva::rt::DispId id, quva::rt::CallKind kind, quva::automation::Args args) {
    try {
        return DispatchObject::invoke(id, kind, args);
    } catch (const quva::rt::RuntimeError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw quva::rt::RuntimeError(7);
    } catch (const std::exception& e) {
        throw quva::rt::RuntimeError(err::AutomationError, quva::rt::errorDescription(err::AutomationError) +
                                                               QStringLiteral(": ") +
                                                               QString::fromLocal8Bit(e.what()));
    } catch (...) {
        throw quva::rt::RuntimeError(err::AutomationError);
    }
}

} // namespace creceber
