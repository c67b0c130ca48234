#pragma once
// QUVA_N_CReceber.clsCReceber: rules and storage of the receivables.

#include "contracts/Contrato.h"

namespace creceber::contratos::QUVA_N_CReceber {

class CRECEBER_API clsCReceber : public ComponenteDeNegocio {
public:
    static constexpr const char16_t* kProgId = u"QUVA_N_CReceber.clsCReceber";
    using ComponenteDeNegocio::ComponenteDeNegocio;
    static clsCReceber Criar();

    // Result 0 is success.
    Variant Selecionar(std::int32_t lngOpcao, std::int16_t& intRegistrosPorPagina, std::int32_t lngSituacao,
                       const QString& strTextoDePesquisa);
    Object ResultadoDaSelecaoEmRecordSet() const;
    // The page AbsolutePage was set to comes back in objPagina.
    void PaginarResultadoDaSelecaoEmRecordset(std::int16_t& intRegistrosPorPagina, Object& objPagina);
    Variant SelecionarContasAReceber(std::int16_t& intTipo, Variant& varFiltro,
                                     quva::rt::Boolean& booTodasAsDatas, QString& strDataInicial,
                                     QString& strDataFinal);
    Variant SelecionarContasAReceberBaixadas(quva::rt::Boolean& booTodasAsDatas, Variant& varFiltro,
                                             QString& strDataInicial, QString& strDataFinal);

    Variant TotalDeValoresDosDocumentos() const;
    Variant TotalDeDescontosEAbatimentos() const;
    Variant TotalDeJurosMorasEMultas() const;
    Variant TotalDeValoresBaixados() const;

    void NumeroDoLancamento(double dblNumeroDoLancamento);
    void CodigoDoCliente(double dblCodigoDoCliente);
    void Historico(const QString& strHistorico);
    void DataDeVencimento(const QString& strDataDeVencimento);
    void ValorDoDocumento(const Variant& varValorDoDocumento);
    void GradeDasParcelas(Object& objGrade);        // set, by reference
    void DadosDoUsuario(Object& objDadosDoUsuario); // set, by reference

    // 0 done; 1 failure (error triple); 2 validation failure; 3 refusal.
    Variant Adicionar();
    Variant Alterar();
    Variant Excluir();
    Variant NomeDoCampoValidado() const;
    Variant DescricaoDaFalha() const;
};

} // namespace creceber::contratos::QUVA_N_CReceber
