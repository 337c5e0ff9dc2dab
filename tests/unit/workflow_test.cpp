#include "workflow/workflow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "files/disk_platform.h"
#include "recording_controls.h"
#include "text/date_time.h"
#include "workflow/catalogue.h"

#ifdef _WIN32
#include "text/code_page_win.h"
#endif

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using Calls = std::vector<std::string>;

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// The file-system path of a code page 936 path text, converted as the program
// converts it.
fs::path NativePath(const std::string& path) {
#ifdef _WIN32
    return fs::path(WideFromCp936(path).value());
#else
    return fs::path(path);
#endif
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(NativePath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Some content that is not all zeros, so a shred that leaves it is visible.
std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>('A' + i % 23);
    }
    return bytes;
}

std::string Line(std::string_view prefix, std::string_view value, std::string_view suffix) {
    return std::string(prefix) + std::string(value) + std::string(suffix);
}

class WorkflowTest : public testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        dir_ = fs::temp_directory_path() / ("quorvane-workflow-" + std::to_string(random()));
        fs::create_directories(dir_);
        controls.onLogTextChanged = [this] { workflow.OnLogTextChanged(); };
    }

    void TearDown() override {
        CloseFile(workflow.LoadedFile());
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    // The file's path as the dialog would report it: a code page 936 text.
    std::string MakeFile(const std::string& name, const std::string& content) {
        std::string path = Dir() + kSeparator + name;
        std::ofstream(NativePath(path), std::ios::binary) << content;
        return path;
    }

    std::string Dir() const { return dir_.string(); }

    void Load(const std::string& path) {
        controls.nextChoice = path;
        workflow.OnOpenClicked();
    }

    // The log lines a load of `path` adds, for a file of `size` grouped bytes.
    static std::string LoadLines(std::string_view name, std::string_view directory,
                                 std::string_view size) {
        return Line(catalogue::kNameLinePrefix, name, "\r\n") +
               Line(catalogue::kDirectoryLinePrefix, directory, "\r\n") +
               Line(catalogue::kSizeLinePrefix, size, catalogue::kSizeLineSuffix);
    }

    // The lines for a file made by MakeFile. A POSIX path has no backslash, so
    // there the name is the whole path and the directory is empty.
    std::string LoadLinesOf(const std::string& name, std::string_view size) const {
#ifdef _WIN32
        return LoadLines(name, Dir(), size);
#else
        return LoadLines(Dir() + kSeparator + name, "", size);
#endif
    }

    // Whether `text` is prefix + the time of some moment in [before, after] + suffix.
    static bool IsTimedLine(const std::string& text, std::string_view prefix,
                            std::string_view suffix, DateTime before, DateTime after) {
        for (DateTime t = before; t <= after + 1e-9; t += 1.0 / 86400) {
            if (text == Line(prefix, TimeToText(t), suffix)) {
                return true;
            }
        }
        return false;
    }

    fs::path dir_;
    RecordingControls controls;
    Workflow workflow{controls};
};

TEST_F(WorkflowTest, LoadLogsNameDirectoryAndGroupedSizeThenEntersLoaded) {
    const std::string content = Pattern(1234567);
    std::string path = MakeFile("report.doc", content);
    Load(path);

    EXPECT_NE(workflow.LoadedFile(), 0);
    EXPECT_EQ(controls.log, LoadLinesOf("report.doc", "1,234,567"));
    EXPECT_EQ(controls.pathField, path);
    EXPECT_TRUE(controls.IsLoaded());
    // Nobody else can open the file while it is loaded, and loading leaves it unchanged.
    EXPECT_EQ(OpenFile(path, kOpenReadWriteExisting, kShareReadWrite), 0);
    CloseFile(workflow.LoadedFile());
    EXPECT_EQ(ReadAll(path), content);

    const std::string log = "AppendText(编辑框2,";
    std::string expected = LoadLinesOf("report.doc", "1,234,567");
    std::vector<std::string> lines;  // the name and directory lines without CR LF
    for (size_t at = 0, end; (end = expected.find("\r\n", at)) != std::string::npos; at = end + 2) {
        lines.push_back(expected.substr(at, end - at));
    }
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(controls.calls,
              (Calls{"ChooseFileToOpen(通用对话框1)", "FileName(通用对话框1)",
                     "SetText(编辑框1," + path + ")", "FileName(通用对话框1)",
                     "FileName(通用对话框1)",
                     log + lines[0] + "\r\n)", "SetSelectionStart(编辑框2,-1)",
                     log + lines[1] + "\r\n)", "SetSelectionStart(编辑框2,-1)",
                     log + "粉碎后可释放空间：1,234,567 字节\r\n)", "SetSelectionStart(编辑框2,-1)",
                     "SetDisabled(按钮2,0)", "SetDisabled(按钮3,0)", "SetDisabled(按钮1,1)",
                     "SetDisabled(编辑框1,1)"}));
}

