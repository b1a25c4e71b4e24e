#pragma once

#include <QUrl>
#include <functional>

// Hands a document or a web address to the user's default application. The program
// does not look at the outcome: whatever the desktop does about a missing file or an
// unreachable page is all the player sees.
void openWithShell(const QUrl &target);

// Replaces the desktop (tests record the requests instead of opening viewers). An
// empty opener restores the desktop.
using ShellOpener = std::function<void(const QUrl &target)>;
void setShellOpener(ShellOpener opener);
