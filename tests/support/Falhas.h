#pragma once

#include "runtime/Errors.h"

#include <QTest>

namespace teste {

// Runs f and returns the number of the RuntimeError it raised (0 for none).
template <class F> int failureOf(F&& f) {
    try {
        f();
    } catch (const quva::rt::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

// Checks that f raises failure number with its standard description.
template <class F> void expectFailure(F&& f, std::int32_t number) {
    try {
        f();
    } catch (const quva::rt::RuntimeError& e) {
        QCOMPARE(e.number(), number);
        QCOMPARE(e.description(), quva::rt::errorDescription(number));
        return;
    }
    QFAIL(qPrintable(QStringLiteral("no failure %1").arg(number)));
}

} // namespace teste
