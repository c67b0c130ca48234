// A small self-registering library for the automation tests: calls, failures
// and objects handed across the library boundary.

#include "automation/DispatchObject.h"
#include "automation/Server.h"

#include <memory>

namespace {

using namespace quva;
using automation::Args;
using automation::DispatchObject;
using rt::Variant;

class Contador : public DispatchObject {
public:
    Contador() : DispatchObject(QStringLiteral("clsContador")) {
        method(QStringLiteral("Incrementar"), 0, [this](Args) { return Variant(++m_valor); });
    }

private:
    std::int32_t m_valor = 0;
};

class Calculadora : public DispatchObject {
public:
    Calculadora() : DispatchObject(QStringLiteral("clsCalculadora")) {
        method(QStringLiteral("Somar"), 2, [](Args a) { return Variant(a[0].toLong() + a[1].toLong()); });
        // An object kept by Set, read back by Get, and asked for its type.
        objectProperty(
            QStringLiteral("Grade"), [this](Args) { return Variant(m_grade); },
            [this](Args a) {
                m_grade = a[0].toObject();
                return Variant();
            });
        method(QStringLiteral("NomeDoTipoDaGrade"), 0, [this](Args) {
            if (!m_grade) rt::raise(rt::err::ObjectNotSet);
            return Variant(m_grade->typeName());
        });
        // Hands a new object of this library back through a by-reference argument.
        method(QStringLiteral("Paginar"), 1, [](Args a) {
            a[0].assign(Variant(rt::Object(std::make_shared<Contador>())));
            return Variant();
        });
        method(QStringLiteral("Falhar"), 1, [](Args a) -> Variant { rt::raise(a[0].toLong()); });
    }

private:
    rt::Object m_grade;
};

automation::ClassEntry entry(const QString& progId, const QString& clsid, const QString& className,
                             QStringList members) {
    automation::ClassEntry e;
    e.progId = progId;
    e.clsid = clsid;
    e.className = className;
    e.typeLib = QStringLiteral("QuvaTest");
    e.typeLibId = QStringLiteral("{5D2B8E41-3C07-4A7E-9F1B-2E6C0D4A8B13}");
    e.version = QStringLiteral("1.0");
    e.description = QStringLiteral("QUVA - Teste de Automação");
    e.interfaceName = u'_' + className;
    e.interfaceId = QStringLiteral("{7A0E3F52-1B9C-4D6A-8E2F-9C4B5A6D7E80}");
    e.members = std::move(members);
    return e;
}

const automation::ServerDescription& describe() {
    static const automation::ServerDescription d{{
        {entry(QStringLiteral("QuvaTest.Calculadora"),
               QStringLiteral("{3E1C6A7B-8F24-4D15-A9B0-C2D3E4F50617}"), QStringLiteral("clsCalculadora"),
               Calculadora().memberNames()),
         [] { return rt::Object(std::make_shared<Calculadora>()); }},
        {entry(QStringLiteral("QuvaTest.Contador"), QStringLiteral("{4F2D7B8C-9035-4E26-BAC1-D3E4F5061728}"),
               QStringLiteral("clsContador"), Contador().memberNames()),
         [] { return rt::Object(std::make_shared<Contador>()); }},
    }};
    return d;
}

} // namespace

QUVA_AUTOMATION_SERVER(describe)
