// Registration of the component's one creatable class and the library's
// four entry points.

#include "automation/Server.h"
#include "component/clsCReceber.h"

#include <memory>

namespace {

const quva::automation::ServerDescription& descricao() {
    static const quva::automation::ServerDescription d = [] {
        quva::automation::ClassEntry e;
        e.progId = QStringLiteral("QUVA_A_CReceber.clsCReceber");
        e.clsid = QStringLiteral("{FC77F644-9829-4FBF-B8F1-BED2FB1BA1C4}");
        e.className = QStringLiteral("clsCReceber");
        e.typeLib = QStringLiteral("QUVA_A_CReceber");
        e.typeLibId = QStringLiteral("{9A1F3A22-FF60-47C1-89CB-72FDC3E7069D}");
        e.version = QStringLiteral("1.0");
        e.description = QStringLiteral("QUVA - Apresentação - Contas a Receber");
        e.interfaceName = QStringLiteral("_clsCReceber");
        e.interfaceId = QStringLiteral("{843C3156-6109-49EB-817A-737D1428FC42}");
        e.members = creceber::clsCReceber().memberNames();
        quva::automation::ServerDescription s;
        s.classes.push_back({e, [] { return quva::rt::Object(std::make_shared<creceber::clsCReceber>()); }});
        return s;
    }();
    return d;
}

} // namespace

QUVA_AUTOMATION_SERVER(descricao)
