// The confirmation box: a message box with no owner that is task-modal, so it
// still disables every top-level window of the thread, the main window among them.

#include "controls/window_controls_win.h"
#include "text/code_page_win.h"
#include "workflow/catalogue.h"

namespace quorvane {
namespace {

int ResultFromButton(int button) {
    switch (button) {
        case IDOK:
            return kAnswerOk;
        case IDCANCEL:
            return kAnswerCancel;
        case IDABORT:
            return kAnswerAbort;
        case IDRETRY:
            return kAnswerRetry;
        case IDIGNORE:
            return kAnswerIgnore;
        case IDYES:
            return kAnswerYes;
        case IDNO:
            return kAnswerNo;
        default:
            return kAnswerOk;
    }
}

}  // namespace

int WindowControls::AskConfirmation(std::string_view text, int flags,
                                    std::optional<std::string_view> title) {
    auto style = static_cast<UINT>(flags);
    if ((style & MB_SYSTEMMODAL) == 0) {
        style |= MB_TASKMODAL;
    }
    std::wstring wideText = DisplayWideFromCp936(text);
    std::wstring wideTitle = DisplayWideFromCp936(title.value_or(catalogue::kDefaultConfirmTitle));
    return ResultFromButton(MessageBoxW(nullptr, wideText.c_str(), wideTitle.c_str(), style));
}

}  // namespace quorvane
