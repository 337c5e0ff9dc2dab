#include "recording_controls.h"

#include <algorithm>

namespace quorvane {

std::string NameOf(ControlName control) {
    switch (control) {
        case ControlName::标签1: return "标签1";
        case ControlName::编辑框1: return "编辑框1";
        case ControlName::按钮1: return "按钮1";
        case ControlName::通用对话框1: return "通用对话框1";
        case ControlName::进度条1: return "进度条1";
        case ControlName::编辑框2: return "编辑框2";
        case ControlName::按钮2: return "按钮2";
        case ControlName::按钮3: return "按钮3";
        case ControlName::超级链接框1: return "超级链接框1";
    }
    return "?";
}

bool RecordingControls::IsIdle() const {
    return !disabled.at(ControlName::按钮1) && !disabled.at(ControlName::编辑框1) &&
           disabled.at(ControlName::按钮2) && disabled.at(ControlName::按钮3);
}

bool RecordingControls::IsLoaded() const {
    return disabled.at(ControlName::按钮1) && disabled.at(ControlName::编辑框1) &&
           !disabled.at(ControlName::按钮2) && !disabled.at(ControlName::按钮3);
}

std::vector<std::string> RecordingControls::CallsSince(size_t from) const {
    return {calls.begin() + std::min(from, calls.size()), calls.end()};
}

void RecordingControls::SetDisabled(ControlName control, bool flag) {
    calls.push_back("SetDisabled(" + NameOf(control) + "," + (flag ? "1" : "0") + ")");
    disabled[control] = flag;
}

void RecordingControls::SetText(ControlName editBox, std::string_view text) {
    calls.push_back("SetText(" + NameOf(editBox) + "," + std::string(text) + ")");
    if (editBox == ControlName::编辑框1) {
        pathField = text;
    }
}

void RecordingControls::AppendText(ControlName editBox, std::string_view text) {
    calls.push_back("AppendText(" + NameOf(editBox) + "," + std::string(text) + ")");
    if (editBox != ControlName::编辑框2) {
        return;
    }
    log += text;
    // An append leaves the caret where it was until the handler moves it.
    ++textChangedEvents;
    if (onLogTextChanged) {
        onLogTextChanged();
    }
}

void RecordingControls::SetSelectionStart(ControlName editBox, int position) {
    calls.push_back("SetSelectionStart(" + NameOf(editBox) + "," + std::to_string(position) + ")");
    int length = static_cast<int>(log.size());
    if (position == -1) {
        caret = length;
        selectionLength = 0;
    } else {
        caret = std::clamp(position, 0, length);
    }
}

void RecordingControls::SetProgress(ControlName progressBar, int position) {
    calls.push_back("SetProgress(" + NameOf(progressBar) + "," + std::to_string(position) + ")");
    progress = std::clamp(position, 0, 100);
    progressHistory.push_back(position);
}

int RecordingControls::AskConfirmation(std::string_view text, int flags,
                                       std::optional<std::string_view> title) {
    calls.push_back("AskConfirmation(" + std::string(text) + "," + std::to_string(flags) + "," +
                    std::string(title.value_or("<default>")) + ")");
    return nextAnswer;
}

bool RecordingControls::ChooseFileToOpen(ControlName commonDialog) {
    calls.push_back("ChooseFileToOpen(" + NameOf(commonDialog) + ")");
    if (!nextChoice) {
        return false;
    }
    fileName = *nextChoice;
    nextChoice.reset();
    return true;
}

std::string RecordingControls::FileName(ControlName commonDialog) {
    calls.push_back("FileName(" + NameOf(commonDialog) + ")");
    return fileName;
}

void RecordingControls::Pause(int milliseconds) {
    if (onPause) {
        onPause(milliseconds);
    }
    calls.push_back("Pause(" + std::to_string(milliseconds) + ")");
}

}  // namespace quorvane
