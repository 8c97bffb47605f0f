// Runs the window tests headless inside one application object, the program's own,
// so that errors escaping a handler reach its exception box as they would for a
// clinician.
#include "platform/tavikapplication.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TavikApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
