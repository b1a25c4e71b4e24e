#pragma once

#include <QString>
#include <stdexcept>

// An error that abandons the rest of the handler that raised it. The application's
// error handler shows its text in a message box and the game goes on.
class GameError : public std::runtime_error {
public:
    explicit GameError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString &text() const { return m_text; }

private:
    QString m_text;
};
