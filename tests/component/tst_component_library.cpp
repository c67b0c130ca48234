// The product library as a host meets it: its exports, what registering
// writes, and the list embedded in a host's work area.

#include "Ambiente.h"
#include "automation/LateBound.h"
#include "forms/Window.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QWidget>

using namespace quva;

class tst_component_library : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        teste::registroNovo();
        teste::registrar(DOUBLES_LIB);
        teste::registrar(CRECEBER_LIB);
    }
    void init() { doubles::reset(); }

    void exportaSoOsQuatroPontosDeEntrada() {
        QProcess nm;
        nm.start(QStringLiteral("nm"),
                 {QStringLiteral("-D"), QStringLiteral("--defined-only"), QString::fromUtf8(CRECEBER_LIB)});
        QVERIFY(nm.waitForFinished());
        QCOMPARE(nm.exitCode(), 0);
        QStringList simbolos;
        for (const QByteArray& linha : nm.readAllStandardOutput().split('\n'))
            if (!linha.trimmed().isEmpty()) simbolos << QString::fromLatin1(linha.split(' ').last());
        simbolos.sort();
        QCOMPARE(simbolos, (QStringList{"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                                        "DllUnregisterServer"}));
    }

    void registroDaClasse() {
        const auto e = automation::Registry::find(QStringLiteral("quva_a_creceber.CLSCRECEBER"));
        QVERIFY(e);
        QCOMPARE(e->progId, QStringLiteral("QUVA_A_CReceber.clsCReceber"));
        QCOMPARE(e->clsid, QStringLiteral("{FC77F644-9829-4FBF-B8F1-BED2FB1BA1C4}"));
        QCOMPARE(e->className, QStringLiteral("clsCReceber"));
        QCOMPARE(e->typeLib, QStringLiteral("QUVA_A_CReceber"));
        QCOMPARE(e->typeLibId, QStringLiteral("{9A1F3A22-FF60-47C1-89CB-72FDC3E7069D}"));
        QCOMPARE(e->version, QStringLiteral("1.0"));
        QCOMPARE(e->description, QStringLiteral("QUVA - Apresentação - Contas a Receber"));
        QCOMPARE(e->interfaceName, QStringLiteral("_clsCReceber"));
        QCOMPARE(e->interfaceId, QStringLiteral("{843C3156-6109-49EB-817A-737D1428FC42}"));
        QCOMPARE(e->members, (QStringList{"AbrirLista", "AbrirFicha", "DadosDoUsuario", "NomeDaAplicacao"}));
        QCOMPARE(QFileInfo(e->library).canonicalFilePath(),
                 QFileInfo(QString::fromUtf8(CRECEBER_LIB)).canonicalFilePath());
    }

    // The list is built into the product library: a host's AbrirLista ends
    // with the list living inside the host's work area, and returns Empty.
    void abrirListaEmbuteALista() {
        QWidget menu;
        auto* area = new QWidget(&menu);
        menu.resize(1024, 700);
        area->setGeometry(0, 40, 1024, 660);
        menu.show();
        rt::Object o = automation::CreateObject(QStringLiteral("QUVA_A_CReceber.clsCReceber"));
        automation::let(o, QStringLiteral("NomeDaAplicacao"), QStringLiteral("QUVA - Contas a Receber"));
        rt::Variant r = automation::call(o, QStringLiteral("AbrirLista"), forms::hWnd(&menu), forms::hWnd(area));
        QVERIFY(r.isEmpty());
        QWidget* lista = nullptr;
        for (QWidget* w : area->findChildren<QWidget*>())
            if (w->objectName() == u"frmLista") lista = w;
        QVERIFY(lista);
        QVERIFY(lista->isVisible());
        QCOMPARE(doubles::calls(teste::kNegocio, QStringLiteral("Selecionar")).size(), std::size_t(1));
    }

    void desregistrar() {
        QCOMPARE(automation::UnregisterLibrary(QString::fromUtf8(CRECEBER_LIB)), automation::S_OK_);
        QVERIFY(!automation::Registry::find(QStringLiteral("QUVA_A_CReceber.clsCReceber")));
        QVERIFY_THROWS_EXCEPTION(rt::RuntimeError,
                                 automation::CreateObject(QStringLiteral("QUVA_A_CReceber.clsCReceber")));
    }
};

QTEST_MAIN(tst_component_library)
#include "tst_component_library.moc"
