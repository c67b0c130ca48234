// frmFicha: the plan of installments. Every installment is typed by the
// user; the grid always keeps one data row, so an empty plan is one empty
// row. Totals are kept in currency so that cents add up exactly.

#include "forms/card/frmFicha.h"

#include "component/modPrincipal.h"
#include "forms/MsgBox.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"

namespace creceber {

using namespace quva::forms;
using namespace quva::flexgrid;
using quva::rt::Variant;
namespace rt = quva::rt;

namespace {

void informar(const QString& texto) {
    MsgBox(texto, vbOKOnly + vbInformation, gstrNomeDaAplicacao);
}

QString comoDinheiro(const QString& texto) {
    return rt::Format(Variant(texto), QStringLiteral("#,##0.00"));
}

} // namespace

std::int16_t frmFicha::ConfigurarGrade() {
    std::int16_t resultado = 0;
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("ConfigurarGrade"));
    ponto.executar([&] {
        ponto(1);
        msfgGrade->setRedraw(false);
        msfgGrade->Clear();
        msfgGrade->setFocusRect(flexFocusNone);
        msfgGrade->setAppearance(flexFlat);
        msfgGrade->setBorderStyle(flexBorderSingle);
        msfgGrade->setScrollBars(flexScrollBarBoth);
        msfgGrade->setSelectionMode(flexSelectionByRow);
        msfgGrade->setHighLight(flexHighlightAlways);
        msfgGrade->setFixedCols(0);
        msfgGrade->setFont(QStringLiteral("Tahoma"), 10);
        msfgGrade->setBackColorFixed(0xF5F5F6);
        msfgGrade->setBackColorSel(0xF2EEEB);
        msfgGrade->setForeColorSel(vbButtonText);
        msfgGrade->setBackColorBkg(0xFFFFFF);
        msfgGrade->setBackColor(0xFFFFFF);
        msfgGrade->setForeColor(0x6E6E6E);
        msfgGrade->setGridLines(flexGridFlat);
        msfgGrade->setGridLinesFixed(flexGridFlat);
        msfgGrade->setGridLineWidth(1);
        msfgGrade->setGridColor(0xEFEFEF);
        msfgGrade->setGridColorFixed(0xEFEFEF);

        ponto(2);
        msfgGrade->setRows(2);
        msfgGrade->setCols(2);
        if (msfgGrade->Rows() > 1) msfgGrade->setFixedRows(1);

        ponto(3);
        msfgGrade->setTextMatrix(0, kColVencimento, QStringLiteral("Vencimento"));
        msfgGrade->setColWidth(kColVencimento, 2950);
        msfgGrade->setColAlignment(kColVencimento, flexAlignLeftCenter);
        msfgGrade->setColData(kColVencimento, 1);

        ponto(4);
        msfgGrade->setTextMatrix(0, kColValor, QStringLiteral("Valor"));
        msfgGrade->setColWidth(kColValor, kLarguraDoValor);
        msfgGrade->setColAlignment(kColValor, flexAlignRightCenter);
        msfgGrade->setColData(kColValor, 1);

        ponto(5);
        msfgGrade->setCols(msfgGrade->Cols() + 1);
        msfgGrade->setTextMatrix(0, kColNumeroDoLancamento, QStringLiteral("Numero do lancamento"));
        msfgGrade->setColWidth(kColNumeroDoLancamento, 0);
        msfgGrade->setColAlignment(kColNumeroDoLancamento, flexAlignLeftCenter);
        msfgGrade->setColData(kColNumeroDoLancamento, 0);

        ponto(6);
        msfgGrade->setRedraw(true);
        msfgGrade->setTopRow(1);
        msfgGrade->setRow(1);
        msfgGrade->setRowSel(1);
        msfgGrade->setCol(0);
        msfgGrade->setColSel(msfgGrade->Cols() - 1);

        ponto(7);
        resultado = 0;
    });
    return resultado;
}

void frmFicha::ExibirTotalDasParcelas() {
    lblTotaldasparcelas->setCaption(QStringLiteral("Total das parcelas: ") +
                                    rt::Format(Variant(mcurTotalDasParcelas), QStringLiteral("#,##0.00")));
}

std::optional<rt::Currency> frmFicha::TotalComMaisUmaParcela(const QString& valor) const {
    try {
        return mcurTotalDasParcelas + rt::CCur(Variant(valor));
    } catch (const rt::RuntimeError&) {
        return std::nullopt;
    }
}

// From 7 rows on the vertical scroll bar takes part of the value column.
void frmFicha::AjustarLarguraDoValor() {
    msfgGrade->setColWidth(kColValor, msfgGrade->Rows() < 7 ? kLarguraDoValor : kLarguraDoValorComRolagem);
}

