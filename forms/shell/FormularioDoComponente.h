#pragma once
// What every form of the component does the same way, written once: the
// load-time Windows 8 frame, the empty resize handler, the message panel
// picMensagem (standard and dialog variants) and the modal entry that darkens
// the host's menu window around the show. A form passes its module name to
// the constructor; every location text below names that module. Where a form
// numbers or orders the same work differently, it says so through the
// parameters rather than by copying the work.
//
//     class frmBaixar : public FormularioDoComponente {
//     public:
//         frmBaixar() : FormularioDoComponente(QStringLiteral("frmBaixar")) {}
//     protected:
//         void CreateControls() override { ...; CriarpicMensagem(); }
//     };

#include "component/Exportacao.h"
#include "component/Procedimento.h"
#include "forms/Controls.h"
#include "forms/Form.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>

namespace creceber {

// Owns the location text for the Procedimento built from it (base-from-member:
// the text must exist before the Procedimento that points into it).
struct TextoDoLocal {
    QString texto;
};

// A Procedimento whose location text is built at run time from the form's
// module name: ", <module>, <procedure>, Ponto: ".
class CRECEBER_API ProcedimentoDoFormulario : private TextoDoLocal, public Procedimento {
public:
    ProcedimentoDoFormulario(const QString& modulo, const QString& procedimento);
};

// The step numbers of the Form_Load frame. semMoldura 0: the path without
// the frame records no step of its own.
struct PassosDoCarregamento {
    std::int16_t criacao;
    std::int16_t comparacao;
    std::int16_t moldura;
    std::int16_t semMoldura;
    std::int16_t liberacao;
};
inline constexpr PassosDoCarregamento kCarregamentoPadrao{1, 2, 2, 0, 3};
// The client search dialog: 3 the path without the frame, 4 the frame, 5 the
// release; its own tooltip follows at step 6.
inline constexpr PassosDoCarregamento kCarregamentoDaPesquisa{1, 2, 4, 3, 5};

// The modal entry: its step numbers, the work done while the menu window is
// already dark (the print dialog keeps its argument there), and whether the
// list is brought up to date before the menu window is restored.
struct EntradaModal {
    std::int16_t aplicar = 32;
    std::int16_t exibir = 33;
    std::int16_t remover = 34;
    std::function<void()> depoisDeEscurecer;
    bool atualizarLista = true;
};

class CRECEBER_API FormularioDoComponente : public quva::forms::Form {
public:
    // Padrao: the panel with handlers that skips a repeated request (frmBaixar,
    // frmFicha). Dialogo: no handlers, acts only while the form is visible and
    // disables the form while the panel shows (frmPesquisaDeClientes).
    enum class Variante { Padrao, Dialogo };

    explicit FormularioDoComponente(const QString& nomeDoModulo, Variante variante = Variante::Padrao);

    Variante variante() const { return m_variante; }

    // The message panel (nullptr on forms without one).
    quva::forms::PictureBox* picMensagem = nullptr;

    virtual void ExibirOcultarpicMensagem(bool lbooExibirOcultarpicMensagem);
    virtual void CentralizarpicMensagem();

    // ", <module>, <procedure>, Ponto: "
    QString TextoDoLocalDe(const QString& procedimento) const;

    // The wait panel's picture, drawn once.
    static QPixmap ImagemDopicMensagem();

protected:
    // The standard load: the frame with the standard step numbers.
    void Form_Load() override;
    // The fixed-size forms: a handler and nothing else.
    void Form_Resize() override;

    // The frame, inside the caller's handler, with its step numbers.
    void AdicionarMolduraDoWindows8(Procedimento& ponto, const PassosDoCarregamento& passos);
    // Design time: picMensagem with the wait picture, hidden.
    void CriarpicMensagem(quva::forms::Control* container = nullptr);
    // Darkens the menu window, shows this form modally and, once the show has
    // returned (hidden, unloaded or closed from its window), restores it.
    void ExibirModalSobreOMenu(Procedimento& ponto, const EntradaModal& entrada = {});
    // Repaint after the panel is hidden.
    virtual void Repintar();
    // After a failure midway: the panel goes and the form takes input again.
    void FecharpicMensagemAposFalha();

private:
    // picMensagem, or failure 91 on a form without one.
    quva::forms::PictureBox& painel() const;
    void ExibirOcultarPadrao(bool exibir);
    void ExibirOcultarDialogo(bool exibir);
    // Records its steps 1 to 3 in ponto when given.
    void Centralizar(Procedimento* ponto);

    Variante m_variante;
};

} // namespace creceber
