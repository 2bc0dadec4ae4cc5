#pragma once

class QApplication;

namespace platform {
class Platform;
}
namespace tasks {
class ScriptPreload;
}

// The whole program on `platform`: Qt's own Chinese texts, the main window loaded (its task
// list from `taskPreload` when given), the event loop until the window unloads. Returns the
// exit status.
int runTocklet(QApplication &app, platform::Platform &platform,
               tasks::ScriptPreload *taskPreload = nullptr);
