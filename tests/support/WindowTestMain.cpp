// The window tests' main: one application object for the whole run, on the
// offscreen platform unless another is asked for, and message boxes that
// answer from the test's queue instead of waiting for a user.
#include "app/CLinkApp.h"
#include "app/MessageBoxSeam.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    CLinkApp app(argc, argv);
    MessageBoxSeam::Activate();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
