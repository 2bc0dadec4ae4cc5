#pragma once

class QApplication;

namespace platform {
class Platform;
}

// The whole program on `platform`: Qt's own Chinese texts, the main window loaded, the event
// loop until the window unloads. Returns the exit status.
int runTocklet(QApplication &app, platform::Platform &platform);
