#include "contracts/QUVA_N_ClientAnim.h"

#include "automation/LateBound.h"
#include "contracts/Referencia.h"

namespace creceber::contratos::QUVA_N_ClientAnim {

using namespace quva::automation;
using detalhe::Referencia;

clsClientes clsClientes::Criar() {
    return clsClientes(Componente::Criar(QString::fromUtf16(kProgId)));
}

void clsClientes::DadosDoUsuario(const Object& objDadosDoUsuario) {
    set(instancia(), QStringLiteral("DadosDoUsuario"), objDadosDoUsuario);
}

Variant clsClientes::Selecionar(std::int32_t lng1, std::int16_t int2, std::int32_t lng3, const QString& str4,
                                const QString& str5, double dbl6, const QString& str7, const QString& str8,
                                const QString& str9, double dbl10, const QString& str11) {
    return call(instancia(), QStringLiteral("Selecionar"), lng1, int2, lng3, str4, str5, dbl6, str7, str8,
                str9, dbl10, str11);
}

Variant clsClientes::Selecionar(std::int32_t lng1, std::int16_t int2, std::int32_t lng3, const QString& str4,
                                PorRef<QString> str5, PorRef<double> dbl6, const QString& str7,
                                const QString& str8, const QString& str9, double dbl10,
                                const QString& str11) {
    Referencia texto(str5.valor);
    Referencia codigo(dbl6.valor);
    Variant r = call(instancia(), QStringLiteral("Selecionar"), lng1, int2, lng3, str4, texto.arg(),
                     codigo.arg(), str7, str8, str9, dbl10, str11);
    texto.devolver();
    codigo.devolver();
    return r;
}

Object clsClientes::ResultadoDaSelecaoEmRecordSet() const {
    return obj(get(instancia(), QStringLiteral("ResultadoDaSelecaoEmRecordSet")));
}

} // namespace creceber::contratos::QUVA_N_ClientAnim
