#pragma once

#include <QApplication>
#include <QString>
#include <functional>

// The application's error handler: an error that escapes a handler is shown in a
// message box with its text, and the event loop goes on.
using ErrorReporter = std::function<void(const QString &text)>;

// Replaces the message box (tests record the texts instead). An empty reporter
// restores the message box.
void setErrorReporter(ErrorReporter reporter);
void reportError(const QString &text);

// Runs a handler, reporting whatever error escapes it.
void runGuarded(const std::function<void()> &handler);

// Connects a signal to a handler of `receiver` that runs under the error handler: an
// error that escapes it is shown, and the event loop goes on.
template <class Sender, class Signal, class Receiver>
void connectGuarded(Sender *sender, Signal signal, Receiver *receiver, void (Receiver::*handler)()) {
    QObject::connect(sender, signal, receiver,
                     [receiver, handler] { runGuarded([=] { (receiver->*handler)(); }); });
}

// Catches what escapes an event handler that did not guard itself.
class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
