// The common dialog's open-file (or save-file) dialog. The dialog is Unicode;
// the chosen path is taken back into code page 936 without best-fit mapping, so a
// name that GBK cannot hold arrives with '?' in it and fails to open, rather
// than naming some other file.

#include <vector>

#include "controls/system_function_win.h"
#include "controls/type_list.h"
#include "controls/window_controls_win.h"

#include <commdlg.h>
#include "text/code_page_win.h"

namespace quorvane {
namespace {

// The chosen path must fit 260 bytes of code page 936 with its terminator.
constexpr std::size_t kPathBufferBytes = 260;
constexpr std::size_t kLongestPath = kPathBufferBytes - 1;
// Room in UTF-16 units: no path of at most 259 GBK bytes is longer than that.
constexpr std::size_t kPathBufferUnits = kPathBufferBytes;

DWORD DialogOptions(const CommonDialogSettings& settings) {
    DWORD options = OFN_HIDEREADONLY;
    if (settings.createPrompt) {
        options |= OFN_CREATEPROMPT;
    }
    if (settings.fileMustExist) {
        options |= OFN_FILEMUSTEXIST;
    }
    if (settings.overwritePrompt) {
        options |= OFN_OVERWRITEPROMPT;
    }
    if (settings.pathMustExist) {
        options |= OFN_PATHMUSTEXIST;
    }
    if (settings.keepCurrentDirectory) {
        options |= OFN_NOCHANGEDIR;
    }
    return options | OFN_EXPLORER | OFN_ENABLESIZING;
}

// Cut to `limit` bytes, never leaving half a double-byte character at the end.
std::string CutToBytes(const std::string& text, std::size_t limit) {
    if (text.size() <= limit) {
        return text;
    }
    std::size_t end = 0;
    while (end < limit) {
        auto byte = static_cast<unsigned char>(text[end]);
        std::size_t width = (byte >= 0x81 && byte <= 0xFE) ? 2 : 1;
        if (end + width > limit) {
            break;
        }
        end += width;
    }
    return text.substr(0, end);
}

// Null for an empty text, so the platform uses its default.
const wchar_t* OptionalText(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

}  // namespace

bool WindowControls::ChooseFileToOpen(ControlName commonDialog) {
    CommonDialogSettings& settings = State(commonDialog).dialog;

    std::wstring typeList;
    std::optional<std::string> list = TypeListFromFilter(settings.filter);
    if (list) {
        typeList = DisplayWideFromCp936(*list);
    }

    std::vector<wchar_t> path(kPathBufferUnits, L'\0');
    std::wstring initialName = DisplayWideFromCp936(CutToBytes(settings.fileName, kLongestPath));
    initialName.copy(path.data(), std::min(initialName.size(), kPathBufferUnits - 1));

    std::wstring title = DisplayWideFromCp936(settings.title);
    std::wstring initialDirectory = DisplayWideFromCp936(settings.initialDirectory);
    std::wstring defaultExtension = DisplayWideFromCp936(settings.defaultExtension);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = list ? typeList.c_str() : nullptr;
    dialog.nFilterIndex = list ? static_cast<DWORD>(std::max(settings.filterIndex, 0) + 1) : 0;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrTitle = OptionalText(title);
    dialog.lpstrInitialDir = OptionalText(initialDirectory);
    dialog.lpstrDefExt = OptionalText(defaultExtension);
    dialog.Flags = DialogOptions(settings);

    static auto* const openDialog =
        BindSystemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    static auto* const saveDialog =
        BindSystemFunction<decltype(GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW");
    auto* const runDialog = settings.kind == DialogKind::kSave ? saveDialog : openDialog;
    if (runDialog == nullptr) {
        return false;  // no dialog can be shown, so nothing is chosen
    }
    HWND focus = GetFocus();
    BOOL chosen = runDialog(&dialog);
    // The dialog ran its own message loop; put the focus back where it was.
    if (focus != nullptr && IsWindow(focus) && IsWindowEnabled(focus)) {
        SetFocus(focus);
    }
    if (!chosen) {
        return false;
    }
    std::string chosenPath = Cp936FromWide(path.data());
    if (chosenPath.empty() || chosenPath.size() > kLongestPath) {
        return false;
    }
    settings.fileName = std::move(chosenPath);
    return true;
}

}  // namespace quorvane
