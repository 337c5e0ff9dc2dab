#pragma once
// What the workflow needs of the window: the control operations and dialogs,
// with the controls named as the window definition names them. The Windows
// program implements it on real controls; tests use a recording fake.

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

enum class ControlName {
    标签1,
    编辑框1,
    按钮1,
    通用对话框1,
    进度条1,
    编辑框2,
    按钮2,
    按钮3,
    超级链接框1,
};

// Result codes of AskConfirmation, one per button that closed the box.
enum ConfirmationResult : int {
    kAnswerOk = 0,
    kAnswerCancel = 1,
    kAnswerAbort = 2,
    kAnswerRetry = 3,
    kAnswerIgnore = 4,
    kAnswerYes = 5,
    kAnswerNo = 6,
};

class Controls {
public:
    virtual ~Controls() = default;

    // Greys the control out and makes it deaf to input; raises no event.
    virtual void SetDisabled(ControlName control, bool disabled) = 0;
    // The box shows exactly `text`; raises its text changed event once, afterwards.
    virtual void SetText(ControlName editBox, std::string_view text) = 0;
    // Adds `text` after the box's text; its text changed handler runs before this returns.
    virtual void AppendText(ControlName editBox, std::string_view text) = 0;
    // -1 puts the caret after the last character with nothing selected, in view.
    virtual void SetSelectionStart(ControlName editBox, int position) = 0;
    // Shown at once; stored clamped to 0..32767, shown clamped to the bar's range.
    virtual void SetProgress(ControlName progressBar, int position) = 0;
    // A task-modal question box; no title gives the default title.
    virtual int AskConfirmation(std::string_view text, int flags,
                                std::optional<std::string_view> title) = 0;
    // The modal open-file dialog: true when a file was chosen, its full path then
    // being the dialog's FileName; false otherwise, FileName unchanged.
    virtual bool ChooseFileToOpen(ControlName commonDialog) = 0;
    // The path last chosen, or empty before the first choice.
    virtual std::string FileName(ControlName commonDialog) = 0;
    // Blocks the thread, handling no input meanwhile.
    virtual void Pause(int milliseconds) = 0;
};

}  // namespace quorvane
