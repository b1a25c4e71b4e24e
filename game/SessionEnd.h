#pragma once

#include <QWidget>
#include <functional>

// Ends the run like End (the main window closes through the event loop, which saves the
// settings on the way out) when the session or the terminal stops the game: SIGTERM at
// logout or shutdown, SIGHUP when the terminal closes, SIGINT for Ctrl+C (these two
// only when they were not ignored from the start, as nohup and a shell's background
// jobs have them). The handler
// only wakes the event loop; a signal that comes while an earlier one has gone
// unanswered for a few seconds ends the process at once, as the game no longer answers.
void endOnSignals(QWidget &mainWindow);

// The work to do when the process exits without returning from the event loop, as the
// windowing system's connection does when the X server goes away. An empty function
// withdraws it.
void onAbruptExit(std::function<void()> work);
