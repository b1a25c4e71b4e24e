#include "settings/DesktopShell.h"

#include "game/GameError.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

ShellOpener &replacement() {
    static ShellOpener opener;
    return opener;
}

} // namespace

void openWithShell(const QUrl &target) {
    const QString named =
        u'"' + (target.isLocalFile() ? target.toLocalFile() : target.toDisplayString()) + u'"';
    if (target.isLocalFile() && !QFileInfo(target.toLocalFile()).isFile())
        throw GameError(QStringLiteral("%1 cannot be opened: there is no such file.").arg(named));
    if (replacement() ? replacement()(target) : QDesktopServices::openUrl(target)) return;
    // Desktops other than the big ones open files and pages through xdg-open, which is
    // only recommended by the game's package.
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        throw GameError(QStringLiteral("%1 cannot be opened: no program to open it was found. The package "
                                       "xdg-utils provides one (xdg-open).")
                            .arg(named));
    throw GameError(
        QStringLiteral("%1 cannot be opened: the desktop could not start a program to open it.").arg(named));
}

void setShellOpener(ShellOpener opener) {
    replacement() = std::move(opener);
}
