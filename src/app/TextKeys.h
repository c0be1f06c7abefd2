// The table of every text key that the program looks up.
#pragma once

#include <span>
#include <string_view>

struct TextKey {
    const char* key;
    const char* role; // what the text is for, so that a translator knows
};

// Every key that any window reads from the language sections, once. The
// delivered profile holds each of them in both language sections.
std::span<const TextKey> TextKeys();

bool IsTextKey(std::string_view key);
