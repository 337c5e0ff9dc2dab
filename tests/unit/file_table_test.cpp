#include "files/file_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "file_test_support.h"
#include "files/memory_file.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quorvane {
namespace {

namespace fs = std::filesystem;

class DiskFileTest : public testing::Test {
  protected:
    void TearDown() override {
        CloseAllFiles();
        // Gives back the write bits a read-only case took, so the folder goes.
        std::error_code ignored;
        fs::permissions(scratch_.Path() / "ro", fs::perms::owner_all, ignored);
    }
    std::string Make(const std::string& name, const std::string& content) {
        return scratch_.Make(name, content);
    }
    const fs::path& Dir() const { return scratch_.Path(); }

    ScratchDir scratch_;
};

TEST(FileTable, BadNumbersGiveTheFailureValues) {
    FileNumber closed = OpenMemoryFile();
    ASSERT_NE(closed, 0);
    CloseFile(closed);
    for (FileNumber n : {0, closed}) {
        EXPECT_EQ(FileLength(n), -1);
        EXPECT_FALSE(SeekToStart(n));
        EXPECT_FALSE(WriteBytes(n, Bytes("x")));
        EXPECT_FALSE(DeleteBytes(n, 1));
        EXPECT_TRUE(ReadBytes(n, 1).empty());
        EXPECT_FALSE(OverwriteWithZeros(n));
        CloseFile(n);
    }
}

TEST(MemoryFile, GrowsInSteps) {
    FileNumber n = OpenMemoryFile();
    ByteSequence data(1500, 'q');
    ASSERT_TRUE(WriteBytes(n, data));
    EXPECT_EQ(FileLength(n), 1500);
    ASSERT_TRUE(SeekToStart(n));
    EXPECT_EQ(ReadBytes(n, 1500), data);
    ASSERT_TRUE(SeekToStart(n));
    ASSERT_TRUE(DeleteBytes(n, 1500));
    EXPECT_EQ(FileLength(n), 0);
    CloseFile(n);
}

TEST(BlankBytes, GivesZeros) {
    EXPECT_TRUE(BlankBytes(0).empty());
    EXPECT_TRUE(BlankBytes(-3).empty());
    EXPECT_EQ(BlankBytes(3), ByteSequence(3, 0));
}

TEST_F(DiskFileTest, DeleteBytesMovesTheTail) {
    std::string path = Make("f", "ABCDEFGH");
    FileNumber n = OpenFile(path, 3, kShareExclusive);
    ASSERT_NE(n, 0);
    EXPECT_EQ(ReadBytes(n, 2), Bytes("AB"));
    ASSERT_TRUE(DeleteBytes(n, 3));
    EXPECT_EQ(FileLength(n), 5);
    ASSERT_TRUE(SeekToStart(n));
    EXPECT_EQ(ReadBytes(n, 100), Bytes("ABFGH"));
    EXPECT_TRUE(ReadBytes(n, 1).empty());
    CloseFile(n);
}

TEST_F(DiskFileTest, OpenRefusals) {
    std::string path = Make("f", "x");
    EXPECT_EQ(OpenFile("", 3, 4), 0);
    EXPECT_EQ(OpenFile(path, 0, 1), 0);
    EXPECT_EQ(OpenFile(path, 7, 1), 0);
    EXPECT_EQ(OpenFile(path, 3, 0), 0);
    EXPECT_EQ(OpenFile(path, 3, 5), 0);
    EXPECT_EQ(OpenFile((Dir() / "missing").string(), 3, 4), 0);
    EXPECT_EQ(OpenFile(Dir().string(), 3, 4), 0);
    FileNumber n = OpenFile(path, 3, kShareExclusive);
    ASSERT_NE(n, 0);
    EXPECT_EQ(OpenFile(path, 1, 1), 0);
    EXPECT_FALSE(DeleteDiskFile(path));
    CloseFile(n);
    EXPECT_TRUE(DeleteDiskFile(path));
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(DiskFileTest, OverwriteWithZerosKeepsTheLength) {
    for (std::int64_t size : {0, 1, 4095, 4096, 4097, 3 << 20}) {
        SCOPED_TRACE(size);
        std::string path = Make("z", std::string(static_cast<size_t>(size), 'k'));
        FileNumber n = OpenFile(path, 3, kShareExclusive);
        ASSERT_NE(n, 0);
        ASSERT_TRUE(OverwriteWithZeros(n));
        EXPECT_EQ(FileLength(n), size);
        EXPECT_EQ(ReadBytes(n, size), ByteSequence(static_cast<size_t>(size), 0));
        CloseFile(n);
    }
}

TEST_F(DiskFileTest, DeleteBytesCases) {
    struct Case {
        std::int64_t at;
        std::int64_t count;
        const char* left;
    };
    const Case cases[] = {
        {2, 3, "ABFGH"}, {6, 5, "ABCDEF"}, {3, 0, "ABCDEFGH"}, {3, -1, "ABCDEFGH"}, {0, 8, ""}};
    for (bool memory : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << memory << " " << c.at << " " << c.count);
            FileNumber n = memory ? OpenMemoryFile() : OpenFile(Make("d", "ABCDEFGH"), 3, 4);
            ASSERT_NE(n, 0);
            if (memory) {
                ASSERT_TRUE(WriteBytes(n, Bytes("ABCDEFGH")));
            }
            ASSERT_TRUE(SeekToStart(n));
            ReadBytes(n, c.at);
            ASSERT_TRUE(DeleteBytes(n, c.count));
            std::int64_t expected = static_cast<std::int64_t>(std::string(c.left).size());
            EXPECT_EQ(FileLength(n), expected);
            EXPECT_TRUE(ReadBytes(n, 1).empty() || c.count <= 0);
            ASSERT_TRUE(SeekToStart(n));
            EXPECT_EQ(ReadBytes(n, 100), Bytes(c.left));
            CloseFile(n);
        }
    }
}

