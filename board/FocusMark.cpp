#include "board/FocusMark.h"

#include "board/WindowLook.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>

namespace FocusMark {

namespace {

constexpr int Width = 2;

// The application's style, but for the focus: the controls are drawn as without it,
// then marked.
class MarkingStyle : public QProxyStyle {
public:
    explicit MarkingStyle(QObject *owner)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {
        setParent(owner);
    }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override {
        const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
        if (element != CE_PushButton || !button || !(option->state & State_HasFocus))
            return QProxyStyle::drawControl(element, option, painter, widget);
        QStyleOptionButton unfocused = *button;
        unfocused.state &= ~State_HasFocus;
        QProxyStyle::drawControl(element, &unfocused, painter, widget);
        paint(*painter, option->rect);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override {
        const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
        if (element != PE_PanelLineEdit || !frame || !(option->state & State_HasFocus))
            return QProxyStyle::drawPrimitive(element, option, painter, widget);
        QStyleOptionFrame unfocused = *frame;
        unfocused.state &= ~State_HasFocus;
        QProxyStyle::drawPrimitive(element, &unfocused, painter, widget);
        paint(*painter, option->rect);
    }
};

} // namespace

void apply(QWidget *window) {
    // Made after the controls, the style goes after them when the window does.
    auto *style = new MarkingStyle(window);
    for (QWidget *control : window->findChildren<QWidget *>())
        if (qobject_cast<QPushButton *>(control) || qobject_cast<QLineEdit *>(control))
            control->setStyle(style);
}

void paint(QPainter &painter, const QRect &rect) {
    const QColor navy(BoardColors::Navy);
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), Width), navy);
    painter.fillRect(QRect(rect.left(), rect.bottom() + 1 - Width, rect.width(), Width), navy);
    painter.fillRect(QRect(rect.left(), rect.top(), Width, rect.height()), navy);
    painter.fillRect(QRect(rect.right() + 1 - Width, rect.top(), Width, rect.height()), navy);
}

} // namespace FocusMark
