#include "tests/fuzz/file_model.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_check.h"

namespace quorvane::fuzz {
namespace {

// Enough files to exercise the table, few enough to verify every step.
constexpr std::size_t kMostOpenFiles = 4;
// Writes up to two grow steps past 4096, so DeleteBytes moves more than one block.
constexpr std::int32_t kLongestWrite = 0x2FFF;
// Counts beyond this would only make ReadBytes allocate a huge working buffer.
constexpr std::int32_t kCountMask = 0x7FFF;

enum Operation : std::uint8_t {
    kOpen,
    kClose,
    kSeekToStart,
    kRead,
    kWrite,
    kDelete,
    kLength,
    kOverwrite,
    kBlank,
    kOperationCount
};

struct ModelFile {
    ByteSequence content;
    std::int64_t position = 0;
};

std::string Show(const ByteSequence& bytes) {
    return std::to_string(bytes.size()) + " bytes " +
           Hex(std::string(bytes.begin(), bytes.begin() + std::min<std::size_t>(bytes.size(), 16)));
}

class Run {
  public:
    Run(FuzzInput& input, const FileKind& kind) : input_(input), kind_(kind) {}

    ~Run() {
        for (auto& [number, file] : open_) {
            CloseFile(number);
            kind_.closed(number);
        }
    }

    void Step() {
        switch (input_.Byte() % kOperationCount) {
            case kOpen:
                return Open();
            case kClose:
                return Close(PickNumber());
            case kSeekToStart:
                return Seek(PickNumber());
            case kRead:
                return Read(PickNumber(), Count());
            case kWrite:
                return Write(PickNumber());
            case kDelete:
                return Delete(PickNumber(), Count());
            case kLength:
                return Length(PickNumber());
            case kOverwrite:
                return Overwrite(PickNumber());
            default:
                return Blank(Count());
        }
    }

    // Content, length and position of every open file, leaving the position as it was.
    void Verify() {
        for (auto& [number, file] : open_) {
            auto length = static_cast<std::int64_t>(file.content.size());
            FUZZ_CHECK(FileLength(number) == length, "FileLength(%d) is %lld, not %lld", number,
                       static_cast<long long>(FileLength(number)), static_cast<long long>(length));
            ByteSequence after(file.content.begin() + file.position, file.content.end());
            ByteSequence readAfter = ReadBytes(number, length - file.position + 1);
            FUZZ_CHECK(readAfter == after, "file %d after position %lld: %s, not %s", number,
                       static_cast<long long>(file.position), Show(readAfter).c_str(),
                       Show(after).c_str());
            FUZZ_CHECK(SeekToStart(number), "SeekToStart(%d) failed", number);
            ByteSequence before(file.content.begin(), file.content.begin() + file.position);
            ByteSequence readBefore = ReadBytes(number, file.position);
            FUZZ_CHECK(readBefore == before, "file %d before position %lld: %s, not %s", number,
                       static_cast<long long>(file.position), Show(readBefore).c_str(),
                       Show(before).c_str());
            if (std::optional<ByteSequence> outside = kind_.outsideContent(number)) {
                FUZZ_CHECK(*outside == file.content, "file %d holds %s, not %s", number,
                           Show(*outside).c_str(), Show(file.content).c_str());
            }
        }
    }

  private:
    ModelFile* Find(FileNumber number) {
        auto it = open_.find(number);
        return it == open_.end() ? nullptr : &it->second;
    }

    // 0, a number handed out before (open, closed or reused), or any number at all.
    FileNumber PickNumber() {
        std::uint8_t choice = input_.Byte();
        if (choice == 0) {
            return 0;
        }
        if (choice == 0xFF) {
            return input_.Int32();
        }
        return handedOut_.empty() ? 0 : handedOut_[choice % handedOut_.size()];
    }

    std::int32_t Count() {
        std::int16_t raw = input_.Int16();
        return raw < 0 ? raw : raw & kCountMask;
    }

