// quva-host: a stand-in for the suite's menu application. It creates the
// receivables component by ProgID, hands it the application name and the
// logged-in user's data, and shows a main window with a menu bar on top and
// the work area in which the component's list will live.

#include "automation/DispatchObject.h"
#include "automation/LateBound.h"
#include "automation/Server.h"
#include "forms/Control.h"
#include "runtime/Errors.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

namespace {

const QString kNomeDaAplicacao = QStringLiteral("QUVA - Contas a Receber");

// The user data object: opaque to the component, which passes it on to
// the business components.
class clsDadosDoUsuario : public quva::automation::DispatchObject {
public:
    clsDadosDoUsuario(QString nomeDoUsuario, std::int32_t codigoDoUsuario)
        : DispatchObject(QStringLiteral("clsDadosDoUsuario")), m_nome(std::move(nomeDoUsuario)),
          m_codigo(codigoDoUsuario) {
        property(QStringLiteral("NomeDoUsuario"),
                 [this](quva::automation::Args) { return quva::rt::Variant(m_nome); }, {});
        property(QStringLiteral("CodigoDoUsuario"),
                 [this](quva::automation::Args) { return quva::rt::Variant(m_codigo); }, {});
    }

private:
    QString m_nome;
    std::int32_t m_codigo;
};

class JanelaDoMenu : public QMainWindow {
public:
    JanelaDoMenu() {
        setWindowTitle(kNomeDaAplicacao);
        setObjectName(QStringLiteral("frmMenu"));
        QMenu* cadastros = menuBar()->addMenu(QStringLiteral("&Cadastros"));
        cadastros->addAction(QStringLiteral("Contas a &Receber"))->setEnabled(false);
        QMenu* sistema = menuBar()->addMenu(QStringLiteral("&Sistema"));
        sistema->addAction(QStringLiteral("&Sair"), this, &QWidget::close);

        // The container the list is embedded in.
        m_areaDeTrabalho = new QFrame(this);
        m_areaDeTrabalho->setObjectName(QStringLiteral("picAreaDeTrabalho"));
        m_areaDeTrabalho->setFrameShape(QFrame::StyledPanel);
        m_areaDeTrabalho->setBackgroundRole(QPalette::Dark);
        m_areaDeTrabalho->setAutoFillBackground(true);
        setCentralWidget(m_areaDeTrabalho);
        resize(1024, 680);
    }

    QWidget* areaDeTrabalho() const { return m_areaDeTrabalho; }

private:
    QFrame* m_areaDeTrabalho;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quva-host"));
    quva::forms::setUnhandledFailureHandler(quva::forms::runTimeErrorBox(kNomeDaAplicacao));

    QCommandLineParser opcoes;
    opcoes.setApplicationDescription(QStringLiteral("Hospedeiro do componente de Contas a Receber"));
    opcoes.addHelpOption();
    QCommandLineOption sairApos(QStringLiteral("quit-after"),
                                QStringLiteral("Fecha a janela após <ms> milissegundos."),
                                QStringLiteral("ms"));
    opcoes.addOption(sairApos);
    opcoes.process(app);

    quva::rt::Object componente;
    try {
        componente = quva::automation::CreateObject(QStringLiteral("QUVA_A_CReceber.clsCReceber"));
        quva::automation::let(componente, QStringLiteral("NomeDaAplicacao"), kNomeDaAplicacao);
        quva::rt::Object dados = std::make_shared<clsDadosDoUsuario>(QStringLiteral("Administrador"), 1);
        quva::automation::set(componente, QStringLiteral("DadosDoUsuario"), dados);
    } catch (const quva::rt::RuntimeError& e) {
        QMessageBox::critical(nullptr, kNomeDaAplicacao,
                              QStringLiteral("Erro %1: %2\n\nRegistre o componente com:\n"
                                             "quva-regsvr libQUVA_A_CReceber.so")
                                  .arg(e.number())
                                  .arg(e.description()));
        return 1;
    }

    JanelaDoMenu janela;
    janela.statusBar()->showMessage(QStringLiteral("Componente QUVA_A_CReceber.clsCReceber carregado."));
    janela.show();
    if (opcoes.isSet(sairApos)) QTimer::singleShot(opcoes.value(sairApos).toInt(), &janela, &QWidget::close);

    const int resultado = app.exec();
    // Let go of the component while the application object still exists.
    componente.reset();
    return resultado;
}
