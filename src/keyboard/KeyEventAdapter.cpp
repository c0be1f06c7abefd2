// Qt key events read as the keyboard messages the translation knows, and back.
#include "keyboard/KeyEventAdapter.h"

#include "keyboard/CodePages.h"
#include "keyboard/KeyTables.h"
#include "keyboard/UsKeyboard.h"
#include "keyboard/VirtualKeys.h"
#include "keyboard/XkbLayoutNames.h"

#include <QKeyEvent>

#include <array>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

struct KeyPair {
    int qtKey;
    int virtualKey;
};

// The keys that type no printable character; the first pair of a virtual key names it back.
constexpr std::array<KeyPair, 32> kCommandKeys{{
    {Qt::Key_Backspace, VK_BACK},    {Qt::Key_Tab, VK_TAB},         {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},       {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},       {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_MENU},        {Qt::Key_Pause, VK_PAUSE},     {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},     {Qt::Key_Space, VK_SPACE},     {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},     {Qt::Key_End, VK_END},         {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},         {Qt::Key_Up, VK_UP},           {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},         {Qt::Key_Print, VK_SNAPSHOT},  {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},     {Qt::Key_Meta, VK_LWIN},       {Qt::Key_Super_L, VK_LWIN},
    {Qt::Key_Super_R, VK_RWIN},      {Qt::Key_Menu, VK_APPS},       {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL}, {Qt::Key_SysReq, VK_SNAPSHOT},
}};

constexpr std::array<KeyPair, 6> kKeypadOperators{{
    {Qt::Key_Asterisk, VK_MULTIPLY},
    {Qt::Key_Plus, VK_ADD},
    {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},
    {Qt::Key_Comma, VK_DECIMAL},
    {Qt::Key_Slash, VK_DIVIDE},
}};

// The printable ASCII character an event without a native code was typed as: its text, or else
// the character its Qt key names (letters in lower case, since Qt names them by their capital).
std::optional<char32_t> TypedCharacter(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.size() == 1 && text.at(0).unicode() >= 0x20 && text.at(0).unicode() < 0x7F)
        return text.at(0).unicode();
    const int key = event.key();
    if (key >= 'A' && key <= 'Z')
        return static_cast<char32_t>(key + 32);
    if (key > 0x20 && key < 0x7F)
        return static_cast<char32_t>(key);
    return std::nullopt;
}

} // namespace

int VirtualKeyOfQtKey(int qtKey, bool keypad) {
    if (keypad) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return VK_NUMPAD0 + (qtKey - Qt::Key_0);
        for (const KeyPair& pair : kKeypadOperators)
            if (pair.qtKey == qtKey)
                return pair.virtualKey;
    }
    for (const KeyPair& pair : kCommandKeys)
        if (pair.qtKey == qtKey)
            return pair.virtualKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VK_F1 + (qtKey - Qt::Key_F1);
    if (qtKey >= 'A' && qtKey <= 'Z')
        return qtKey;
    if (qtKey > 0x20 && qtKey < 0x7F)
        if (auto position = UsKeyOfCharacter(static_cast<char32_t>(qtKey)))
            return UsVirtualKeyOfScanCode(position->scanCode);
    return 0;
}

int QtKeyOfVirtualKey(int virtualKey) {
    for (const KeyPair& pair : kCommandKeys)
        if (pair.virtualKey == virtualKey)
            return pair.qtKey;
    if (virtualKey >= VK_F1 && virtualKey <= VK_F24)
        return Qt::Key_F1 + (virtualKey - VK_F1);
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return virtualKey;
    if (int index = PunctuationKeyIndexOfVirtualKey(virtualKey); index >= 0)
        return kPunctuationKeys[static_cast<std::size_t>(index)].columns[kPunctUs]; // Qt names them by ASCII
    return Qt::Key_unknown;
}

QString TextOfVirtualKey(int virtualKey) {
    switch (virtualKey) {
    case VK_BACK:
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
        return QString(QChar(virtualKey));
    case VK_DELETE:
        return QString(QChar(0x7F));
    default:
        return {};
    }
}

QString CodePageText(const std::string& bytes, int codePage) {
    QString text;
    for (char c : bytes) {
        auto byte = static_cast<std::uint8_t>(c);
        char32_t unicode = codePage == 1251 ? Cp1251ToUnicode(byte) : Cp1252ToUnicode(byte);
        text += QString::fromUcs4(&unicode, 1);
    }
    return text;
}

KeyStroke ReadKeyStroke(const QKeyEvent& event, const KeyboardLayouts* layouts) {
    KeyStroke key;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    key.shift = modifiers.testFlag(Qt::ShiftModifier);
    key.control = modifiers.testFlag(Qt::ControlModifier);
    key.alt = modifiers.testFlag(Qt::AltModifier);

#ifdef Q_OS_WIN
    (void)layouts; // the system's virtual key already follows its layout
    key.scanCode = static_cast<int>(event.nativeScanCode() & 0xFF);
    key.virtualKey = static_cast<int>(event.nativeVirtualKey());
    key.capsLock = (GetKeyState(VK_CAPITAL) & 1) != 0;
    key.rightAlt = GetKeyState(VK_RMENU) < 0;
    const bool nativeCode = key.virtualKey != 0;
#else
    // X and Wayland key codes are the keyboard's scan codes plus 8.
    const quint32 native = event.nativeScanCode();
    key.scanCode = native > 8 && native < 8 + 0x80 ? static_cast<int>(native - 8) : 0;
    key.virtualKey = UsVirtualKeyOfScanCode(key.scanCode);
    if (key.scanCode != 0) {
        unsigned symbol = layouts ? layouts->BaseLevelSymbol(native) : 0;
        if (symbol == 0)
            symbol = event.nativeVirtualKey();
        if (int letter = LetterVirtualKeyOfKeysym(symbol))
            key.virtualKey = letter;
    }
    // Bit 1 of the X and XKB modifier masks is the Caps Lock.
    key.capsLock = (event.nativeModifiers() & 0x2) != 0;
    key.rightAlt = event.key() == Qt::Key_AltGr || (event.key() == Qt::Key_Alt && key.scanCode == 0x64);
    const bool nativeCode = native != 0;
#endif
    if (!nativeCode && !keypad) {
        if (auto typed = TypedCharacter(event)) {
            if (auto position = UsKeyOfCharacter(*typed)) {
                key.scanCode = position->scanCode;
                key.shift = key.shift || position->shift;
                key.virtualKey = UsVirtualKeyOfScanCode(position->scanCode);
            }
        }
    }
    if (key.virtualKey == 0)
        key.virtualKey = VirtualKeyOfQtKey(event.key(), keypad);

    // Alt combinations are the system's keys, as is F10; with Control as well, Alt is the
    // right-Alt layer of the system's layout and the keys are plain ones.
    const bool press = event.type() == QEvent::KeyPress;
    const bool system = !key.control && (key.alt || key.virtualKey == VK_MENU || key.virtualKey == VK_F10);
    if (press)
        key.message = system ? KeyMessage::SysKeyDown : KeyMessage::KeyDown;
    else
        key.message = system ? KeyMessage::SysKeyUp : KeyMessage::KeyUp;
    return key;
}
