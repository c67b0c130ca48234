// frmLista: the grid, its pages, the navigation bar and the row buttons
// that follow the pointer.

#include "ado/Recordset.h"
#include "automation/LateBound.h"
#include "component/Procedimento.h"
#include "forms/list/frmLista.h"
#include "forms/shell/Registros.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"

#include <algorithm>
#include <cmath>

namespace creceber {

using namespace quva::flexgrid;
using quva::rt::Object;
using quva::rt::Variant;
namespace rt = quva::rt;
namespace automation = quva::automation;

namespace {

constexpr OleColor kCinza = 0x808080;
constexpr OleColor kPreto = 0x000000;
constexpr OleColor kBranco = 0xFFFFFF;
constexpr OleColor kFundoDaLinhaImpar = 0xF2F2F2;
constexpr std::int32_t kAlturaDoCabecalho = 700;
constexpr std::int32_t kAlturaDaLinha = 570;
// An action code of AtualizarObjetos outside 0 to 6: the bar's general rule,
// counted in 32 bits. A page the clerk reached can be re-paged from any
// row, and 16 bits would refuse a resize past row 32767 after the grid
// already shows the new page.
constexpr std::int32_t kCodigoRepaginar = 7;

struct Coluna {
    const char16_t* cabecalho;
    std::int32_t largura;
    bool centro;
    const char16_t* campo; // nullptr: no text
};
// clang-format off
constexpr Coluna kColunas[colunas::Total] = {
    {u"Coluna em branco", 0, false, nullptr},
    {u"Nº Lançamento", 1600, true, u"NumeroDoLancamento"},
    {u"Código do\r\nCliente", 2560, false, u"CodigoDoCliente"},
    {u"Apelido ou \r\nNome do cliente", 0, false, u"ApelidoOuNomeFantasiaDoCliente"},
    {u"Nome ou \r\nRazão Social do cliente", 4000, false, u"NomeOuRazaoSocialDoCliente"},
    {u"Histórico", 4000, false, u"Historico"},
    {u"Número da venda", 0, true, u"NumeroDaVenda"},
    {u"Data da venda", 0, true, u"DataDaVenda"},
    {u"Valor da venda", 0, true, u"ValorDaVenda"},
    {u"Valor recebido a vista", 0, true, u"ValorRecebidoAVista"},
    {u"Percentual recebido a vista", 0, true, u"PercentualRecebidoAVista"},
    {u"Número da parcela", 0, true, u"NumeroDaParcela"},
    {u"Número de parcelas", 0, true, u"NumeroDeParcelas"},
    {u"Número de parcelas anterior ao recebimento", 0, true, u"NumeroDeParcelasAnteriorAoReparcelamento"},
    {u"Data de vencimento", 1500, true, u"DataDeVencimento"},
    {u"Valor do documento", 1500, true, u"ValorDoDocumento"},
    {u"Desconto/Abatimento", 0, true, u"DescontoAbatimento"},
    {u"Juros/Mora/Multa", 0, true, u"JurosMoraMulta"},
    {u"Data da baixa", 0, true, u"DataDaBaixa"},
    {u"Valor da baixa", 0, true, u"ValorDaBaixa"},
    {u"Situação", 1400, true, nullptr},
    {u"Data e hora da inclusão", 0, false, u"DataEHoraDaInclusao"},
    {u"Usuário da inclusão", 0, false, u"UsuarioDaInclusao"},
    {u"Data e hora da alteração", 0, false, u"DataEHoraDaAlteracao"},
    {u"Usuário da alteração", 0, false, u"UsuarioDaAlteracao"},
};
// clang-format on

// The row buttons' offsets from the right edge of the reference cell.
constexpr float kDeslocamentos[5] = {2850, 2280, 1710, 1140, 570};

} // namespace

void frmLista::ConfigurarGrade() {
    Procedimento ponto(u", frmLista, ConfigurarGrade, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        msfgGrade->setVisible(false);
        msfgGrade->setRedraw(false);
        msfgGrade->Clear();

        ponto(2);
        msfgGrade->setFocusRect(flexFocusNone);
        msfgGrade->setAppearance(flexFlat);
        msfgGrade->setBorderStyle(flexBorderNone);
        msfgGrade->setFixedCols(0);
        msfgGrade->setFont(QStringLiteral("Arial"), 11);
        msfgGrade->setBackColorFixed(0xF5F5F6);
        msfgGrade->setBackColorSel(0xD9D9D9);
        msfgGrade->setForeColorSel(quva::forms::vbButtonText);
        msfgGrade->setBackColorBkg(kBranco);
        msfgGrade->setGridColor(0xEFEFEF);
        msfgGrade->setGridColorFixed(0xEFEFEF);
        msfgGrade->setBackColor(kBranco);
        msfgGrade->setForeColor(kPreto);
        msfgGrade->setGridLines(flexGridNone);
        msfgGrade->setGridLinesFixed(flexGridNone);
        msfgGrade->setSelectionMode(flexSelectionByRow);

        ponto(3);
        msfgGrade->setRows(1);
        msfgGrade->setCols(colunas::Total);

        ponto(4);
        for (std::int32_t c = 0; c < colunas::Total; ++c) {
            msfgGrade->setTextMatrix(0, c, QString::fromUtf16(kColunas[c].cabecalho));
            msfgGrade->setColWidth(c, kColunas[c].largura);
            msfgGrade->setColAlignment(c, kColunas[c].centro ? flexAlignCenterCenter : flexAlignLeftCenter);
        }

        ponto(5);
        msfgGrade->setBackColorFixed(kBranco);
        msfgGrade->setRow(0);
        for (std::int32_t c = 0; c < colunas::Total; ++c) {
            msfgGrade->setCol(c);
            msfgGrade->setCellFontBold(true);
            msfgGrade->setCellForeColor(c == colunas::NumeroDoLancamento ? kCinza : kPreto);
            msfgGrade->setCellBackColor(kBranco);
        }

        // Shown by AtualizarObjetos once there is something to show.
        ponto(6);
        msfgGrade->setRedraw(true);
    });
}

