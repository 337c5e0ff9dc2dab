#include "app/event_wiring.h"

namespace quorvane {

EventWiring WireWorkflow(Workflow& workflow) {
    EventWiring wiring;
    wiring[ControlName::按钮1].clicked = [&workflow] { workflow.OnOpenClicked(); };
    wiring[ControlName::按钮3].clicked = [&workflow] { workflow.OnCancelClicked(); };
    wiring[ControlName::按钮2].clicked = [&workflow] { workflow.OnShredClicked(); };
    wiring[ControlName::编辑框2].textChanged = [&workflow] { workflow.OnLogTextChanged(); };
    wiring[ControlName::超级链接框1].leftButtonPressed = [&workflow](int x, int y, int modifiers) {
        workflow.OnLinkPressed(x, y, modifiers);
        return std::optional<bool>();  // no result: the press goes on to the link
    };
    return wiring;
}

}  // namespace quorvane
