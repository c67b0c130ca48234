#pragma once
// What a screen test of the component starts from and leaves behind: the
// stand-ins registered, the screens' clock, the application's title, the
// menu window's handle and scripted message boxes.

#include "component/Ambiente.h"
#include "support/Modal.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <memory>

namespace teste {

inline const QString kTitulo = QStringLiteral("QUVA - Contas a Receber");
constexpr int kInfo = quva::forms::vbOKOnly + quva::forms::vbInformation;
constexpr std::int32_t kMenu = 777;

struct Tela {
    std::unique_ptr<quva::rt::ManualClock> relogio;
    std::unique_ptr<quva::forms::ScriptedMessageBoxes> mensagens;

    void iniciarCaso(const char* dubles, const char* componente = nullptr) {
        prepararTelas(dubles, componente);
        relogio = relogioDasTelas();
    }
    void encerrarCaso() { quva::rt::setClock(nullptr); }
    void iniciar() {
        quva::doubles::reset();
        ::creceber::gstrNomeDaAplicacao = kTitulo;
        ::creceber::glngFormularioDoMenu_hWnd = kMenu;
        mensagens = std::make_unique<quva::forms::ScriptedMessageBoxes>();
    }
    void encerrar() {
        mensagens.reset();
        ::creceber::gfrmLista.reset();
        ::creceber::gobjDadosDoUsuario.reset();
    }
    // The one message shown, with its buttons, under the application's
    // title; none at all when texto is empty.
    void umaMensagem(const QString& texto, int botoes = kInfo) const {
        QCOMPARE(caixas(*mensagens), texto.isEmpty() ? QStringList() : QStringList{caixa(texto, botoes, kTitulo)});
    }
};

// Runs acao inside the modal show of form that abrir starts. Returns
// whether form was still shown when acao ended (it is then hidden, so
// abrir returns).
inline bool durante(quva::forms::Form& form, const std::function<void()>& abrir, const std::function<void()>& acao) {
    bool aberta = false;
    quando([&] { return form.Visible(); },
           [&] {
               acao();
               aberta = form.Visible();
               if (aberta) form.Hide();
           });
    abrir();
    return aberta;
}

// The clerk types over a box's text one key at a time, accents included,
// and presses Enter.
inline void digitarEEnter(QLineEdit* e, const QString& texto) {
    e->setFocus();
    e->selectAll();
    for (const QChar ch : texto) {
        QKeyEvent tecla(QEvent::KeyPress, ch.isDigit() ? Qt::Key_0 + ch.digitValue() : Qt::Key_A, Qt::NoModifier,
                        QString(ch));
        QApplication::sendEvent(e, &tecla);
    }
    QTest::keyClick(e, Qt::Key_Return);
}

} // namespace teste
