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

} // namespace teste
