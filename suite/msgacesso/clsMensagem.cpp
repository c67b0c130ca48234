// QUVA_A_MsgAcesso.clsMensagem: a wait window. Exibir puts it on screen and
// returns at once, so the caller can get on with its work; it stays until
// Fechar, or until the instance is released.

#include "automation/DispatchObject.h"
#include "automation/Server.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace {

using namespace quva;
using automation::Args;
using rt::Variant;

class clsMensagem : public automation::DispatchObject {
public:
    clsMensagem() : DispatchObject(QStringLiteral("clsMensagem")) {
        method(QStringLiteral("Exibir"), 1, [this](Args a) {
            Exibir(a[0].deref().isNull() ? QString() : a[0].toString());
            return Variant();
        });
        method(QStringLiteral("Fechar"), 0, [this](Args) {
            Fechar();
            return Variant();
        });
    }
    ~clsMensagem() override { Fechar(); }
    clsMensagem(const clsMensagem&) = delete;
    clsMensagem& operator=(const clsMensagem&) = delete;

private:
    void Exibir(const QString& texto) {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
        if (!m_janela) criarJanela();
        m_texto->setText(texto);
        m_janela->adjustSize();
        if (QWidget* sobre = QApplication::activeWindow()) {
            m_janela->move(sobre->frameGeometry().center() - m_janela->rect().center());
        } else if (QScreen* tela = QGuiApplication::primaryScreen()) {
            m_janela->move(tela->availableGeometry().center() - m_janela->rect().center());
        }
        if (!m_cursorDeEspera) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            m_cursorDeEspera = true;
        }
        m_janela->show();
        m_janela->raise();
        // Painted now: the caller is about to keep the thread busy.
        m_janela->repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

    void Fechar() {
        if (!QCoreApplication::instance()) return;
        delete m_janela.data();
        if (m_cursorDeEspera) {
            QApplication::restoreOverrideCursor();
            m_cursorDeEspera = false;
        }
    }

    void criarJanela() {
        m_janela = new QFrame(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        m_janela->setObjectName(QStringLiteral("frmMensagemDeAcesso"));
        m_janela->setAttribute(Qt::WA_ShowWithoutActivating);
        m_janela->setFrameShape(QFrame::Box);
        m_janela->setStyleSheet(
            QStringLiteral("#frmMensagemDeAcesso { background: #ffffff; border: 1px solid "
                           "#9a9a9a; } QLabel { color: #303030; }"));
        m_texto = new QLabel(m_janela);
        m_texto->setObjectName(QStringLiteral("lblMensagem"));
        m_texto->setAlignment(Qt::AlignCenter);
        m_texto->setMinimumWidth(320);
        QFont fonte = m_texto->font();
        fonte.setPointSizeF(fonte.pointSizeF() * 1.2);
        m_texto->setFont(fonte);
        auto* barra = new QProgressBar(m_janela);
        barra->setRange(0, 0); // busy, without a known end
        barra->setTextVisible(false);
        barra->setMaximumHeight(8);
        auto* layout = new QVBoxLayout(m_janela);
        layout->setContentsMargins(24, 20, 24, 20);
        layout->setSpacing(12);
        layout->addWidget(m_texto);
        layout->addWidget(barra);
    }

    QPointer<QFrame> m_janela;
    QLabel* m_texto = nullptr;
    bool m_cursorDeEspera = false;
};

const automation::ServerDescription& descricao() {
    static const automation::ServerDescription d = [] {
        automation::ClassEntry e;
        e.progId = QStringLiteral("QUVA_A_MsgAcesso.clsMensagem");
        e.clsid = QStringLiteral("{D203FC9E-D37A-4881-998C-84989AFE44DB}");
        e.className = QStringLiteral("clsMensagem");
        e.typeLib = QStringLiteral("QUVA_A_MsgAcesso");
        e.typeLibId = QStringLiteral("{9518FF7E-3B55-4B1A-A115-2AD07F518787}");
        e.version = QStringLiteral("1.0");
        e.description = QStringLiteral("QUVA - Apresentação - Mensagem de espera");
        e.interfaceName = QStringLiteral("_clsMensagem");
        e.interfaceId = QStringLiteral("{2C1B33FF-1577-4794-8D7F-7A379BD854B2}");
        return automation::ServerDescription{{automation::serverClass<clsMensagem>(e)}};
    }();
    return d;
}

} // namespace

QUVA_AUTOMATION_SERVER(descricao)
