#pragma once
// What the screen benches share: the process around them (a clock that
// steps on every read, so the one-second waits cost nothing; 96 DPI;
// scripted message boxes; the suite's libraries registered from the build;
// the million-row database as QUVA_DATABASE) and a host window whose work
// area the list is built into.

#include "DadosDeBench.h"

#include "automation/Server.h"
#include "component/modPrincipal.h"
#include "forms/Form.h"
#include "forms/Metrics.h"
#include "forms/MsgBox.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace bench {

inline double mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Runs acao once pronto() holds, polling from the event loop (what it
// waits for is shown modally).
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

// Lives for the whole of main, after the QApplication.
class AmbienteDaTela {
    // The data are generated around a fixed day, so the cached file stays valid.
    quva::rt::ManualClock m_relogio{diaDosDados()};

public:
    // dados: makes the database file (once) and names it.
    explicit AmbienteDaTela(QString (*dados)() = garantirDados) {
        m_relogio.setStepPerRead(0.3);
        quva::rt::setClock(&m_relogio);
        quva::forms::setLogicalDpiOverride(96);
        registrarBibliotecas();
        vigiarMensagensDeErro();
        creceber::gstrNomeDaAplicacao = QStringLiteral("QUVA - Contas a Receber");
        arquivo = dados();
        qputenv("QUVA_DATABASE", arquivo.toUtf8());
    }
    ~AmbienteDaTela() { quva::rt::setClock(nullptr); }

    // BENCH_ONLY: only the runs whose names it contains; all when unset.
    bool quer(const char* nome) const {
        const QString so = qEnvironmentVariable("BENCH_ONLY");
        return so.isEmpty() || so.contains(QLatin1String(nome));
    }
    // Non-zero when an error message was shown: the figures are suspect.
    int saida() const { return m_houveErro ? 1 : 0; }

    quva::forms::ScriptedMessageBoxes mensagens;
    QString arquivo;
    // Modal windows a bench expects besides the component's forms.
    std::function<bool(QWidget*)> esperada = [](QWidget*) { return false; };

private:
    static void registrarBibliotecas() {
        const QString pasta = QCoreApplication::applicationDirPath() + QStringLiteral("/../lib/");
        for (const char* b : {"QUVA_N_CReceber", "QUVA_N_ClientAnim", "QUVA_N_Empresa", "QUVA_N_SO",
                              "QUVA_A_MsgErro", "QUVA_A_MsgAcesso", "QUVA_A_EfeitosDeTela"}) {
            QString erro;
            const QString arquivo = pasta + QStringLiteral("lib%1.so").arg(QLatin1String(b));
            if (quva::automation::RegisterLibrary(arquivo, &erro) != quva::automation::S_OK_)
                qFatal("cannot register %s: %s", qPrintable(arquivo), qPrintable(erro));
        }
    }

    // A modal window that is none of the component's forms is an error
    // message: it is logged and closed so the run goes on.
    void vigiarMensagensDeErro() {
        m_vigia.setInterval(50);
        QObject::connect(&m_vigia, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || esperada(w)) return;
            for (quva::forms::Form* f : quva::forms::Forms())
                if (f->window() == w) return;
            QStringList textos;
            for (auto* l : w->findChildren<QLabel*>())
                if (!l->text().isEmpty()) textos << l->text();
            std::fprintf(stderr, "error message shown: %s\n", qPrintable(textos.join(QStringLiteral(" | "))));
            m_houveErro = true;
            w->close();
        });
        m_vigia.start();
    }

    QTimer m_vigia;
    bool m_houveErro = false;
};

// A window standing in for the menu's, its work area above a strip.
class Hospedeiro {
public:
    Hospedeiro() : hospedeiro(std::make_unique<QWidget>()) {
        auto* layout = new QVBoxLayout(hospedeiro.get());
        layout->setContentsMargins(0, 0, 0, 40);
        area = new QWidget;
        layout->addWidget(area, 1);
        hospedeiro->resize(1280, 760);
        hospedeiro->show();
        QApplication::processEvents();
    }

    std::unique_ptr<QWidget> hospedeiro;
    QWidget* area = nullptr;
};

} // namespace bench
