#pragma once

#include "ui/view_input.h"

#include <optional>

class QKeyEvent;
class QMouseEvent;

namespace vorn {

// The view key a key press stands for, if the views act on it.
std::optional<ViewKey> viewKeyFor(const QKeyEvent& event);

// A mouse event in the logic's terms.
MouseInput mouseInputFor(const QMouseEvent& event);

} // namespace vorn
