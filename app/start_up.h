// Start-up: the single-instance guard, the crosshair, the tray icon.
#pragma once

namespace app {

struct MainWindow;

// The main window's created event. A second copy of the program says so and ends here.
void onCreated(MainWindow& window);

}  // namespace app
