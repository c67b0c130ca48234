#pragma once
// QUVA_N_ClientAnim.clsClientes: the clients.

#include "contracts/Contrato.h"

namespace creceber::contratos::QUVA_N_ClientAnim {

class CRECEBER_API clsClientes : public ComponenteDeNegocio {
public:
    static constexpr const char16_t* kProgId = u"QUVA_N_ClientAnim.clsClientes";
    using ComponenteDeNegocio::ComponenteDeNegocio;
    static clsClientes Criar();

    void DadosDoUsuario(const Object& objDadosDoUsuario);

    // Result 0 is success. The search dialog passes everything by value.
    Variant Selecionar(std::int32_t lng1, std::int16_t int2, std::int32_t lng3, const QString& str4,
                       const QString& str5, double dbl6, const QString& str7, const QString& str8,
                       const QString& str9, double dbl10, const QString& str11);
    // The card passes the typed name and the client code by reference.
    Variant Selecionar(std::int32_t lng1, std::int16_t int2, std::int32_t lng3, const QString& str4,
                       PorRef<QString> str5, PorRef<double> dbl6, const QString& str7, const QString& str8,
                       const QString& str9, double dbl10, const QString& str11);

    Object ResultadoDaSelecaoEmRecordSet() const;
};

} // namespace creceber::contratos::QUVA_N_ClientAnim
