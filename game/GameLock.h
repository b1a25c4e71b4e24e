#pragma once

#include <QByteArray>
#include <QPointer>
#include <QSocketNotifier>
#include <QString>
#include <functional>

// One game at a time plays from one settings store: two would each write their values at
// the end, and the one that ended last would throw away the other's progress.
//
// The running game holds a lock on a file named after the store, in a private folder of
// the user's. The kernel drops the lock when the process ends, however it ends, so a game
// that died never blocks the next start. Beside the lock the running game listens on a
// local socket, where a later start asks it to come to the front.
class GameLock {
public:
    enum class Claim {
        Taken,         // this is the running game
        HeldByAnother, // another game plays from the same store
        Unavailable,   // no private folder for the mark: play goes on unchecked
    };

    // The mark for the store at `storeFile`, kept in `folder` (empty: nowhere).
    GameLock(const QString &storeFile, const QString &folder);
    ~GameLock();
    GameLock(const GameLock &) = delete;
    GameLock &operator=(const GameLock &) = delete;

    // Takes the mark, unless another game holds it. Never waits.
    Claim claim();

    // In a later start: asks the running game to come to the front, handing it the
    // launcher's activation token (may be empty). Waits at most `timeoutMs` for its answer,
    // so that a game that no longer answers cannot hold this start. True when it answered.
    bool askToComeToFront(const QByteArray &token, int timeoutMs) const;
    // The running game's process id, as it wrote it beside its lock; 0 when unknown.
    long holder() const;

    // In the running game: `comeToFront` runs on the event loop, with the token, for every
    // later start that asks. Requests stop with `context`, or with the mark.
    void answerLaterStarts(QObject *context, std::function<void(const QByteArray &token)> comeToFront);

private:
    QByteArray m_lockPath, m_socketPath;
    int m_lockFd = -1;
    int m_listenFd = -1;
    QPointer<QSocketNotifier> m_listener;
};

// The user's private folder for the mark: $XDG_RUNTIME_DIR, or, where that is not set or
// not private, a folder of the user's own in the temporary folder (made when missing).
// Empty when neither is the user's alone.
QString privateRuntimeFolder();

// A start beside a running game: asks it to come to the front, says so on standard error
// and returns the exit status, 0.
int handOverToRunningGame(const GameLock &lock);
