#pragma once
// A recordset read through its own C++ members when it is one of ours, and
// late-bound otherwise (any component may hand one out).

#include "ado/Recordset.h"
#include "automation/LateBound.h"
#include "runtime/Convert.h"
#include "runtime/Errors.h"

#include <memory>

namespace creceber {

class Registros {
public:
    explicit Registros(quva::rt::Object objeto)
        : m_objeto(std::move(objeto)), m_rs(dynamic_cast<quva::ado::Recordset*>(m_objeto.get())) {
        if (!m_objeto) quva::rt::raise(quva::rt::err::ObjectNotSet);
    }
    std::int32_t RecordCount() const {
        return m_rs ? m_rs->RecordCount() : quva::rt::CLng(get(u"RecordCount"));
    }
    std::int32_t AbsolutePage() const {
        return m_rs ? m_rs->AbsolutePage() : quva::rt::CLng(get(u"AbsolutePage"));
    }
    void setAbsolutePage(std::int16_t pagina) {
        if (m_rs)
            m_rs->setAbsolutePage(pagina);
        else
            quva::automation::let(m_objeto, QStringLiteral("AbsolutePage"), pagina);
    }
    void setPageSize(std::int16_t n) {
        if (m_rs)
            m_rs->setPageSize(n);
        else
            quva::automation::let(m_objeto, QStringLiteral("PageSize"), n);
    }
    void MoveFirst() {
        if (m_rs)
            m_rs->MoveFirst();
        else
            quva::automation::call(m_objeto, QStringLiteral("MoveFirst"));
    }
    void MoveNext() {
        if (m_rs)
            m_rs->MoveNext();
        else
            quva::automation::call(m_objeto, QStringLiteral("MoveNext"));
    }
    bool EOF_() const { return m_rs ? m_rs->EOF_() : quva::rt::CBool(get(u"EOF")).value != 0; }
    quva::rt::Variant valor(const char16_t* campo) const { return valor(QString::fromUtf16(campo)); }
    quva::rt::Variant valor(const QString& nome) const {
        if (m_rs) return m_rs->Fields(nome).Value();
        return quva::automation::get(
            quva::automation::obj(quva::automation::get(m_objeto, QStringLiteral("Fields"), nome)),
            QStringLiteral("Value"));
    }
    // What a report can take as its data source (13 for a recordset not of ours).
    std::shared_ptr<quva::ado::Recordset> paraRelatorio() const {
        auto rs = std::dynamic_pointer_cast<quva::ado::Recordset>(m_objeto);
        if (!rs) quva::rt::raise(quva::rt::err::TypeMismatch);
        return rs;
    }

private:
    quva::rt::Variant get(const char16_t* membro) const {
        return quva::automation::get(m_objeto, QString::fromUtf16(membro));
    }
    quva::rt::Object m_objeto;
    quva::ado::Recordset* m_rs;
};

} // namespace creceber
