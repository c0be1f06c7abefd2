// What the on-screen keyboard remembers and decides.
#include "keyboard/OnScreenKeyboardState.h"

#include "keyboard/VirtualKeys.h"

namespace {

// Caps, Shift, the face key and the alternate-table key change the keyboard's state: they are
// shown by the picture itself, and they do not end a one-shot Shift.
bool IsStateKey(int index) {
    return index == kSlotCaps || index == kSlotShift || index == kSlotFaceKey || index == kSlotAltTableKey;
}

// Keys that reach the focused window as key events of their own, so that the keyboard
// translation and the dialogs treat them as typed keys.
bool IsSynthesized(int index) {
    return index == kSlotEscape || index == kSlotBackspace || index == kSlotTab || index == kSlotEnterUpper ||
           index == kSlotEnterLower;
}

} // namespace

KeyboardTable OnScreenKeyboardState::Table() const {
    switch (Face()) {
    case kFaceRussian:
        return m_bAltTable ? KeyboardTable::RussianTypewriter : KeyboardTable::RussianStandard;
    case kFaceLatin:
        return m_bAltTable ? KeyboardTable::LatinAccented : KeyboardTable::Latin;
    default:
        return KeyboardTable::Latin;
    }
}

void OnScreenKeyboardState::SetFaces(int face0, int face1) {
    m_nFaces[0] = face0;
    m_nFaces[1] = face1;
}

int OnScreenKeyboardState::SelectFace(int face, int standard) {
    if (face != m_nFaces[0] && face != m_nFaces[1])
        return 0;
    m_nFaceIndex = face == m_nFaces[1] ? 1 : 0;
    m_bAltTable = standard ? 0 : 1;
    m_bFaceOne = face == kFaceOne ? 1 : 0;
    return 1;
}

std::vector<KeyboardSend> OnScreenKeyboardState::KeyAction(bool press) {
    const int row = m_nPressedRow;
    const int column = m_nPressedColumn;
    const int index = row * kKeySlots + column;
    const KeySlot& slot = KeySlotAt(row, column);
    std::vector<KeyboardSend> sends;

    if (!IsStateKey(index))
        m_bHighlighted = press;

    if (press) {
        switch (index) {
        case kSlotCaps:
            m_bCaps = !m_bCaps;
            break;
        case kSlotShift:
            m_bShift = !m_bShift;
            break;
        case kSlotFaceKey:
            if (!m_bFaceLocked)
                m_nFaceIndex = !m_nFaceIndex;
            break;
        case kSlotAltTableKey:
            if (!m_bFaceOne)
                m_bAltTable = !m_bAltTable;
            break;
        default:
            break;
        }
    }

    if (IsSynthesized(index)) {
        // Shift+Backspace deletes forward.
        const int vk = index == kSlotBackspace && m_bShift ? VK_DELETE : slot.virtualKey;
        sends.push_back({KeyboardSend::Synthesized, vk, !press});
    } else if (press) {
        sends.push_back({KeyboardSend::KeyDown, slot.virtualKey});
    } else {
        sends.push_back({KeyboardSend::KeyUp, slot.virtualKey});
        const KeyboardTable table = Table();
        if (std::uint8_t c = OnScreenCharacter(table, Upper(), row, column))
            sends.push_back({KeyboardSend::Char, 0, false, c, CodePageOf(table)});
    }

    // Shift holds for one key only.
    if (!press && !IsStateKey(index) && (m_bShift || m_bAltTable))
        m_bShift = 0;
    return sends;
}

std::vector<KeyRect> OnScreenKeyboardState::InvertedRects() const {
    std::vector<KeyRect> rects;
    auto add = [&rects](int row, int column) {
        for (const KeyRect& rect : KeyRects(row, column))
            rects.push_back(rect);
    };
    if (m_bCaps)
        add(kSlotCaps / kKeySlots, 0);
    if (m_bShift)
        add(kSlotShift / kKeySlots, 0);
    if (m_bHighlighted && m_nPressedRow >= 0)
        add(m_nPressedRow, m_nPressedColumn);
    return rects;
}

bool OnScreenKeyboardState::BeginToggleView(bool hasLogo) {
    if ((m_nView != kViewKeyboard && m_nView != kViewLogo) || !hasLogo)
        return false;
    m_nAnim = kAnimationStart;
    m_nView = m_nView == kViewKeyboard ? kViewToLogo : kViewToKeyboard;
    return true;
}

bool OnScreenKeyboardState::AnimationTick(int ticks) {
    m_nAnim -= kAnimationStep * (ticks > 0 ? ticks : 1);
    return m_nAnim < 1;
}

void OnScreenKeyboardState::FinishAnimation() {
    m_nAnim = 0;
    m_nView = m_nView == kViewKeyboard || m_nView == kViewToKeyboard ? kViewKeyboard : kViewLogo;
}
