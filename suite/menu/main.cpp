// quva-menu: the suite's menu application, as a clerk starts it.

#include "suite/cli/Administracao.h"
#include "suite/menu/JanelaDoMenu.h"

#include "forms/MsgBox.h"
#include "suite/storage/Banco.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include <cstdio>

using namespace quva;
using namespace quva::suite;
using namespace quva::suite::menu;

int main(int argc, char** argv) {
    QCommandLineParser opcoes;
    opcoes.setApplicationDescription(QStringLiteral("Menu da suíte QUVA."));
    const QCommandLineOption ajuda({QStringLiteral("h"), QStringLiteral("help")},
                                   QStringLiteral("Mostra esta ajuda."));
    const QCommandLineOption abrir(
        QStringLiteral("abrir"),
        QStringLiteral("Abre ao iniciar: contas-a-receber (a lista), ficha (uma nova "
                       "conta), clientes, empresa ou debitos."),
        QStringLiteral("tela"));
    const QCommandLineOption usuario(QStringLiteral("usuario"), QStringLiteral("Nome do usuário."),
                                     QStringLiteral("nome"),
                                     qEnvironmentVariable("USER", QStringLiteral("Administrador")));
    const QCommandLineOption captura(QStringLiteral("captura"),
                                     QStringLiteral("Grava uma imagem da janela em <arquivo> e fecha."),
                                     QStringLiteral("arquivo"));
    const QCommandLineOption sairApos(QStringLiteral("sair-apos"),
                                      QStringLiteral("Fecha após <ms> milissegundos."), QStringLiteral("ms"));
    opcoes.addOptions({ajuda, abrir, usuario, captura, sairApos});
    // Read before the application exists: help and a wrong option need no
    // display, and without one the windowing system would end the program.
    QStringList argumentos;
    for (int i = 0; i < argc; ++i)
        argumentos << QString::fromLocal8Bit(argv[i]);
    if (!opcoes.parse(argumentos)) {
        std::fprintf(stderr, "quva-menu: %s\n", qPrintable(admin::emPortugues(opcoes.errorText())));
        return 2;
    }
    if (opcoes.isSet(ajuda)) {
        std::fputs(qPrintable(admin::emPortugues(
                       opcoes.helpText().replace(argumentos.front(), QStringLiteral("quva-menu")))),
                   stdout);
        return 0;
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("quva-menu: nenhuma tela gráfica encontrada (DISPLAY não está definida). Inicie o menu "
                   "numa sessão gráfica, ou com xvfb-run.\n",
                   stderr);
        return 1;
    }

    QApplication app(argc, argv);
    prepararAplicacao();

    const auto& telas = telasDeAbertura();
    if (opcoes.isSet(abrir) && !telas.contains(opcoes.value(abrir))) {
        std::fprintf(stderr, "quva-menu: --abrir aceita %s\n",
                     qPrintable(telas.keys().join(QStringLiteral(", "))));
        return 2;
    }

    QString banco;
    try {
        banco = prepararBanco();
    } catch (const suite::ErroDoBanco& e) {
        std::fprintf(stderr, "quva-menu: %s\n", qPrintable(e.texto()));
        forms::MsgBox(e.texto(), forms::vbCritical, nomeDaAplicacao());
        return 1;
    }
    QStringList erros;
    if (!suite::admin::registrarOQueFalta(suite::admin::pastaDasBibliotecas(), &erros))
        std::fprintf(stderr, "quva-menu: %s\n", qPrintable(erros.join(QStringLiteral("\nquva-menu: "))));

    // A modal screen of the component runs a loop of its own: closing every
    // window first lets it end before the application does.
    const auto encerrar = [] {
        QApplication::closeAllWindows();
        QApplication::exit(0);
    };
    int resultado = 0;
    {
        frmMenu janela(opcoes.value(usuario));
        janela.statusBar()->showMessage(
            QStringLiteral("Usuário: %1    Banco de dados: %2").arg(opcoes.value(usuario), banco));
        // The suite takes the clerk's whole screen, whatever its size:
        // maximised where a window manager frames it, the screen's size where
        // none does.
        const QScreen* tela = janela.screen();
        if (tela) janela.resize(tela->availableSize());
        janela.showMaximized();
        if (opcoes.isSet(captura)) {
            const QString arquivo = opcoes.value(captura);
            QTimer::singleShot(opcoes.isSet(sairApos) ? opcoes.value(sairApos).toInt() : 1500, &janela,
                               [&janela, arquivo, encerrar] {
                                   janela.grab().save(arquivo);
                                   encerrar();
                               });
        } else if (opcoes.isSet(sairApos)) {
            QTimer::singleShot(opcoes.value(sairApos).toInt(), &janela, [encerrar] { encerrar(); });
        }
        if (opcoes.isSet(abrir)) {
            const QString tela = telas.value(opcoes.value(abrir));
            // The screen lays itself out once, in the work area it is opened in:
            // wait until the window is exposed, i.e. placed and sized by the
            // window manager (two seconds at most).
            auto* espera = new QTimer(&janela);
            espera->setInterval(10);
            QObject::connect(espera, &QTimer::timeout, &janela, [&janela, tela, espera, vezes = 0]() mutable {
                const QWindow* w = janela.windowHandle();
                if (w && !w->isExposed() && ++vezes < 200) return;
                espera->stop();
                espera->deleteLater();
                janela.escolher(tela);
            });
            espera->start();
        }
        resultado = app.exec();
    }
    return resultado;
}
