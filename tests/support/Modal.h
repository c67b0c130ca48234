#pragma once
// Acting on a modal form from inside its show.

#include "forms/Control.h"
#include "forms/Form.h"

#include <QCoreApplication>

#include <QObject>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace teste {

// Runs acao once pronto() holds, polling from the event loop (a modal show
// or a one-second pause may come first).
inline void quando(std::function<bool()> pronto, std::function<void()> acao, QObject* dono = nullptr) {
    auto* t = new QTimer(dono);
    t->setInterval(0);
    QObject::connect(t, &QTimer::timeout, [t, pronto, acao] {
        if (!pronto()) return;
        t->stop();
        t->deleteLater();
        acao();
    });
    t->start();
}

// The shown form of type T, if any.
template <class T> T* visivel() {
    for (quva::forms::Form* f : quva::forms::Forms())
        if (auto* x = dynamic_cast<T*>(f); x && x->Visible()) return x;
    return nullptr;
}
// The window's focus child: activation is asynchronous offscreen.
inline bool temFoco(quva::forms::Control* c) {
    QWidget* w = c->widget()->window()->focusWidget();
    return w && (w == c->widget() || c->widget()->isAncestorOf(w));
}

// Whether form was shown while abrir ran (hidden again at once if it was).
inline bool mostradoDurante(quva::forms::Form& form, const std::function<void()>& abrir) {
    bool mostrado = false;
    QTimer::singleShot(0, [&] {
        mostrado = form.Visible();
        if (mostrado) form.Hide();
    });
    abrir();
    QCoreApplication::processEvents(); // the timer goes while form still exists
    return mostrado;
}

} // namespace teste