// A fill that fails leaves the rows already written and drawing suspended
// until the next fill.
void frmLista::PreencherGrade() {
    Procedimento ponto(u", frmLista, PreencherGrade, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        Registros selecao(mobjCReceber.ResultadoDaSelecaoEmRecordSet());
        if (selecao.RecordCount() == 0) return;

        ponto(2);
        selecao.setAbsolutePage(mintPagina);

        ponto(3);
        Object objPagina;
        mobjCReceber.PaginarResultadoDaSelecaoEmRecordset(mintRegistrosPorPagina, objPagina);
        Registros pagina(objPagina);

        ponto(4);
        msfgGrade->setRedraw(false);
        msfgGrade->setRows(pagina.RecordCount() + 1);
        msfgGrade->setFixedRows(1);
        msfgGrade->setRowHeight(0, kAlturaDoCabecalho);

        ponto(5);
        const rt::Date hoje = rt::Today();
        pagina.MoveFirst();
        for (std::int32_t r = 1; !pagina.EOF_(); ++r) {
            msfgGrade->setRowHeight(r, kAlturaDaLinha);
            msfgGrade->setRow(r);
            const OleColor fundo = r % 2 == 1 ? kFundoDaLinhaImpar : kBranco;
            for (std::int32_t c = 0; c < colunas::Total; ++c) {
                msfgGrade->setCol(c);
                msfgGrade->setCellBackColor(fundo);
                msfgGrade->setCellForeColor(c == colunas::NumeroDoLancamento ? kCinza : kPreto);
            }
            for (std::int32_t c = colunas::NumeroDoLancamento; c <= colunas::ValorDaBaixa; ++c)
                msfgGrade->setTextMatrix(r, c, pagina.valor(kColunas[c].campo).toString());

            msfgGrade->setCol(colunas::Situacao);
            msfgGrade->setCellPictureAlignment(flexAlignCenterCenter);
            quva::forms::Image* figura = imgEtiqueta_Situacao_AVencer;
            if (!pagina.valor(u"DataDaBaixa").toString().isEmpty())
                figura = imgEtiqueta_Situacao_Baixado;
            else if (rt::CDate(pagina.valor(u"DataDeVencimento")) < hoje)
                figura = imgEtiqueta_Situacao_Vencido;
            msfgGrade->setCellPicture(figura->Picture());

            for (std::int32_t c = colunas::Situacao + 1; c < colunas::Total; ++c) {
                const Variant v = pagina.valor(kColunas[c].campo);
                const bool podeSerNulo = c >= 23;
                msfgGrade->setTextMatrix(r, c, podeSerNulo && v.isNull() ? QString() : v.toString());
            }
            pagina.MoveNext();
        }

        ponto(6);
        msfgGrade->setRedraw(true);
    });
}

// Step 5 of AtualizarObjetos, without a handler of its own. The general
// rule's product is 16-bit: an ordinal past 32767 is failure 6.
void frmLista::AtualizarBarraDeNavegacao(std::int32_t lngCodigo) {
    Registros selecao(mobjCReceber.ResultadoDaSelecaoEmRecordSet());
    const double n = msfgGrade->Rows() - 1;
    const std::int16_t p = mintRegistrosPorPagina;
    auto* barra = qznbBarraDeNavegacao;
    switch (lngCodigo) {
    case 1:
        barra->setPrimeiroRegistro(1);
        barra->setUltimoRegistro(n);
        break;
    case 2: {
        const double primeiro = barra->PrimeiroRegistro();
        barra->setPrimeiroRegistro(primeiro - n);
        barra->setUltimoRegistro(primeiro - 1);
        break;
    }
    case 3: {
        const double ultimo = barra->UltimoRegistro();
        barra->setPrimeiroRegistro(ultimo + 1);
        barra->setUltimoRegistro(ultimo + n);
        break;
    }
    case 4:
        barra->setPrimeiroRegistro(double(selecao.RecordCount()) - n + 1);
        barra->setUltimoRegistro(selecao.RecordCount());
        break;
    case kCodigoRepaginar:
        barra->setPrimeiroRegistro(double(std::int32_t(mintPagina) - 1) * p + 1);
        barra->setUltimoRegistro(barra->PrimeiroRegistro() + n - 1);
        break;
    default:
        barra->setPrimeiroRegistro(rt::addI(rt::subI(rt::mulI(mintPagina, p), p), 1));
        barra->setUltimoRegistro(barra->PrimeiroRegistro() + n - 1);
        break;
    }
    barra->setTotalDeRegistros(selecao.RecordCount());
    barra->setRegistrosPorPagina(p);
    barra->Atualizar();
}

