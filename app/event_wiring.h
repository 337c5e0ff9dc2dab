#pragma once
// Which handler each control event calls. A control event without a handler
// does nothing; a left-button handler that gives false swallows the press.

#include <array>
#include <functional>
#include <optional>

#include "workflow/controls.h"
#include "workflow/workflow.h"

namespace quorvane {

// Modifier keys as the left-button handler gets them, added together.
inline constexpr int kModifierCtrl = 1;
inline constexpr int kModifierShift = 2;
inline constexpr int kModifierAlt = 4;

using PressHandler = std::function<std::optional<bool>(int x, int y, int modifiers)>;

struct ControlEvents {
    std::function<void()> clicked;
    std::function<void()> textChanged;
    PressHandler leftButtonPressed;
};

class EventWiring {
  public:
    ControlEvents& operator[](ControlName name) { return events_[static_cast<std::size_t>(name)]; }
    const ControlEvents& operator[](ControlName name) const {
        return events_[static_cast<std::size_t>(name)];
    }

  private:
    std::array<ControlEvents, 9> events_;
};

EventWiring WireWorkflow(Workflow& workflow);

}  // namespace quorvane
