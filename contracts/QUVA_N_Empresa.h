#pragma once
// QUVA_N_Empresa.clsEmpresa: the company record.

#include "contracts/Contrato.h"

namespace creceber::contratos::QUVA_N_Empresa {

class CRECEBER_API clsEmpresa : public ComponenteDeNegocio {
public:
    static constexpr const char16_t* kProgId = u"QUVA_N_Empresa.clsEmpresa";
    using ComponenteDeNegocio::ComponenteDeNegocio;
    static clsEmpresa Criar();

    // Result 0 is success.
    Variant SelecionarNova(std::int32_t lng1, std::int16_t int2, std::int32_t lng3, const QString& str4);
    // Every company, first one current: NomeFantasia, RazaoSocial, CNPJ,
    // EnderecoCompleto, Telefone, Email, Cidade. Empty when none is registered.
    Object ResultadoDaSelecaoEmRecordSet() const;
};

} // namespace creceber::contratos::QUVA_N_Empresa
