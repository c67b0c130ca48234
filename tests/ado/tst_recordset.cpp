#include "ado/Recordset.h"
#include "automation/LateBound.h"
#include "runtime/Convert.h"
#include "runtime/Errors.h"
#include "support/Falhas.h"

#include <QTest>

using namespace quva;
using ado::FieldInfo;
using ado::Recordset;
using rt::Variant;
namespace err = rt::err;
namespace late = automation;
using teste::failureOf;

namespace {

std::vector<FieldInfo> numberedFields() {
    return {{QStringLiteral("Numero"), ado::adInteger, 0}, {QStringLiteral("Nome"), ado::adVarChar, 50}};
}

// Rows 1..n: Numero = i, Nome = "R<i>".
std::shared_ptr<Recordset> numbered(int n) {
    std::vector<Variant> values;
    for (int i = 1; i <= n; ++i) {
        values.emplace_back(std::int32_t(i));
        values.emplace_back(QStringLiteral("R%1").arg(i));
    }
    return Recordset::fromRows(numberedFields(), std::move(values));
}

int current(Recordset& rs) {
    return rs.Fields(QStringLiteral("Numero")).Value().toLong();
}

// Serves rows computed from their index and records what it was asked.
class CountingProvider : public ado::PageProvider {
public:
    CountingProvider(std::int64_t rows, bool tellsCount) : m_rows(rows), m_tellsCount(tellsCount) {}
    std::int64_t count() override { return m_tellsCount ? m_rows : -1; }
    std::vector<FieldInfo> fields() override { return numberedFields(); }
    void fetch(std::int64_t first, std::int64_t n, std::vector<Variant>& out) override {
        ++fetches;
        largest = std::max(largest, n);
        for (std::int64_t i = first; i < std::min(first + n, m_rows); ++i) {
            out.emplace_back(std::int32_t(i + 1));
            out.emplace_back(QStringLiteral("R%1").arg(i + 1));
        }
    }
    int fetches = 0;
    std::int64_t largest = 0;
    void truncate(std::int64_t rows) { m_rows = rows; }

private:
    std::int64_t m_rows;
    bool m_tellsCount;
};

} // namespace

class TestRecordset : public QObject {
    Q_OBJECT

private slots:
    // What the hosts store: texts from the grid into numbers, fixed and unlimited texts.
    void conversion_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("size");
        QTest::addColumn<Variant>("input");
        QTest::addColumn<Variant>("expected"); // Empty when the set fails
        QTest::addColumn<int>("failure");

