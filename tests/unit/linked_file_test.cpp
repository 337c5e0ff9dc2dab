// The shred's file operations on a file with a second name. A hard link is the
// same file under both names: zeroing and emptying through one name shows
// through the other, and deleting one name leaves the other. A symbolic link is
// followed by the open, so the target's content is destroyed, and deleting the
// link's name removes the link, never the target. (Wine 8 removes the target's
// name instead; the end-to-end link case shows that, and Wine makes no symbolic
// links of its own, so the symbolic case runs natively only.)
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "file_test_support.h"
#include "files/file_table.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

class LinkedFileTest : public testing::Test {
  protected:
    void TearDown() override { CloseAllFiles(); }

    // The file "target.bin" with a second name "other.bin"; the error, when
    // the file system makes no hard links.
    std::error_code MakeHardLinkedPair() {
        target_ = scratch_.Make("target.bin", kContent);
        other_ = (scratch_.Path() / "other.bin").string();
        std::error_code error;
        fs::create_hard_link(target_, other_, error);
        return error;
    }

    static inline const std::string kContent = std::string(3 * 4096 + 17, 'L');
    ScratchDir scratch_;
    std::string target_;
    std::string other_;
};

TEST_F(LinkedFileTest, ZerosWrittenThroughOneHardLinkShowThroughTheOther) {
    if (std::error_code error = MakeHardLinkedPair()) {
        GTEST_SKIP() << "no hard links here: " << error.message();
    }
    FileNumber n = OpenFile(target_, kOpenReadWriteExisting, kShareExclusive);
    ASSERT_NE(n, 0);
    ASSERT_TRUE(OverwriteWithZeros(n));
    CloseFile(n);
    EXPECT_EQ(ContentOf(other_), std::string(kContent.size(), '\0'));
}

TEST_F(LinkedFileTest, ShreddingOneHardLinkLeavesTheOtherNameEmptied) {
    if (std::error_code error = MakeHardLinkedPair()) {
        GTEST_SKIP() << "no hard links here: " << error.message();
    }
    FileNumber n = OpenFile(target_, kOpenReadWriteExisting, kShareExclusive);
    ASSERT_NE(n, 0);
    ASSERT_TRUE(OverwriteWithZeros(n));
    ASSERT_TRUE(DeleteBytes(n, FileLength(n)));
    CloseFile(n);
    EXPECT_TRUE(DeleteDiskFile(target_));
    EXPECT_FALSE(fs::exists(target_));
    ASSERT_TRUE(fs::exists(other_));
    EXPECT_EQ(fs::file_size(other_), 0u);
    EXPECT_EQ(fs::hard_link_count(other_), 1u);
}

TEST_F(LinkedFileTest, ShreddingASymbolicLinkEmptiesTheTargetAndDeletesTheLink) {
    std::string target = scratch_.Make("target.bin", kContent);
    fs::path link = scratch_.Path() / "link.bin";
    std::error_code error;
    fs::create_symlink("target.bin", link, error);
    if (error || !fs::is_symlink(fs::symlink_status(link))) {
        GTEST_SKIP() << "no symbolic links made here";
    }
    FileNumber n = OpenFile(link.string(), kOpenReadWriteExisting, kShareExclusive);
    ASSERT_NE(n, 0);
    ASSERT_TRUE(OverwriteWithZeros(n));
    ASSERT_TRUE(DeleteBytes(n, FileLength(n)));
    CloseFile(n);
    EXPECT_TRUE(DeleteDiskFile(link.string()));
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    ASSERT_TRUE(fs::exists(target));
    EXPECT_EQ(fs::file_size(target), 0u);
}

}  // namespace
}  // namespace quorvane
