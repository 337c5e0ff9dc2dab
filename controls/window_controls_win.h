#pragma once
// The control operations of the workflow, done on the real child windows of the
// main window. Every control keeps its own state beside its window: the edit
// boxes their stored text, selection and text-write flag, the progress bar its
// range and position, the common dialog the settings of its open-file dialog.

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "workflow/controls.h"

namespace quorvane {

inline constexpr int kControlCount = 9;

struct EditBoxState {
    std::string text;  // the copy last written through SetText
    int selectionStart = 0;
    int selectionLength = 0;
    // Set while SetText puts its text into the window, so that the window's
    // own change notification raises no event.
    bool textWriteFlag = false;
    // Set while AppendText replaces the selection; the first change notification
    // raises the event, and AppendText raises it itself if the window sent none.
    bool appending = false;
    bool appendNotified = false;
};

struct ProgressBarState {
    int lower = 0;
    int upper = 100;
    int position = 0;
};

enum class DialogKind { kOpen = 0, kSave = 1 };

struct CommonDialogSettings {
    DialogKind kind = DialogKind::kOpen;
    std::string title;
    std::string fileName;  // code page 936
    std::string filter;
    int filterIndex = 0;
    std::string initialDirectory;
    std::string defaultExtension;
    bool createPrompt = false;
    bool fileMustExist = true;
    bool overwritePrompt = true;
    bool pathMustExist = true;
    bool keepCurrentDirectory = false;
};

struct ControlState {
    HWND window = nullptr;
    bool disabled = false;
    EditBoxState edit;
    ProgressBarState progress;
    CommonDialogSettings dialog;
    std::function<void()> onTextChanged;
};

class WindowControls final : public Controls {
  public:
    // Every control's state, to set up while the window is built.
    ControlState& State(ControlName control) { return states_[Index(control)]; }

    // The edit box's window reports a change of its text (EN_CHANGE).
    void NotifyTextChanged(ControlName editBox);

    void SetDisabled(ControlName control, bool disabled) override;
    void SetText(ControlName editBox, std::string_view text) override;
    void AppendText(ControlName editBox, std::string_view text) override;
    void SetSelectionStart(ControlName editBox, int position) override;
    void SetProgress(ControlName progressBar, int position) override;
    int AskConfirmation(std::string_view text, int flags,
                        std::optional<std::string_view> title) override;
    bool ChooseFileToOpen(ControlName commonDialog) override;
    std::string FileName(ControlName commonDialog) override;
    void Pause(int milliseconds) override;

  private:
    static std::size_t Index(ControlName control) { return static_cast<std::size_t>(control); }
    void RaiseTextChanged(ControlState& state);

    std::array<ControlState, kControlCount> states_;
};

}  // namespace quorvane