void frmFicha::qzcmdAdicionar_Click() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("qzcmdAdicionar_Click"));
    ponto.executar([&] {
        const QString data = qzdtpDataDeVencimentoDaParcelaAtual->Text();
        ponto(1);
        if (!rt::IsDate(Variant(data))) {
            informar(QStringLiteral("Informe uma data válida de vencimento para a parcela."));
            qzdtpDataDeVencimentoDaParcelaAtual->SetFocus();
            return;
        }

        ponto(2);
        if (rt::CDate(Variant(data)) < rt::Today()) {
            lblDataDeVencimentoDaParcelaAtual->setForeColor(kCorDoRotuloInvalido);
            const auto resposta =
                MsgBox(QStringLiteral(" A data de vencimento informada é menor que a data atual. Confirma?"),
                       vbYesNo + vbQuestion + vbDefaultButton2, gstrNomeDaAplicacao);
            if (resposta == vbNo) {
                qzdtpDataDeVencimentoDaParcelaAtual->SetFocus();
                return;
            }
        }
        const QString valor = qznumValorDaParcelaAtual->Text();
        if (valor == QStringLiteral("0,00") || valor.isEmpty() || !rt::IsNumeric(Variant(valor))) {
            informar(QStringLiteral("Informe um valor válido para a parcela."));
            qznumValorDaParcelaAtual->SetFocus();
            return;
        }
        // Refused before the row goes in, so grid and total never part.
        const std::optional<rt::Currency> total = TotalComMaisUmaParcela(valor);
        if (!total) {
            informar(QStringLiteral("O total das parcelas ultrapassaria o maior valor aceito (%1).")
                         .arg(rt::formatMoney(rt::kMaxCurrency)));
            qznumValorDaParcelaAtual->SetFocus();
            return;
        }

        ponto(3);
        const QString linha = data + rt::vbTab + comoDinheiro(valor);

        ponto(4);
        for (std::int32_t r = 1; r < msfgGrade->Rows(); ++r) {
            if (msfgGrade->TextMatrix(r, kColVencimento) == data) {
                ponto(5);
                informar(QStringLiteral("Já existe uma parcela com este vencimento na grade."));
                qzdtpDataDeVencimentoDaParcelaAtual->SetFocus();
                return;
            }
        }

        ponto(6);
        msfgGrade->AddItem(linha);

        ponto(7);
        mcurTotalDasParcelas = *total;
        ExibirTotalDasParcelas();
        if (!mbooLinhaVaziaRemovida) {
            msfgGrade->RemoveItem(1);
            mbooLinhaVaziaRemovida = true;
        }

        ponto(8);
        qzdtpDataDeVencimentoDaParcelaAtual->setText(quva::qz::QZDTPicker::emptyText());
        qznumValorDaParcelaAtual->setText(QStringLiteral("0,00"));
        qzdtpDataDeVencimentoDaParcelaAtual->SetFocus();

        ponto(9);
        AjustarLarguraDoValor();
    });
}

namespace {
// Row 1 of a grid holding only the empty row has nothing in its visible columns.
bool soALinhaVazia(const MSFlexGrid& g) {
    QString textos;
    for (std::int32_t c = 0; c <= g.Cols() - 2; ++c)
        textos += g.TextMatrix(1, c);
    return textos.isEmpty();
}
} // namespace

void frmFicha::qzcmdAlterar_Click() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("qzcmdAlterar_Click"));
    ponto.executar([&] {
        ponto(1);
        if (msfgGrade->Rows() == 2 && soALinhaVazia(*msfgGrade)) {
            ponto(2);
            return;
        }

        ponto(3);
        const std::int32_t linha = msfgGrade->RowSel();
        qzdtpDataDeVencimentoDaParcelaAtual->setText(msfgGrade->TextMatrix(linha, kColVencimento));
        qznumValorDaParcelaAtual->setText(msfgGrade->TextMatrix(linha, kColValor));

        ponto(4);
        qzcmdRemover_Click();

        ponto(5);
        qzdtpDataDeVencimentoDaParcelaAtual->SetFocus();
    });
}

void frmFicha::qzcmdRemover_Click() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("qzcmdRemover_Click"));
    ponto.executar([&] {
        ponto(1);
        if (msfgGrade->Rows() == 2) {
            if (soALinhaVazia(*msfgGrade)) {
                informar(QStringLiteral("Nenhum item para ser removido da grade."));
                return;
            }
            // The only installment is going: keep one data row.
            msfgGrade->AddItem(QString());
            mbooLinhaVaziaRemovida = false;
        }

        ponto(2);
        const std::int32_t linha = msfgGrade->RowSel();
        mcurTotalDasParcelas =
            mcurTotalDasParcelas - rt::CCur(Variant(msfgGrade->TextMatrix(linha, kColValor)));
        ExibirTotalDasParcelas();

        ponto(3);
        msfgGrade->RemoveItem(linha);

        ponto(4);
        AjustarLarguraDoValor();
    });
}

void frmFicha::qznumValorDaParcelaAtual_KeyPress(std::int16_t& KeyAscii) {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("qznumValorDaParcelaAtual_KeyPress"));
    ponto.executar([&] {
        ponto(1);
        // The installment block exists only while adding.
        if (KeyAscii == 13 && TipoDeOperacao() == 1) {
            ponto(2);
            qzcmdAdicionar_Click();
        }
    });
}

void frmFicha::qznumValorDaParcelaAtual_LostFocus() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("qznumValorDaParcelaAtual_LostFocus"));
    ponto.executar([&] {
        ponto(1);
        qznumValorDaParcelaAtual->setText(comoDinheiro(qznumValorDaParcelaAtual->Text()));
    });
}

} // namespace creceber
