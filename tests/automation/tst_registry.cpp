// The per-user registry file: where it is, and what it keeps.

#include "automation/Registry.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quva::automation;

namespace {
// Every field is read back by the component library's registration test.
ClassEntry sample(const QString& progId, QStringList members) {
    ClassEntry e;
    e.progId = progId;
    e.clsid = QStringLiteral("{FC77F644-9829-4FBF-B8F1-BED2FB1BA1C4}");
    e.members = std::move(members);
    return e;
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
