// The service components through CreateObject by ProgID, as the
// presentation component calls them: the system's name, the error and wait
// windows, and the dark backdrop.

#include "automation/LateBound.h"
#include "automation/Registry.h"
#include "automation/Server.h"
#include "forms/Window.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quva;
using automation::byRef;
using automation::call;
using automation::CreateObject;
using rt::Variant;

namespace {

const QString kSO = QStringLiteral("QUVA_N_SO.clsObterVersaoDoSO");
const QString kMsgErro = QStringLiteral("QUVA_A_MsgErro.clsMensagem");
const QString kMsgAcesso = QStringLiteral("QUVA_A_MsgAcesso.clsMensagem");
const QString kFundoEscuro = QStringLiteral("QUVA_A_EfeitosDeTela.clsFundoEscuro");

QWidget* sombraDe(QWidget* w) {
    return w->findChild<QWidget*>(QStringLiteral("quvaFundoEscuro"), Qt::FindDirectChildrenOnly);
}

// Aplicar or Remover on a new instance, as the presentation component calls them.
void fundo(const char* membro, std::int32_t h) {
    Variant v(h);
    call(CreateObject(kFundoEscuro), QString::fromLatin1(membro), byRef(v));
}

QWidget* janelaDeEspera() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmMensagemDeAcesso") && w->isVisible()) return w;
    return nullptr;
}

} // namespace

