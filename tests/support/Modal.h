#pragma once
// Acting on a modal form from inside its show.

#include "forms/Control.h"

#include <QObject>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace teste {

// Runs acao once pronto() holds, polling from the event loop (a modal show
// or a one-second pause may come first).
inline void quando(std::function<bool()> pronto, std::function<void()> acao) {
    auto* t = new QTimer;
    t->setInterval(0);
    QObject::connect(t, &QTimer::timeout, [t, pronto, acao] {
        if (!pronto()) return;
        t->stop();
        t->deleteLater();
        acao();
    });
    t->start();
}

// The window's focus child: activation is asynchronous offscreen.
inline bool temFoco(quva::forms::Control* c) {
    QWidget* w = c->widget()->window()->focusWidget();
    return w && (w == c->widget() || c->widget()->isAncestorOf(w));
}

} // namespace teste
