#pragma once
// The one place the system clock is read. Tests set it; everything else
// asks it for today, now and the timer.

#include "runtime/Variant.h"

#include <functional>

namespace quva::rt {

class Clock {
public:
    virtual ~Clock() = default;
    virtual Date now() const = 0; // date and time of day
    // Seconds since midnight, single precision, restarting at midnight.
    virtual float timer() const = 0;
};

// The clock in force (the system clock unless a test set another).
Clock& clock();
// Installs a clock; nullptr restores the system clock. The caller keeps ownership.
void setClock(Clock* c);

Date Now();
Date Today(); // the date without time
float Timer();

// A clock a test drives by hand. Every read of the timer may advance it by
// a step, so that a busy wait ends without real time passing.
class ManualClock : public Clock {
public:
    explicit ManualClock(Date start);
    Date now() const override;
    float timer() const override;
    void set(Date d);
    void advanceSeconds(double s);
    // Each timer() call advances the clock by this many seconds first (0: never;
    // then a Pausar longer than 0 only ends if an event pump moves the clock).
    void setStepPerRead(double seconds);
    int timerReads() const { return m_reads; }

private:
    mutable double m_serial;
    double m_step = 0;
    mutable int m_reads = 0;
};

// Pausar: keeps reading the timer and processing pending events until
// duration seconds have passed; with 0 or less, one reading and no events.
// A wait across midnight still ends after the duration.
void Pausar(const Variant& duration);
// The event pump Pausar uses (QCoreApplication::processEvents by default);
// tests count its calls.
void setEventPump(std::function<void()> pump);
void processEvents();

} // namespace quva::rt
