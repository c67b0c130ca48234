#pragma once
// The small modeless wait window of the long report and spreadsheet jobs:
// one line of text, no buttons, no input. The caller creates one, sets
// lblMensagem's caption, calls MontarExibirFormulario, does its work and
// unloads it.
//
//     frmMensagem lfrmMensagem;
//     lfrmMensagem.Load();
//     lfrmMensagem.lblMensagem->setCaption(QStringLiteral("Aguarde, reorganizando dados."));
//     lfrmMensagem.MontarExibirFormulario();
//     ...
//     lfrmMensagem.Unload();

#include "component/Exportacao.h"
#include "forms/shell/FormularioDoComponente.h"
#include "runtime/Variant.h"

namespace creceber {

class CRECEBER_API frmMensagem : public FormularioDoComponente {
public:
    frmMensagem();

    quva::forms::Label* lblMensagem = nullptr;

    // Sizes the window to the label, shows it and waits a second so it is
    // painted before the caller's work takes the processor. Always 0.
    std::int16_t MontarExibirFormulario();

protected:
    void CreateControls() override;
    void Form_Resize() override;
    void Form_Unload(std::int16_t& Cancel) override;

private:
    void Pausar(quva::rt::Variant& Duracao);

    bool mbooRedimensionado = false;
};

} // namespace creceber
