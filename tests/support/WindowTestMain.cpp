// The window tests' main: one application object for the whole run, on the
// offscreen platform unless another is asked for. It is the program's own
// application class, so that every event passes its notify() as in the program.
#include "keyboard/CTranslatingApp.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    CTranslatingApp app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
