#pragma once

#include <QUrl>
#include <functional>

// Hands a document or a web address to the user's default application. What cannot be
// handed over is raised as a GameError that names the file or the address and what
// failed: a file that is not there (never handed to the desktop), or a desktop that
// found no program to open it, with the package that provides one. Whatever the program
// opened then does is its own.
void openWithShell(const QUrl &target);

// Replaces the desktop (tests record the requests instead of opening viewers); it returns
// whether the desktop took the request. An empty opener restores the desktop.
using ShellOpener = std::function<bool(const QUrl &target)>;
void setShellOpener(ShellOpener opener);
