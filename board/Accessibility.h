#pragma once

#include <functional>

class QAccessibleEvent;
class QProgressBar;
class QString;
class QWidget;

// What the game tells assistive technology (screen readers, magnifiers, switch access)
// beyond what Qt's widgets tell of themselves. The board is a canvas that names what it
// shows; the score bars are read-only progress bars that say how full they are and
// offer no action; the status line is a status bar; the About box's link is a link
// with a press action; a dialog says whether it is modal; a panel groups, a bevel
// separates, and a decoration is passed over.
namespace Accessibility {

// Installs the game's interfaces. Runs before the windows' controls are made: an
// interface, once asked for, stays with its control.
void install();

// Passes a change on to assistive technology, and to the listener if there is one.
void tell(QAccessibleEvent &event);
// Tests listen here: Qt hands changes on only where the platform has a bridge to
// assistive technology, which the offscreen platform lacks. An empty listener stops.
using Listener = std::function<void(QAccessibleEvent &event)>;
void setListener(Listener listener);

// Keeps a decoration out of what assistive technology reads out.
void markDecorative(QWidget *decoration);

// How full a score bar is, as it is read out: "47% full, 105 of 225".
QString fillText(const QProgressBar &bar);
// Tells assistive technology that a score bar's fill reads differently, if it does.
void tellFill(QProgressBar &bar);

} // namespace Accessibility
