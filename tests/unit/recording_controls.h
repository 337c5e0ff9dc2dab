#pragma once
// A stand-in for the window: records every control operation the workflow makes,
// keeps the state a real window would show, and raises the log's text changed
// event inside AppendText as the real edit box does.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "workflow/controls.h"

namespace quorvane {

std::string NameOf(ControlName control);

class RecordingControls : public Controls {
public:
    // What the user will do in the next dialog and question box.
    std::optional<std::string> nextChoice;  // none: the dialog is cancelled
    int nextAnswer = kAnswerYes;

    // Wired like the window definition wires 编辑框2's text changed event.
    std::function<void()> onLogTextChanged;
    // Called at every Pause, before it is recorded: lets a test look at the disk
    // between the stages of a shred.
    std::function<void(int milliseconds)> onPause;

    // One line per call, in order, e.g. "SetDisabled(按钮2,1)" or "Pause(50)".
    std::vector<std::string> calls;

    std::map<ControlName, bool> disabled{{ControlName::按钮1, false},
                                         {ControlName::编辑框1, false},
                                         {ControlName::按钮2, true},
                                         {ControlName::按钮3, true}};
    std::string pathField;
    std::string log;
    int caret = 0;
    int selectionLength = 0;
    int progress = 0;
    std::vector<int> progressHistory;
    std::string fileName;  // 通用对话框1's FileName
    int textChangedEvents = 0;

    bool IsIdle() const;
    bool IsLoaded() const;
    // The calls recorded since `from`, for comparing one handler's sequence.
    std::vector<std::string> CallsSince(size_t from) const;

    void SetDisabled(ControlName control, bool flag) override;
    void SetText(ControlName editBox, std::string_view text) override;
    void AppendText(ControlName editBox, std::string_view text) override;
    void SetSelectionStart(ControlName editBox, int position) override;
    void SetProgress(ControlName progressBar, int position) override;
    int AskConfirmation(std::string_view text, int flags,
                        std::optional<std::string_view> title) override;
    bool ChooseFileToOpen(ControlName commonDialog) override;
    std::string FileName(ControlName commonDialog) override;
    void Pause(int milliseconds) override;
};

}  // namespace quorvane
