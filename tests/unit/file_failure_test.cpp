// The file operations when the system fails them part way: each failure comes
// back as the operation's failure value, and the position ends where its rule
// says, with what was already done to the file left as it is.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "failing_disk_platform.h"
#include "file_test_support.h"
#include "files/file_table.h"

namespace quorvane {
namespace {

constexpr std::int32_t kMoveBlock = 4096;

// Content in which every moved byte shows where it came from.
std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>('A' + i % 23);
    }
    return bytes;
}

class FileFailureTest : public testing::Test {
  protected:
    void TearDown() override { CloseAllFiles(); }

    // Opens `content` exclusively, as the shredder does, at `position`.
    FileNumber OpenAt(const std::string& content, std::int64_t position) {
        path_ = scratch_.Make("f", content);
        FileNumber n = OpenFile(path_, kOpenReadWriteExisting, kShareExclusive);
        EXPECT_NE(n, 0);
        EXPECT_EQ(static_cast<std::int64_t>(ReadBytes(n, position).size()), position);
        return n;
    }

    ScratchDir scratch_;
    FailingDiskPlatform disk_;
    std::string path_;
};

struct FailureCase {
    const char* name;
    std::string content;
    std::int64_t position;
    DiskFault fault;
    bool (*failsAsItShould)(FileNumber);
    std::string contentAfter;
    std::int64_t positionAfter;
};

TEST_F(FileFailureTest, EachFailureGivesTheFailureValueAndItsPosition) {
    const std::string tenThousand = Pattern(10000);
    // The first chunk of 4096 moved down by one before the second chunk's seek failed.
    const std::string firstChunkMoved =
        tenThousand.substr(1, kMoveBlock) + tenThousand.substr(kMoveBlock);
    const std::string zeros(8, '\0');
    const FailureCase cases[] = {
        {"WriteBytes, the disk full after one byte", "ABCDEFGH", 2, ShortWrite(1),
         [](FileNumber n) { return !WriteBytes(n, Bytes("xyz")); }, "ABxDEFGH", 2},
        {"WriteBytes, the second sequence failing", "ABCDEFGH", 2, Failing(DiskCall::kWrite, 2),
         [](FileNumber n) { return !WriteBytes(n, Bytes("xy"), Bytes("z")); }, "ABxyEFGH", 2},
        {"DeleteBytes, the cut failing", "ABCDEFGH", 2, Failing(DiskCall::kSetEnd),
         [](FileNumber n) { return !DeleteBytes(n, 3); }, "ABFGHFGH", 2},
        {"DeleteBytes, a seek failing mid-move", tenThousand, 0,
         FailingSeek(SeekOrigin::kStart, kMoveBlock + 1),
         [](FileNumber n) { return !DeleteBytes(n, 1); }, firstChunkMoved, 0},
        {"DeleteBytes, a read failing mid-move", tenThousand, 0, Failing(DiskCall::kRead, 2),
         [](FileNumber n) { return !DeleteBytes(n, 1); }, firstChunkMoved, 0},
        {"ReadBytes, the read failing", "ABCDEFGH", 2, Failing(DiskCall::kRead),
         [](FileNumber n) { return ReadBytes(n, 3).empty(); }, "ABCDEFGH", 8},
        {"FileLength, the seek to the end failing", "ABCDEFGH", 2, FailingSeek(SeekOrigin::kEnd),
         [](FileNumber n) { return FileLength(n) == -1; }, "ABCDEFGH", 2},
        {"FileLength, the position failing", "ABCDEFGH", 2, FailingSeek(SeekOrigin::kCurrent),
         [](FileNumber n) { return FileLength(n) == -1; }, "ABCDEFGH", 2},
        {"OverwriteWithZeros, the write failing", "ABCDEFGH", 3, Failing(DiskCall::kWrite),
         [](FileNumber n) { return !OverwriteWithZeros(n); }, "ABCDEFGH", 3},
        {"OverwriteWithZeros, the flush failing", "ABCDEFGH", 3, Failing(DiskCall::kFlush),
         [](FileNumber n) { return !OverwriteWithZeros(n); }, zeros, 3},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        FileNumber n = OpenAt(c.content, c.position);
        disk_.Arm(c.fault);
        EXPECT_TRUE(c.failsAsItShould(n));
        EXPECT_TRUE(disk_.Struck()) << "the operation never made the armed call";
        disk_.Disarm();
        EXPECT_EQ(PositionOf(n), c.positionAfter);
        EXPECT_EQ(FileLength(n), static_cast<std::int64_t>(c.content.size()));
        CloseFile(n);
        EXPECT_EQ(ContentOf(path_), c.contentAfter);
    }
}

