// A component that receives a grid object by Set and reads it through late
// binding only, as a business component reads the installment grid it is handed.

#include "automation/DispatchObject.h"
#include "automation/LateBound.h"
#include "automation/Server.h"

#include <QStringList>

namespace {

using namespace quva;
using automation::Args;
using rt::Variant;

class LeitorDeGrade : public automation::DispatchObject {
public:
    LeitorDeGrade() : DispatchObject(QStringLiteral("clsLeitorDeGrade")) {
        objectProperty(
            QStringLiteral("GradeDasParcelas"), [this](Args) { return Variant(m_grade); },
            [this](Args a) {
                m_grade = a[0].toObject();
                return Variant();
            });
        method(QStringLiteral("Linhas"), 0,
               [this](Args) { return automation::get(grade(), QStringLiteral("Rows")); });
        // Every data row as "c0|c1|…", rows joined by ";".
        method(QStringLiteral("Parcelas"), 0, [this](Args) {
            const rt::Object g = grade();
            const std::int32_t rows = automation::get(g, QStringLiteral("Rows")).toLong();
            const std::int32_t cols = automation::get(g, QStringLiteral("Cols")).toLong();
            QStringList linhas;
            for (std::int32_t r = 1; r < rows; ++r) {
                QStringList celulas;
                for (std::int32_t c = 0; c < cols; ++c)
                    celulas << automation::get(g, QStringLiteral("TextMatrix"), r, c).toString();
                linhas << celulas.join(u'|');
            }
            return Variant(linhas.join(u';'));
        });
        method(QStringLiteral("Escrever"), 3, [this](Args a) {
            automation::let(grade(), QStringLiteral("TextMatrix"), a[0].deref(), a[1].deref(), a[2].deref());
            return Variant();
        });
    }

private:
    rt::Object grade() const {
        if (!m_grade) rt::raise(rt::err::ObjectNotSet);
        return m_grade;
    }
    rt::Object m_grade;
};

const automation::ServerDescription& describe() {
    static const automation::ServerDescription d{{
        {[] {
             automation::ClassEntry e;
             e.progId = QStringLiteral("QuvaTesteGrade.clsLeitorDeGrade");
             e.clsid = QStringLiteral("{8B3E5C21-6D4F-4A97-B2E0-1F7C9D3A5E64}");
             e.className = QStringLiteral("clsLeitorDeGrade");
             e.typeLib = QStringLiteral("QuvaTesteGrade");
             e.typeLibId = QStringLiteral("{2C7A9E13-5B8D-4F60-A1C4-7E3D0B9F6A25}");
             e.version = QStringLiteral("1.0");
             e.description = QStringLiteral("QUVA - Teste da grade");
             e.interfaceName = QStringLiteral("_clsLeitorDeGrade");
             e.interfaceId = QStringLiteral("{4E1F7A39-0C6B-4D82-9E5A-3B8C2D7F1E06}");
             e.members = LeitorDeGrade().memberNames();
             return e;
         }(),
         [] { return rt::Object(std::make_shared<LeitorDeGrade>()); }},
    }};
    return d;
}

} // namespace

QUVA_AUTOMATION_SERVER(describe)
