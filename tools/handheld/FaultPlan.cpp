// Line faults the simulated handheld can stage, in both directions, chosen by count or by seeded chance.
#include "handheld/FaultPlan.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

std::optional<FaultRule> ParseFaultRule(const std::string& text) {
    FaultRule rule;
    if (text == "all") {
        rule.chance = 1.0;
        return rule;
    }
    if (!text.empty() && text.back() == '%') {
        char* end = nullptr;
        const std::string number = text.substr(0, text.size() - 1);
        double percent = std::strtod(number.c_str(), &end);
        if (number.empty() || *end != '\0' || percent < 0.0 || percent > 100.0)
            return std::nullopt;
        rule.chance = percent / 100.0;
        return rule;
    }
    std::istringstream items(text);
    std::string item;
    while (std::getline(items, item, ',')) {
        char* end = nullptr;
        long value = std::strtol(item.c_str(), &end, 10);
        if (item.empty() || *end != '\0' || value < 1 || value > 1000000)
            return std::nullopt;
        rule.at.push_back(static_cast<int>(value));
    }
    if (rule.at.empty())
        return std::nullopt;
    return rule;
}

std::uint64_t FaultRandom::Next() {
    // splitmix64
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

bool FaultRandom::Chance(double chance) {
    if (chance <= 0.0)
        return false;
    if (chance >= 1.0)
        return true;
    return static_cast<double>(Next() >> 11) / 9007199254740992.0 < chance;
}

std::uint8_t FaultRandom::NoiseByte() {
    for (;;) {
        auto byte = static_cast<std::uint8_t>(Next() >> 56);
        switch (byte) {
        case 0x01:
        case 0x06:
        case 0x15:
        case 0x2E:
        case 0x3F:
        case 0xC0:
            continue;
        default:
            return byte;
        }
    }
}

bool Hits(const FaultRule& rule, int occurrence, FaultRandom& random) {
    if (std::find(rule.at.begin(), rule.at.end(), occurrence) != rule.at.end())
        return true;
    return random.Chance(rule.chance);
}
