// drContasAReceberBaixadas: the list of settled receivables, printed in landscape.

#include "reports/Relatorios.h"

namespace creceber {

using namespace desenho;

DataReport& drContasAReceberBaixadas() {
    static DataReport r(ReportDesign{
        u"drContasAReceberBaixadas", 14835, 1440, 1440, 1440, 1440, u"DataReport1",
        {
            {u"Section1", SectionKind::ReportHeader, 0, {}},
            {u"Cabecalho", SectionKind::PageHeader, 2550,
             {
                 {u"lblTitulo", Rotulo, u"Contas a receber", 170, 1021, 4535, 510, Arial2025, Esq, Fixo},
                 {u"linSeparador", Linha, u"", 170, 1992, 14067, 0, Padrao, Esq, Fixo},
                 {u"lblDataDeEmissao", Rotulo, u"%d", 13232, 1021, 957, 225, Padrao, Dir, Fixo},
                 {u"Label6", Rotulo, u"%p", 13289, 1305, 240, 225, Padrao, Esq, Fixo},
                 {u"Label7", Rotulo, u"Página:", 12495, 1305, 680, 225, Padrao, Esq, Fixo},
                 {u"lblDe", Rotulo, u"de", 13572, 1304, 285, 225, Padrao, Cen, Fixo},
                 {u"lblEmissao", Rotulo, u"Emissão:", 12495, 1021, 690, 225, Padrao, Esq, Fixo},
                 {u"lblNomeFantasiaDaEmpresa", Rotulo, u"Nome fantasia da empresa", 170, 227, 14003, 624, Arial24N, Esq, Cresce},
                 {u"Line1", Linha, u"", 170, 2500, 14067, 0, Padrao, Esq, Fixo},
                 {u"lblSubtitulo", Rotulo, u"Contas recebidas", 170, 1592, 14060, 240, Arial975, Esq, Fixo},
                 {u"Label9", Rotulo, u"%P", 13912, 1305, 284, 225, Padrao, Dir, Fixo},
                 {u"lblLancamento", Rotulo, u"Nº Lanc.", 170, 2098, 846, 285, Arial975N, Esq, Fixo},
                 {u"lblCliente", Rotulo, u"Cliente", 1077, 2103, 1814, 284, Arial975N, Esq, Fixo},
                 {u"lblHistorico", Rotulo, u"Histórico", 2946, 2103, 2949, 285, Arial975N, Esq, Fixo},
                 {u"lblDataDeVencimento", Rotulo, u"Dt. Venc.", 5947, 2103, 1131, 285, Arial975N, Esq, Fixo},
                 {u"lblValorDoDocumento", Rotulo, u"Val. Doc.", 7137, 2103, 1464, 285, Arial975N, Dir, Fixo},
                 {u"lblDescontoAbatimento", Rotulo, u"Des. Abat.", 8664, 2098, 1238, 283, Arial975N, Dir, Fixo},
                 {u"lbJuroslMoraMulta", Rotulo, u"Jrs./Mora/Multa", 9967, 2098, 1518, 285, Arial975N, Dir, Fixo},
                 {u"lblDataDaBaixa", Rotulo, u"Dt.Receb.", 11566, 2098, 1245, 285, Arial975N, Cen, Fixo},
                 {u"lblValorDaBaixa", Rotulo, u"Val. Recebido", 12813, 2098, 1455, 285, Arial975N, Dir, Fixo},
             }},
            {u"Dados", SectionKind::Detail, 284,
             {
                 {u"txtNumeroDoLancamento", Caixa, u"", 170, 0, 846, 227, Arial975, Esq, Fixo},
                 {u"txtCliente", Caixa, u"", 1077, 0, 1814, 225, Arial975, Esq, Fixo},
                 {u"txtHistorico", Caixa, u"", 2946, 0, 2949, 227, Arial975, Esq, Cresce},
                 {u"txtDataDeVencimento", Caixa, u"", 5947, 0, 1131, 227, Arial975, Esq, Fixo},
                 {u"txtValorDoDocumento", Caixa, u"", 7137, 0, 1464, 225, Arial975, Dir, Fixo, Moeda},
                 {u"txtDescontoAbatimento", Caixa, u"", 8664, 0, 1238, 227, Arial975, Dir, Fixo, Moeda},
                 {u"txtJurosMoraMulta", Caixa, u"", 9967, 0, 1530, 225, Arial975, Dir, Fixo, Moeda},
                 {u"txtDataDaBaixa", Caixa, u"", 11558, 0, 1245, 227, Arial975, Cen, Fixo},
                 {u"txtValorDaBaixa", Caixa, u"", 12813, 0, 1455, 227, Arial975, Dir, Fixo, Moeda},
             }},
            {u"Rodape", SectionKind::PageFooter, 690,
             {
                 {u"Line2", Linha, u"", 170, 114, 14067, 0, Padrao, Esq, Fixo},
                 {u"lblTessaria", Rotulo, u"Tessaria", 170, 227, 1365, 240, Padrao, Esq, Fixo},
                 {u"lblTituloDoAplicativo", Rotulo, u"Titulo do Aplicativo", 12362, 227, 1875, 240, Padrao, Dir, Fixo},
             }},
            {u"Totalizacao", SectionKind::ReportFooter, 825,
             {
                 {u"lblTotalDeValoresDosDocumentos", Rotulo, u"Val. Doc.", 7365, 227, 1464, 285, Arial975N, Dir, Fixo},
                 {u"Line3", Linha, u"", 227, 684, 14067, 0, Padrao, Esq, Fixo},
                 {u"lblTotal", Rotulo, u"Total:", 6118, 227, 1245, 283, Arial975N, Esq, Fixo},
                 {u"lblTotalDeDescontosEAbatimentos", Rotulo, u"Des. Abat.", 8892, 227, 1238, 283, Arial975N, Dir, Fixo},
                 {u"lblTotalDeJurosMorasEMultas", Rotulo, u"Juros/Mora/Multa", 10195, 227, 1238, 283, Arial975N, Dir, Fixo},
                 {u"lblTotalDeValoresBaixados", Rotulo, u"Valor receb.", 12813, 227, 1455, 283, Arial975N, Dir, Fixo},
             }},
        },
        2});
    return r;
}

} // namespace creceber
