#pragma once
// The shredding workflow: the handlers of the user's commands and the one value
// kept between them, the number of the loaded file.
//
// Idle: Open and the path field enabled, Shred and Cancel disabled. Loaded: the
// reverse. Shredding: all four disabled. The workflow keeps no state variable of
// its own beyond LoadedFile: the state is what those four controls say.

#include <optional>

#include "files/file_table.h"
#include "workflow/controls.h"

namespace quorvane {

class Workflow {
public:
    explicit Workflow(Controls& controls) : controls_(controls) {}

    void OnOpenClicked();
    void OnCancelClicked();
    void OnShredClicked();
    void OnLogTextChanged();
    // Gives no result, so the press always goes on to the link.
    void OnLinkPressed(int x, int y, int modifiers);

    FileNumber LoadedFile() const { return loadedFile_; }

private:
    void AppendLogLine(std::string_view prefix, std::string_view value, std::string_view suffix);
    bool RunShredStages();

    Controls& controls_;
    // Never reset: after a cancel or a shred it still names the closed entry, which
    // nothing reads, because Shred and Cancel stay disabled until the next load.
    FileNumber loadedFile_ = 0;
};

}  // namespace quorvane
