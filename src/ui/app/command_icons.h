#pragma once
// The images of the commands, drawn at start-up: nothing to ship, sharp at every size.

#include <QIcon>

#include "ui/app/command.h"

namespace ordalis::ui {

/// Returns the icon of a command, drawn in 16, 24, 32 and 48 pixel forms.
QIcon CommandIcon(Command command);

}  // namespace ordalis::ui
