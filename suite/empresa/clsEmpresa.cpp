// QUVA_N_Empresa.clsEmpresa: the company record that heads the printed
// documents. SelecionarNova hands out every company stored, first one
// current; an empty recordset means none has been registered yet.

#include "ado/Recordset.h"
#include "automation/DispatchObject.h"
#include "automation/Server.h"
#include "suite/negocio/ConsultaDeNegocio.h"
#include "suite/storage/Banco.h"
#include "suite/storage/Cadastros.h"

namespace {

using namespace quva;
using automation::Args;
using rt::Variant;

const QString kLocal = QStringLiteral("QUVA_N_Empresa, clsEmpresa, SelecionarNova");

std::shared_ptr<ado::Recordset> emRecordset(const std::vector<suite::Empresa>& empresas) {
    static const std::vector<ado::FieldInfo> campos{
        {QStringLiteral("NomeFantasia"), ado::adVarWChar, 100},
        {QStringLiteral("RazaoSocial"), ado::adVarWChar, 100},
        {QStringLiteral("CNPJ"), ado::adVarWChar, 18},
        {QStringLiteral("EnderecoCompleto"), ado::adVarWChar, 255},
        {QStringLiteral("Telefone"), ado::adVarWChar, 30},
        {QStringLiteral("Email"), ado::adVarWChar, 100},
        {QStringLiteral("Cidade"), ado::adVarWChar, 60},
    };
    std::vector<Variant> valores;
    for (const suite::Empresa& e : empresas) {
        valores.emplace_back(e.nomeFantasia);
        valores.emplace_back(e.razaoSocial);
        valores.emplace_back(e.cnpj);
        valores.emplace_back(e.enderecoCompleto());
        valores.emplace_back(e.telefone);
        valores.emplace_back(e.email);
        valores.emplace_back(e.cidade);
    }
    return ado::Recordset::fromRows(campos, std::move(valores));
}

class clsEmpresa : public suite::ConsultaDeNegocio {
public:
    clsEmpresa() : ConsultaDeNegocio(QStringLiteral("clsEmpresa"), kLocal, emRecordset({})) {
        method(QStringLiteral("SelecionarNova"), 4, [this](Args) {
            return selecionar([] { return emRecordset(suite::lerEmpresas(*suite::Banco::abrir())); });
        });
        declararResultadoEFalha();
    }
};

const automation::ServerDescription& descricao() {
    static const automation::ServerDescription d = [] {
        automation::ClassEntry e;
        e.progId = QStringLiteral("QUVA_N_Empresa.clsEmpresa");
        e.clsid = QStringLiteral("{91456CBE-3655-4008-9370-C4EA5D1D0510}");
        e.className = QStringLiteral("clsEmpresa");
        e.typeLib = QStringLiteral("QUVA_N_Empresa");
        e.typeLibId = QStringLiteral("{3DF30811-BE86-4BB1-8C01-906C77D8311B}");
        e.version = QStringLiteral("1.0");
        e.description = QStringLiteral("QUVA - Negócio - Empresa");
        e.interfaceName = QStringLiteral("_clsEmpresa");
        e.interfaceId = QStringLiteral("{1B58ACE8-3B58-4409-90E9-CA0DEE13AE40}");
        return automation::ServerDescription{{automation::serverClass<clsEmpresa>(e)}};
    }();
    return d;
}

} // namespace

QUVA_AUTOMATION_SERVER(descricao)
