#pragma once
// What the company stand-in hands out: the suite's company records, with
// the fields the suite's own component gives them.

#include "Script.h"
#include "ado/Recordset.h"

#include <QString>

#include <vector>

namespace quva::doubles {

inline const QString kEmpresa = QStringLiteral("QUVA_N_Empresa.clsEmpresa");

struct Empresa {
    QString nomeFantasia, endereco, telefone, email, cidade;
};

// The stand-in answers SelecionarNova with 0 and hands out these companies,
// the first one current; without Cidade when asked.
inline void cadastrarEmpresas(const std::vector<Empresa>& v, bool comCidade = true) {
    std::vector<ado::FieldInfo> campos{{QStringLiteral("NomeFantasia"), ado::adVarWChar, 100},
                                       {QStringLiteral("EnderecoCompleto"), ado::adVarWChar, 255},
                                       {QStringLiteral("Telefone"), ado::adVarWChar, 30},
                                       {QStringLiteral("Email"), ado::adVarWChar, 100}};
    if (comCidade) campos.push_back({QStringLiteral("Cidade"), ado::adVarWChar, 60});
    std::vector<rt::Variant> valores;
    for (const Empresa& e : v) {
        valores.insert(valores.end(), {e.nomeFantasia, e.endereco, e.telefone, e.email});
        if (comCidade) valores.emplace_back(e.cidade);
    }
    setResult(kEmpresa, QStringLiteral("SelecionarNova"), std::int32_t(0));
    setResult(kEmpresa, QStringLiteral("ResultadoDaSelecaoEmRecordSet"),
              rt::Variant(ado::Recordset::fromRows(campos, std::move(valores))));
}

} // namespace quva::doubles