TEST_F(WorkflowTest, EmptyFileLoadsWithSizeZero) {
    std::string path = MakeFile("empty.txt", "");
    Load(path);
    EXPECT_EQ(controls.log, LoadLinesOf("empty.txt", "0"));
    EXPECT_TRUE(controls.IsLoaded());
}

#ifndef _WIN32
// On POSIX a backslash is an ordinary file-name byte, so a file can carry every
// path shape the split must handle, relative to the working directory.
TEST_F(WorkflowTest, NameAndDirectoryAreCutAtTheLastRealBackslash) {
    struct Case {
        const char* path;
        const char* name;
        const char* directory;
    };
    const Case cases[] = {
        {"C:\\data\\report.doc", "report.doc", "C:\\data"},
        {"C:\\report.doc", "report.doc", "C:"},
        {"report.doc", "report.doc", ""},
        {"C:\\data\\", "", "C:\\data"},
        {"C:\\data\\\xE5\x5C", "\xE5\x5C", "C:\\data"},  // 錦 ends in the byte 0x5C
    };
    fs::path previous = fs::current_path();
    fs::current_path(dir_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::ofstream(c.path, std::ios::binary) << "abc";
        controls.log.clear();
        Load(c.path);
        EXPECT_EQ(controls.log, LoadLines(c.name, c.directory, "3"));
        workflow.OnCancelClicked();
    }
    fs::current_path(previous);
}
#else
TEST_F(WorkflowTest, NameAndDirectoryAreCutAtTheLastRealBackslash) {
    fs::create_directories(dir_ / "data");
    // 錦 is E5 5C: its trail byte is the backslash's byte, yet no separator.
    const std::string names[] = {"data\\report.doc", "data\\\xE5\x5C"};
    const std::string expected[] = {"report.doc", "\xE5\x5C"};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        std::string path = MakeFile(names[i], "abc");
        controls.log.clear();
        Load(path);
        EXPECT_EQ(controls.log, LoadLines(expected[i], Dir() + "\\data", "3"));
        workflow.OnCancelClicked();
    }
}
#endif

TEST_F(WorkflowTest, DialogClosedWithoutAChoiceChangesNothing) {
    controls.pathField = "typed by the user";
    workflow.OnOpenClicked();
    EXPECT_EQ(controls.calls, Calls{"ChooseFileToOpen(通用对话框1)"});
    EXPECT_EQ(controls.pathField, "typed by the user");
    EXPECT_EQ(controls.log, "");
    EXPECT_TRUE(controls.IsIdle());
    EXPECT_EQ(workflow.LoadedFile(), 0);
}

TEST_F(WorkflowTest, FailedLoadLogsTheFailureAndStaysIdle) {
    std::string held = MakeFile("held.bin", "held");
    FileNumber holder = OpenFile(held, kOpenReadWriteExisting, kShareExclusive);
    ASSERT_NE(holder, 0);
    const std::string unopenable[] = {Dir() + kSeparator + "missing.bin", held, Dir(), ""};
    for (const std::string& path : unopenable) {
        SCOPED_TRACE(path);
        controls.log.clear();
        size_t from = controls.calls.size();
        Load(path);
        EXPECT_EQ(workflow.LoadedFile(), 0);
        EXPECT_EQ(controls.log, catalogue::kLoadFailureLine);
        EXPECT_EQ(controls.pathField, path);
        EXPECT_TRUE(controls.IsIdle());
        EXPECT_EQ(controls.CallsSince(from).back(), "SetSelectionStart(编辑框2,-1)");
    }
    CloseFile(holder);
    EXPECT_EQ(ReadAll(held), "held");
}

TEST_F(WorkflowTest, NameLineOfTheNextLoadContinuesTheFailureLine) {
    Load(Dir() + kSeparator + "missing.bin");
    std::string path = MakeFile("ok.txt", "12345");
    Load(path);
    EXPECT_EQ(controls.log,
              std::string(catalogue::kLoadFailureLine) + LoadLinesOf("ok.txt", "5"));
}

