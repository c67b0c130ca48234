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

    void manualClockTime() {
        ManualClock c(at(2026, 12, 4, 13, 45, 10));
        setClock(&c);
        QCOMPARE(formatDateTime(Now()), QStringLiteral("04/12/2026 13:45:10"));
        QCOMPARE(formatDateTime(Today()), QStringLiteral("04/12/2026 00:00:00"));
        QCOMPARE(Timer(), float(13 * 3600 + 45 * 60 + 10));
        c.advanceSeconds(11 * 3600);
        QCOMPARE(formatDateTime(Now()), QStringLiteral("05/12/2026 00:45:10"));
        QCOMPARE(Timer(), float(45 * 60 + 10));
        // Many small steps do not drift.
        for (int i = 0; i < 1000; ++i)
            c.advanceSeconds(0.001);
        QCOMPARE(Timer(), float(45 * 60 + 11));
        setClock(nullptr);
        QVERIFY(&quva::rt::clock() != &c);
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

    void pauseOneSecond() {
        ManualClock c(at(2026, 12, 4, 10, 0, 0));
        c.setStepPerRead(0.3);
        setClock(&c);
        int pumped = 0;
        float lastSeen = 0;
        setEventPump([&] {
            ++pumped;
            lastSeen = c.timer(); // a handler may read the clock too
        });
        Variant one = std::int16_t(1);
        const Date start = c.now();
        Pausar(Variant::ByRef(one, false));
        // The first reading is the start; the last one at least a second later.
        const double elapsed = (c.now().serial - start.serial) * 86400.0 - 0.3;
        QVERIFY2(elapsed >= 1.0 - 1e-6, qPrintable(QString::number(elapsed)));
        QVERIFY2(elapsed < 1.6, qPrintable(QString::number(elapsed)));
        QVERIFY(pumped >= 1);
        QVERIFY(lastSeen > float(10 * 3600));
        // Never more than one reading per pass beyond the pump's own.
        QVERIFY(c.timerReads() <= 2 * pumped + 3);
    }

    void pauseAcrossMidnight() {
        ManualClock c(at(2026, 12, 31, 23, 59, 59));
        c.setStepPerRead(0.25);
        setClock(&c);
        int pumped = 0;
        setEventPump([&] { ++pumped; });
        Pausar(Variant(2.0));
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
