#pragma once

#include <functional>

namespace zorvel {

class Application;

// One run of the workstation, as the executable does it: the services, the sixteen windows, the event
// loop, and the end of the run (queued prints finished, the transaction committed, the connection closed).
//
// The run ends the same way however it is asked to end: the main window closed, SIGTERM or SIGINT, SIGHUP
// (the user logged out, the terminal closed), or the display gone (Qt then leaves through exit() from
// inside the event loop; the end of the run is done there).
//
// `started` runs once the main window shows (a tool or a test driving the real program uses it).
int runWorkstation(int& argc, char** argv, const std::function<void(Application&)>& started = {});

} // namespace zorvel
