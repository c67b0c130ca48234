#pragma once
// frmLista: the receivables list the host embeds in its work area, with
// the situation filter, the search box, the paged grid and the row
// commands. It keeps one receivables business component for its life.

#include "component/Exportacao.h"
#include "component/Formularios.h"
#include "contracts/QUVA_N_CReceber.h"
#include "flexgrid/FlexGrid.h"
#include "forms/Controls.h"
#include "forms/Form.h"
#include "qz/QZComboBox.h"
#include "qz/QZCommandButton.h"
#include "qz/QZFind.h"
#include "qz/QZNavigationBar.h"

#include <array>
#include <cstdint>

namespace quva::rt {
struct Date;
}

namespace creceber {

class Procedimento;

// "7 de dezembro de 2026", "1º de março de 2027": a date as a letter writes it.
CRECEBER_API QString DataPorExtenso(quva::rt::Date d);

// Grid columns the other screens read from the selected row.
namespace colunas {
inline constexpr std::int32_t NumeroDoLancamento = 1;
inline constexpr std::int32_t CodigoDoCliente = 2;
inline constexpr std::int32_t ApelidoOuNomeFantasiaDoCliente = 3;
inline constexpr std::int32_t NomeOuRazaoSocialDoCliente = 4;
inline constexpr std::int32_t Historico = 5;
inline constexpr std::int32_t DataDeVencimento = 14;
inline constexpr std::int32_t ValorDoDocumento = 15;
inline constexpr std::int32_t DataDaBaixa = 18;
inline constexpr std::int32_t ValorDaBaixa = 19;
inline constexpr std::int32_t Situacao = 20;
inline constexpr std::int32_t Total = 25;
} // namespace colunas

class CRECEBER_API frmLista : public quva::forms::Form, public frmListaBase {
public:
    frmLista();
    ~frmLista() override;

    // 0: the list was loaded; 1: the first selection failed.
    std::int16_t MontarExibirFormulario(std::int32_t AreaDeTrabalho_hWnd) override;
    void ConfigurarGrade();

    // Design-time controls.
    quva::forms::Label* lblTitulo = nullptr;
    quva::qz::QZCommandButton* qzcmdAdicionar = nullptr;
    quva::qz::QZFind* qzfndPesquisar = nullptr;
    quva::qz::QZComboBox* qzcmbSituacao = nullptr;
    quva::qz::QZCommandButton* qzcmdImprimirLista = nullptr;
    quva::qz::QZNavigationBar* qznbBarraDeNavegacao = nullptr;
    quva::flexgrid::MSFlexGrid* msfgGrade = nullptr;
    quva::forms::Label* lblMensagemDeResultado = nullptr;
    quva::forms::PictureBox* picMensagem = nullptr;
    quva::qz::QZCommandButton* qzcmdAlterar = nullptr;
    quva::qz::QZCommandButton* qzcmdBaixar = nullptr;
    quva::qz::QZCommandButton* qzcmdExcluir = nullptr;
    quva::qz::QZCommandButton* qzcmdImprimir2ViaComprovanteDeBaixa = nullptr;
    quva::qz::QZCommandButton* qzcmdImprimirCartaDeCobranca = nullptr;
    quva::forms::Image* imgEtiqueta_Situacao_AVencer = nullptr;
    quva::forms::Image* imgEtiqueta_Situacao_Vencido = nullptr;
    quva::forms::Image* imgEtiqueta_Situacao_Baixado = nullptr;

    // The five row buttons, left to right.
    std::array<quva::qz::QZCommandButton*, 5> botoesDaLinha() const;

    // Form state, readable for the screens that work on the list.
    std::int16_t RegistrosPorPagina() const { return mintRegistrosPorPagina; }
    std::int16_t Pagina() const { return mintPagina; }
    std::int16_t PaginaSemFiltro() const { return mintPaginaSemFiltro; }
    bool ListaFiltrada() const { return mbooListaFiltrada; }
    bool IgnorarEvento() const { return mbooIgnorarEvento; }
    double LarguraDaTelaEmPixels() const { return mdblLarguraDaTelaEmPixels; }

    // Refills and updates the screen after a new selection (action codes
    // 0 to 6: 1 first, 2 previous, 3 next, 4 last page, 0 the remembered
    // unfiltered page, 5 after an add or an alteration, 6 after a deletion).
    void AtualizarObjetos(std::int32_t lngCodigo);
    std::int16_t GerarLista();

    // Event handlers, as the controls raise them.
    void qzcmbSituacao_Click();
    void qzfndPesquisar_Click();
    void qzcmdAdicionar_Click();
    void qzcmdAlterar_Click();
    void qzcmdBaixar_Click();
    void qzcmdExcluir_Click();
    void qzcmdImprimir2ViaComprovanteDeBaixa_Click();
    void qzcmdImprimirCartaDeCobranca_Click();
    void qzcmdImprimirLista_Click();
    void qznbBarraDeNavegacao_Click(std::int32_t lngBotao);
    void msfgGrade_SelChange();
    void msfgGrade_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);

protected:
    void CreateControls() override;
    void Form_Resize() override;

    // The screen's width in twips (the primary screen's).
    virtual float LarguraDaTelaEmTwips() const;

    // The print dialog, with the search text.
    virtual void Registros_Imprimir();
    // The documents printed for the selected row (0: the preview was shown;
    // 1: not).
    virtual std::int16_t ImprimirCartaDeCobranca();
    virtual std::int16_t Imprimir2aViaDoComprovanteDePagamento();

private:
    std::int16_t ImprimirDocumentoDaLinha(Procedimento& ponto, bool carta);
    void PreencherComboBoxDeSituacao();
    void PreencherGrade();
    void AtualizarBarraDeNavegacao(std::int32_t lngCodigo);
    // After the page size changed: the page holding the first row shown,
    // counted at the new size, with the bar's general rule.
    void RepaginarDoPrimeiroRegistro();
    void ExibirOcultarpicMensagem(bool lbooExibirOcultarpicMensagem);
    void PosicionarpicMensagem();
    void DepoisDaSelecao();
    void ligarEventos();
    // The row buttons leave when their row goes: the grid hidden or refilled.
    void ocultarBotoesDaLinha();
    // The selected row's state.
    bool linhaBaixada() const;
    // The screen as it must be after a handler that failed midway.
    void restaurarTela();

    contratos::QUVA_N_CReceber::clsCReceber mobjCReceber;
    std::int16_t mintRegistrosPorPagina = 0;
    std::int16_t mintPagina = 0;
    bool mbooIgnorarEvento = false;
    bool mbooListaFiltrada = false;
    std::int16_t mintPaginaSemFiltro = 0;
    std::int16_t mintTwipsPorPixelX = 0;
    double mdblLarguraDaTelaEmPixels = 0;
    // msfgGrade_MouseMove's row under the pointer, kept between calls.
    std::int16_t sintLinhaSobOMouse = 0;
};

} // namespace creceber
