// drContasAReceber: the list of open receivables, portrait.

#include "reports/Relatorios.h"

namespace creceber {

using namespace desenho;

DataReport& drContasAReceber() {
    static DataReport r(ReportDesign{
        u"drContasAReceber", 10320, 850, 850, 850, 850, u"Ficha",
        {
            {u"Section1", SectionKind::ReportHeader, 0, {}},
            {u"Cabecalho", SectionKind::PageHeader, 2550,
             {
                 {u"linSeparador", Linha, u"", 170, 1992, 9810, 0, Padrao, Esq, Fixo},
                 {u"lblTitulo", Rotulo, u"Contas a receber", 170, 1021, 7994, 555, Arial2025, Esq, Fixo},
                 {u"lblData", Rotulo, u"%d", 9071, 1082, 855, 225, Padrao, Dir, Fixo},
                 {u"lblSubtitulo", Rotulo, u"Vencidas / A vencer / Vencidas e a vencer", 170, 1592, 9808, 270, Arial975, Esq, Fixo},
                 {u"lblNumeroDaPagina", Rotulo, u"%p", 9128, 1366, 240, 225, Padrao, Esq, Fixo},
                 {u"lblPagina", Rotulo, u"Página:", 8334, 1366, 737, 225, Padrao, Esq, Fixo},
                 {u"Label1", Rotulo, u"%P", 9694, 1365, 255, 225, Padrao, Dir, Fixo},
                 {u"lblDe", Rotulo, u"de", 9411, 1365, 282, 225, Padrao, Cen, Fixo},
                 {u"lblEmissao", Rotulo, u"Emissão:", 8334, 1082, 690, 225, Padrao, Esq, Fixo},
                 {u"lblLancamento", Rotulo, u"Nº Lanc.", 170, 2103, 915, 285, Arial975N, Esq, Fixo},
                 {u"lblCliente", Rotulo, u"Cliente", 1134, 2103, 2041, 284, Arial975N, Esq, Fixo},
                 {u"lblHistorico", Rotulo, u"Histórico", 3288, 2103, 3629, 285, Arial975N, Esq, Fixo},
                 {u"lblDataDeVencimento", Rotulo, u"Vencimento", 6973, 2103, 1245, 285, Arial975N, Esq, Fixo},
                 {u"lblValorDoDocumento", Rotulo, u"Valor", 8277, 2103, 1635, 285, Arial975N, Dir, Fixo},
                 {u"Line1", Linha, u"", 170, 2500, 9810, 0, Padrao, Esq, Fixo},
                 {u"lblNomeFantasiaDaEmpresa", Rotulo, u"Nome fantasia da empresa", 170, 227, 9810, 624, Arial24N, Esq, Cresce},
             }},
            {u"Dados", SectionKind::Detail, 227,
             {
                 {u"txtNumeroDoLancamento", Caixa, u"", 170, 0, 915, 225, Arial975, Esq, Fixo},
                 {u"txtCliente", Caixa, u"", 1134, 0, 2041, 225, Arial975, Esq, Fixo},
                 {u"txtHistorico", Caixa, u"", 3288, 0, 3629, 227, Arial975, Esq, Cresce},
                 {u"txtVencimento", Caixa, u"", 6973, 0, 1245, 227, Arial975, Esq, Fixo},
                 {u"txtValor", Caixa, u"", 8277, 0, 1635, 225, Arial975, Dir, Fixo, Moeda},
             }},
            {u"Rodape", SectionKind::PageFooter, 705,
             {
                 {u"Line2", Linha, u"", 170, 114, 9810, 0, Padrao, Esq, Fixo},
                 {u"lblTessaria", Rotulo, u"Tessaria", 170, 227, 1365, 227, Padrao, Esq, Fixo},
                 {u"lblTituloDoAplicativo", Rotulo, u"Título do aplicativo", 8050, 227, 1875, 225, Padrao, Dir, Fixo},
             }},
            {u"Totalizacao", SectionKind::ReportFooter, 778,
             {
                 {u"txtTotalDeValoresDosDocumentos", Rotulo, u"Total", 8277, 228, 1635, 285, Arial975N, Dir, Fixo},
                 {u"Line3", Linha, u"", 170, 684, 9810, 0, Padrao, Esq, Fixo},
                 {u"lblTotal", Rotulo, u"Total:", 6973, 227, 1245, 283, Arial975N, Esq, Fixo},
             }},
        }});
    return r;
}

} // namespace creceber