TEST_F(WorkflowTest, CancelLeavesTheFileAsItWasAndReturnsToIdle) {
    const std::string content = Pattern(5000);
    std::string path = MakeFile("keep.bin", content);
    Load(path);
    FileNumber loaded = workflow.LoadedFile();
    controls.log.clear();
    size_t from = controls.calls.size();

    DateTime before = CurrentTime();
    workflow.OnCancelClicked();
    DateTime after = CurrentTime();

    EXPECT_EQ(ReadAll(path), content);
    EXPECT_TRUE(IsTimedLine(controls.log, catalogue::kCancelLinePrefix,
                            catalogue::kCancelLineSuffix, before, after))
        << controls.log;
    EXPECT_EQ(controls.pathField, "");
    EXPECT_TRUE(controls.IsIdle());
    EXPECT_EQ(controls.progressHistory, std::vector<int>{});
    // The number is kept but names nothing any more; the file is free again.
    EXPECT_EQ(workflow.LoadedFile(), loaded);
    EXPECT_EQ(FileLength(loaded), -1);
    FileNumber again = OpenFile(path, kOpenReadWriteExisting, kShareExclusive);
    EXPECT_NE(again, 0);
    CloseFile(again);

    Calls calls = controls.CallsSince(from);
    ASSERT_EQ(calls.size(), 7u);
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 5),
              (Calls{"SetDisabled(按钮1,0)", "SetDisabled(编辑框1,0)", "SetDisabled(按钮2,1)",
                     "SetDisabled(按钮3,1)", "SetText(编辑框1,)"}));
    EXPECT_EQ(calls[5].rfind("AppendText(编辑框2,取消粉碎：", 0), 0u);
    EXPECT_EQ(calls[6], "SetSelectionStart(编辑框2,-1)");

    // A later load of the same file works as the first did.
    controls.log.clear();
    Load(path);
    EXPECT_EQ(controls.log, LoadLinesOf("keep.bin", "5,000"));
}

TEST_F(WorkflowTest, ShredAnsweredNoChangesNothing) {
    const std::string content = Pattern(100);
    std::string path = MakeFile("keep.bin", content);
    Load(path);
    std::string log = controls.log;
    size_t from = controls.calls.size();

    controls.nextAnswer = kAnswerNo;
    workflow.OnShredClicked();

    EXPECT_EQ(controls.CallsSince(from),
              Calls{"AskConfirmation(该操作不可恢复，确定继续吗？,36,询问:)"});
    EXPECT_EQ(controls.log, log);
    EXPECT_TRUE(controls.IsLoaded());
    EXPECT_EQ(FileLength(workflow.LoadedFile()), 100);
    CloseFile(workflow.LoadedFile());
    EXPECT_EQ(ReadAll(path), content);
}

class ShredTest : public WorkflowTest, public testing::WithParamInterface<size_t> {};

