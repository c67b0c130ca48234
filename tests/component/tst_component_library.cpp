// The product library as a host meets it: its exports, what registering
// writes, and a first call through CreateObject with no screens built in.

#include "Ambiente.h"
#include "automation/LateBound.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

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

    // Without the screens built in, both entry points still end in the
    // error presenter at the step that creates the form, and return Empty.
    void entradaSemTelasReportaOPasso_data() {
        QTest::addColumn<QString>("membro");
        QTest::addColumn<QString>("local");
        QTest::newRow("AbrirLista") << "AbrirLista"
                                    << "QUVA_A_CReceber, clsCReceber, AbrirLista, Ponto: 2";
        QTest::newRow("AbrirFicha") << "AbrirFicha"
                                    << "QUVA_A_CReceber, clsCReceber, AbrirFicha, Ponto: 1";
    }
    void entradaSemTelasReportaOPasso() {
        QFETCH(QString, membro);
        QFETCH(QString, local);
        rt::Object o = automation::CreateObject(QStringLiteral("QUVA_A_CReceber.clsCReceber"));
        automation::let(o, QStringLiteral("NomeDaAplicacao"), QStringLiteral("QUVA - Contas a Receber"));
        rt::Variant r = membro == u"AbrirLista"
                            ? automation::call(o, membro, std::int32_t(11), std::int32_t(22))
                            : automation::call(o, membro);
        QVERIFY(r.isEmpty());
        const auto exibir = doubles::calls(teste::kMsgErro, QStringLiteral("Exibir"));
        QCOMPARE(exibir.size(), std::size_t(1));
        QCOMPARE(exibir[0].args.at(0).value.toLong(), rt::err::CannotCreateObject);
        QCOMPARE(exibir[0].args.at(2).value.toString(), local);
        QCOMPARE(exibir[0].args.at(3).value.toString(), QStringLiteral("QUVA - Contas a Receber"));
    }

    void desregistrar() {
        QCOMPARE(automation::UnregisterLibrary(QString::fromUtf8(CRECEBER_LIB)), automation::S_OK_);
        QVERIFY(!automation::Registry::find(QStringLiteral("QUVA_A_CReceber.clsCReceber")));
        QVERIFY_THROWS_EXCEPTION(rt::RuntimeError,
                                 automation::CreateObject(QStringLiteral("QUVA_A_CReceber.clsCReceber")));
    }
};

QTEST_GUILESS_MAIN(tst_component_library)
#include "tst_component_library.moc"