TEST_F(DiskFileTest, SparseFileBeyondTwoGibibytes) {
    constexpr std::int64_t kSize = (std::int64_t{1} << 31) + 10;
    std::string path = Make("big", "");
    std::error_code error;
    fs::resize_file(path, static_cast<std::uintmax_t>(kSize), error);
    if (error) {
        GTEST_SKIP() << "no sparse file of 2 GiB here: " << error.message();
    }
    FileNumber n = OpenFile(path, 3, kShareExclusive);
    ASSERT_NE(n, 0);
    EXPECT_EQ(FileLength(n), kSize);
    ASSERT_TRUE(DeleteBytes(n, kSize));
    EXPECT_EQ(FileLength(n), 0);
    CloseFile(n);
}

TEST(MemoryFile, CapacityGrowsInWholeSteps) {
    struct Case {
        std::vector<std::int32_t> writes;
        std::int64_t capacity;
    };
    const Case cases[] = {
        {{}, 0},        {{1}, 1024},         {{1024}, 1024}, {{1025}, 2048},
        {{1500}, 2048}, {{1000, 500}, 2048}, {{3073}, 4096},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.writes.size() << " writes, capacity " << c.capacity);
        MemoryFile file;
        std::int64_t length = 0;
        for (std::int32_t count : c.writes) {
            ByteSequence data(static_cast<size_t>(count), 'm');
            ASSERT_EQ(file.Write(data.data(), count), count);
            length += count;
        }
        EXPECT_EQ(file.Capacity(), c.capacity);
        EXPECT_EQ(file.Length(), length);
        EXPECT_EQ(file.Position(), length);
    }
}

TEST(MemoryFile, CapacityNeverShrinksWhileOpen) {
    MemoryFile file;
    ByteSequence data(1500, 'm');
    ASSERT_EQ(file.Write(data.data(), 1500), 1500);
    ASSERT_TRUE(file.SetLength(10));
    EXPECT_EQ(file.Capacity(), 2048);
    EXPECT_EQ(file.Position(), 10);
    file.Close();
    EXPECT_EQ(file.Capacity(), 0);
    EXPECT_EQ(file.Length(), 0);
}

TEST(MemoryFile, WritingNothingChangesNothing) {
    FileNumber n = OpenMemoryFile();
    ASSERT_NE(n, 0);
    ASSERT_TRUE(WriteBytes(n, Bytes("ABCDEFGH")));
    ASSERT_TRUE(SeekToStart(n));
    ASSERT_EQ(ReadBytes(n, 2), Bytes("AB"));
    EXPECT_TRUE(WriteBytes(n, ByteSequence{}));
    EXPECT_EQ(FileLength(n), 8);
    EXPECT_EQ(PositionOf(n), 2);
    ASSERT_TRUE(SeekToStart(n));
    EXPECT_EQ(ReadBytes(n, 100), Bytes("ABCDEFGH"));
    CloseFile(n);
}

