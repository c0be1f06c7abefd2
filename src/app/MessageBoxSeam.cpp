// The message boxes' seam for tests.
#include "app/MessageBoxSeam.h"

#include "app/CMessageBoxDlg.h"

#include <deque>

namespace {

struct SeamState {
    bool active = false;
    std::deque<int> answers;
    std::vector<ShownMessageBox> shown;
    int unanswered = 0;
    std::function<void(QDialog&)> inspector;
};

SeamState& State() {
    static SeamState state;
    return state;
}

} // namespace

void MessageBoxSeam::Activate() { State().active = true; }
void MessageBoxSeam::Deactivate() { State().active = false; }
bool MessageBoxSeam::IsActive() { return State().active; }
void MessageBoxSeam::QueueAnswer(int result) { State().answers.push_back(result); }
const std::vector<ShownMessageBox>& MessageBoxSeam::Shown() { return State().shown; }
int MessageBoxSeam::Unanswered() { return State().unanswered; }

void MessageBoxSeam::Reset() {
    SeamState& state = State();
    state.answers.clear();
    state.shown.clear();
    state.unanswered = 0;
    state.inspector = nullptr;
}

void MessageBoxSeam::SetInspector(std::function<void(QDialog&)> inspector) { State().inspector = std::move(inspector); }

int MessageBoxSeam::Answer(QDialog& box, const ShownMessageBox& shown) {
    SeamState& state = State();
    if (state.inspector)
        state.inspector(box);
    state.shown.push_back(shown);
    if (state.answers.empty()) {
        ++state.unanswered;
        return IDCANCEL_RESULT;
    }
    int answer = state.answers.front();
    state.answers.pop_front();
    return answer;
}