class tst_servicos : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QFile::remove(automation::Registry::path());
        for (const char* lib : {LIB_SO, LIB_MSGERRO, LIB_MSGACESSO, LIB_EFEITOS})
            QCOMPARE(automation::RegisterLibrary(QString::fromUtf8(lib)), automation::S_OK_);
        qunsetenv("QUVA_SO_VERSAO");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
        QDir(m_dir.path()).mkpath(QStringLiteral("quva"));
    }

    // The setting wins over the real name, the variable over the file; the
    // real name is what the system says.
    void versionOverride() {
        const QString ini = m_dir.filePath(QStringLiteral("quva/suite.ini"));
        QFile::remove(ini);
        auto versao = [&] { return call(CreateObject(kSO), QStringLiteral("ObterversaoDoSO")).toString(); };
        QCOMPARE(versao(), QSysInfo::prettyProductName());
        QSettings(ini, QSettings::IniFormat).setValue(QStringLiteral("so/versao"), QStringLiteral("Windows 8"));
        QCOMPARE(versao(), QStringLiteral("Windows 8"));
        qputenv("QUVA_SO_VERSAO", "windows 8");
        QCOMPARE(versao(), QStringLiteral("windows 8"));
        qunsetenv("QUVA_SO_VERSAO");
        QFile::remove(ini);
    }

    void backdropBalancedAcrossInstances() {
        QWidget janela;
        janela.resize(400, 300);
        janela.setStyleSheet(QStringLiteral("background: white"));
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        const std::int32_t h = forms::hWnd(&janela);

        fundo("Aplicar", h);
        QWidget* sombra = sombraDe(&janela);
        QVERIFY(sombra);
        QVERIFY(sombra->isVisible());
        QCOMPARE(sombra->geometry(), janela.rect());
        // The window is darker where it was white.
        const QColor escuro = janela.grab().toImage().pixelColor(200, 150);
        QVERIFY2(escuro.lightness() < 160, qPrintable(escuro.name()));

        // It follows the window, and stays above a window embedded later.
        janela.resize(500, 360);
        QCOMPARE(sombra->geometry(), janela.rect());
        auto* lista = new QWidget;
        forms::SetParent(forms::hWnd(lista), h);
        lista->setGeometry(janela.rect());
        lista->show();
        QTest::qWait(20);
        QCOMPARE(janela.children().last(), sombra);

        // A second Aplicar adds no second shade; the clerk's clicks reach the window under it.
        fundo("Aplicar", h);
        QCOMPARE(janela.findChildren<QWidget*>(QStringLiteral("quvaFundoEscuro")).size(), 1);
        QCOMPARE(janela.childAt(250, 180), lista);

        // One Remover clears it, even after a pair whose Remover never came;
        // a Remover too many does nothing, and the next Aplicar works.
        fundo("Remover", h);
        QVERIFY(!sombraDe(&janela));
        const QColor claro = janela.grab().toImage().pixelColor(450, 330);
        QCOMPARE(claro, QColor(Qt::white));
        fundo("Remover", h);
        fundo("Aplicar", h);
        QVERIFY(sombraDe(&janela));
        fundo("Remover", h);
        QVERIFY(!sombraDe(&janela));
    }

    // Handles of no window, and of one closed since, are ignored.
    void backdropIgnoresUnknownHandles() {
        auto* fechada = new QWidget;
        const std::int32_t h = forms::hWnd(fechada);
        fundo("Aplicar", h);
        delete fechada;
        for (std::int32_t handle : {h, 0, 0x7ffffff0, -4}) {
            fundo("Remover", handle);
            fundo("Aplicar", handle);
            fundo("Remover", handle);
        }
        QVERIFY(!forms::windowFromHandle(h));
    }

    // The window shows the triple with the application as its title and
    // waits for the user; awkward values (Null, a number) come through as text.
    void errorWindow() {
        const auto exibir = [this](Variant n, Variant d, Variant l, Variant a) {
            QStringList visto;
            QTimer::singleShot(0, this, [&] {
                auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                QVERIFY(w);
                visto << w->windowTitle();
                for (const char* rotulo : {"lblNumeroDoErro", "lblDescricaoDoErro", "lblLocalDoErro"})
                    visto << w->findChild<QLabel*>(QLatin1String(rotulo))->text();
                w->accept();
            });
            call(CreateObject(kMsgErro), QStringLiteral("Exibir"), byRef(n), byRef(d), byRef(l), byRef(a));
            return visto;
        };
        const QString local = QStringLiteral("QUVA_A_CReceber, frmLista, GerarLista, Ponto: 3");
        QCOMPARE(exibir(std::int32_t(91), QStringLiteral("Variável de objeto não definida"), local,
                        QStringLiteral("QUVA - Contas a Receber")),
                 (QStringList{"QUVA - Contas a Receber", "91", "Variável de objeto não definida", local}));
        QCOMPARE(exibir(std::int32_t(91), rt::Null, QString(), QString()).mid(1), (QStringList{"91", "", ""}));
        QVERIFY(!QApplication::activeModalWidget());
    }

    void waitWindowUntilClosed() {
        rt::Object m = CreateObject(kMsgAcesso);
        call(m, QStringLiteral("Fechar")); // before Exibir: nothing to close
        call(m, QStringLiteral("Exibir"), QStringLiteral("Aguarde, reorganizando dados."));
        QWidget* w = janelaDeEspera();
        QVERIFY(w);
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("lblMensagem"))->text(),
                 QStringLiteral("Aguarde, reorganizando dados."));
        QVERIFY(QApplication::overrideCursor());
        QTest::qWait(50);
        QVERIFY(janelaDeEspera());
        // A second message on the same instance replaces the text, not the window.
        call(m, QStringLiteral("Exibir"), QStringLiteral("Aguarde."));
        QCOMPARE(janelaDeEspera(), w);
        call(m, QStringLiteral("Fechar"));
        QVERIFY(!janelaDeEspera());
        QVERIFY(!QApplication::overrideCursor());
        call(m, QStringLiteral("Fechar"));

        // Released without Fechar: the window goes with the instance.
        call(m, QStringLiteral("Exibir"), QStringLiteral("Aguarde, reorganizando dados."));
        QVERIFY(janelaDeEspera());
        m.reset();
        QVERIFY(!janelaDeEspera());
        QVERIFY(!QApplication::overrideCursor());
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(tst_servicos)
#include "tst_servicos.moc"
