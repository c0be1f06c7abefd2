// Line faults the simulated handheld can stage, in both directions, chosen by count or by seeded chance.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Picks the occurrences of one kind of event (the 3rd frame, every ACK ...)
// that go wrong: those listed, and besides each other one with the given
// chance. Numbering starts at 1 and runs over the whole session.
struct FaultRule {
    std::vector<int> at;
    double chance = 0.0;

    bool Active() const { return !at.empty() || chance > 0.0; }
};

// "3" or "2,5,9": those occurrences; "10%": each with that chance; "all": every one.
std::optional<FaultRule> ParseFaultRule(const std::string& text);

// What can happen to the bytes going one way.
struct DirectionFaults {
    FaultRule corruptFrame;      // one data byte of a frame changed: the checksum no longer fits
    FaultRule corruptSoh;        // a frame's SOH changed, its data intact
    FaultRule corruptComplement; // the complement of a frame's block number changed, its data intact
    FaultRule dropByte;          // one byte in the middle of a frame lost
    FaultRule garbleAck;         // an ACK arrives as another byte
    FaultRule loseAck;           // an ACK does not arrive
    FaultRule noise;             // noise bytes arrive just before a reply (echo, ACK, NAK)
    int noiseBytes = 3;
};

struct FaultPlan {
    DirectionFaults fromHandheld; // what the PC receives
    DirectionFaults fromPc;       // what the handheld receives
    FaultRule lateEcho;           // the handheld's echo leaves late
    std::uint32_t lateEchoMs = 300;
    // The handheld stops answering: from its n-th message on (announce, echo,
    // go, frame, ACK, NAK; 1 = the first) or from this time on.
    std::optional<int> silentFromMessage;
    std::optional<std::uint32_t> silentFromMs;
    // The handheld's messages arrive whole at once instead of a byte per 4.17 ms.
    bool burst = false;
    std::uint64_t seed = 1;
};

// Faults that actually happened, one direction.
struct FaultCounts {
    int corruptedFrames = 0;
    int corruptedHeads = 0;
    int droppedBytes = 0;
    int garbledAcks = 0;
    int lostAcks = 0;
    int noiseBursts = 0;
    int noiseBytes = 0;
};

struct FaultCounters {
    FaultCounts fromHandheld;
    FaultCounts fromPc;
    int lateEchoes = 0;
    int silencedBytes = 0; // what the handheld would have sent while silent
};

// A small generator of our own, so that a seed gives the same faults with
// every compiler and standard library.
class FaultRandom {
public:
    explicit FaultRandom(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next();
    bool Chance(double chance);
    // A noise byte: never one of the link's control bytes, which would make
    // the noise a message rather than a fault.
    std::uint8_t NoiseByte();

private:
    std::uint64_t m_state;
};

bool Hits(const FaultRule& rule, int occurrence, FaultRandom& random);
