#include "app/window_definition.h"

#include "app/resource_ids.h"
#include "workflow/catalogue.h"

namespace quorvane {

const WindowDefinition kMainWindowDefinition = {catalogue::kWindowTitle, 388, 304};

// clang-format off
const std::array<ControlDefinition, 9> kControlTable = {{
    // name          kind                      id              left top  width height text                       visible disabled tab stop
    {ControlName::标签1,       ControlKind::Label,       IDC_LABEL1,     15,  14,  120, 16,  catalogue::kChooseLabel,   true,  false, false},
    {ControlName::编辑框1,     ControlKind::EditBox,     IDC_EDIT1,      15,  40,  350, 24,  "",                        true,  false, true},
    {ControlName::按钮1,       ControlKind::Button,      IDC_BUTTON1,    304, 8,   60,  24,  catalogue::kOpenButton,    true,  false, true},
    {ControlName::通用对话框1, ControlKind::CommonDlg,   IDC_COMMONDLG1, 0,   0,   0,   0,   "",                        false, false, false},
    {ControlName::进度条1,     ControlKind::ProcessBar,  IDC_PROGRESS1,  15,  230, 350, 16,  "",                        true,  false, false},
    {ControlName::编辑框2,     ControlKind::EditBox,     IDC_EDIT2,      15,  67,  350, 117, "",                        true,  false, true},
    {ControlName::按钮2,       ControlKind::Button,      IDC_BUTTON2,    54,  192, 90,  30,  catalogue::kShredButton,   true,  true,  true},
    {ControlName::按钮3,       ControlKind::Button,      IDC_BUTTON3,    224, 192, 90,  30,  catalogue::kCancelButton,  true,  true,  true},
    {ControlName::超级链接框1, ControlKind::HyperLinker, IDC_HYPERLINK1, 120, 254, 128, 16,  catalogue::kLinkCaption,   true,  false, false},
}};
// clang-format on

const ControlDefinition* FindDefinition(ControlName name) {
    for (const ControlDefinition& control : kControlTable) {
        if (control.name == name) {
            return &control;
        }
    }
    return nullptr;
}

const ControlDefinition* FindDefinitionById(int id) {
    for (const ControlDefinition& control : kControlTable) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

}  // namespace quorvane
