#pragma once

#include <QRect>

class QPainter;
class QWidget;

// The mark of the control that holds the keyboard focus: a navy ring two pixels wide
// along the control's edge. It shows from the moment the control has the focus, also
// at start and for a player who never pressed Tab, where the style would wait for
// the keyboard. Navy, the settings dialog's title colour, stands out at 7:1 or more
// against everything around it: the buttons' faces and outlines, the edits' white,
// the main window's mint and the dialogs' orange.
namespace FocusMark {

// Gives the window's push buttons and one-line edits the mark in place of the
// style's own.
void apply(QWidget *window);

// Draws the mark along the inside of `rect`.
void paint(QPainter &painter, const QRect &rect);

} // namespace FocusMark
