#include "runtime/Clock.h"
#include "runtime/Convert.h"
#include "runtime/Errors.h"
#include "support/Falhas.h"

#include <QTest>
#include <QTimer>

using namespace quva::rt;

namespace {
Date at(int y, int mo, int d, int h, int mi, int s) {
    return Date{makeDate(y, mo, d).serial + (h * 3600 + mi * 60 + s) / 86400.0};
}
} // namespace

class TestClock : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        setClock(nullptr);
        setEventPump({});
    }

    void pauseNonPositive_data() {
        QTest::addColumn<Variant>("duration");
        QTest::newRow("zero") << Variant(std::int16_t(0));
        QTest::newRow("negative") << Variant(-3.0);
        QTest::newRow("Empty") << Variant();
        QTest::newRow("Null") << Variant(Null);
    }

    void pauseNonPositive() {
        QFETCH(Variant, duration);
        ManualClock c(at(2026, 12, 4, 10, 0, 0));
        c.setStepPerRead(0.25);
        setClock(&c);
        int pumped = 0;
        setEventPump([&] { ++pumped; });
        Pausar(duration);
        QCOMPARE(c.timerReads(), 1);
        QCOMPARE(pumped, 0);
    }

    void pauseAcrossMidnight() {
        ManualClock c(at(2026, 12, 31, 23, 59, 59));
        c.setStepPerRead(0.25);
        setClock(&c);
        int pumped = 0;
        setEventPump([&] { ++pumped; });
        Variant dois = 2.0;
        Pausar(Variant::ByRef(dois, false)); // as a late-bound caller passes it
        // Start read at 23:59:59.25; the wait ends at the first read 2 s later.
        QCOMPARE(formatDateTime(Now()), QStringLiteral("01/01/2027 00:00:01"));
        QCOMPARE(c.timerReads(), 9);
        QCOMPARE(pumped, 7);
    }

    // The default pump runs Qt's events; a duration that is no number fails.
    void defaultPumpRunsQtEvents() {
        ManualClock c(at(2026, 12, 4, 10, 0, 0));
        c.setStepPerRead(0.5);
        setClock(&c);
        bool fired = false;
        QTimer::singleShot(0, [&] { fired = true; });
        Pausar(Variant(std::int16_t(1)));
        QVERIFY(fired);
        QCOMPARE(teste::failureOf([] { Pausar(Variant("um")); }), err::TypeMismatch);
    }
};

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
