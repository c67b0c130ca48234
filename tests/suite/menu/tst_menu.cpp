// quva-menu started as a process: every screen of --abrir comes up and the
// program closes cleanly, also when the receivables component is missing
// or cannot open its list; a bad screen name is refused.

#include "suite/storage/Banco.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class tst_menu : public QObject {
    Q_OBJECT

    int executar(const QStringList& args, QString* erro = nullptr, QSize tela = {1366, 768}) {
        // A screen of that size.
        const QString config = m_dir.filePath(QStringLiteral("tela.json"));
        QFile f(config);
        if (!f.open(QIODevice::WriteOnly)) return -3;
        f.write(QStringLiteral(R"({"screens": [{"name": "tela", "x": 0, "y": 0, "width": %1, "height": %2,
                                "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                    .arg(tela.width())
                    .arg(tela.height())
                    .toUtf8());
        f.close();
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QUVA_DATABASE"), m_dir.filePath(QStringLiteral("menu.db")));
        env.insert(QStringLiteral("QUVA_REGISTRY"), m_dir.filePath(QStringLiteral("registro.ini")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + config);
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(QUVA_MENU), args);
        if (!p.waitForFinished(60000)) {
            p.kill();
            return -1;
        }
        if (erro) *erro = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    }

private slots:
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
            QCOMPARE(executar({QStringLiteral("--sem-demonstracao"), QStringLiteral("--abrir"), tela,
                               QStringLiteral("--captura"), imagem, QStringLiteral("--sair-apos"),
                               QStringLiteral("400")},
                              nullptr, tamanho),
                     0);
            // The frame the platform draws is inside the screen too.
            const QSize janela = QImage(imagem).size();
            QVERIFY2(janela.boundedTo(tamanho) == janela && janela.width() > tamanho.width() - 10 &&
                         janela.height() > tamanho.height() - 10,
                     qPrintable(QStringLiteral("%1x%2").arg(janela.width()).arg(janela.height())));
        }
    }

    void firstRunCreatesTheDatabase() {
        QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("menu.db"))));
        auto banco = quva::suite::Banco::abrir(m_dir.filePath(QStringLiteral("menu.db")));
        QCOMPARE(banco->versaoDoEsquema(), quva::suite::Banco::versaoMaisRecente(banco->tipo()));
    }

    void unknownScreen() {
        QString erro;
        QCOMPARE(executar({QStringLiteral("--abrir"), QStringLiteral("relatorios")}, &erro), 2);
        QVERIFY(erro.contains(QStringLiteral("contas-a-receber")));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(tst_menu)
#include "tst_menu.moc"
