// QUVA_N_ClientAnim.clsClientes: the clients, as the receivables screens
// look them up. Selecionar answers two ways of asking:
//  - a free search (third argument 1, the text in the fourth): the text is
//    found in the code, the nickname or trade name, or the name or legal
//    name;
//  - the card's lookup (third argument 0, the typed name in the fifth, the
//    code in the sixth): a code finds that client; a name finds the clients
//    called exactly that, or, when none is, those whose names contain it.
// Letter case and accents never matter ("joao" finds "João"). Clients of
// every situation come back with their situation: refusing the inactive,
// blocked and deleted ones is the caller's decision.

#include "ado/Recordset.h"
#include "automation/DispatchObject.h"
#include "automation/Server.h"
#include "suite/negocio/ConsultaDeNegocio.h"
#include "suite/storage/Banco.h"
#include "suite/storage/Cadastros.h"

#include <cmath>

namespace {

using namespace quva;
using automation::Args;
using rt::Variant;

const QString kLocal = QStringLiteral("QUVA_N_ClientAnim, clsClientes, Selecionar");

QString texto(const Variant& v) {
    const Variant& d = v.deref();
    return (d.isNull() || d.isMissing()) ? QString() : d.toString();
}

std::shared_ptr<ado::Recordset> emRecordset(const std::vector<suite::Cliente>& clientes) {
    static const std::vector<ado::FieldInfo> campos{
        {QStringLiteral("CodigoDoCliente"), ado::adInteger, 0},
        {QStringLiteral("ApelidoOuNomeFantasia"), ado::adVarWChar, 100},
        {QStringLiteral("NomeOuRazaoSocial"), ado::adVarWChar, 100},
        {QStringLiteral("Situacao"), ado::adInteger, 0},
        {QStringLiteral("EnderecoCompleto"), ado::adVarWChar, 255},
        {QStringLiteral("VIP"), ado::adVarWChar, 3},
        {QStringLiteral("CategoriaDaCurvaABC"), ado::adVarWChar, 1},
    };
    std::vector<Variant> valores;
    valores.reserve(clientes.size() * campos.size());
    for (const suite::Cliente& c : clientes) {
        valores.emplace_back(std::int32_t(c.codigo));
        valores.emplace_back(c.apelidoOuNomeFantasia);
        valores.emplace_back(c.nomeOuRazaoSocial);
        valores.emplace_back(std::int32_t(c.situacao));
        valores.emplace_back(c.enderecoCompleto());
        valores.emplace_back(c.vip ? QStringLiteral("Sim") : QStringLiteral("Não"));
        valores.emplace_back(c.categoriaDaCurvaABC);
    }
    return ado::Recordset::fromRows(campos, std::move(valores));
}

std::vector<suite::Cliente> pelaFicha(suite::Banco& banco, const QString& nome, std::int64_t codigo) {
    std::vector<suite::Cliente> exatos = suite::clientesPorNomeOuCodigo(banco, nome, codigo);
    if (!exatos.empty() || codigo != 0) return exatos;
    const QString procurado = suite::dobrar(nome.trimmed());
    if (procurado.isEmpty()) return {};
    std::vector<suite::Cliente> out;
    for (suite::Cliente& c : suite::pesquisarClientes(banco, procurado))
        if (suite::dobrar(c.apelidoOuNomeFantasia).contains(procurado) ||
            suite::dobrar(c.nomeOuRazaoSocial).contains(procurado))
            out.push_back(std::move(c));
    return out;
}

class clsClientes : public suite::ConsultaDeNegocio {
public:
    clsClientes() : ConsultaDeNegocio(QStringLiteral("clsClientes"), kLocal, emRecordset({})) {
        objectProperty(
            QStringLiteral("DadosDoUsuario"), [this](Args) { return Variant(m_dadosDoUsuario); },
            [this](Args a) {
                m_dadosDoUsuario = a[0].toObject();
                return Variant();
            });
        method(QStringLiteral("Selecionar"), 11, [this](Args a) { return Selecionar(a); });
        declararResultadoEFalha();
    }

private:
    Variant Selecionar(Args a) {
        return selecionar([&] {
            auto banco = suite::Banco::abrir();
            if (a[2].toLong() == 1) return emRecordset(suite::pesquisarClientes(*banco, texto(a[3])));
            const double codigo = a[5].deref().isNull() ? 0.0 : a[5].toDouble();
            if (codigo < 0 || codigo != std::floor(codigo) || codigo > 9.0e15)
                rt::raise(rt::err::InvalidCall,
                          QStringLiteral("Código de cliente inválido: %1.").arg(texto(a[5])));
            return emRecordset(pelaFicha(*banco, texto(a[4]), std::int64_t(codigo)));
        });
    }

    rt::Object m_dadosDoUsuario;
};

const automation::ServerDescription& descricao() {
    static const automation::ServerDescription d = [] {
        automation::ClassEntry e;
        e.progId = QStringLiteral("QUVA_N_ClientAnim.clsClientes");
        e.clsid = QStringLiteral("{10CA8DCB-3835-495C-A912-523C9FC4314A}");
        e.className = QStringLiteral("clsClientes");
        e.typeLib = QStringLiteral("QUVA_N_ClientAnim");
        e.typeLibId = QStringLiteral("{3749E8F4-0064-4923-AD1C-394B25879444}");
        e.version = QStringLiteral("1.0");
        e.description = QStringLiteral("QUVA - Negócio - Clientes");
        e.interfaceName = QStringLiteral("_clsClientes");
        e.interfaceId = QStringLiteral("{B1242015-D42E-4E3F-B146-E134EBC7A250}");
        return automation::ServerDescription{{automation::serverClass<clsClientes>(e)}};
    }();
    return d;
}

} // namespace

QUVA_AUTOMATION_SERVER(descricao)
