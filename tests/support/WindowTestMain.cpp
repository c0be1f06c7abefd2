// The window tests' main: one application object for the whole run, on the
// offscreen platform unless another is asked for. It is the program's own
// application class, so that every event passes its notify() as in the
// program, and message boxes answer from the test's queue instead of waiting
// for a user.
#include "app/CLinkApp.h"
#include "app/MessageBoxSeam.h"
#include "support/FakeKeyboardLayouts.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The offscreen platform cannot raise windows or grab the mouse for real; the widgets still
// keep their own grab. Its complaints about that would bury the tests' output.
QtMessageHandler g_defaultHandler = nullptr;

void QuietOffscreenLimits(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    g_defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    g_defaultHandler = qInstallMessageHandler(QuietOffscreenLimits);
    CLinkApp app(argc, argv);
    // The offscreen platform tells no keyboard layout; the tests type as on a US one.
    app.SetKeyboardLayouts(std::make_unique<FakeKeyboardLayouts>(std::vector<std::string>{"00000409"}));
    MessageBoxSeam::Activate();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
