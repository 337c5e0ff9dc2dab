// The resources built into quorvane.exe, read back from the file itself: the
// icon group, the credit link's pointing hand and the version block.

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "app/resource_ids.h"
#include "tests/gui/program_driver_win.h"

namespace quorvane::gui {
namespace {

constexpr WORD kChineseSimplified = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);  // 2052

class ProgramResourcesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(module_, nullptr) << "cannot read " << Cp936(ProgramPath());
    }
    void TearDown() override {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }

    HMODULE module_ = LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
};

// A monochrome cursor's mask bitmap: the AND mask above the XOR mask.
class CursorMask {
  public:
    explicit CursorMask(HBITMAP mask) : dc_(CreateCompatibleDC(nullptr)), mask_(mask) {
        previous_ = SelectObject(dc_, mask_);
    }
    ~CursorMask() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    CursorMask(const CursorMask&) = delete;
    CursorMask& operator=(const CursorMask&) = delete;

    // Drawn: anything but the transparent pair (AND set, XOR clear).
    bool Drawn(int x, int y, int height) const {
        bool andBit = GetPixel(dc_, x, y) != RGB(0, 0, 0);
        bool xorBit = GetPixel(dc_, x, y + height) != RGB(0, 0, 0);
        return !(andBit && !xorBit);
    }

  private:
    HDC dc_;
    HBITMAP mask_;
    HGDIOBJ previous_;
};

TEST_F(ProgramResourcesTest, TheIconGroupIsNamedDefaultIconAndHoldsBothSizes) {
    ASSERT_NE(FindResourceW(module_, L"DEFAULT_ICON", RT_GROUP_ICON), nullptr);
    for (int size : {32, 16}) {
        SCOPED_TRACE(size);
        HICON icon = static_cast<HICON>(
            LoadImageW(module_, L"DEFAULT_ICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        ASSERT_NE(info.hbmColor, nullptr);
        GetObjectW(info.hbmColor, sizeof(colour), &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST_F(ProgramResourcesTest, TheHandIsAMonochrome32By32CursorPointingWithItsHotSpot) {
    HCURSOR hand = static_cast<HCURSOR>(
        LoadImageW(module_, MAKEINTRESOURCEW(IDC_HAND_POINTER), IMAGE_CURSOR, 0, 0, 0));
    ASSERT_NE(hand, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.hbmColor, nullptr) << "a colour cursor";
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof(mask), &mask);
    EXPECT_EQ(mask.bmBitsPixel, 1);
    ASSERT_EQ(mask.bmWidth, 32);
    ASSERT_EQ(mask.bmHeight, 64);  // AND and XOR masks, one above the other

    {
        // The fingertip is the top of the picture: the hot spot is drawn and
        // lies on its first row, so the click lands where the finger points.
        CursorMask bits(info.hbmMask);
        int top = -1;
        for (int y = 0; y < 32 && top < 0; ++y) {
            for (int x = 0; x < 32; ++x) {
                if (bits.Drawn(x, y, 32)) {
                    top = y;
                    break;
                }
            }
        }
        EXPECT_EQ(static_cast<int>(info.yHotspot), top);
        EXPECT_TRUE(bits.Drawn(static_cast<int>(info.xHotspot), static_cast<int>(info.yHotspot), 32));
    }
    DeleteObject(info.hbmMask);
    DestroyCursor(hand);
}

TEST_F(ProgramResourcesTest, TheVersionIs1000InSimplifiedChinese) {
    EXPECT_NE(FindResourceExW(module_, RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO),
                              kChineseSimplified),
              nullptr)
        << "no version block in language 2052";

    const std::wstring path = ProgramPath();
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], kChineseSimplified);
    EXPECT_EQ(translation[1], 936);
}

}  // namespace
}  // namespace quorvane::gui
