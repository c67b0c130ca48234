#include "contracts/QUVA_N_CReceber.h"

#include "automation/LateBound.h"
#include "contracts/Referencia.h"

namespace creceber::contratos::QUVA_N_CReceber {

using namespace quva::automation;
using detalhe::Referencia;
using detalhe::variantePorReferencia;
using quva::rt::Boolean;

clsCReceber clsCReceber::Criar() {
    return clsCReceber(Componente::Criar(QString::fromUtf16(kProgId)));
}

Variant clsCReceber::Selecionar(std::int32_t lngOpcao, std::int16_t& intRegistrosPorPagina,
                                std::int32_t lngSituacao, const QString& strTextoDePesquisa) {
    Referencia registros(intRegistrosPorPagina);
    Variant r = call(instancia(), QStringLiteral("Selecionar"), lngOpcao, registros.arg(), lngSituacao,
                     strTextoDePesquisa);
    registros.devolver();
    return r;
}

Object clsCReceber::ResultadoDaSelecaoEmRecordSet() const {
    return obj(get(instancia(), QStringLiteral("ResultadoDaSelecaoEmRecordSet")));
}

void clsCReceber::PaginarResultadoDaSelecaoEmRecordset(std::int16_t& intRegistrosPorPagina,
                                                       Object& objPagina) {
    Referencia registros(intRegistrosPorPagina);
    Referencia pagina(objPagina);
    call(instancia(), QStringLiteral("PaginarResultadoDaSelecaoEmRecordset"), registros.arg(), pagina.arg());
    registros.devolver();
    pagina.devolver();
}

Variant clsCReceber::SelecionarContasAReceber(std::int16_t& intTipo, Variant& varFiltro,
                                              Boolean& booTodasAsDatas, QString& strDataInicial,
                                              QString& strDataFinal) {
    Referencia tipo(intTipo);
    Referencia todas(booTodasAsDatas);
    Referencia inicial(strDataInicial);
    Referencia final_(strDataFinal);
    Variant r = call(instancia(), QStringLiteral("SelecionarContasAReceber"), tipo.arg(),
                     variantePorReferencia(varFiltro), todas.arg(), inicial.arg(), final_.arg());
    tipo.devolver();
    todas.devolver();
    inicial.devolver();
    final_.devolver();
    return r;
}

Variant clsCReceber::SelecionarContasAReceberBaixadas(Boolean& booTodasAsDatas, Variant& varFiltro,
                                                      QString& strDataInicial, QString& strDataFinal) {
    Referencia todas(booTodasAsDatas);
    Referencia inicial(strDataInicial);
    Referencia final_(strDataFinal);
    Variant r = call(instancia(), QStringLiteral("SelecionarContasAReceberBaixadas"), todas.arg(),
                     variantePorReferencia(varFiltro), inicial.arg(), final_.arg());
    todas.devolver();
    inicial.devolver();
    final_.devolver();
    return r;
}

Variant clsCReceber::TotalDeValoresDosDocumentos() const {
    return get(instancia(), QStringLiteral("TotalDeValoresDosDocumentos"));
}
Variant clsCReceber::TotalDeDescontosEAbatimentos() const {
    return get(instancia(), QStringLiteral("TotalDeDescontosEAbatimentos"));
}
Variant clsCReceber::TotalDeJurosMorasEMultas() const {
    return get(instancia(), QStringLiteral("TotalDeJurosMorasEMultas"));
}
Variant clsCReceber::TotalDeValoresBaixados() const {
    return get(instancia(), QStringLiteral("TotalDeValoresBaixados"));
}

void clsCReceber::NumeroDoLancamento(double v) {
    let(instancia(), QStringLiteral("NumeroDoLancamento"), v);
}
void clsCReceber::CodigoDoCliente(double v) {
    let(instancia(), QStringLiteral("CodigoDoCliente"), v);
}
void clsCReceber::Historico(const QString& v) {
    let(instancia(), QStringLiteral("Historico"), v);
}
void clsCReceber::DataDeVencimento(const QString& v) {
    let(instancia(), QStringLiteral("DataDeVencimento"), v);
}
void clsCReceber::ValorDoDocumento(const Variant& v) {
    let(instancia(), QStringLiteral("ValorDoDocumento"), v);
}

void clsCReceber::GradeDasParcelas(Object& objGrade) {
    Referencia grade(objGrade);
    set(instancia(), QStringLiteral("GradeDasParcelas"), grade.arg());
    grade.devolver();
}
void clsCReceber::DadosDoUsuario(Object& objDadosDoUsuario) {
    Referencia dados(objDadosDoUsuario);
    set(instancia(), QStringLiteral("DadosDoUsuario"), dados.arg());
    dados.devolver();
}

Variant clsCReceber::Adicionar() {
    return call(instancia(), QStringLiteral("Adicionar"));
}
Variant clsCReceber::Alterar() {
    return call(instancia(), QStringLiteral("Alterar"));
}
Variant clsCReceber::Excluir() {
    return call(instancia(), QStringLiteral("Excluir"));
}
Variant clsCReceber::NomeDoCampoValidado() const {
    return get(instancia(), QStringLiteral("NomeDoCampoValidado"));
}
Variant clsCReceber::DescricaoDaFalha() const {
    return get(instancia(), QStringLiteral("DescricaoDaFalha"));
}

} // namespace creceber::contratos::QUVA_N_CReceber
