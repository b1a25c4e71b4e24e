#include "board/StatusLine.h"

#include "board/Accessibility.h"

#include <QAccessible>

StatusLine::StatusLine(QWidget *parent) : QLabel(parent) {
    // A label tells of each new text by itself only while it has no accessible name;
    // with one, the line tells it below, where tests can listen. Its interface reads
    // the text, not this name.
    setAccessibleName(QStringLiteral("Status line"));
}

void StatusLine::setStatus(const QString &text) {
    if (text == this->text()) return;
    setText(text);
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    Accessibility::tell(changed);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Read out at once, whatever the player is on.
    QAccessibleAnnouncementEvent announcement(this, text);
    Accessibility::tell(announcement);
#endif
}
