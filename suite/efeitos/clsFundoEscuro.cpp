// QUVA_A_EfeitosDeTela.clsFundoEscuro: darkens a window behind a modal
// form. The shade is a child widget of the window named by the handle, so
// Remover on a fresh instance undoes what another did. One Remover always
// clears it, however many Aplicar came before: a Remover that never came
// (its caller failed) must not leave the window dark for good. The shade
// never takes the mouse (the modal form already keeps it from the window),
// so one left behind never blocks the host. A second shade, a Remover
// without Aplicar or an unknown handle do nothing.

#include "automation/DispatchObject.h"
#include "automation/Server.h"
#include "forms/Window.h"

#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

using namespace quva;
using automation::Args;
using rt::Variant;

QString nomeDaSombra() {
    return QStringLiteral("quvaFundoEscuro");
}

class Sombra : public QWidget {
public:
    explicit Sombra(QWidget* janela) : QWidget(janela), m_janela(janela) {
        setObjectName(nomeDaSombra());
        setAttribute(Qt::WA_NoSystemBackground);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(janela->rect());
        janela->installEventFilter(this);
        show();
        raise();
    }
    ~Sombra() override {
        if (m_janela) m_janela->removeEventFilter(this);
    }
    Sombra(const Sombra&) = delete;
    Sombra& operator=(const Sombra&) = delete;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0, 0, 0, 140));
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (o == m_janela) {
            if (e->type() == QEvent::Resize) setGeometry(m_janela->rect());
            // A window embedded while the shade is up would cover it.
            if (e->type() == QEvent::ChildAdded) QTimer::singleShot(0, this, [this] { raise(); });
        }
        return false;
    }

private:
    QPointer<QWidget> m_janela;
};

QWidget* sombraDe(QWidget* janela) {
    return janela->findChild<QWidget*>(nomeDaSombra(), Qt::FindDirectChildrenOnly);
}

void Aplicar(forms::HWND h) {
    QWidget* janela = forms::windowFromHandle(h);
    if (!janela) return;
    QWidget* sombra = sombraDe(janela);
    if (!sombra) sombra = new Sombra(janela);
    sombra->raise();
    sombra->repaint();
}

void Remover(forms::HWND h) {
    QWidget* janela = forms::windowFromHandle(h);
    if (!janela) return;
    QWidget* sombra = sombraDe(janela);
    if (!sombra) return;
    delete sombra;
    janela->repaint();
}

class clsFundoEscuro : public automation::DispatchObject {
public:
    clsFundoEscuro() : DispatchObject(QStringLiteral("clsFundoEscuro")) {
        method(QStringLiteral("Aplicar"), 1, [](Args a) {
            Aplicar(a[0].toLong());
            return Variant();
        });
        method(QStringLiteral("Remover"), 1, [](Args a) {
            Remover(a[0].toLong());
            return Variant();
        });
    }
};

const automation::ServerDescription& descricao() {
    static const automation::ServerDescription d = [] {
        automation::ClassEntry e;
        e.progId = QStringLiteral("QUVA_A_EfeitosDeTela.clsFundoEscuro");
        e.clsid = QStringLiteral("{77AA7FBF-0936-4A53-BB5D-AD2DEF210C73}");
        e.className = QStringLiteral("clsFundoEscuro");
        e.typeLib = QStringLiteral("QUVA_A_EfeitosDeTela");
        e.typeLibId = QStringLiteral("{1F1500D4-FC09-4214-98AA-82DB318E9E40}");
        e.version = QStringLiteral("1.0");
        e.description = QStringLiteral("QUVA - Apresentação - Efeitos de tela");
        e.interfaceName = QStringLiteral("_clsFundoEscuro");
        e.interfaceId = QStringLiteral("{42846F32-1B9F-4219-860D-719986C37FFC}");
        return automation::ServerDescription{{automation::serverClass<clsFundoEscuro>(e)}};
    }();
    return d;
}

} // namespace

QUVA_AUTOMATION_SERVER(descricao)
