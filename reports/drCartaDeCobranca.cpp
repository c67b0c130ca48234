// drCartaDeCobranca: the collection letter for one overdue receivable.

#include "reports/Relatorios.h"

namespace creceber {

using namespace desenho;

namespace {

const char16_t kTextoA[] =
    u"           Considerando, porém, eventuais  desencontros  no  sistema  e  a  possibilidade  de  já  haver  "
    u"V.Sa.   efetuado  o  referido   pagamento,   lamentamos   o   transtorno   que  lhe causamos  e  pedimos  "
    u"a  especial  gentileza  de nos enviar o respectivo comprovante de pagamento,  ou   fazer  chegar   uma   "
    u"cópia   às  nossas    mãos,  facilitando-nos,   dessa maneira,  não  só  a  baixa em nossa base de dados "
    u"como a possibilidade de levantar as causas que ocasionaram o desencontro de dados. ";

const char16_t kTextoB[] =
    u"                Conforme apuração resultante  do  nosso  banco  de  dados, verificamos que, até presente "
    u"data, não consta o pagamento referente ao documento abaixo identificado:";

} // namespace

DataReport& drCartaDeCobranca() {
    static DataReport r(ReportDesign{
        u"drCartaDeCobranca", 10230, 850, 850, 850, 850, u"Ficha",
        {
            {u"CabecalhoDaPagina", SectionKind::PageHeader, 570,
             {
                 {u"linSeparador", Linha, u"", 170, 567, 9810, 0, Padrao, Esq, Fixo},
                 {u"lblNomeFantasiaDaEmpresa", Rotulo, u"Nome fantasia da empresa", 170, 0, 9750, 501, Arial24N, Cen, Cresce},
             }},
            {u"Dados", SectionKind::Detail, 12727,
             {
                 {u"lblLocalEDataDaEmissao", Rotulo, u"", 113, 170, 9810, 285, Arial12, Dir, Fixo},
                 {u"Line4", Linha, u"", 4476, 11520, 5442, 0, Padrao, Esq, Fixo},
                 {u"Label1", Rotulo, kTextoA, 113, 6129, 9810, 1875, Arial12, Esq, Fixo},
                 {u"lblTextoPrincipal", Rotulo, kTextoB, 113, 3464, 9810, 690, Arial12, Esq, Fixo},
                 {u"lblPrezado", Rotulo, u"Prezado Cliente:", 113, 1367, 9810, 285, Arial12, Esq, Fixo},
                 {u"txtNomeOuRazaoSocialDaEmpresa", Rotulo, u"Nome ou Razao Social da Empresa", 4422, 11622, 5499, 283, Tahoma975N, Dir, Fixo},
                 {u"lblNumeroDeLancamento", Rotulo, u"No. do documento:", 622, 4559, 2628, 285, Arial12, Esq, Fixo},
                 {u"lblVencimento", Rotulo, u"Vencimento:", 622, 4901, 2628, 285, Arial12, Esq, Fixo},
                 {u"lblValor", Rotulo, u"Valor:", 622, 5243, 2628, 285, Arial12, Esq, Fixo},
                 {u"txtNumeroDeLancamento", Caixa, u"", 3248, 4559, 5934, 285, Arial12N, Esq, Cresce},
                 {u"txtVencimento", Caixa, u"", 3248, 4901, 5934, 285, Arial12N, Esq, Cresce},
                 {u"txtValor", Caixa, u"", 3248, 5243, 5934, 285, Arial12N, Esq, Cresce},
                 {u"lblDepartamentoFinanceiro", Rotulo, u"Departamento Financeiro", 4422, 11847, 5499, 225, Padrao, Dir, Fixo},
                 {u"lblCodigoDoCliente", Rotulo, u"Código:", 622, 2051, 2628, 285, Arial12, Esq, Fixo},
                 {u"lblApelidoOuNomeFantasiaDoCliente", Rotulo, u"Apelido/Nome Fantasia:", 622, 2393, 2628, 285, Arial12, Esq, Fixo},
                 {u"lblNomeOuRazaoSocialDoCliente", Rotulo, u"Nome/Razão Social:", 622, 2735, 2628, 285, Arial12, Esq, Fixo},
                 {u"txtCodigoDoCliente", Caixa, u"", 3248, 2051, 5934, 285, Arial12N, Esq, Cresce},
                 {u"txtApelidoOuNomeFantasiaDoCliente", Caixa, u"", 3248, 2393, 5934, 285, Arial12N, Esq, Cresce},
                 {u"txtNomeOuRazaoSocialDoCliente", Caixa, u"", 3248, 2735, 5934, 285, Arial12N, Esq, Cresce},
             }},
            {u"RodapeDaPagina", SectionKind::PageFooter, 953,
             {
                 {u"lblEnderecoDaEmpresa", Rotulo, u"Endereço e bairro da empresa", 170, 160, 9810, 225, Padrao, Cen, Fixo},
                 {u"lblTelefoneDaEmpresa", Rotulo, u"Telefone da empresa", 170, 406, 9810, 225, Padrao, Cen, Fixo},
                 {u"lblEmailDaEmpresa", Rotulo, u"Email da empresa", 170, 632, 9810, 225, Padrao, Cen, Fixo},
                 {u"Line1", Linha, u"", 170, 56, 9810, 0, Padrao, Esq, Fixo},
             }},
        }});
    return r;
}

} // namespace creceber
