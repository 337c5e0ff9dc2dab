#pragma once
// Every text that Quorvane shows, in one place. The source is UTF-8; the build
// stores narrow literals as code page 936 bytes, which is what the program holds,
// measures and compares. "—" is U+2014, the bytes A1 AA.

namespace quorvane::catalogue {

// Main window and its controls.
inline constexpr char kWindowTitle[] = "Quorvane";
inline constexpr char kChooseLabel[] = "选择粉碎的文件：";
inline constexpr char kOpenButton[] = "打开";
inline constexpr char kShredButton[] = "粉    碎";
inline constexpr char kCancelButton[] = "撤    消";
inline constexpr char kLinkCaption[] = "Quorvane 主页";
inline constexpr char kLinkAddress[] = "https://www.example.com/quorvane";
inline constexpr char kAllFilesFilter[] = "所有文件(*.*)|*.*";

// The shred confirmation. Its title ends in an ASCII colon.
inline constexpr char kConfirmShredText[] = "该操作不可恢复，确定继续吗？";
inline constexpr int kConfirmShredFlags = 36;  // Yes and No buttons, question icon
inline constexpr char kConfirmShredTitle[] = "询问:";
inline constexpr char kDefaultConfirmTitle[] = "信息：";

// Activity-log pieces. Each composed line is prefix + value + suffix.
inline constexpr char kNameLinePrefix[] = "文件名：";
inline constexpr char kDirectoryLinePrefix[] = "目录：";
inline constexpr char kSizeLinePrefix[] = "粉碎后可释放空间：";
inline constexpr char kSizeLineSuffix[] = " 字节\r\n";
inline constexpr char kLineEnd[] = "\r\n";
inline constexpr char kLoadFailureLine[] = "文件载入失败，无法完成粉碎。";
inline constexpr char kCancelLinePrefix[] = "取消粉碎：";
inline constexpr char kCancelLineSuffix[] = "\r\n———————————————————\r\n\r\n";
inline constexpr char kTimeLinePrefix[] = "粉碎时间：";
inline constexpr char kSuccessLine[] = "文件粉碎成功。\r\n——————————————————————\r\n\r\n";
inline constexpr char kFailureLine[] =
    "文件粉碎失败，文件未能完全清除或删除。\r\n——————————————————————\r\n\r\n";
// A name, one blank and a web address, with no line break.
inline constexpr char kCreditLine[] = "Quorvane https://www.example.com/quorvane";

// The one fatal error.
inline constexpr char kOutOfMemory[] = "内存不足，Quorvane 无法继续运行。";

}  // namespace quorvane::catalogue
