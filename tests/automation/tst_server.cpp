// Self-registering libraries end to end: registration into the registry
// file, creation by ProgID, calls across the library boundary, and the
// registration tool as a user runs it.

#include "automation/DispatchObject.h"
#include "automation/LateBound.h"
#include "automation/Registry.h"
#include "automation/Server.h"
#include "runtime/Errors.h"
#include "support/Falhas.h"
#include "support/Processo.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quva;
using namespace quva::automation;
using rt::Variant;

namespace {

const QString kLibrary = QStringLiteral(TESTSERVER_PATH);
const QString kTool = QStringLiteral(REGSVR_PATH);
// A real library without the four exports.
const QString kPlainLibrary = QStringLiteral(PLAIN_LIBRARY_PATH);

using teste::failureOf;

// An object of the test program handed to the library.
class Grade : public automation::DispatchObject {
public:
    Grade() : DispatchObject(QStringLiteral("MSHFlexGrid")) {}
};

teste::Execucao tool(const QStringList& args) {
    return teste::executarPrograma(kTool, args, {}, 30000);
}

} // namespace

class TestServer : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init() {
        qputenv("QUVA_REGISTRY",
                m_dir.filePath(QStringLiteral("%1.ini").arg(QTest::currentTestFunction())).toUtf8());
    }

    // Registered, every class is created by its ProgID in any letter case,
    // each time a new instance; calls, failures and objects cross the
    // library boundary; unregistered, it can be created no more.
    void libraryFromRegistrationToUnregistration() {
        QString error;
        QCOMPARE(RegisterLibrary(kLibrary, &error), S_OK_);
        QVERIFY(error.isEmpty());
        auto e = Registry::find(QStringLiteral("QuvaTest.Calculadora"));
        QVERIFY(e);
        QCOMPARE(e->library, QFileInfo(kLibrary).absoluteFilePath());
        QCOMPARE(e->members.first(), QStringLiteral("Somar"));

        rt::Object o = CreateObject(QStringLiteral("QUVATEST.calculadora"));
        QCOMPARE(o->typeName(), QStringLiteral("clsCalculadora"));
        QCOMPARE(call(o, QStringLiteral("somar"), 2, 3).toLong(), 5);
        rt::Object a = CreateObject(QStringLiteral("QuvaTest.Contador"));
        rt::Object b = CreateObject(QStringLiteral("QuvaTest.Contador"));
        QCOMPARE(call(a, QStringLiteral("Incrementar")).toLong(), 1);
        QCOMPARE(call(a, QStringLiteral("Incrementar")).toLong(), 2);
        QCOMPARE(call(b, QStringLiteral("Incrementar")).toLong(), 1);

        QCOMPARE(failureOf([&] { call(o, QStringLiteral("NomeDoTipoDaGrade")); }), rt::err::ObjectNotSet);
        QCOMPARE(failureOf([&] { call(o, QStringLiteral("Falhar"), 6); }), rt::err::Overflow);
        auto grade = std::make_shared<Grade>();
        set(o, QStringLiteral("Grade"), grade);
        QCOMPARE(call(o, QStringLiteral("NomeDoTipoDaGrade")).toString(), QStringLiteral("MSHFlexGrid"));
        QVERIFY(obj(get(o, QStringLiteral("Grade"))) == rt::Object(grade));
        // An object made in the library comes back through a by-reference argument.
        Variant pagina(rt::Object{});
        call(o, QStringLiteral("Paginar"), byRef(pagina));
        QCOMPARE(call(obj(pagina), QStringLiteral("Incrementar")).toLong(), 1);

        QCOMPARE(UnregisterLibrary(kLibrary, &error), S_OK_);
        QVERIFY(Registry::all().empty());
        QCOMPARE(failureOf([&] { CreateObject(QStringLiteral("QuvaTest.Contador")); }),
                 rt::err::CannotCreateObject);
    }

    void unregisteringLeavesAnotherLibrarysProgId() {
        ClassEntry other;
        other.progId = QStringLiteral("QuvaTest.Contador");
        other.clsid = QStringLiteral("{00000000-0000-0000-0000-000000000001}");
        QVERIFY(Registry::write(other));
        QCOMPARE(UnregisterLibrary(kLibrary), S_OK_);
        QCOMPARE(Registry::find(QStringLiteral("QuvaTest.Contador"))->clsid, other.clsid);
    }

    void cannotCreateIs429_data() {
        QTest::addColumn<QString>("progId");
        QTest::addColumn<QString>("library");
        QTest::addColumn<QString>("clsid");
        QTest::newRow("not registered") << "QuvaTest.Nenhum" << QString() << QString();
        QTest::newRow("library gone") << "QuvaTest.Sumiu"
                                      << "/nao/existe/libsumiu.so"
                                      << "{3E1C6A7B-8F24-4D15-A9B0-C2D3E4F50617}";
        QTest::newRow("library without exports")
            << "QuvaTest.Simples" << kPlainLibrary << "{3E1C6A7B-8F24-4D15-A9B0-C2D3E4F50617}";
        QTest::newRow("class not in the library")
            << "QuvaTest.Outra" << kLibrary << "{00000000-0000-0000-0000-000000000009}";
    }
    void cannotCreateIs429() {
        QFETCH(QString, progId);
        QFETCH(QString, library);
        QFETCH(QString, clsid);
        if (!library.isEmpty()) {
            ClassEntry e;
            e.progId = progId;
            e.clsid = clsid;
            e.library = library;
            QVERIFY(Registry::write(e));
        }
        QCOMPARE(failureOf([&] { CreateObject(progId); }), rt::err::CannotCreateObject);
    }

    void toolRegistersListsAndUnregisters() {
        auto r = tool({kLibrary});
        QCOMPARE(r.codigo, 0);
        QCOMPARE(r.saida.trimmed(), QStringLiteral("DllRegisterServer em %1 obteve êxito.").arg(kLibrary));
        // The process wrote the file this process reads.
        QVERIFY(Registry::find(QStringLiteral("quvatest.calculadora")));

        r = tool({QStringLiteral("--list")});
        QCOMPARE(r.codigo, 0);
        const QStringList lines = r.saida.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith(QStringLiteral("ProgID\tCLSID")));
        QCOMPARE(lines[1], QStringLiteral("QuvaTest.Calculadora\t{3E1C6A7B-8F24-4D15-A9B0-C2D3E4F50617}\t%1\t"
                                          "QuvaTest {5D2B8E41-3C07-4A7E-9F1B-2E6C0D4A8B13}\t1.0\t"
                                          "QUVA - Teste de Automação")
                               .arg(QFileInfo(kLibrary).absoluteFilePath()));

        r = tool({QStringLiteral("-u"), kLibrary});
        QCOMPARE(r.codigo, 0);
        QCOMPARE(r.saida.trimmed(), QStringLiteral("DllUnregisterServer em %1 obteve êxito.").arg(kLibrary));
        QVERIFY(Registry::all().empty());
    }

    void toolSilentAndRelativePath() {
        QDir::setCurrent(QFileInfo(kLibrary).absolutePath());
        auto r = tool({QStringLiteral("-s"), QFileInfo(kLibrary).fileName()});
        QCOMPARE(r.codigo, 0);
        QVERIFY(r.saida.isEmpty() && r.erro.isEmpty());
        // The registry keeps the absolute path, so any working folder can create the object.
        QCOMPARE(Registry::find(QStringLiteral("QuvaTest.Contador"))->library,
                 QFileInfo(kLibrary).absoluteFilePath());
    }

    void toolFailures_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("no library") << QStringList{} << 1 << "Uso: quva-regsvr";
        QTest::newRow("unknown option") << QStringList{"-x", kLibrary} << 1 << "Opção desconhecida: -x";
        QTest::newRow("missing library")
            << QStringList{"/nao/existe/lib.so"} << 3 << "Falha ao carregar o módulo \"/nao/existe/lib.so\".";
        QTest::newRow("without exports")
            << QStringList{kPlainLibrary} << 4
            << QStringLiteral(
                   "O módulo \"%1\" foi carregado, mas o ponto de entrada DllRegisterServer não foi "
                   "encontrado.")
                   .arg(kPlainLibrary);
        QTest::newRow("without exports, unregistering")
            << QStringList{"-u", kPlainLibrary} << 4
            << QStringLiteral("o ponto de entrada DllUnregisterServer não foi encontrado.");
    }
    void toolFailures() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        auto r = tool(args);
        QCOMPARE(r.codigo, code);
        QVERIFY2(r.erro.contains(message), qPrintable(r.erro));
        QVERIFY(r.saida.isEmpty());
        // Silent: the same exit code and no text.
        r = tool(QStringList{QStringLiteral("-s")} + args);
        QCOMPARE(r.codigo, code);
        QVERIFY(r.erro.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestServer)
#include "tst_server.moc"
