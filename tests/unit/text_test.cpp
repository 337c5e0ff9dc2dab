#include "text/text.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(TextLength, CountsBytes) {
    EXPECT_EQ(TextLength(""), 0);
    EXPECT_EQ(TextLength("abc"), 3);
    EXPECT_EQ(TextLength("文件名："), 8);
}

struct CutCase {
    const char* text;
    int count;
    const char* left;
    const char* right;
};

TEST(TextCut, LeftAndRightClampTheirCount) {
    const CutCase cases[] = {
        {"report.doc", 0, "", ""},
        {"report.doc", -2, "", ""},
        {"report.doc", 3, "rep", "doc"},
        {"report.doc", 10, "report.doc", "report.doc"},
        {"report.doc", 11, "report.doc", "report.doc"},
        {"", 5, "", ""},
        // Plain bytes: a double-byte character may be cut in two.
        {"文件", 1, "\xCE", "\xFE"},
    };
    for (const CutCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " / " << c.count);
        EXPECT_EQ(TextLeft(c.text, c.count), c.left);
        EXPECT_EQ(TextRight(c.text, c.count), c.right);
    }
}

struct PathSplitCase {
    const char* path;
    int slash;
    const char* name;
    const char* directory;
};

// The path split exactly as the workflow does it.
TEST(FindTextReverse, SplitsPathsAtTheLastRealBackslash) {
    const PathSplitCase cases[] = {
        {"C:\\data\\report.doc", 8, "report.doc", "C:\\data"},
        {"C:\\report.doc", 3, "report.doc", "C:"},
        {"report.doc", -1, "report.doc", ""},
        {"C:\\data\\", 8, "", "C:\\data"},
        // 錦 is E5 5C: its trail byte is not a backslash.
        {"C:\\data\\\xE5\x5C", 8, "\xE5\x5C", "C:\\data"},
        {"C:\\\xE5\x5C\\\xE5\x5C", 6, "\xE5\x5C", "C:\\\xE5\x5C"},
    };
    for (const PathSplitCase& c : cases) {
        SCOPED_TRACE(c.path);
        int length = TextLength(c.path);
        int slash = FindTextReverse(c.path, "\\", std::nullopt, true);
        EXPECT_EQ(slash, c.slash);
        EXPECT_EQ(TextRight(c.path, length - slash), c.name);
        EXPECT_EQ(TextLeft(c.path, slash - 1), c.directory);
    }
}

struct FindCase {
    const char* text;
    const char* sought;
    std::optional<int> start;
    bool ignoreCase;
    int expected;
};

TEST(FindTextReverse, FindsTheLastOccurrence) {
    const FindCase cases[] = {
        {"", "a", std::nullopt, true, -1},
        {"", "", std::nullopt, true, -1},
        {"abc", "", std::nullopt, false, 1},
        {"ABCabc", "b", std::nullopt, true, 5},
        {"ABCabc", "b", std::nullopt, false, 5},
        {"ABCabc", "B", std::nullopt, false, 2},
        {"ABCabc", "B", std::nullopt, true, 5},
        {"ABCabc", "x", std::nullopt, true, -1},
        {"aaaa", "aa", std::nullopt, false, 3},
        {"abc", "abcd", std::nullopt, false, -1},
        // Only ASCII letters fold: 0xC1 and 0xE1 differ as 'A' and 'a' do, yet never match.
        {"\xC1\x41", "\xE1\x41", std::nullopt, true, -1},
        {"\xC1\x41", "\xC1\x61", std::nullopt, true, 1},
        // A multi-byte sought text is only tried at character starts.
        {"\xB0\xA1\xB0\xA1", "\xA1\xB0", std::nullopt, false, -1},
        {"\xB0\xA1\xA1\xB0", "\xA1\xB0", std::nullopt, false, 3},
        // A lead byte at the very end has no trail byte and ends the walk.
        {"a\\\xE5", "\\", std::nullopt, false, 2},
        // With a start, the range is the first start - 1 bytes, occurrences inside it only.
        {"a\\b\\c", "\\", 5, false, 4},
        {"a\\b\\c", "\\", 4, false, 2},
        {"a\\b\\c", "\\", 2, false, -1},
        {"a\\b\\c", "\\", 1, false, -1},
        {"a\\b\\c", "\\", -7, false, -1},
        {"a\\b\\c", "\\", 99, false, 4},
        {"abcd", "cd", 4, false, -1},
        {"abcd", "cd", 5, false, 3},
        {"abcd", "", 1, false, -1},
        {"abcd", "", 2, false, 1},
    };
    for (const FindCase& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << "\" for \"" << c.sought << "\" start "
                                        << c.start.value_or(0) << " ignoreCase " << c.ignoreCase);
        EXPECT_EQ(FindTextReverse(c.text, c.sought, c.start, c.ignoreCase), c.expected);
    }
}

TEST(ConcatText, JoinsPiecesInOrder) {
    EXPECT_EQ(ConcatText({"粉碎时间：", "2014年11月12日", "\r\n"}), "粉碎时间：2014年11月12日\r\n");
    EXPECT_EQ(ConcatText({"粉碎时间：", "", "\r\n"}), "粉碎时间：\r\n");
    EXPECT_EQ(ConcatText({"", ""}), "");
    EXPECT_EQ(ConcatText({"a"}), "a");
}

}  // namespace
}  // namespace quorvane
