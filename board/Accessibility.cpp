#include "board/Accessibility.h"

#include "board/BoardView.h"
#include "board/StatusLine.h"
#include "settings/LinkLabel.h"

#include <QAccessibleWidget>
#include <QDialog>
#include <QFrame>
#include <QProgressBar>
#include <utility>

namespace Accessibility {

namespace {

Listener &currentListener() {
    static Listener listener;
    return listener;
}

constexpr char Decorative[] = "tessarinDecorative";

// The board: a canvas named by what it shows, its lines as its description.
class BoardInterface : public QAccessibleWidget {
public:
    explicit BoardInterface(BoardView *board) : QAccessibleWidget(board, QAccessible::Canvas) {}

    QString text(QAccessible::Text t) const override {
        const auto *board = static_cast<const BoardView *>(widget());
        if (t == QAccessible::Name) return board->summary();
        if (t == QAccessible::Description) return board->lines();
        return QAccessibleWidget::text(t);
    }
};

// A score bar the player reads but cannot move. It has no value interface: through
// one, AT-SPI would offer to increase and decrease it. So its fill is said in words,
// as its value and, since AT-SPI reads no value text, as its description.
class ScoreBarInterface : public QAccessibleWidget {
public:
    explicit ScoreBarInterface(QProgressBar *bar) : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value || t == QAccessible::Description) return fillText(bar());
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }
    // Whether the fill reads differently from when this was last asked.
    bool fillChanged() {
        const QString fill = fillText(bar());
        return std::exchange(m_toldFill, fill) != fill;
    }

private:
    const QProgressBar &bar() const { return *static_cast<const QProgressBar *>(widget()); }

    QString m_toldFill;
};

// The status line, named by its text.
class StatusLineInterface : public QAccessibleWidget {
public:
    explicit StatusLineInterface(StatusLine *line) : QAccessibleWidget(line, QAccessible::StatusBar) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<const StatusLine *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

// A link, named by its text, pressed to follow it.
class LinkInterface : public QAccessibleWidget {
public:
    explicit LinkInterface(LinkLabel *link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return link().text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override {
        if (action == pressAction())
            link().activate();
        else
            QAccessibleWidget::doAction(action);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.linked = true;
        return state;
    }

private:
    LinkLabel &link() const { return *static_cast<LinkLabel *>(widget()); }
};

// The game's dialogs, which say whether they are modal.
class DialogInterface : public QAccessibleWidget {
public:
    explicit DialogInterface(QDialog *dialog) : QAccessibleWidget(dialog, QAccessible::Dialog) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.modal = widget()->isModal();
        return state;
    }
};

// A picture that only adorns, which assistive technology passes over as unseen.
class DecorationInterface : public QAccessibleWidget {
public:
    explicit DecorationInterface(QWidget *decoration) : QAccessibleWidget(decoration, QAccessible::Graphic) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        return state;
    }
};

QAccessibleInterface *gameInterface(const QString &className, QObject *object) {
    // The main window, a plain widget, is a window: that tells assistive technology when
    // the player comes into it.
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget && widget->isWindow() && className == QLatin1String("QWidget"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (auto *board = dynamic_cast<BoardView *>(object)) return new BoardInterface(board);
    if (auto *line = dynamic_cast<StatusLine *>(object)) return new StatusLineInterface(line);
    if (auto *link = dynamic_cast<LinkLabel *>(object)) return new LinkInterface(link);
    if (auto *bar = qobject_cast<QProgressBar *>(object)) return new ScoreBarInterface(bar);
    if (widget && widget->property(Decorative).toBool()) return new DecorationInterface(widget);
    // A plain frame is a panel that groups controls or a bevel line, not a window.
    if (auto *frame = qobject_cast<QFrame *>(object); frame && className == QLatin1String("QFrame")) {
        const bool line = frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine;
        return new QAccessibleWidget(frame, line ? QAccessible::Separator : QAccessible::Grouping);
    }
    // The game's own dialogs are plain dialogs; a message box is left to Qt.
    auto *dialog = qobject_cast<QDialog *>(object);
    if (dialog && dialog->isWindow() && className == QLatin1String("QDialog"))
        return new DialogInterface(dialog);
    return nullptr;
}

} // namespace

void install() {
    QAccessible::installFactory(gameInterface);
}

void markDecorative(QWidget *decoration) {
    decoration->setProperty(Decorative, true);
}

void tell(QAccessibleEvent &event) {
    QAccessible::updateAccessibility(&event);
    if (currentListener()) currentListener()(event);
}

void setListener(Listener listener) {
    currentListener() = std::move(listener);
}

QString fillText(const QProgressBar &bar) {
    const qint64 span = qint64{bar.maximum()} - bar.minimum();
    const qint64 percent = span > 0 ? (qint64{bar.value()} - bar.minimum()) * 100 / span : 0;
    return QStringLiteral("%1% full, %2 of %3").arg(percent).arg(bar.value()).arg(bar.maximum());
}

void tellFill(QProgressBar &bar) {
    auto *iface = dynamic_cast<ScoreBarInterface *>(QAccessible::queryAccessibleInterface(&bar));
    if (!iface || !iface->fillChanged()) return;
    QAccessibleEvent changed(&bar, QAccessible::DescriptionChanged);
    tell(changed);
}

} // namespace Accessibility