TEST_P(ShredTest, EmptiesAndDeletesTheFileInFiveStages) {
    const size_t size = GetParam();
    std::string path = MakeFile("secret.bin", Pattern(size));
    Load(path);
    controls.log.clear();
    size_t from = controls.calls.size();

    // What the disk shows at each pause: the file's length, or -1 once it is gone.
    std::vector<long long> lengths;
    controls.onPause = [&](int) {
        std::error_code error;
        auto length = fs::file_size(NativePath(path), error);
        lengths.push_back(error ? -1 : static_cast<long long>(length));
    };
    DateTime before = CurrentTime();
    workflow.OnShredClicked();
    DateTime after = CurrentTime();

    EXPECT_EQ(lengths, (std::vector<long long>{0, 0, 0, 0, -1, -1}));
    EXPECT_FALSE(fs::exists(NativePath(path)));
    EXPECT_EQ(controls.progressHistory, (std::vector<int>{20, 40, 60, 80, 100, 0}));
    EXPECT_TRUE(controls.IsIdle());
    EXPECT_EQ(controls.pathField, "");

    // The log: the time line, the success line, the credit, in that order.
    std::string expectedTail =
        std::string(catalogue::kSuccessLine) + catalogue::kCreditLine;
    ASSERT_GT(controls.log.size(), expectedTail.size());
    size_t tailAt = controls.log.size() - expectedTail.size();
    EXPECT_EQ(controls.log.substr(tailAt), expectedTail);
    EXPECT_TRUE(IsTimedLine(controls.log.substr(0, tailAt), catalogue::kTimeLinePrefix, "\r\n",
                            before, after))
        << controls.log;
    EXPECT_EQ(controls.caret, static_cast<int>(controls.log.size()));

    // The order of what the window sees.
    Calls calls = controls.CallsSince(from);
    const Calls expectedStart = {
        "AskConfirmation(该操作不可恢复，确定继续吗？,36,询问:)",
        "SetDisabled(按钮2,1)", "SetDisabled(按钮3,1)",
        "Pause(50)", "SetProgress(进度条1,20)",
        "Pause(50)", "SetProgress(进度条1,40)",
        "Pause(50)", "SetProgress(进度条1,60)",
        "Pause(50)", "SetProgress(进度条1,80)",
        "FileName(通用对话框1)",
        "Pause(50)", "SetProgress(进度条1,100)",
        "SetDisabled(按钮1,0)", "SetDisabled(编辑框1,0)"};
    ASSERT_GE(calls.size(), expectedStart.size() + 6);
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + expectedStart.size()), expectedStart);
    EXPECT_EQ(calls[expectedStart.size()].rfind("AppendText(编辑框2,粉碎时间：", 0), 0u);
    const Calls expectedEnd = {
        "AppendText(编辑框2," + std::string(catalogue::kSuccessLine) + ")",
        "SetSelectionStart(编辑框2,-1)",
        "AppendText(编辑框2," + std::string(catalogue::kCreditLine) + ")",
        "SetSelectionStart(编辑框2,-1)",
        "Pause(1000)", "SetProgress(进度条1,0)", "SetText(编辑框1,)"};
    EXPECT_EQ(Calls(calls.end() - expectedEnd.size(), calls.end()), expectedEnd);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ShredTest, testing::Values(0, 1, 4097, 3 << 20));

// Passes every call on to the system and notes what reached the disk: the
// bytes written (all zero or not) and where the file was cut.
class DiskRecorder final : public DiskPlatform {
public:
    struct Event {
        enum Kind { kWrite, kCut, kDelete } kind;
        std::int64_t at;     // the position written at or cut to
        std::int64_t count;  // bytes written
        bool zeros;          // whether they were all zero
    };

    class Channel final : public DiskChannel {
    public:
        Channel(std::unique_ptr<DiskChannel> inner, std::vector<Event>& events)
            : inner_(std::move(inner)), events_(events) {}
        std::optional<std::int64_t> Seek(std::int64_t offset, SeekOrigin origin) override {
            return inner_->Seek(offset, origin);
        }
        std::optional<std::int32_t> Read(void* buffer, std::int32_t count) override {
            return inner_->Read(buffer, count);
        }
        std::optional<std::int32_t> Write(const void* data, std::int32_t count) override {
            auto at = inner_->Seek(0, SeekOrigin::kCurrent).value_or(-1);
            const auto* bytes = static_cast<const unsigned char*>(data);
            bool zeros = std::all_of(bytes, bytes + count, [](unsigned char b) { return b == 0; });
            events_.push_back({Event::kWrite, at, count, zeros});
            return inner_->Write(data, count);
        }
        bool SetEnd() override {
            auto at = inner_->Seek(0, SeekOrigin::kCurrent).value_or(-1);
            events_.push_back({Event::kCut, at, 0, false});
            return inner_->SetEnd();
        }
        bool Flush() override { return inner_->Flush(); }
        bool Close() override { return inner_->Close(); }

    private:
        std::unique_ptr<DiskChannel> inner_;
        std::vector<Event>& events_;
    };

    std::unique_ptr<DiskChannel> Open(std::string_view path, DiskOpenMode mode,
                                      DiskShareMode share) override {
        auto inner = SystemDiskPlatform().Open(path, mode, share);
        return inner ? std::make_unique<Channel>(std::move(inner), events) : nullptr;
    }
    bool Delete(std::string_view path) override {
        events.push_back({Event::kDelete, 0, 0, false});
        return SystemDiskPlatform().Delete(path);
    }

    std::vector<Event> events;
};