// A file without write permission bits plays the read-only attribute on POSIX.
void MakeReadOnly(const std::string& path) {
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

// Whether the system itself opens a read-only file for writing. Wine run as the
// superuser does, as its Unix underneath lets root write anything; Windows never does.
bool SystemWritesReadOnlyFiles(const std::string& path) {
#ifdef _WIN32
    HANDLE handle = CreateFileW(fs::path(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(handle);
    return true;
#else
    (void)path;
    return false;  // the POSIX layer checks the permission bits itself
#endif
}

TEST_F(DiskFileTest, ReadOnlyFileIsRefusedForWriting) {
    std::string path = Make("ro", "keep");
    MakeReadOnly(path);
    if (SystemWritesReadOnlyFiles(path)) {
        GTEST_SKIP() << "this system opens a read-only file for writing";
    }
    for (int refused : {kOpenReadWriteExisting, 2, 4, 5, 6}) {
        FileNumber opened = OpenFile(path, refused, kShareExclusive);
        EXPECT_EQ(opened, 0) << "open mode " << refused;
        CloseFile(opened);
    }
    EXPECT_EQ(ContentOf(path), "keep");
}

TEST_F(DiskFileTest, ReadOnlyFileOpensForReadingAndCannotBeDeleted) {
    std::string path = Make("ro", "keep");
    MakeReadOnly(path);
    FileNumber n = OpenFile(path, 1, kShareExclusive);
    ASSERT_NE(n, 0);
    EXPECT_EQ(ReadBytes(n, 100), Bytes("keep"));
    CloseFile(n);
    EXPECT_FALSE(DeleteDiskFile(path));
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(ContentOf(path), "keep");
}

TEST_F(DiskFileTest, OpenLeavesContentLengthAndPositionAlone) {
    struct Case {
        int openMode;
        bool readable;
    };
    const Case cases[] = {{1, true}, {2, false}, {3, true}, {5, false}, {6, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.openMode);
        std::string path = Make("f", "ABCDEFGH");
        FileNumber n = OpenFile(path, c.openMode, kShareExclusive);
        ASSERT_NE(n, 0);
        EXPECT_EQ(FileLength(n), 8);
        if (c.readable) {
            EXPECT_EQ(ReadBytes(n, 100), Bytes("ABCDEFGH"));
            CloseFile(n);
            EXPECT_EQ(ContentOf(path), "ABCDEFGH");
        } else {
            // A write lands at the start when the position is 0.
            ASSERT_TRUE(WriteBytes(n, Bytes("Z")));
            CloseFile(n);
            EXPECT_EQ(ContentOf(path), "ZBCDEFGH");
        }
    }
}

TEST_F(DiskFileTest, ReadBytesStopsAtTheEnd) {
    const std::string content(30, 'r');
    for (bool memory : {false, true}) {
        SCOPED_TRACE(memory ? "memory" : "disk");
        FileNumber n = memory ? OpenMemoryFile() : OpenFile(Make("r", content), 3, kShareExclusive);
        ASSERT_NE(n, 0);
        if (memory) {
            ASSERT_TRUE(WriteBytes(n, Bytes(content)));
            ASSERT_TRUE(SeekToStart(n));
        }
        EXPECT_EQ(ReadBytes(n, 100), Bytes(content));
        EXPECT_EQ(FileLength(n), 30);
        EXPECT_TRUE(ReadBytes(n, 5).empty());
        EXPECT_EQ(PositionOf(n), 30);

        ASSERT_TRUE(SeekToStart(n));
        ASSERT_EQ(ReadBytes(n, 10).size(), 10u);
        EXPECT_TRUE(ReadBytes(n, 0).empty());
        EXPECT_TRUE(ReadBytes(n, -1).empty());
        EXPECT_EQ(PositionOf(n), 10);
        CloseFile(n);
    }
}

}  // namespace
}  // namespace quorvane