TEST_F(FileFailureTest, ShortWriteOfTheZerosIsRetriedWithTheRest) {
    FileNumber n = OpenAt("ABCDEFGH", 3);
    disk_.Arm(ShortWrite(3));
    disk_.ClearCalls();
    ASSERT_TRUE(OverwriteWithZeros(n));
    EXPECT_TRUE(disk_.Struck());
    std::vector<RecordedCall> writes = disk_.CallsOf(DiskCall::kWrite);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].at, 0);
    EXPECT_EQ(writes[0].count, 8);
    EXPECT_EQ(writes[1].at, 3);
    EXPECT_EQ(writes[1].count, 5);
    EXPECT_EQ(PositionOf(n), 0);
    CloseFile(n);
    EXPECT_EQ(ContentOf(path_), std::string(8, '\0'));
}

TEST_F(FileFailureTest, TailMovesFrontToBackInBlocks) {
    const std::string content = Pattern(10000);
    FileNumber n = OpenAt(content, 0);
    disk_.ClearCalls();
    ASSERT_TRUE(DeleteBytes(n, 1));

    struct Move {
        DiskCall call;
        std::int64_t at;
        std::int32_t count;
    };
    const Move expected[] = {
        {DiskCall::kRead, 1, 4096},    {DiskCall::kWrite, 0, 4096},
        {DiskCall::kRead, 4097, 4096}, {DiskCall::kWrite, 4096, 4096},
        {DiskCall::kRead, 8193, 1807}, {DiskCall::kWrite, 8192, 1807},
        {DiskCall::kSetEnd, 9999, 0},
    };
    std::vector<RecordedCall> moves;
    for (const RecordedCall& c : disk_.Calls()) {
        if (c.call != DiskCall::kSeek) {
            moves.push_back(c);
        }
    }
    ASSERT_EQ(moves.size(), std::size(expected));
    for (size_t i = 0; i < moves.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(moves[i].call, expected[i].call);
        EXPECT_EQ(moves[i].at, expected[i].at);
        EXPECT_EQ(moves[i].count, expected[i].count);
    }
    EXPECT_EQ(PositionOf(n), 9999);
    CloseFile(n);
    EXPECT_EQ(ContentOf(path_), content.substr(1));
}

TEST_F(FileFailureTest, CloseAllFilesClosesInRegistrationOrder) {
    std::string a = scratch_.Make("a", "1");
    std::string b = scratch_.Make("b", "2");
    std::string c = scratch_.Make("c", "3");
    FileNumber first = OpenFile(a, kOpenReadWriteExisting, kShareExclusive);
    FileNumber memory = OpenMemoryFile();
    FileNumber second = OpenFile(b, kOpenReadWriteExisting, kShareExclusive);
    FileNumber third = OpenFile(c, kOpenReadWriteExisting, kShareExclusive);
    // Reopened, a comes last: the order is that of the opens, not of the names.
    CloseFile(first);
    FileNumber reopened = OpenFile(a, kOpenReadWriteExisting, kShareExclusive);
    for (FileNumber n : {memory, second, third, reopened}) {
        ASSERT_NE(n, 0);
    }
    disk_.ClearCalls();
    // A close the system reports as failed stops neither that entry's end nor the others'.
    disk_.Arm(Failing(DiskCall::kClose));

    CloseAllFiles();
    EXPECT_TRUE(disk_.Struck());
    std::vector<std::string> closed;
    for (const RecordedCall& call : disk_.CallsOf(DiskCall::kClose)) {
        closed.push_back(call.path);
    }
    EXPECT_EQ(closed, (std::vector<std::string>{b, c, a}));
    for (FileNumber n : {memory, second, third, reopened}) {
        EXPECT_EQ(FileLength(n), -1);
        EXPECT_FALSE(SeekToStart(n));
    }
    // Closed for real: each can be held exclusively again.
    for (const std::string& path : {a, b, c}) {
        FileNumber again = OpenFile(path, kOpenReadWriteExisting, kShareExclusive);
        EXPECT_NE(again, 0) << path;
        CloseFile(again);
    }
}

TEST_F(FileFailureTest, WritingNothingReachesNoDisk) {
    FileNumber n = OpenAt("ABCDEFGH", 2);
    disk_.ClearCalls();
    EXPECT_TRUE(WriteBytes(n, ByteSequence{}));
    EXPECT_TRUE(WriteBytes(n, ByteSequence{}, ByteSequence{}));
    EXPECT_TRUE(disk_.CallsOf(DiskCall::kWrite).empty());
    EXPECT_EQ(PositionOf(n), 2);
    EXPECT_EQ(FileLength(n), 8);
    CloseFile(n);
    EXPECT_EQ(ContentOf(path_), "ABCDEFGH");
}

}  // namespace
}  // namespace quorvane