    void Open() {
        if (open_.size() >= kMostOpenFiles) {
            return;
        }
        FileNumber number = kind_.open();
        FUZZ_CHECK(number != 0, "open failed");
        FUZZ_CHECK(!Find(number), "open gave %d, which is already open", number);
        open_[number] = ModelFile{};
        if (std::find(handedOut_.begin(), handedOut_.end(), number) == handedOut_.end()) {
            handedOut_.push_back(number);
        }
    }

    void Close(FileNumber number) {
        CloseFile(number);
        if (open_.erase(number) > 0) {
            kind_.closed(number);
        }
    }

    void Seek(FileNumber number) {
        ModelFile* file = Find(number);
        bool done = SeekToStart(number);
        FUZZ_CHECK(done == (file != nullptr), "SeekToStart(%d) gave %d", number, done);
        if (file) {
            file->position = 0;
        }
    }

    void Read(FileNumber number, std::int32_t count) {
        ModelFile* file = Find(number);
        ByteSequence expected;
        if (file && count > 0) {
            auto end = std::min<std::int64_t>(file->content.size(), file->position + count);
            expected.assign(file->content.begin() + file->position, file->content.begin() + end);
            file->position = std::max(file->position, end);
        }
        ByteSequence read = ReadBytes(number, count);
        FUZZ_CHECK(read == expected, "ReadBytes(%d, %d): %s, not %s", number, count,
                   Show(read).c_str(), Show(expected).c_str());
    }

    void Write(FileNumber number) {
        auto length = static_cast<std::size_t>(input_.Int16() & kLongestWrite);
        std::uint8_t seed = input_.Byte();
        ByteSequence data(length);
        for (std::size_t i = 0; i < length; ++i) {
            data[i] = static_cast<unsigned char>(seed + i * 7);
        }
        ModelFile* file = Find(number);
        bool done = WriteBytes(number, data);
        FUZZ_CHECK(done == (file != nullptr), "WriteBytes(%d, %zu bytes) gave %d", number, length,
                   done);
        if (!file) {
            return;
        }
        auto at = static_cast<std::size_t>(file->position);
        if (file->content.size() < at + length) {
            file->content.resize(at + length);
        }
        std::copy(data.begin(), data.end(), file->content.begin() + at);
        file->position += static_cast<std::int64_t>(length);
    }

    void Delete(FileNumber number, std::int32_t count) {
        ModelFile* file = Find(number);
        bool done = DeleteBytes(number, count);
        FUZZ_CHECK(done == (file != nullptr), "DeleteBytes(%d, %d) gave %d", number, count, done);
        if (!file || count <= 0) {
            return;
        }
        auto length = static_cast<std::int64_t>(file->content.size());
        std::int64_t end = std::min(length, file->position + count);
        file->content.erase(file->content.begin() + file->position, file->content.begin() + end);
        file->position = static_cast<std::int64_t>(file->content.size());
    }

    void Length(FileNumber number) {
        ModelFile* file = Find(number);
        std::int64_t expected = file ? static_cast<std::int64_t>(file->content.size()) : -1;
        FUZZ_CHECK(FileLength(number) == expected, "FileLength(%d) is not %lld", number,
                   static_cast<long long>(expected));
    }

    void Overwrite(FileNumber number) {
        ModelFile* file = Find(number);
        bool done = OverwriteWithZeros(number);
        FUZZ_CHECK(done == (file != nullptr), "OverwriteWithZeros(%d) gave %d", number, done);
        if (file) {
            std::fill(file->content.begin(), file->content.end(), 0);
            file->position = 0;
        }
    }

    void Blank(std::int32_t count) {
        ByteSequence blank = BlankBytes(count);
        ByteSequence expected(count > 0 ? count : 0, 0);
        FUZZ_CHECK(blank == expected, "BlankBytes(%d) gave %s", count, Show(blank).c_str());
    }

    FuzzInput& input_;
    const FileKind& kind_;
    std::map<FileNumber, ModelFile> open_;
    std::vector<FileNumber> handedOut_;
};

}  // namespace

void RunFileOperations(FuzzInput& input, const FileKind& kind) {
    Run run(input, kind);
    while (!input.Exhausted()) {
        run.Step();
        run.Verify();
    }
}

}  // namespace quorvane::fuzz
