#include "app/app_icon_win.h"

namespace quorvane {
namespace {

// The icon group is named, not numbered.
constexpr wchar_t kIconName[] = L"DEFAULT_ICON";

HICON LoadIconOfSize(HINSTANCE instance, int widthMetric, int heightMetric) {
    // Not LR_SHARED: each size is its own image, picked from the group for it.
    return static_cast<HICON>(LoadImageW(instance, kIconName, IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR));
}

}  // namespace

AppIcons::AppIcons(HINSTANCE instance)
    : large_(LoadIconOfSize(instance, SM_CXICON, SM_CYICON)),
      small_(LoadIconOfSize(instance, SM_CXSMICON, SM_CYSMICON)) {}

AppIcons::~AppIcons() {
    if (large_ != nullptr) {
        DestroyIcon(large_);
    }
    if (small_ != nullptr) {
        DestroyIcon(small_);
    }
}

}  // namespace quorvane