        const Variant no;
        const int wrongKind = err::AdoDataConversion, noFit = err::AdoMultipleStep;
        auto row = [](const char* name, ado::DataType t, int size, Variant in, Variant out, int fails = 0) {
            QTest::newRow(name) << int(t) << size << in << out << fails;
        };
        row("double from Brazilian text", ado::adDouble, 0, "1.234,5", 1234.5);
        row("double from non-number", ado::adDouble, 0, "12a", no, wrongKind);
        row("fixed text padded", ado::adChar, 5, "ab", "ab   ");
        row("fixed text at its size", ado::adChar, 5, "abcde", "abcde");
        row("fixed text too long", ado::adChar, 5, "abcdef", no, noFit);
        row("BSTR has no limit", ado::adBSTR, 0, QString(300, u'x'), QString(300, u'x'));
    }

    void conversion() {
        QFETCH(int, type);
        QFETCH(int, size);
        QFETCH(Variant, input);
        QFETCH(Variant, expected);
        QFETCH(int, failure);
        auto rs = Recordset::create();
        rs->Fields().Append(QStringLiteral("Campo"), ado::DataType(type), size);
        rs->Open();
        rs->AddNew();
        ado::Field& f = rs->Fields(QStringLiteral("Campo"));
        if (failure) {
            QCOMPARE(failureOf([&] { f.setValue(input); }), failure);
            QVERIFY(f.Value().isNull()); // unchanged
            return;
        }
        f.setValue(input);
        QCOMPARE(f.Value().type(), expected.type());
        QVERIFY(f.Value() == expected);
    }

    void stateRules() {
        auto rs = Recordset::create();
        QCOMPARE(failureOf([&] { rs->Open(); }), err::AdoInvalidArgument); // nothing to hold
        rs->Fields().Append(QStringLiteral("A"), ado::adDouble);
        // Fixed text without a size, a name taken in another case, an unknown type, no name.
        for (const auto& [nome, tipo] : {std::pair{"Outro", ado::adChar}, {"a", ado::adDouble},
                                         {"Outro", ado::DataType(999)}, {"", ado::adDouble}})
            QCOMPARE(failureOf([&] { rs->Fields().Append(QString::fromLatin1(nome), tipo); }), err::AdoInvalidArgument);
        QCOMPARE(rs->Fields().Count(), 1);
        QCOMPARE(failureOf([&] { (void)rs->RecordCount(); }), err::AdoObjectClosed);
        QCOMPARE(failureOf([&] { (void)rs->Fields(0).Value(); }), err::AdoObjectClosed);
        rs->Open();
        QCOMPARE(failureOf([&] { rs->Fields().Append(QStringLiteral("B"), ado::adDouble); }),
                 err::AdoObjectOpen);
        QVERIFY(rs->BOF() && rs->EOF_());
        rs->AddNew();
        rs->Fields(0).setValue(2.5);
        rs->Update();
        QCOMPARE(rs->RecordCount(), 1);
        rs->MoveFirst();
        rs->MoveNext();
        QCOMPARE(failureOf([&] { rs->MoveNext(); }), err::AdoNoCurrentRecord);
        QCOMPARE(failureOf([&] { (void)rs->Fields(0).Value(); }), err::AdoNoCurrentRecord);
    }

    void fieldLookup() {
        auto rs = numbered(3);
        QCOMPARE(rs->Fields(QStringLiteral("nome")).Value().rawString(), QStringLiteral("R1"));
        QCOMPARE(failureOf([&] { rs->Fields(QStringLiteral("Nomes")); }), err::AdoItemNotFound);
        QCOMPARE(failureOf([&] { rs->Fields(2); }), err::AdoItemNotFound);
        QCOMPARE(failureOf([&] { rs->Fields(-1); }), err::AdoItemNotFound);
        // Out of order and repeated lookups find the same fields as in order.
        for (const char* name : {"Nome", "Nome", "Numero", "numero", "Nome", "NUMERO"})
            QCOMPARE(rs->Fields(QString::fromLatin1(name)).Name().toLower(),
                     QString::fromLatin1(name).toLower());
        QCOMPARE(failureOf([&] { Recordset::fromRows(numberedFields(), {Variant(1)}); }),
                 err::AdoInvalidArgument);
    }

    void paging_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pageSize");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("firstRow"); // 0: the page does not exist
        QTest::addColumn<int>("pageCount");
        QTest::newRow("middle") << 45 << 10 << 3 << 21 << 5;
        QTest::newRow("short last page") << 45 << 10 << 5 << 41 << 5;
        QTest::newRow("past the last") << 45 << 10 << 6 << 0 << 5;
        QTest::newRow("page zero") << 45 << 10 << 0 << 0 << 5;
        QTest::newRow("exact pages") << 40 << 10 << 4 << 31 << 4;
        QTest::newRow("one row") << 1 << 10 << 1 << 1 << 1;
        QTest::newRow("default page size") << 25 << 0 << 3 << 21 << 3;
        QTest::newRow("empty") << 0 << 10 << 1 << 0 << 0;
    }

    void paging() {
        QFETCH(int, rows);
        QFETCH(int, pageSize);
        QFETCH(int, page);
        QFETCH(int, firstRow);
        QFETCH(int, pageCount);
        // In memory, from a provider that tells its count, from one that does not.
        for (int source : {0, 1, 2}) {
            auto rs = source ? Recordset::fromProvider(std::make_shared<CountingProvider>(rows, source == 1))
                             : numbered(rows);
            if (pageSize) rs->setPageSize(pageSize);
            QCOMPARE(rs->RecordCount(), source == 2 ? -1 : rows);
            QCOMPARE(rs->PageCount(), source == 2 ? -1 : pageCount);
            if (rows) rs->MoveNext(); // away from where the page starts (EOF for one row)
            if (rows > 1) QCOMPARE(current(*rs), 2);
            if (!firstRow) {
                const int before = rs->AbsolutePosition();
                QCOMPARE(failureOf([&] { rs->setAbsolutePage(page); }), err::AdoInvalidArgument);
                QCOMPARE(rs->AbsolutePosition(), before);
                continue;
            }
            rs->setAbsolutePage(page);
            QCOMPARE(current(*rs), firstRow);
            QCOMPARE(rs->AbsolutePage(), page);
            QCOMPARE(rs->AbsolutePosition(), firstRow);
        }
    }

    void walking() {
        auto rs = numbered(25);
        QCOMPARE(current(*rs), 1); // a selection starts on its first row
        QVERIFY(!rs->BOF());
        rs->setAbsolutePage(2);
        for (int i = 0; i < 10; ++i)
            rs->MoveNext();
        QCOMPARE(current(*rs), 21);
        QCOMPARE(rs->AbsolutePage(), 3);
        int walked = 0;
        while (!rs->EOF_()) {
            ++walked;
            rs->MoveNext();
        }
        QCOMPARE(walked, 5);
        QCOMPARE(rs->AbsolutePage(), ado::adPosEOF);

        auto empty = numbered(0);
        QVERIFY(empty->BOF() && empty->EOF_());
        QCOMPARE(empty->AbsolutePage(), ado::adPosUnknown);
        QCOMPARE(failureOf([&] { empty->MoveFirst(); }), err::AdoNoCurrentRecord);
        QCOMPARE(failureOf([&] { empty->setPageSize(0); }), err::AdoInvalidArgument);
    }

    void pageOfMillionFetchesOnlyThatPage() {
        auto provider = std::make_shared<CountingProvider>(1'000'000, true);
        auto rs = Recordset::fromProvider(provider);
        rs->setPageSize(20);
        QCOMPARE(rs->RecordCount(), 1'000'000);
        QCOMPARE(rs->PageCount(), 50'000);
        rs->setAbsolutePage(50'000);
        QCOMPARE(current(*rs), 999'981);
        const int fetchesAfterJump = provider->fetches;
        for (int i = 1; i < 20; ++i)
            rs->MoveNext();
        QCOMPARE(current(*rs), 1'000'000);
        QCOMPARE(provider->fetches, fetchesAfterJump); // the page came in one fetch
        rs->MoveNext();
        QVERIFY(rs->EOF_());

        // Back and forth between two pages uses what is at hand.
        rs->setAbsolutePage(7);
        rs->setAbsolutePage(8);
        const int settled = provider->fetches;
        rs->setAbsolutePage(7);
        rs->setAbsolutePage(8);
        QCOMPARE(provider->fetches, settled);
        QCOMPARE(failureOf([&] { rs->setAbsolutePage(50'001); }), err::AdoInvalidArgument);
        QCOMPARE(current(*rs), 141);
    }

    void walkToEofInBoundedBlocks_data() {
        QTest::addColumn<bool>("tellsCount");
        QTest::newRow("count known") << true;
        QTest::newRow("count unknown") << false;
    }

    void walkToEofInBoundedBlocks() {
        QFETCH(bool, tellsCount);
        auto provider = std::make_shared<CountingProvider>(100'000, tellsCount);
        auto rs = Recordset::fromProvider(provider);
        QCOMPARE(rs->RecordCount(), tellsCount ? 100'000 : -1);
        QCOMPARE(rs->PageCount(), tellsCount ? 100 * 100 : -1);
        std::int64_t walked = 0, sum = 0;
        for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
            ++walked;
            sum += current(*rs);
        }
        QCOMPARE(walked, 100'000);
        QCOMPARE(sum, std::int64_t(100'000) * 100'001 / 2);
        QVERIFY(provider->largest <= 1024);
        QVERIFY(provider->fetches < 1000);
    }

    // A walk that reads no field reads no rows; a field read on the way
    // reads its row, and a row that went away is 3021, not another row.
    void walkWithoutReadingFetchesNothing() {
        auto provider = std::make_shared<CountingProvider>(100'000, true);
        auto rs = Recordset::fromProvider(provider);
        std::int64_t walked = 0;
        for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext())
            if (++walked == 70'000) QCOMPARE(current(*rs), 70'000);
        QCOMPARE(walked, 100'000);
        QCOMPARE(provider->fetches, 2);
        auto short_ = std::make_shared<CountingProvider>(2000, true);
        auto rs2 = Recordset::fromProvider(short_);
        short_->truncate(3);
        for (int i = 0; i < 1000; ++i) rs2->MoveNext();
        QCOMPARE(failureOf([&] { current(*rs2); }), err::AdoNoCurrentRecord);
    }

    void providerPagesAreReadOnlyCopies() {
        auto rs = Recordset::fromProvider(std::make_shared<CountingProvider>(45, true));
        QCOMPARE(failureOf([&] { rs->Fields(0).setValue(1); }), err::AdoFeatureNotAvailable);
        QCOMPARE(failureOf([&] { rs->AddNew(); }), err::AdoFeatureNotAvailable);
        rs->setAbsolutePage(5);
        auto page = rs->currentPage();
        QCOMPARE(page->RecordCount(), 5);
        QCOMPARE(current(*page), 41);
        QCOMPARE(current(*rs), 41); // the selection did not move
        rs->setAbsolutePage(2);
        rs->MoveNext();
        page = rs->currentPage();
        QCOMPARE(page->RecordCount(), 10);
        QCOMPARE(current(*page), 11);
        QCOMPARE(current(*rs), 12);
    }

    void lateBound() {
        rt::Object rs = numbered(45);
        QCOMPARE(late::get(rs, "RecordCount").rawLong(), 45);
        late::let(rs, "PageSize", std::int16_t(10));
        late::let(rs, "AbsolutePage", 3);
        QCOMPARE(late::get(rs, "absolutepage").rawLong(), 3);
        QCOMPARE(late::get(late::obj(late::get(rs, "Fields", "Numero")), "Value").rawLong(), 21);
        late::call(rs, "MoveNext");
        QCOMPARE(late::get(late::obj(late::get(rs, "Fields", "Nome")), "Value").rawString(),
                 QStringLiteral("R22"));
        QCOMPARE(late::get(rs, "EOF").rawBoolean(), rt::vbFalse);
        late::call(rs, "MoveLast");
        late::call(rs, "MoveNext");
        QCOMPARE(late::get(rs, "EOF").rawBoolean(), rt::vbTrue);
        QCOMPARE(failureOf([&] { late::let(rs, "AbsolutePage", 6); }), err::AdoInvalidArgument);
        QCOMPARE(failureOf([&] { late::get(rs, "Fields", "NaoExiste"); }), err::AdoItemNotFound);
    }

    void fieldOutlivesRecordset() {
        rt::Object field;
        {
            auto rs = numbered(1);
            field = late::obj(late::get(rs, "Fields", "Nome"));
        }
        QCOMPARE(failureOf([&] { late::get(field, "Value"); }), err::AdoObjectClosed);
        QCOMPARE(late::get(field, "Name").rawString(), QStringLiteral("Nome"));
    }
};

QTEST_GUILESS_MAIN(TestRecordset)
#include "tst_recordset.moc"
