#pragma once

#include "tests/TestSupport.h"

#include <QByteArray>

// The test program of a test object with the whole application scaled by
// the factor, as on a screen with that device pixel ratio. The factor must
// be in the environment before the application exists, so it is set while
// the program's statics start.
#define KC_TEST_MAIN_SCALED(TestObject, factor)                                                                        \
    [[maybe_unused]] static const bool kcScaledStart = qputenv("QT_SCALE_FACTOR", QByteArray(factor));                 \
    KC_TEST_MAIN(TestObject)
