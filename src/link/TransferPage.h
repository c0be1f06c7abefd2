// What a transfer needs of the place it runs from: the Exchange page, or the
// command line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

enum class MessageIcon { Failure, Question, Information };

class TransferPage {
public:
    virtual ~TransferPage() = default;

    // The text of a key in the interface language (PC character set).
    virtual std::string Text(std::string_view key) = 0;

    // The serial port chosen on the Settings page.
    virtual bool OpenPort() = 0;
    virtual void ClosePort() = 0;

    // The progress frame (captioned for the direction), bar, STOP and status
    // line; shown for a transfer, hidden after it.
    virtual void ShowProgress(bool upload) = 0;
    virtual void HideProgress(bool upload) = 0;
    virtual void SetStatus(const std::string& pcText) = 0;
    virtual void SetProgressRange(int low, int high) = 0;
    virtual void SetProgressPos(int pos) = 0;

    // The instructions before a transfer; false when the user cancels.
    virtual bool Prompt(const std::string& pcBody) = 0;
    // A message with an OK button only.
    virtual void ShowMessage(MessageIcon icon, const std::string& pcMessage) = 0;

    // Keeps the user away from the rest of the program during a transfer.
    virtual void LockProgram(bool locked) = 0;

    // The current section (1 telephone book ... 4 Russian-German dictionary,
    // 5 memo), which an upload sends and a download changes to what it gets.
    virtual int CurrentSection() = 0;
    virtual void SetCurrentSection(int section) = 0;
    virtual std::filesystem::path SectionFile(int section) = 0;
};