// The bar's codes 2 to 4 and PageCount count with the selection's page
// size: it has to change with the window, or Next would go on from the old
// last row over a page numbered at the new size.
void frmLista::RepaginarDoPrimeiroRegistro() {
    const std::int16_t p = mintRegistrosPorPagina;
    if (p < 1 || !mobjCReceber) return;
    const Object objeto = mobjCReceber.ResultadoDaSelecaoEmRecordSet();
    if (!objeto) return; // nothing selected yet: the first selection takes the size
    Registros selecao(objeto);
    selecao.setPageSize(p);
    if (selecao.RecordCount() <= 0 || msfgGrade->Rows() < 2) return;
    const double primeiro = std::max(1.0, qznbBarraDeNavegacao->PrimeiroRegistro());
    mintPagina = rt::CInt(Variant(std::floor((primeiro - 1) / p) + 1));
    AtualizarObjetos(kCodigoRepaginar);
}

void frmLista::qznbBarraDeNavegacao_Click(std::int32_t lngBotao) {
    Procedimento ponto(u", frmLista, qznbBarraDeNavegacao_Click, Ponto: ");
    ponto.executar([&] {
        switch (lngBotao) {
        case 1:
            ponto(1);
            mintPagina = 1;
            AtualizarObjetos(1);
            break;
        case 2: {
            ponto(2);
            Registros selecao(mobjCReceber.ResultadoDaSelecaoEmRecordSet());
            mintPagina = rt::CInt(Variant(rt::subL(selecao.AbsolutePage(), 1)));
            AtualizarObjetos(2);
            break;
        }
        case 3: {
            ponto(3);
            Registros selecao(mobjCReceber.ResultadoDaSelecaoEmRecordSet());
            mintPagina = rt::CInt(Variant(rt::addL(selecao.AbsolutePage(), 1)));
            AtualizarObjetos(3);
            break;
        }
        case 4: {
            ponto(4);
            const Object selecao = mobjCReceber.ResultadoDaSelecaoEmRecordSet();
            mintPagina = rt::CInt(automation::get(selecao, QStringLiteral("PageCount")));
            AtualizarObjetos(4);
            break;
        }
        default:
            break;
        }
    });
}

void frmLista::msfgGrade_SelChange() {
    Procedimento ponto(u", frmLista, msfgGrade_SelChange, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        if (msfgGrade->RowSel() != msfgGrade->Row()) {
            ponto(2);
            msfgGrade->setRow(msfgGrade->RowSel());
            msfgGrade->setColSel(msfgGrade->Cols() - 1);
        }
    });
}

void frmLista::msfgGrade_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y) {
    (void)Button;
    (void)Shift;
    (void)X;
    Procedimento ponto(u", frmLista, msfgGrade_MouseMove, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        const std::int16_t r = rt::CInt(Variant((double(Y) + 150) / msfgGrade->RowHeight(1) - 1));

        ponto(2);
        if (r == sintLinhaSobOMouse) return;
        sintLinhaSobOMouse = r;

        if (r >= 1 && r <= msfgGrade->Rows() - 1) {
            ponto(3);
            msfgGrade->setRow(r);
            msfgGrade->setCol(mdblLarguraDaTelaEmPixels <= 1024 ? colunas::Historico
                                                                : colunas::NomeOuRazaoSocialDoCliente);

            ponto(4);
            const auto botoes = botoesDaLinha();
            for (std::size_t i = 0; i < botoes.size(); ++i) {
                botoes[i]->setLeft(msfgGrade->Left() + float(msfgGrade->CellLeft()) +
                                   float(msfgGrade->CellWidth()) - kDeslocamentos[i]);
                botoes[i]->setTop(msfgGrade->Top() + float(msfgGrade->CellTop()));
                botoes[i]->setVisible(true);
            }

            ponto(5);
            msfgGrade->setHighLight(flexHighlightAlways);
            msfgGrade->setCol(0);
            msfgGrade->setColSel(msfgGrade->Cols() - 1);
        } else {
            // On the header or below the last row.
            ponto(6);
            for (auto* b : botoesDaLinha())
                b->setVisible(false);
            msfgGrade->setHighLight(flexHighlightNever);
            msfgGrade->setRow(1);
            msfgGrade->setCol(0);
        }
    });
}

} // namespace creceber
