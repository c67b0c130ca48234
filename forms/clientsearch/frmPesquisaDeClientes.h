#pragma once
// frmPesquisaDeClientes: picks one client out of several candidates. The
// card fills the grid, shows the dialog modally and reads the chosen row
// back; inside, the user may search again through the clients component.
// Inactive, blocked and deleted clients cannot be chosen. Always used
// through its default instance:
//
//     auto& lfrm = frmPesquisaDeClientesPadrao();   // loads it when needed
//     lfrm.ConfigurarGrade();
//     lfrm.PreencherGrade(lobjRecordset);
//     lfrm.Show(quva::forms::vbModal);
//     if (lfrm.RegistroSelecionado()) {
//         const auto lintLinha = lfrm.msfgGrade->RowSel();
//         ... lfrm.msfgGrade->TextMatrix(lintLinha, frmPesquisaDeClientes::kColCodigo) ...
//     }
//     lfrm.Unload();

#include "component/Exportacao.h"
#include "flexgrid/FlexGrid.h"
#include "forms/Controls.h"
#include "forms/shell/FormularioDoComponente.h"
#include "qz/QZCommandButton.h"
#include "qz/QZFind.h"
#include "qz/QZTheme.h"
#include "runtime/Variant.h"

#include <cstdint>

namespace creceber {

class CRECEBER_API frmPesquisaDeClientes : public FormularioDoComponente {
public:
    // Grid columns; 0, 4, 6 and 7 are hidden (width 0).
    static constexpr std::int32_t kColEmBranco = 0;
    static constexpr std::int32_t kColCodigo = 1;
    static constexpr std::int32_t kColApelidoOuNomeFantasia = 2;
    static constexpr std::int32_t kColNomeOuRazaoSocial = 3;
    static constexpr std::int32_t kColSituacao = 4;
    static constexpr std::int32_t kColEndereco = 5;
    static constexpr std::int32_t kColClienteVIP = 6;
    static constexpr std::int32_t kColCategoriaDaCurvaABC = 7;
    static constexpr std::int32_t kColunas = 8;

    frmPesquisaDeClientes();

    // Design-time controls (picMensagem comes from the shell).
    quva::qz::QZTheme* qzTheme = nullptr;
    quva::forms::Label* lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo = nullptr;
    quva::qz::QZFind* qzfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo = nullptr;
    quva::flexgrid::MSFlexGrid* msfgGrade = nullptr;
    quva::qz::QZCommandButton* qzcmdFechar = nullptr;

    // The grid back to its configured, empty state (header row only).
    void ConfigurarGrade();
    // One row per record of an ADO recordset carrying CodigoDoCliente,
    // ApelidoOuNomeFantasia, NomeOuRazaoSocial, Situacao, EnderecoCompleto,
    // VIP and CategoriaDaCurvaABC. True when it ran to the end.
    bool PreencherGrade(const quva::rt::Object& rs);
    // True only after the user chose an acceptable client; the chosen one
    // is the row msfgGrade reports as selected (RowSel()).
    bool RegistroSelecionado() const { return mbooRegistroSelecionado; }

    // Searches the clients component for the find box's text and fills the
    // grid; true when the search ran and returned data.
    bool PesquisarCliente();
    // 1 when the selected row's client may not be chosen (message shown), else 0.
    std::int16_t ValidarCampos();

    // Event handlers, as the controls raise them.
    void qzfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo_Click();
    void msfgGrade_Click();
    // Closes without a choice.
    void qzcmdFechar_Click();

protected:
    void CreateControls() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload(std::int16_t& Cancel) override;

private:
    void ligarEventos();

    bool mbooRegistroSelecionado = false;
    bool mbooIgnorarEvento = false;
};

// The single default instance, loaded on every touch after an Unload.
CRECEBER_API frmPesquisaDeClientes& frmPesquisaDeClientesPadrao();

} // namespace creceber
