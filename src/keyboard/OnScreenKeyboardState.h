// What the on-screen keyboard remembers and decides: its Shift, Caps, face and table, the pressed
// key, and whether it shows the keyboard or the logo.
#pragma once

#include "keyboard/OnScreenKeys.h"

#include <cstdint>
#include <vector>

inline constexpr int kFaceOne = 1; // before the main window sets its faces: Latin, no alternate table
inline constexpr int kFaceRussian = 3;
inline constexpr int kFaceLatin = 4;

// m_nView: what the control shows.
inline constexpr int kViewKeyboard = 0;
inline constexpr int kViewLogo = 1;
inline constexpr int kViewToKeyboard = 2; // animating
inline constexpr int kViewToLogo = 3;

inline constexpr int kAnimationStart = 80;  // the animation counts down from the keyboard's height
inline constexpr int kAnimationStep = 15;   // per timer tick
inline constexpr int kAnimationPeriod = 10; // ms

// What a key action sends to the window that has the keyboard focus.
struct KeyboardSend {
    enum Kind {
        Synthesized, // a key event of its own that passes the keyboard translation like a real key
        KeyDown,     // straight to the window
        KeyUp,
        Char,
    };
    Kind kind;
    int virtualKey = 0;    // Synthesized, KeyDown, KeyUp
    bool keyUp = false;    // Synthesized
    std::uint8_t code = 0; // Char
    int codePage = 1252;   // Char

    bool operator==(const KeyboardSend&) const = default;
};

class OnScreenKeyboardState {
public:
    int m_bShift = 0;
    int m_bCaps = 0;
    int m_nFaceIndex = 1;
    int m_bAltTable = 0;
    int m_nPressedRow = 0; // -1: no key
    int m_nPressedColumn = 0;
    int m_nView = kViewKeyboard;
    int m_nAnim = 0;
    int m_bCaptured = 0;
    int m_bFaceOne = 0; // face code 1 is selected: it has no alternate table
    int m_bFaceLocked = 1;
    int m_nFaces[2] = {kFaceOne, kFaceOne};
    bool m_bHighlighted = false; // the pressed key shows inverted

    int Face() const { return m_nFaces[m_nFaceIndex ? 1 : 0]; }
    bool Upper() const { return (m_bCaps != 0) != (m_bShift != 0); }
    KeyboardTable Table() const;

    void SetFaces(int face0, int face1);
    // 0 and no change when the face is neither of the two set.
    int SelectFace(int face, int standard);

    // The pressed key's press or release.
    std::vector<KeyboardSend> KeyAction(bool press);
    // The rectangles shown inverted now: the locked Caps and Shift keys and the pressed key.
    std::vector<KeyRect> InvertedRects() const;

    // Starts the switch between keyboard and logo; false when there is nothing to animate (no
    // logo, or an animation running), and the caller finishes at once.
    bool BeginToggleView(bool hasLogo);
    // One tick of the animation, counting the ticks missed since the last; true when it is over.
    bool AnimationTick(int ticks);
    void FinishAnimation();
};
