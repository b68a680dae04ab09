// Minimise to the notification area, and back with a double-click on the icon.
#pragma once
#include "platform/form.h"

namespace app {

void onSizeChanged(platform::Form& mainWindow);
void onTrayEvent(platform::Form& mainWindow, int code);

}  // namespace app
