#include "forms/shell/frmMensagem.h"

#include "runtime/Clock.h"

namespace creceber {

using namespace quva::forms;

frmMensagem::frmMensagem() : FormularioDoComponente(QStringLiteral("frmMensagem")) {}

void frmMensagem::CreateControls() {
    // No frame of its own: it takes no input, so it offers no close button.
    setBorderStyle(0);
    setBackColor(RGB(240, 245, 251));
    setClientSize(5100, 1455);

    lblMensagem = add<Label>(QStringLiteral("lblMensagem"));
    lblMensagem->setBackStyle(0);
    lblMensagem->setAlignment(vbCenter);
    lblMensagem->setFont(QStringLiteral("Arial"), 14.25, true);
    lblMensagem->setForeColor(0xD36C00);
    lblMensagem->setCaption(QStringLiteral("Aguarde, acessando o sistema"));
    // A new caption sizes the label to itself, so the window always shows it whole.
    lblMensagem->setAutoSize(true);
    lblMensagem->Move(405, 555, 4290, 330);
}

std::int16_t frmMensagem::MontarExibirFormulario() {
    std::int16_t resultado = 0;
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("MontarExibirFormulario"));
    ponto.executar([&] {
        if (!isLoaded()) Load();
        ponto(1);
        setWidth(lblMensagem->Width() + 780);
        ponto(2);
        Show(vbModeless);
        quva::rt::Variant duracao = std::int16_t(1);
        Pausar(duracao);
        resultado = 0;
    });
    return resultado;
}

// Stretches the label across the window on every other resize, starting
// with the first.
void frmMensagem::Form_Resize() {
    if (!mbooRedimensionado) {
        lblMensagem->setWidth(Width());
        lblMensagem->setLeft(0);
        mbooRedimensionado = true;
    } else {
        mbooRedimensionado = false;
    }
}

// Asking again changes nothing: the unloading is already under way.
void frmMensagem::Form_Unload(std::int16_t& Cancel) {
    (void)Cancel;
    Unload();
}

void frmMensagem::Pausar(quva::rt::Variant& Duracao) {
    quva::rt::Pausar(Duracao);
}

} // namespace creceber
