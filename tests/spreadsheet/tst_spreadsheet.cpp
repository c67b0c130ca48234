// excel.application through CreateObject: its refusals, the stop from its
// progress window and finding the spreadsheet program (a recorder script
// here). What an export writes is read back in the exports' tests.

#include "support/Falhas.h"
#include "support/Xlsx.h"

#include "automation/LateBound.h"
#include "automation/Server.h"
#include "runtime/Errors.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace quva;
using automation::call;
using automation::get;
using automation::let;
using automation::obj;
using rt::Object;
using rt::Variant;

namespace {

void put(const Object& app, int row, int col, const Variant& v) {
    let(obj(get(obj(get(app, "ActiveSheet")), "Cells", row, col)), "Value", v);
}

} // namespace

class tst_spreadsheet : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<teste::GravadorDePlanilha> m_gravador;

    // Runs f on a new application with a workbook, releases everything and
    // returns the copy of the file the spreadsheet program was given.
    QString exportar(const std::function<void(const Object&)>& f) {
        {
            Object app = automation::CreateObject(QStringLiteral("excel.application"));
            call(obj(get(app, "Workbooks")), "Add");
            f(app);
        }
        return m_gravador->proximaPlanilha();
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QString error;
        QCOMPARE(automation::RegisterLibrary(QStringLiteral(SPREADSHEET_LIB), &error), automation::S_OK_);
        m_gravador = std::make_unique<teste::GravadorDePlanilha>(m_dir.path(), QStringLiteral(" --nova"));
        qputenv("XDG_CONFIG_HOME", m_dir.path().toUtf8());
    }

    void falhasDeUmaCelula_data() {
        QTest::addColumn<std::function<void(const Object&)>>("passo");
        QTest::addColumn<int>("falha");
        using F = std::function<void(const Object&)>;
        QTest::newRow("última linha") << F([](const Object& a) { put(a, 1048576, 1, 1); }) << 0;
        QTest::newRow("linha depois da última") << F([](const Object& a) { put(a, 1048577, 1, 1); }) << 1004;
        // Rows far behind the last one written are already in the file.
        QTest::newRow("linha já gravada") << F([](const Object& a) {
            put(a, 1, 1, "primeira");
            put(a, 2000, 1, "longe");
            put(a, 1, 2, "tarde");
        }) << 1004;
    }
    void falhasDeUmaCelula() {
        QFETCH(std::function<void(const Object&)>, passo);
        QFETCH(int, falha);
        int obtida = -1;
        const QString arquivo = exportar([&](const Object& app) { obtida = teste::failureOf([&] { passo(app); }); });
        QCOMPARE(obtida, falha);
        // Whatever failed, what was written before stays readable.
        QVERIFY(!arquivo.isEmpty() && QFile::exists(arquivo));
    }

    // Closing the progress window stops the export at the next call and
    // every later one (its button is clicked in the exports' tests, which
    // also read the rows written before).
    void interromper() {
        int falha = 0, escritas = 0, depois = 0;
        exportar([&](const Object& app) {
            let(app, "Visible", true);
            QWidget* janela = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("frmProgressoDaPlanilha")) janela = w;
            QVERIFY(janela && janela->isVisible());
            QCOMPARE(janela->windowModality(), Qt::ApplicationModal);
            // Reaches the window through the event loop the calls keep running.
            QCoreApplication::postEvent(janela, new QCloseEvent);
            QElapsedTimer t;
            t.start();
            while (falha == 0 && t.elapsed() < 5000) {
                falha = teste::failureOf([&] { put(app, escritas + 1, 1, escritas + 1); });
                if (falha == 0) ++escritas;
                QThread::msleep(5);
            }
            depois = teste::failureOf([&] { get(app, "Visible"); });
            QVERIFY(!janela->isVisible());
        });
        QCOMPARE(falha, 50290);
        QCOMPARE(depois, 50290);
        // The configured program's own arguments come first; its copy of the
        // workbook is removed once it returned.
        QCOMPARE(m_gravador->argumentos.first(), QStringLiteral("--nova"));
        QTRY_VERIFY(!QFile::exists(m_gravador->argumentos.last()));
    }

    void semProgramaDePlanilha_data() {
        QTest::addColumn<QByteArray>("variavel"); // "-" leaves it unset
        QTest::addColumn<QString>("configurado");
        QTest::addColumn<bool>("cria");
        const QByteArray gravador = qgetenv("QUVA_PLANILHA");
        QTest::newRow("variável vazia") << QByteArray("") << QString() << false;
        QTest::newRow("configuração") << QByteArray("-") << QString::fromUtf8(gravador) << true;
        QTest::newRow("configuração com programa ausente") << QByteArray("-") << QStringLiteral("planilha-que-nao-ha")
                                                          << false;
        QTest::newRow("variável antes da configuração") << gravador << QStringLiteral("planilha-que-nao-ha") << true;
    }
    void semProgramaDePlanilha() {
        QFETCH(QByteArray, variavel);
        QFETCH(QString, configurado);
        QFETCH(bool, cria);
        const QByteArray antes = qgetenv("QUVA_PLANILHA");
        QSettings(m_dir.filePath(QStringLiteral("quva/suite.ini")), QSettings::IniFormat)
            .setValue(QStringLiteral("planilha/programa"), configurado);
        if (variavel == "-")
            qunsetenv("QUVA_PLANILHA");
        else
            qputenv("QUVA_PLANILHA", variavel);
        const int falha = teste::failureOf([] { automation::CreateObject(QStringLiteral("excel.application")); });
        qputenv("QUVA_PLANILHA", antes);
        QFile::remove(m_dir.filePath(QStringLiteral("quva/suite.ini")));
        QCOMPARE(falha, cria ? 0 : 429);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tst_spreadsheet t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_spreadsheet.moc"
