#include "controls/hyperlink_command_line.h"

namespace quorvane {

std::string_view CutAtPlaceholder(std::string_view registeredCommand) {
    // Both placeholders are plain ASCII, and no GBK trail byte is '"' or '%'
    // (trail bytes start at 0x40), so a byte search cannot match inside a
    // double-byte character.
    for (std::string_view placeholder : {std::string_view("\"%1\""), std::string_view("%1")}) {
        std::size_t at = registeredCommand.find(placeholder);
        if (at != std::string_view::npos) {
            return registeredCommand.substr(0, at);
        }
    }
    return registeredCommand;
}

std::optional<std::string> BuildFallbackCommandLine(std::string_view registeredCommand,
                                                    std::string_view target) {
    std::string_view program = CutAtPlaceholder(registeredCommand);
    std::string commandLine;
    commandLine.reserve(program.size() + 1 + target.size());
    commandLine.append(program).append(" ").append(target);
    if (!FitsBuffer(commandLine, kCommandLineBytes)) {
        return std::nullopt;
    }
    return commandLine;
}

}  // namespace quorvane
