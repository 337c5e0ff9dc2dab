// The whole shred in the real program, driven as a user would: start it, choose
// the file in the open dialog, click Shred, answer Yes, and wait for the success
// line in the log. Prints the seconds from the Yes to that line and the peak
// working set in bytes after the load and the shred.
//
// The log is read with WM_GETTEXT, which the program answers only once it pumps
// messages again, after its closing pause; that pause is part of what the user
// waits for before the window takes input again.
//
// Usage: shred_timer EXE FILE   (FILE as a Windows path)

#include <cstdio>
#include <string>

#include "app/resource_ids.h"
#include "tests/bench/child_program_win.h"
#include "tests/bench/wide_argument_win.h"

namespace {

using quorvane::bench::PollUntil;

constexpr double kStepTimeoutSeconds = 30;
constexpr double kShredTimeoutSeconds = 600;
constexpr UINT kReadTimeoutMs = 600000;
constexpr int kFileNameBox = 0x47C;  // cmb13 of the common open dialog
constexpr int kUsageError = 2;
constexpr int kNotMeasured = 3;
constexpr wchar_t kSuccessText[] = L"文件粉碎成功";
constexpr wchar_t kDialogClass[] = L"#32770";

struct DialogSearch {
    int controlId;
    HWND found;
};

// A visible dialog of the thread that has the control: the open dialog has the
// file-name box, the confirmation box has Yes.
static BOOL CALLBACK TakeDialogWithControl(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<DialogSearch*>(lParam);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) != kDialogClass || !IsWindowVisible(window) ||
        GetDlgItem(window, search->controlId) == nullptr) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

HWND WaitForDialog(DWORD threadId, int controlId) {
    DialogSearch search{controlId, nullptr};
    PollUntil(kStepTimeoutSeconds, [&] {
        EnumThreadWindows(threadId, TakeDialogWithControl, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

// Blocks until the program answers; an empty text when it does not.
std::wstring ReadText(HWND control) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kReadTimeoutMs,
                             &length)) {
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, text.size(),
                             reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, kReadTimeoutMs,
                             &copied)) {
        return {};
    }
    text.resize(copied);
    return text;
}

int NotMeasured(const char* reason) {
    std::printf("not measured: %s\n", reason);
    return kNotMeasured;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace quorvane::bench;
    if (argc != 3) {
        std::fprintf(stderr, "usage: shred_timer EXE FILE\n");
        return kUsageError;
    }
    ChildProgram program;
    if (!program.Start(WideArgument(argv[1]))) {
        return NotMeasured("the program does not start");
    }
    HWND main = program.WaitForMainWindow(kStepTimeoutSeconds);
    if (main == nullptr) {
        return NotMeasured("no main window");
    }
    HWND open = GetDlgItem(main, IDC_BUTTON1);
    HWND shred = GetDlgItem(main, IDC_BUTTON2);
    HWND log = GetDlgItem(main, IDC_EDIT2);
    if (open == nullptr || shred == nullptr || log == nullptr) {
        return NotMeasured("the main window lacks Open, Shred or the log");
    }

    PostMessageW(open, BM_CLICK, 0, 0);
    HWND dialog = WaitForDialog(program.MainThreadId(), kFileNameBox);
    if (dialog == nullptr) {
        return NotMeasured("no open dialog after Open");
    }
    std::wstring path = WideArgument(argv[2]);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, kFileNameBox), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(path.c_str()), SMTO_NORMAL, kReadTimeoutMs,
                        &ignored);
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    if (!PollUntil(kStepTimeoutSeconds, [&] { return IsWindowEnabled(shred) != FALSE; })) {
        return NotMeasured("the file was not loaded (Shred stayed disabled)");
    }

    PostMessageW(shred, BM_CLICK, 0, 0);
    HWND question = WaitForDialog(program.MainThreadId(), IDYES);
    if (question == nullptr) {
        return NotMeasured("no confirmation box after Shred");
    }
    double answered = SecondsNow();
    PostMessageW(GetDlgItem(question, IDYES), BM_CLICK, 0, 0);
    double succeeded = 0;
    bool found = PollUntil(kShredTimeoutSeconds, [&] {
        bool done = ReadText(log).find(kSuccessText) != std::wstring::npos;
        succeeded = SecondsNow();
        return done;
    });
    if (!found) {
        return NotMeasured("no success line in the log");
    }
    unsigned long long peak = program.PeakWorkingSet();
    program.CloseAndWait(main, kStepTimeoutSeconds);
    std::printf("%.6f %llu\n", succeeded - answered, peak);
    return 0;
}
