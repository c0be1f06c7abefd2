// The shell completion of kl840t, against the tool's own list of commands.
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

namespace {

// The words that the completion offers after the command line `line` (its
// last word is the one being completed), sorted.
std::set<std::string> Completions(const std::string& line) {
    const std::string script = "source '" KL840T_SOURCE_DIR "/dist/bash-completion/kl840t'; COMP_WORDS=(" + line +
                               "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _kl840t; printf '%s\\n' \"${COMPREPLY[@]}\"";
    std::istringstream output(OutputOf({"bash", "-c", script}));
    std::set<std::string> words;
    for (std::string word; std::getline(output, word);)
        if (!word.empty())
            words.insert(word);
    return words;
}

// It offers every command of the tool, and for each operand what fits there.
TEST(BashCompletionTest, TheCompletionOffersWhatFitsWhereItIsAsked) {
    // The commands are the help's lines that begin with a word indented by two.
    const std::string help = OutputOf({KL840T_CLI_PATH, "--help"});
    const std::regex command("\n  ([a-z][a-z-]*)");
    std::set<std::string> commands = {"--help", "--version"};
    for (std::sregex_iterator it(help.begin(), help.end(), command), end; it != end; ++it)
        commands.insert((*it)[1]);
    const std::set<std::string> sections = {"telephone", "schedule", "er-dict", "re-dict"};
    const std::pair<std::string, std::set<std::string>> cases[] = {
        {"kl840t ''", commands},
        {"kl840t upload --timeout 60 --dir /tmp --profile p.ini ''", sections},
        {"kl840t import telephone /dev/nul", {"/dev/null"}},
        {"kl840t download --port /dev/nul", {"/dev/null"}},
        {"kl840t list telephone ''", {}},
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(Completions(line), expected) << line;
}

} // namespace
