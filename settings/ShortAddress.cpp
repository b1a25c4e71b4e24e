#include "settings/ShortAddress.h"

#include <QDir>
#include <QStringList>

namespace {

const QString Ellipsis = QStringLiteral("\u2026");

// The last resort: characters taken out of the middle.
QString middleElided(const QString &text, const Fits &fits) {
    for (qsizetype cut = 0; cut <= text.size(); ++cut) {
        const qsizetype left = (text.size() - cut) / 2, right = text.size() - cut - left;
        const QString candidate = cut == 0 ? text : text.left(left) + Ellipsis + text.right(right);
        if (fits(candidate)) return candidate;
    }
    return Ellipsis;
}

} // namespace

QString shortAddress(const QUrl &page, const Fits &fits) {
    if (!page.isLocalFile())
        return middleElided(page.host().isEmpty() ? page.toDisplayString() : page.host(), fits);

    QString path = page.toLocalFile();
    const QString home = QDir::homePath();
    if (home != QStringLiteral("/") && path.startsWith(home + u'/')) path = u'~' + path.mid(home.size());
    if (fits(path)) return path;

    // The root's first folder or "~" stays in front; folders go from the middle.
    const QStringList parts = path.split(u'/');
    const qsizetype head = parts.first().isEmpty() ? 2 : 1;
    for (qsizetype kept = parts.size() - head - 1; kept >= 1; --kept) {
        const QString candidate = parts.mid(0, head).join(u'/') + u'/' + Ellipsis + u'/' +
                                  parts.mid(parts.size() - kept).join(u'/');
        if (fits(candidate)) return candidate;
    }
    return middleElided(Ellipsis + u'/' + parts.last(), fits);
}
