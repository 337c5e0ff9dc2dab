#include "controls/window_text_win.h"

#include "text/code_page_win.h"

namespace quorvane {
namespace {

// UTF-16 units of the character starting at `index`: two for a surrogate pair.
std::size_t CharacterUnits(std::wstring_view text, std::size_t index) {
    bool pair = IS_HIGH_SURROGATE(text[index]) && index + 1 < text.size() &&
                IS_LOW_SURROGATE(text[index + 1]);
    return pair ? 2 : 1;
}

}  // namespace

std::wstring WindowTextWide(HWND window) {
    int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

int Cp936Length(std::wstring_view text) {
    return static_cast<int>(Cp936FromWide(text).size());
}

int WideIndexFromCp936Position(std::wstring_view text, int bytePosition) {
    std::size_t index = 0;
    int bytes = 0;
    while (index < text.size() && bytes < bytePosition) {
        std::size_t units = CharacterUnits(text, index);
        bytes += static_cast<int>(Cp936FromWide(text.substr(index, units)).size());
        index += units;
    }
    return static_cast<int>(index);
}

}  // namespace quorvane
