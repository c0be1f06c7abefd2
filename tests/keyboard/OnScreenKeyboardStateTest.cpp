// The on-screen keyboard's own state: the lock on the face key and the first face.
#include "keyboard/OnScreenKeyboardState.h"

#include "keyboard/VirtualKeys.h"

#include <gtest/gtest.h>

namespace {

// Presses and releases a key as a click would.
std::vector<KeyboardSend> Click(OnScreenKeyboardState& keyboard, int row, int column) {
    keyboard.m_nPressedRow = row;
    keyboard.m_nPressedColumn = column;
    std::vector<KeyboardSend> sends = keyboard.KeyAction(true);
    for (const KeyboardSend& send : keyboard.KeyAction(false))
        sends.push_back(send);
    return sends;
}

TEST(OnScreenKeyboardStateTest, FaceKeyWaitsForTheUnlockAndFaceOneHasNoAlternateTable) {
    OnScreenKeyboardState keyboard;
    keyboard.SetFaces(kFaceLatin, kFaceRussian);
    Click(keyboard, 4, 0);
    EXPECT_EQ(keyboard.m_nFaceIndex, 1) << "locked until the main window has set its logo";
    keyboard.m_bFaceLocked = 0;
    std::vector<KeyboardSend> sends = Click(keyboard, 4, 0);
    EXPECT_EQ(keyboard.m_nFaceIndex, 0);
    // The face key is a Ctrl key for the window as well.
    EXPECT_EQ(sends,
              (std::vector<KeyboardSend>{{KeyboardSend::KeyDown, VK_CONTROL}, {KeyboardSend::KeyUp, VK_CONTROL}}));

    OnScreenKeyboardState faceOne;
    faceOne.SelectFace(kFaceOne, 1);
    Click(faceOne, 4, 1);
    EXPECT_EQ(faceOne.Table(), KeyboardTable::Latin);
}

} // namespace
