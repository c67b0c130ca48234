// dr2aViaComprovanteDePagamentoDeDebito: the duplicate of the receipt of one settlement.

#include "reports/Relatorios.h"

namespace creceber {

using namespace desenho;

DataReport& dr2aViaComprovanteDePagamentoDeDebito() {
    static DataReport r(ReportDesign{
        u"dr2aViaComprovanteDePagamentoDeDebito", 10365, 1440, 1440, 1440, 1440, u"Procedimentos",
        {
            {u"CabecalhoDaPagina", SectionKind::PageHeader, 1740,
             {
                 {u"lblTitulo", Rotulo, u"Comprovante de pagamento (2a. via)", 170, 907, 7994, 510, Arial2025, Esq, Fixo},
                 {u"linSeparador", Linha, u"", 170, 1644, 9810, 0, Padrao, Esq, Fixo},
                 {u"lblData", Rotulo, u"%d", 9014, 907, 957, 225, Padrao, Dir, Fixo},
                 {u"Label6", Rotulo, u"%p", 9071, 1191, 240, 225, Padrao, Esq, Fixo},
                 {u"Label7", Rotulo, u"Página:", 8277, 1191, 680, 225, Padrao, Esq, Fixo},
                 {u"Label9", Rotulo, u"%P", 9694, 1191, 284, 225, Padrao, Dir, Fixo},
                 {u"lblDe", Rotulo, u"de", 9354, 1190, 285, 225, Padrao, Cen, Fixo},
                 {u"lblEmissao", Rotulo, u"Emissão:", 8277, 907, 690, 225, Padrao, Esq, Fixo},
                 {u"lblNomeFantasiaDaEmpresa", Rotulo, u"Nome fantasia da empresa", 170, 113, 9810, 624, Arial24N, Esq, Cresce},
             }},
            {u"Detalhes", SectionKind::Detail, 4086,
             {
                 {u"lblTituloDescricaoDoDebito", Rotulo, u"Descrição do débito:", 170, 563, 2040, 285, Arial975N, Esq, Fixo},
                 {u"lblTituloCliente", Rotulo, u"Cliente:", 170, 171, 735, 285, Arial975N, Esq, Fixo},
                 {u"lblTituloValorTotal", Rotulo, u"Valor total:", 5784, 1813, 2100, 285, Arial975N, Dir, Fixo},
                 {u"lblTituloValorPago", Rotulo, u"Valor pago:", 5784, 2212, 2100, 285, Arial975N, Dir, Fixo},
                 {u"txtCliente", Caixa, u"", 963, 171, 8955, 285, Arial975N, Esq, Cresce},
                 {u"txtDescricaoDoDebito", Caixa, u"", 450, 912, 9465, 285, Arial975N, Esq, Cresce},
                 {u"txtValorTotal", Caixa, u"", 7994, 1814, 1875, 285, Arial975N, Esq, Cresce},
                 {u"txtValorPago", Caixa, u"", 7994, 2213, 1875, 285, Arial975N, Esq, Cresce},
             }},
            {u"RodapeDaPagina", SectionKind::PageFooter, 1037,
             {
                 {u"Line5", Linha, u"", 227, 682, 9751, 1, Padrao, Esq, Fixo},
                 {u"lblTessaria", Rotulo, u"Tessaria", 227, 797, 1365, 240, Padrao, Esq, Fixo},
                 {u"lblTituloDoAplicativo", Rotulo, u"Titulo do Aplicativo", 8087, 797, 1875, 240, Padrao, Dir, Fixo},
                 {u"Line4", Linha, u"", 5699, 5, 4185, 0, Padrao, Esq, Fixo},
                 {u"lblAssinatura", Rotulo, u"Assinatura", 5669, 119, 4230, 225, Arial975N, Cen, Fixo},
             }},
        }});
    return r;
}

} // namespace creceber
