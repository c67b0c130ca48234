// The per-user registry file: where it is, and what it keeps.

#include "automation/Registry.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quva::automation;

namespace {
ClassEntry sample(const QString& progId, QStringList members) {
    ClassEntry e;
    e.progId = progId;
    e.clsid = QStringLiteral("{FC77F644-9829-4FBF-B8F1-BED2FB1BA1C4}");
    e.className = QStringLiteral("clsCReceber");
    e.library = QStringLiteral("/opt/quva/lib/libQUVA_A_CReceber.so");
    e.typeLib = QStringLiteral("QUVA_A_CReceber");
    e.typeLibId = QStringLiteral("{9A1F3A22-FF60-47C1-89CB-72FDC3E7069D}");
    e.version = QStringLiteral("1.0");
    e.description = QStringLiteral("QUVA - Apresentação - Contas a Receber");
    e.interfaceName = QStringLiteral("_clsCReceber");
    e.interfaceId = QStringLiteral("{843C3156-6109-49EB-817A-737D1428FC42}");
    e.members = std::move(members);
    return e;
}
bool same(const ClassEntry& a, const ClassEntry& b) {
    return a.progId == b.progId && a.clsid == b.clsid && a.className == b.className &&
           a.library == b.library && a.typeLib == b.typeLib && a.typeLibId == b.typeLibId &&
           a.version == b.version && a.description == b.description && a.interfaceName == b.interfaceName &&
           a.interfaceId == b.interfaceId && a.members == b.members;
}
} // namespace

class TestRegistry : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init() {
        // A folder that does not exist yet: writing creates it.
        qputenv("QUVA_REGISTRY",
                m_dir.filePath(QStringLiteral("sub/%1.ini").arg(QTest::currentTestFunction())).toUtf8());
    }

    void pathFollowsTheEnvironment() {
        QCOMPARE(Registry::path(), m_dir.filePath(QStringLiteral("sub/pathFollowsTheEnvironment.ini")));
        qunsetenv("QUVA_REGISTRY");
        QVERIFY(Registry::path().endsWith(QStringLiteral("/quva/registry.ini")));
        QVERIFY(QDir::isAbsolutePath(Registry::path()));
    }

    void entriesRoundTrip_data() {
        QTest::addColumn<QStringList>("members");
        QTest::newRow("four") << QStringList{"AbrirLista", "AbrirFicha", "DadosDoUsuario", "NomeDaAplicacao"};
        QTest::newRow("none") << QStringList{};
    }
    void entriesRoundTrip() {
        QFETCH(QStringList, members);
        const ClassEntry e = sample(QStringLiteral("QUVA_A_CReceber.clsCReceber"), members);
        QVERIFY(Registry::write(e));
        auto back = Registry::find(e.progId);
        QVERIFY(back && same(*back, e));
    }

    void progIdsIgnoreLetterCase() {
        QVERIFY(Registry::write(sample(QStringLiteral("Excel.Application"), {})));
        auto e = Registry::find(QStringLiteral("excel.application"));
        QVERIFY(e);
        QCOMPARE(e->progId, QStringLiteral("Excel.Application"));
        QVERIFY(!Registry::find(QStringLiteral("excel.applicatio")));
        QVERIFY(!Registry::find(QString()));
        // Writing under another case replaces, not duplicates.
        QVERIFY(Registry::write(sample(QStringLiteral("EXCEL.APPLICATION"), {QStringLiteral("Workbooks")})));
        QCOMPARE(Registry::all().size(), std::size_t(1));
        QCOMPARE(Registry::find(QStringLiteral("Excel.Application"))->members, QStringList{"Workbooks"});
    }

    void removeTakesOnlyThatEntry() {
        QVERIFY(Registry::write(sample(QStringLiteral("A.a"), {})));
        QVERIFY(Registry::write(sample(QStringLiteral("B.b"), {})));
        QVERIFY(Registry::remove(QStringLiteral("a.A")));
        QVERIFY(!Registry::find(QStringLiteral("A.a")) && Registry::find(QStringLiteral("B.b")));
        QVERIFY(Registry::remove(QStringLiteral("nunca.existiu")));
    }

    void unwritablePlaceFails() {
        QFile blocker(m_dir.filePath(QStringLiteral("arquivo")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        // A file where the folder should be.
        qputenv("QUVA_REGISTRY", m_dir.filePath(QStringLiteral("arquivo/registry.ini")).toUtf8());
        QVERIFY(!Registry::write(sample(QStringLiteral("A.a"), {})));
    }

    // A refused entry, a lookup or a removal without the file write nothing.
    void progIdWithSlashIsRefused() {
        QVERIFY(!Registry::write(sample(QStringLiteral("A/b"), {})));
        QVERIFY(Registry::all().empty() && !Registry::find(QStringLiteral("A.a")));
        QVERIFY(Registry::remove(QStringLiteral("A.a")));
        QVERIFY(!QFile::exists(Registry::path()));
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "tst_registry.moc"
