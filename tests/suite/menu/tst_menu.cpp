// quva-menu started as a process: every screen of --abrir comes up and the
// program closes cleanly; a bad screen name is refused, help needs no
// display, and a database that does not exist is named, never created.

#include "suite/storage/Banco.h"
#include "support/Processo.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

class tst_menu : public QObject {
    Q_OBJECT

    // env: variables to set (an empty value removes one); tela: the offscreen
    // screen's size; ateDizer: the run ends once the menu says it.
    teste::Execucao executar(const QStringList& args, const QMap<QString, QString>& env = {},
                             QSize tela = {1366, 768}, const QString& ateDizer = {}) {
        const QString config = m_dir.filePath(QStringLiteral("tela.json"));
        QFile f(config);
        if (!f.open(QIODevice::WriteOnly)) return {};
        f.write(QStringLiteral(R"({"screens": [{"name": "tela", "x": 0, "y": 0, "width": %1, "height": %2,
                                "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                    .arg(tela.width())
                    .arg(tela.height())
                    .toUtf8());
        f.close();
        QMap<QString, QString> todas{{"QUVA_DATABASE", m_dir.filePath("menu.db")},
                                     {"QUVA_REGISTRY", m_dir.filePath("registro.ini")},
                                     {"QT_QPA_PLATFORM", "offscreen:configfile=" + config}};
        todas.insert(env);
        return teste::executarPrograma(QStringLiteral(QUVA_MENU), args, todas, 20000, ateDizer);
    }

private slots:
    void initTestCase() { quva::suite::Banco::abrir(m_dir.filePath(QStringLiteral("menu.db"))); }

    void screens_data() {
        QTest::addColumn<QString>("tela");
        for (const char* t : {"contas-a-receber", "ficha", "clientes", "empresa", "debitos"})
            QTest::newRow(t) << QString::fromLatin1(t);
    }
    // Every screen comes up in a window that takes the whole screen, a small one too.
    void screens() {
        QFETCH(QString, tela);
        for (const QSize tamanho : {QSize(1366, 768), QSize(1024, 768)}) {
            const QString imagem = m_dir.filePath(tela + QStringLiteral(".png"));
            QCOMPARE(
                executar({"--abrir", tela, "--captura", imagem, "--sair-apos", "400"}, {}, tamanho).codigo,
                0);
            // The frame the platform draws is inside the screen too.
            const QSize janela = QImage(imagem).size();
            QVERIFY2(janela.boundedTo(tamanho) == janela && janela.width() > tamanho.width() - 10 &&
                         janela.height() > tamanho.height() - 10,
                     qPrintable(QStringLiteral("%1x%2").arg(janela.width()).arg(janela.height())));
        }
    }

    void missingDatabaseIsNamedNotCreated() {
        const QString errado = m_dir.filePath(QStringLiteral("mneu.db"));
        // The message box then waits for a clerk.
        const QString erro = executar({}, {{"QUVA_DATABASE", errado}}, {1366, 768}, "não existe").erro;
        QVERIFY2(erro.contains(QStringLiteral("O banco de dados %1 não existe").arg(errado)),
                 qPrintable(erro));
        QVERIFY(!QFile::exists(errado));
    }

    // Help needs no display and without one the menu says so; a wrong screen name is refused.
    void commandLine() {
        const QMap<QString, QString> semTela{
            {"QT_QPA_PLATFORM", {}}, {"DISPLAY", {}}, {"WAYLAND_DISPLAY", {}}};
        QVERIFY(executar({"--help"}, semTela).terminou(0, "--abrir"));
        QVERIFY(executar({}, semTela).terminou(1, "nenhuma tela gráfica"));
        QVERIFY(executar({"--abrir", "relatorios"}).terminou(2, "contas-a-receber"));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(tst_menu)
#include "tst_menu.moc"
