#include "workflow/workflow.h"

#include "text/date_time.h"
#include "text/number_format.h"
#include "text/text.h"
#include "workflow/catalogue.h"

namespace quorvane {
namespace {

constexpr char kBackslash[] = "\\";
constexpr int kStagePauseMs = 50;
constexpr int kProgressStep = 20;
constexpr int kFinishedPauseMs = 1000;

}  // namespace

void Workflow::AppendLogLine(std::string_view prefix, std::string_view value,
                             std::string_view suffix) {
    controls_.AppendText(ControlName::编辑框2, ConcatText({prefix, value, suffix}));
}

void Workflow::OnOpenClicked() {
    if (!controls_.ChooseFileToOpen(ControlName::通用对话框1)) {
        return;
    }
    controls_.SetText(ControlName::编辑框1, controls_.FileName(ControlName::通用对话框1));

    // Exclusive: while the file is loaded no other program can open it.
    loadedFile_ = OpenFile(controls_.FileName(ControlName::通用对话框1), kOpenReadWriteExisting,
                           kShareExclusive);
    if (loadedFile_ == 0) {
        controls_.AppendText(ControlName::编辑框2, catalogue::kLoadFailureLine);
        return;
    }

    std::string path = controls_.FileName(ControlName::通用对话框1);
    int length = TextLength(path);
    // Without a backslash the position is -1: the name is then the whole path and
    // the directory is empty.
    int slash = FindTextReverse(path, kBackslash, std::nullopt, true);
    AppendLogLine(catalogue::kNameLinePrefix, TextRight(path, length - slash), catalogue::kLineEnd);
    AppendLogLine(catalogue::kDirectoryLinePrefix, TextLeft(path, slash - 1), catalogue::kLineEnd);

    double size = static_cast<double>(FileLength(loadedFile_));
    AppendLogLine(catalogue::kSizeLinePrefix, FormatNumber(size, std::nullopt, true),
                  catalogue::kSizeLineSuffix);

    controls_.SetDisabled(ControlName::按钮2, false);
    controls_.SetDisabled(ControlName::按钮3, false);
    controls_.SetDisabled(ControlName::按钮1, true);
    controls_.SetDisabled(ControlName::编辑框1, true);
}

void Workflow::OnCancelClicked() {
    CloseFile(loadedFile_);

    controls_.SetDisabled(ControlName::按钮1, false);
    controls_.SetDisabled(ControlName::编辑框1, false);
    controls_.SetDisabled(ControlName::按钮2, true);
    controls_.SetDisabled(ControlName::按钮3, true);
    controls_.SetText(ControlName::编辑框1, "");

    AppendLogLine(catalogue::kCancelLinePrefix, TimeToText(CurrentTime()),
                  catalogue::kCancelLineSuffix);
}

void Workflow::OnShredClicked() {
    if (controls_.AskConfirmation(catalogue::kConfirmShredText, catalogue::kConfirmShredFlags,
                                  catalogue::kConfirmShredTitle) != kAnswerYes) {
        return;
    }
    controls_.SetDisabled(ControlName::按钮2, true);
    controls_.SetDisabled(ControlName::按钮3, true);

    bool destroyed = RunShredStages();

    controls_.SetDisabled(ControlName::按钮1, false);
    controls_.SetDisabled(ControlName::编辑框1, false);
    AppendLogLine(catalogue::kTimeLinePrefix, TimeToText(CurrentTime()), catalogue::kLineEnd);
    controls_.AppendText(ControlName::编辑框2,
                         destroyed ? catalogue::kSuccessLine : catalogue::kFailureLine);
    controls_.AppendText(ControlName::编辑框2, catalogue::kCreditLine);

    controls_.Pause(kFinishedPauseMs);
    controls_.SetProgress(ControlName::进度条1, 0);
    controls_.SetText(ControlName::编辑框1, "");
}

// The five stages, each followed by a pause and a progress step. Every stage runs
// whatever became of the ones before it; the result says whether the content was
// overwritten, removed and the file deleted, the three steps that destroy it.
bool Workflow::RunShredStages() {
    int progress = 0;
    auto finishStage = [&] {
        controls_.Pause(kStagePauseMs);
        progress += kProgressStep;
        controls_.SetProgress(ControlName::进度条1, progress);
    };

    // Stage 1: overwrite the content in place, then remove it. Removal alone would
    // leave the old bytes readable on the disk.
    bool overwritten = OverwriteWithZeros(loadedFile_);
    std::int64_t length = FileLength(loadedFile_);
    // A length that cannot be read would make the removal a harmless no-op that
    // reports success; it is a failure to empty the file.
    bool emptied = length >= 0 && DeleteBytes(loadedFile_, length);
    finishStage();

    // Stage 2: a zero block of the file's current length, staged in memory.
    FileNumber staging = OpenMemoryFile();
    WriteBytes(staging, BlankBytes(FileLength(loadedFile_)));
    SeekToStart(staging);
    finishStage();

    // Stage 3: the staged block copied onto the file.
    WriteBytes(loadedFile_, ReadBytes(staging, FileLength(staging)));
    finishStage();

    // Stage 4: both emptied again.
    DeleteBytes(loadedFile_, FileLength(loadedFile_));
    DeleteBytes(staging, FileLength(staging));
    finishStage();

    // Stage 5: close both and delete the file by the path chosen in the dialog,
    // which cannot have changed: Open has been disabled since the load.
    CloseFile(staging);
    CloseFile(loadedFile_);
    bool deleted = DeleteDiskFile(controls_.FileName(ControlName::通用对话框1));
    finishStage();

    return overwritten && emptied && deleted;
}

void Workflow::OnLogTextChanged() { controls_.SetSelectionStart(ControlName::编辑框2, -1); }

void Workflow::OnLinkPressed(int /*x*/, int /*y*/, int /*modifiers*/) {}

}  // namespace quorvane
