#include "settings/DesktopShell.h"

#include <QDesktopServices>

namespace {

ShellOpener &replacement() {
    static ShellOpener opener;
    return opener;
}

} // namespace

void openWithShell(const QUrl &target) {
    if (replacement())
        replacement()(target);
    else
        QDesktopServices::openUrl(target);
}

void setShellOpener(ShellOpener opener) {
    replacement() = std::move(opener);
}