TEST_F(WorkflowTest, ContentIsOverwrittenWithZerosBeforeItIsRemoved) {
    const std::int64_t size = 3 * 1024 * 1024 + 5;
    std::string path = MakeFile("secret.bin", Pattern(size));
    DiskRecorder recorder;
    SetDiskPlatformForTesting(&recorder);
    Load(path);
    workflow.OnShredClicked();
    SetDiskPlatformForTesting(nullptr);

    // Zeros over the whole content, from the start and without gaps, then the cut
    // to 0 bytes, and the deletion last; nothing else reaches the disk.
    const auto& events = recorder.events;
    std::int64_t covered = 0;
    size_t i = 0;
    for (; i < events.size() && events[i].kind == DiskRecorder::Event::kWrite; ++i) {
        EXPECT_TRUE(events[i].zeros) << "write " << i;
        EXPECT_EQ(events[i].at, covered) << "write " << i;
        covered += events[i].count;
    }
    EXPECT_EQ(covered, size);
    ASSERT_EQ(events.size(), i + 2);
    EXPECT_EQ(events[i].kind, DiskRecorder::Event::kCut);
    EXPECT_EQ(events[i].at, 0);
    EXPECT_EQ(events[i + 1].kind, DiskRecorder::Event::kDelete);
    EXPECT_FALSE(fs::exists(NativePath(path)));
}

TEST_F(WorkflowTest, RefusedDeletionIsReportedAsAFailure) {
    std::string path = MakeFile("stays.bin", Pattern(3000));
    Load(path);
    // The dialog's path at deletion names nothing that can be deleted.
    controls.fileName = Dir() + kSeparator + "no-such-folder" + kSeparator + "stays.bin";
    controls.log.clear();
    workflow.OnShredClicked();

    std::string expectedTail = std::string(catalogue::kFailureLine) + catalogue::kCreditLine;
    ASSERT_GT(controls.log.size(), expectedTail.size());
    EXPECT_EQ(controls.log.substr(controls.log.size() - expectedTail.size()), expectedTail);
    EXPECT_EQ(controls.log.find(catalogue::kSuccessLine), std::string::npos);
    EXPECT_EQ(controls.log.rfind(catalogue::kTimeLinePrefix, 0), 0u);
    EXPECT_EQ(controls.progressHistory, (std::vector<int>{20, 40, 60, 80, 100, 0}));
    EXPECT_TRUE(controls.IsIdle());
    // Emptied and closed, but still on the disk.
    EXPECT_EQ(ReadAll(path), "");
    EXPECT_TRUE(fs::exists(NativePath(path)));
}

TEST_F(WorkflowTest, LogAccumulatesAcrossLoadsCancelsAndShreds) {
    std::string first = MakeFile("first.txt", "1");
    std::string second = MakeFile("second.txt", "22");
    Load(first);
    workflow.OnCancelClicked();
    Load(second);
    workflow.OnShredClicked();
    Load(first);

    const std::string& log = controls.log;
    size_t cancel = log.find(catalogue::kCancelLinePrefix);
    size_t secondLoad = log.find(LoadLinesOf("second.txt", "2"));
    size_t credit = log.find(catalogue::kCreditLine);
    EXPECT_EQ(log.rfind(LoadLinesOf("first.txt", "1"), 0), 0u);
    EXPECT_NE(cancel, std::string::npos);
    EXPECT_NE(secondLoad, std::string::npos);
    EXPECT_LT(cancel, secondLoad);
    // The next name line starts directly after the credit, on the same line.
    ASSERT_NE(credit, std::string::npos);
    EXPECT_EQ(log.substr(credit), catalogue::kCreditLine + LoadLinesOf("first.txt", "1"));
    EXPECT_EQ(controls.caret, static_cast<int>(log.size()));
    EXPECT_EQ(controls.selectionLength, 0);
    // Every append raised the event once, and its handler put the caret at the end.
    int appends = 0;
    for (size_t i = 0; i < controls.calls.size(); ++i) {
        if (controls.calls[i].rfind("AppendText(", 0) == 0) {
            ++appends;
            ASSERT_LT(i + 1, controls.calls.size());
            EXPECT_EQ(controls.calls[i + 1], "SetSelectionStart(编辑框2,-1)");
        }
    }
    EXPECT_EQ(controls.textChangedEvents, appends);
}

TEST_F(WorkflowTest, CancelThenDialogClosedLeavesIdleWithTheStaleNumber) {
    Load(MakeFile("a.txt", "a"));
    FileNumber loaded = workflow.LoadedFile();
    workflow.OnCancelClicked();
    workflow.OnOpenClicked();  // no choice
    EXPECT_TRUE(controls.IsIdle());
    EXPECT_EQ(workflow.LoadedFile(), loaded);
}

TEST_F(WorkflowTest, LinkPressTouchesNothing) {
    workflow.OnLinkPressed(3, 4, 1);
    EXPECT_EQ(controls.calls, Calls{});
}

}  // namespace
}  // namespace quorvane
