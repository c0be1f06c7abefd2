// The places of the keys on a US keyboard, by which keys are named whatever the system's layout.
#include "keyboard/UsKeyboard.h"

#include "keyboard/KeyTables.h"
#include "keyboard/VirtualKeys.h"

int UsVirtualKeyOfScanCode(int scanCode) {
    for (std::size_t i = 0; i < kUsLetterScanCodes.size(); ++i)
        if (kUsLetterScanCodes[i] == scanCode)
            return 'A' + static_cast<int>(i);
    if (int index = PunctuationKeyIndex(scanCode); index >= 0)
        return kPunctuationKeys[static_cast<std::size_t>(index)].usVirtualKey;
    return scanCode == kSpaceScanCode ? VK_SPACE : 0;
}

std::optional<UsKeyPosition> UsKeyOfCharacter(char32_t c) {
    if (c >= 'a' && c <= 'z')
        return UsKeyPosition{kUsLetterScanCodes[c - 'a'], false};
    if (c >= 'A' && c <= 'Z')
        return UsKeyPosition{kUsLetterScanCodes[c - 'A'], true};
    if (c == ' ')
        return UsKeyPosition{kSpaceScanCode, false};
    for (const PunctuationKey& key : kPunctuationKeys) {
        if (key.columns[kPunctUs] == c)
            return UsKeyPosition{key.scanCode, false};
        if (key.columns[kPunctUsUpper] == c)
            return UsKeyPosition{key.scanCode, true};
    }
    return std::nullopt;
}
