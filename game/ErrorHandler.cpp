#include "game/ErrorHandler.h"

#include "game/GameError.h"

#include <QMessageBox>

namespace {

ErrorReporter &currentReporter() {
    static ErrorReporter reporter;
    return reporter;
}

void showMessageBox(const QString &text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Tessarin"), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

} // namespace

void setErrorReporter(ErrorReporter reporter) {
    currentReporter() = std::move(reporter);
}

void reportError(const QString &text) {
    if (currentReporter())
        currentReporter()(text);
    else
        showMessageBox(text);
}

void runGuarded(const std::function<void()> &handler) {
    try {
        handler();
    } catch (const GameError &error) {
        reportError(error.text());
    } catch (const std::exception &error) {
        reportError(QString::fromUtf8(error.what()));
    }
}

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event) {
    bool handled = false;
    runGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
