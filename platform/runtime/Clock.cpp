#include "runtime/Clock.h"

#include "runtime/Convert.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cmath>

namespace quva::rt {

namespace {

constexpr double kSecondsPerDay = 86400.0;

double serialOf(const QDate& date, int msecs) {
    double days = double(QDate(1899, 12, 30).daysTo(date));
    double frac = msecs / (kSecondsPerDay * 1000.0);
    return days < 0 ? days - frac : days + frac;
}

double secondsOfDay(double serial) {
    double frac = std::fabs(serial - std::trunc(serial));
    return frac * kSecondsPerDay;
}

class SystemClock : public Clock {
public:
    Date now() const override {
        QDateTime t = QDateTime::currentDateTime();
        return Date{serialOf(t.date(), t.time().msecsSinceStartOfDay())};
    }
    float timer() const override { return float(QTime::currentTime().msecsSinceStartOfDay() / 1000.0); }
};

SystemClock& systemClock() {
    static SystemClock c;
    return c;
}

Clock* g_clock = nullptr;

std::function<void()>& pump() {
    static std::function<void()> p;
    return p;
}

} // namespace

Clock& clock() {
    return g_clock ? *g_clock : systemClock();
}
void setClock(Clock* c) {
    g_clock = c;
}

Date Now() {
    return clock().now();
}
Date Today() {
    return DateValue(clock().now());
}
float Timer() {
    return clock().timer();
}

ManualClock::ManualClock(Date start) : m_serial(start.serial) {}

Date ManualClock::now() const {
    return Date{m_serial};
}

float ManualClock::timer() const {
    ++m_reads;
    if (m_step > 0) const_cast<ManualClock*>(this)->advanceSeconds(m_step);
    // The timer keeps whole milliseconds, as a system timer would.
    double s = std::floor(secondsOfDay(m_serial) * 1000.0 + 0.5) / 1000.0;
    return float(s >= kSecondsPerDay ? 0.0 : s);
}

void ManualClock::set(Date d) {
    m_serial = d.serial;
}

void ManualClock::advanceSeconds(double s) {
    // Through calendar and milliseconds, so that days before the epoch and
    // long runs of small steps stay exact.
    QDate date = QDate(1899, 12, 30).addDays(qint64(std::trunc(m_serial)));
    double ms = std::floor(secondsOfDay(m_serial) * 1000.0 + 0.5) + std::floor(s * 1000.0 + 0.5);
    double days = std::floor(ms / (kSecondsPerDay * 1000.0));
    ms -= days * kSecondsPerDay * 1000.0;
    m_serial = serialOf(date.addDays(qint64(days)), int(ms));
}

void ManualClock::setStepPerRead(double seconds) {
    m_step = seconds;
}

void Pausar(const Variant& duration) {
    const float start = Timer();
    // A Null duration makes the classic loop test false: no wait.
    if (duration.isNull()) return;
    const double wanted = CDbl(duration);
    if (wanted <= 0) return;
    // Elapsed time is summed reading by reading, each difference taken
    // modulo a day, so a wait across midnight still lasts its duration.
    double elapsed = 0;
    float previous = start;
    for (;;) {
        const float now = Timer();
        double step = double(now) - double(previous);
        if (step < 0) step += kSecondsPerDay;
        elapsed += step;
        previous = now;
        if (elapsed >= wanted) return;
        processEvents();
    }
}

void setEventPump(std::function<void()> p) {
    pump() = std::move(p);
}

void processEvents() {
    if (pump())
        pump()();
    else if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

} // namespace quva::rt
