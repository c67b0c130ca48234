#include "component/Procedimento.h"

#include "component/modMensagemDeErro.h"
#include "runtime/Errors.h"

#include <new>

namespace creceber {

using quva::rt::RuntimeError;
using quva::rt::Variant;
namespace err = quva::rt::err;

QString Procedimento::localDoErro() const {
    return QString::fromUtf16(kNomeDoComponente) + QString::fromUtf16(m_local) + QString::number(m_passo);
}

void Procedimento::tratar(std::exception_ptr falha) const {
    Variant numero;
    Variant descricao;
    try {
        std::rethrow_exception(falha);
    } catch (const RuntimeError& e) {
        numero = std::int32_t(e.number());
        descricao = e.description();
    } catch (const std::bad_alloc&) {
        numero = std::int32_t(7);
        descricao = quva::rt::errorDescription(7);
    } catch (const std::exception& e) {
        numero = err::AutomationError;
        descricao = quva::rt::errorDescription(err::AutomationError) + QStringLiteral(": ") +
                    QString::fromLocal8Bit(e.what());
    } catch (...) {
        numero = err::AutomationError;
        descricao = quva::rt::errorDescription(err::AutomationError);
    }
    if (m_arrumar) {
        try {
            m_arrumar();
        } catch (...) {
        }
    }
    if (m_escolha && m_escolha(numero.toLong(), descricao.toString())) return;
    try {
        ExibirMensagemDeErro(numero, descricao, localDoErro());
    } catch (const RuntimeError& e) {
        // Nobody saw it: whoever ends up showing this failure names where it happened.
        throw RuntimeError(e.number(), e.description(), localDoErro());
    }
}

void RepassarFalhaDoComponente(const contratos::ComponenteDeNegocio& componente) {
    Variant numero = componente.NumeroDoErro();
    Variant descricao = componente.DescricaoDoErro();
    Variant local = componente.LocalDoErro();
    ExibirMensagemDeErro(numero, descricao, local);
}

} // namespace creceber
