#pragma once
// What the suite's lookup components (clients, company) share: the selection
// they hand out as ResultadoDaSelecaoEmRecordSet, and the error triple a
// caller reads after a selection answered 1.

#include "ado/Recordset.h"
#include "automation/DispatchObject.h"
#include "runtime/Errors.h"
#include "suite/storage/Banco.h"

#include <exception>

#include <memory>

namespace quva::suite {

// The failure number a business component reports for its own failures.
inline constexpr std::int32_t kErroDoComponente = std::int32_t(0x80040000 + 513);

// Any failure inside a member, as the component reports it: the run time's
// own failures keep their number; storage and everything else get the
// component's number with their own text.
struct FalhaDeNegocio {
    std::int32_t numero;
    QString descricao;
};
inline FalhaDeNegocio falhaDeNegocio(const std::exception_ptr& falha) {
    try {
        std::rethrow_exception(falha);
    } catch (const ErroDoBanco& e) {
        return {kErroDoComponente, e.texto()};
    } catch (const rt::RuntimeError& e) {
        return {e.number(), e.description()};
    } catch (const std::exception& e) {
        return {kErroDoComponente, QString::fromUtf8(e.what())};
    }
}

// A member with no result to answer through (paging, totals, the rows of a
// selection) raises the failure as the component's own, `local` naming it.
template <class F> decltype(auto) comoFalhaDoComponente(const QString& local, F&& f) {
    try {
        return f();
    } catch (...) {
        auto [numero, descricao] = falhaDeNegocio(std::current_exception());
        throw rt::RuntimeError(numero, std::move(descricao), local);
    }
}

class ConsultaDeNegocio : public automation::DispatchObject {
protected:
    // local: what LocalDoErro reads after a failure; vazia: the result
    // before the first selection.
    ConsultaDeNegocio(QString nome, QString local, std::shared_ptr<ado::Recordset> vazia)
        : DispatchObject(std::move(nome)), m_local(std::move(local)), m_resultado(std::move(vazia)) {}

    // Called after the component's own members: the declaration order is
    // the dispatch identifiers' and what the registry lists.
    void declararResultadoEFalha() {
        using automation::Args;
        using rt::Variant;
        objectProperty(QStringLiteral("ResultadoDaSelecaoEmRecordSet"),
                       [this](Args) { return Variant(rt::Object(m_resultado)); }, {});
        property(QStringLiteral("NumeroDoErro"), [this](Args) { return Variant(m_numeroDoErro); }, {});
        property(QStringLiteral("DescricaoDoErro"), [this](Args) { return Variant(m_descricaoDoErro); }, {});
        property(QStringLiteral("LocalDoErro"), [this](Args) { return Variant(m_localDoErro); }, {});
    }

    // One selection: the triple is cleared, then the recordset f returns
    // becomes the result (answer 0), or what it raises the triple (answer 1).
    template <class F> rt::Variant selecionar(F&& f) {
        m_numeroDoErro = 0;
        m_descricaoDoErro.clear();
        m_localDoErro.clear();
        try {
            m_resultado = f();
            return rt::Variant(std::int16_t(0));
        } catch (...) {
            const FalhaDeNegocio r = falhaDeNegocio(std::current_exception());
            return falha(r.numero, r.descricao);
        }
    }

private:
    rt::Variant falha(std::int32_t numero, const QString& descricao) {
        m_numeroDoErro = numero;
        m_descricaoDoErro = descricao;
        m_localDoErro = m_local;
        return rt::Variant(std::int16_t(1));
    }

    QString m_local;
    std::shared_ptr<ado::Recordset> m_resultado;
    std::int32_t m_numeroDoErro = 0;
    QString m_descricaoDoErro;
    QString m_localDoErro;
};

} // namespace quva::suite
