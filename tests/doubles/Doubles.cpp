// Stand-ins for the suite's other components, registered under their real
// ProgIDs. Each member takes the argument count its callers pass, records
// every call and answers as the test scripted it (see Script.h).

#include "Script.h"

#include "automation/DispatchObject.h"
#include "automation/Server.h"

#include <memory>
#include <vector>

namespace {

using namespace quva;
using automation::Args;

constexpr auto Call = rt::CallKind::Method, Get = rt::CallKind::PropertyGet, Let = rt::CallKind::PropertyLet,
               Set = rt::CallKind::PropertySet;
struct MemberShape {
    const char* name;
    rt::CallKind kind;
    int arity = 0; // methods only
};

class Scripted final : public automation::DispatchObject {
public:
    Scripted(const QString& progId, const QString& className, const std::vector<MemberShape>& members)
        : DispatchObject(className), m_progId(progId), m_instance(doubles::detail::newInstance(progId)) {
        for (const MemberShape& m : members) {
            const QString name = QString::fromLatin1(m.name);
            const Handler h = [this, name, k = m.kind](Args a) {
                return doubles::detail::answer(m_progId, m_instance, name, k, a);
            };
            if (m.kind == Call) method(name, m.arity, h);
            if (m.kind == Get) property(name, h, {});
            if (m.kind == Let) property(name, {}, h);
            if (m.kind == Set) objectProperty(name, {}, h);
        }
    }

private:
    QString m_progId;
    int m_instance;
};

// A business component's members, with its result and its error triple.
std::vector<MemberShape> negocio(std::vector<MemberShape> members) {
    for (const char* n : {"ResultadoDaSelecaoEmRecordSet", "NumeroDoErro", "DescricaoDoErro", "LocalDoErro"})
        members.push_back({n, Get});
    return members;
}

automation::ServerClass stand_in(const char* progId, const char* clsid, std::vector<MemberShape> members) {
    const QString p = QString::fromLatin1(progId);
    const QString className = p.section(u'.', 1);
    automation::ClassEntry e;
    e.progId = p;
    e.clsid = QString::fromLatin1(clsid);
    e.className = className;
    for (const MemberShape& m : members)
        e.members << QString::fromLatin1(m.name);
    return {e, [p, className, shapes = std::move(members)]() -> rt::Object {
                if (doubles::detail::createFails(p)) return nullptr;
                return std::make_shared<Scripted>(p, className, shapes);
            }};
}

const automation::ServerDescription& description() {
    static const automation::ServerDescription d{{
        stand_in("QUVA_N_CReceber.clsCReceber", "{3BD85D88-E73B-47B2-9CAF-2C8FF60ED750}",
                 negocio({{"Selecionar", Call, 4},
                          {"PaginarResultadoDaSelecaoEmRecordset", Call, 2},
                          {"SelecionarContasAReceber", Call, 5},
                          {"SelecionarContasAReceberBaixadas", Call, 4},
                          {"TotalDeValoresDosDocumentos", Get},
                          {"TotalDeDescontosEAbatimentos", Get},
                          {"TotalDeJurosMorasEMultas", Get},
                          {"TotalDeValoresBaixados", Get},
                          {"NumeroDoLancamento", Let},
                          {"CodigoDoCliente", Let},
                          {"Historico", Let},
                          {"DataDeVencimento", Let},
                          {"ValorDoDocumento", Let},
                          {"GradeDasParcelas", Set},
                          {"DadosDoUsuario", Set},
                          {"Adicionar", Call, 0},
                          {"Alterar", Call, 0},
                          {"Excluir", Call, 0},
                          {"NomeDoCampoValidado", Get},
                          {"DescricaoDaFalha", Get}})),
        stand_in("QUVA_N_ClientAnim.clsClientes", "{9372DD2A-EA22-4B33-9E9F-21CB1D6A4087}",
                 negocio({{"DadosDoUsuario", Set}, {"Selecionar", Call, 11}})),
        stand_in("QUVA_N_Empresa.clsEmpresa", "{1FD13551-4D38-49E9-A107-AF43ADE84F17}",
                 negocio({{"SelecionarNova", Call, 4}})),
        stand_in("QUVA_N_SO.clsObterVersaoDoSO", "{138F70F5-8529-4C21-BE3B-406B008938B6}",
                 {{"ObterversaoDoSO", Call, 0}}),
        stand_in("QUVA_A_MsgErro.clsMensagem", "{513D35AC-4F0C-4D5E-B0A2-3427EC987A49}",
                 {{"Exibir", Call, 4}}),
        stand_in("QUVA_A_MsgAcesso.clsMensagem", "{77BB5D47-BC52-459B-BFDE-2E7D85C40F3B}",
                 {{"Exibir", Call, 1}, {"Fechar", Call, 0}}),
        stand_in("QUVA_A_EfeitosDeTela.clsFundoEscuro", "{CF150F9E-1F05-40B6-9919-37106EDC060A}",
                 {{"Aplicar", Call, 1}, {"Remover", Call, 1}}),
    }};
    return d;
}

} // namespace

QUVA_AUTOMATION_SERVER(description)
