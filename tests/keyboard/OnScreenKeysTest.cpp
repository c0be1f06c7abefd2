// The on-screen keyboard as logic: its hit test, the lock on the face key and the first face.
#include "keyboard/OnScreenKeyboardState.h"

#include "keyboard/VirtualKeys.h"

#include <gtest/gtest.h>

TEST(OnScreenKeysTest, HitTestGivesTheGapAfterAKeyToThatKey) {
    const struct {
        int x, y;
        int row, column;
    } cases[] = {
        {0, 0, 0, 0},     {19, 5, 0, 0},    {20, 5, 0, 0},    {21, 5, 0, 1},    {36, 15, 0, 1},
        {37, 15, 0, 1},   {38, 16, 1, 1},   {239, 0, 0, 13},  {239, 20, 1, 12}, {229, 40, 2, 12},
        {228, 40, 2, 11}, {238, 50, 3, 11}, {22, 64, 4, 0},   {24, 64, 4, 1},   {100, 79, 4, 4},
        {239, 79, 4, 8},  {-1, 10, -1, 0},  {240, 10, -1, 0}, {10, -1, -1, 0},  {10, 80, -1, 0},
    };
    for (const auto& c : cases) {
        KeyPosition hit = HitTestKeyboard(c.x, c.y);
        EXPECT_EQ(hit.row, c.row) << c.x << "," << c.y;
        if (c.row >= 0) {
            EXPECT_EQ(hit.column, c.column) << c.x << "," << c.y;
        }
    }
}

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

} // namespace

TEST(OnScreenKeyboardStateTest, FaceKeyWaitsForTheUnlockAndFaceOneHasNoAlternateTable) {
    OnScreenKeyboardState keyboard;
    keyboard.SetFaces(kFaceLatin, kFaceRussian);
    Click(keyboard, 4, 0);
    EXPECT_EQ(keyboard.m_nFaceIndex, 1) << "locked until the main window has set its logo";
    keyboard.m_bFaceLocked = 0;
    // The face key is a Ctrl key for the window as well.
    EXPECT_EQ(Click(keyboard, 4, 0),
              (std::vector<KeyboardSend>{{KeyboardSend::KeyDown, VK_CONTROL}, {KeyboardSend::KeyUp, VK_CONTROL}}));
    EXPECT_EQ(keyboard.m_nFaceIndex, 0);

    OnScreenKeyboardState faceOne;
    faceOne.SelectFace(kFaceOne, 1);
    Click(faceOne, 4, 1);
    EXPECT_EQ(faceOne.Table(), KeyboardTable::Latin);
}
