// The data sections of the handheld and the files the PC keeps them in.
#pragma once

#include <filesystem>
#include <string>

// Section numbers as the Data page counts them.
inline constexpr int kSectionTelephone = 1;
inline constexpr int kSectionSchedule = 2;
inline constexpr int kSectionGermanRussian = 3;
inline constexpr int kSectionRussianGerman = 4;
inline constexpr int kSectionMemo = 5;

bool IsRecordSection(int section);  // 1-4: the sections whose records the PC reads
char SectionLetter(int section);    // T, S, E, R; 0 for the memo and unknown numbers
int SectionFieldCount(int section); // 3, 3, 2, 2; 0 for the memo and unknown numbers
int SectionOfLetter(char letter);   // the section a packet's first byte names; 0 for another byte

// "840.<section - 1>" in the given directory, or in SectionDirectory() when it
// is empty.
std::filesystem::path GetSectionFileName(int section, const std::filesystem::path& dir = {});

// The profile key of a field's caption: 100ge to 131ge by section and field, the Russian-German
// dictionary's first field 130geruge.
std::string FieldCaptionKey(int section, int field);
