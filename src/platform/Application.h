#pragma once

// The toolkit's application object and its event loop on the one user-interface thread.
namespace platform {

// Creates the application once; later calls do nothing.
void StartApplication(int& argc, char** argv);
// Runs until PostQuit; returns its exit code.
int RunMessageLoop();
void PostQuit(int exitCode);
// Handles every pending event, for tests that drive windows without a loop.
void ProcessPendingEvents();

} // namespace platform
