#pragma once
// frmImprimirContasAReceber: the dialog in which the clerk chooses which
// receivables to put out (overdue, to fall due, settled), over which dates,
// and whether to preview the printed list or export it to a spreadsheet.
// One instance serves the component (Instancia()); the list opens it with
// its search text.

#include "component/Exportacao.h"
#include "forms/Controls.h"
#include "forms/shell/FormularioDoComponente.h"
#include "qz/QZCommandButton.h"
#include "qz/QZPeriod.h"
#include "qz/QZTheme.h"
#include "runtime/Variant.h"

#include <QString>

#include <cstdint>

namespace creceber {

class CRECEBER_API frmImprimirContasAReceber : public FormularioDoComponente {
public:
    frmImprimirContasAReceber();

    // The component's one dialog, created and loaded on first use.
    static frmImprimirContasAReceber& Instancia();

    quva::qz::QZTheme* qzTheme = nullptr;
    quva::forms::CheckBox* chkContasAReceberVencidas = nullptr;
    quva::forms::CheckBox* chkContasAReceberAVencer = nullptr;
    quva::forms::CheckBox* chkContasAReceberBaixada = nullptr;
    quva::forms::OptionButton* optTodasAsDatas = nullptr;
    quva::forms::OptionButton* optPeriodo = nullptr;
    quva::qz::QZPeriod* qzPeriodo = nullptr;
    // 0 "Visualizar impressão", 1 "Exportar para Excel".
    quva::forms::ControlArray<quva::qz::QZCommandButton>* qzcmdVisualizarImpressaoOuExportar = nullptr;
    quva::qz::QZCommandButton* qzcmdCancelar = nullptr;
    quva::forms::Label* lblObservacaoDeCamposObrigatorios = nullptr;

    // Darkens the menu window, shows the dialog modally for the filter and
    // restores the window once the dialog is closed. The result is never set.
    std::int16_t MontarExibirFormulario(quva::rt::Variant lvarCodigoOuNomeParaFiltro);
    const quva::rt::Variant& CodigoOuNomeParaFiltro() const { return mvarCodigoOuNomeParaFiltro; }

    // The outputs: 0 finished, 1 stopped early. lbooExportar: true exports
    // to the spreadsheet, false previews the printed list.
    virtual std::int16_t ImprimirContasAReceber(std::int16_t lintTipoDeConta, bool lbooTodasAsDatas,
                                                quva::rt::Variant lvarCodigoOuNomeParaFiltro,
                                                QString lstrDataInicial, QString lstrDataFinal,
                                                bool& lbooExportar);
    virtual std::int16_t ImprimirContasAReceberBaixadas(bool lbooTodasAsDatas,
                                                        quva::rt::Variant lvarCodigoOuNomeParaFiltro,
                                                        QString lstrDataInicial, QString lstrDataFinal,
                                                        bool& lbooExportar);

    // Event handlers, as the controls raise them.
    void chkContasAReceberVencidas_Click();
    void chkContasAReceberAVencer_Click();
    void chkContasAReceberBaixada_Click();
    void optTodasAsDatas_Click();
    void optPeriodo_Click();
    void qzcmdCancelar_Click();
    void qzcmdVisualizarImpressaoOuExportar_Click(std::int16_t Index);

protected:
    void CreateControls() override;

private:
    quva::rt::Variant mvarCodigoOuNomeParaFiltro;
};

} // namespace creceber
