#include "PlayingTheGame.h"

#include "board/DesignPicture.h"
#include "game/DisplayCheck.h"
#include "game/GameError.h"
#include "game/GameLock.h"
#include "game/Game.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <csignal>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// A socket bound at `path`; listening, as a compositor's, or closed, as a game that died
// leaves its own.
void bindSocket(const QString &path, bool listening) {
    sockaddr_un address{AF_UNIX, {}};
    const QByteArray native = path.toLocal8Bit().left(sizeof address.sun_path - 1);
    std::copy(native.begin(), native.end(), address.sun_path);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(::bind(socket, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
    if (listening) QVERIFY(::listen(socket, 1) == 0);
    if (!listening) ::close(socket); // a listening one stays open until the test program ends
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every event passes through the game's guard: what a handler throws is reported and
    // the game goes on; an event handled is still handled.
    void handlersErrorsAreReported_data() {
        QTest::addColumn<int>("throws"); // 0 nothing, 1 a game error, 2 another exception
        QTest::addColumn<QStringList>("reported");
        QTest::newRow("handled") << 0 << QStringList();
        QTest::newRow("game error") << 1 << QStringList{"'x' is not a valid integer value"};
        QTest::newRow("other exception") << 2 << QStringList{"std::bad_alloc"};
        QTest::newRow("in a message box") << 1 << QStringList{"'x' is not a valid integer value"};
    }
    void handlersErrorsAreReported() {
        struct Receiver : QObject {
            int throws = 0;
            bool event(QEvent *) override {
                if (throws == 1) throw GameError(QStringLiteral("'x' is not a valid integer value"));
                if (throws == 2) throw std::bad_alloc();
                return true;
            }
        } receiver;
        QFETCH(QStringList, reported);
        QFETCH(int, throws);
        receiver.throws = throws;
        QStringList errors;
        if (QTest::currentDataTag() == QByteArray("in a message box")) // the game's own reporter
            QTimer::singleShot(0, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (box) errors << box->text(), box->accept();
            });
        else
            setErrorReporter([&](const QString &text) { errors << text; });
        QEvent event(QEvent::User);
        const bool handled = QCoreApplication::sendEvent(&receiver, &event);
        setErrorReporter({});
        QCOMPARE(std::pair(handled, errors), std::pair(throws == 0, reported));
    }

    // The framing pictures and the emblem keep their natural logical size at every ratio of
    // device to logical pixels, and are never enlarged from their 1x pixels: at 2 they are
    // the pictures drawn with twice the pixels, at other ratios above 1 those resampled.
    void picturesForTheScreensRatio_data() {
        QTest::addColumn<qreal>("ratio");
        for (qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0})
            QTest::addRow("%g", ratio) << ratio;
    }
    void picturesForTheScreensRatio() {
        QFETCH(qreal, ratio);
        const QList<std::pair<QString, QSize>> pictures = {{"Image1.jpg", {250, 1063}},
                                                           {"Image2.jpg", {250, 1063}},
                                                           {"Image3.jpg", {900, 180}},
                                                           {"emblem.png", {88, 46}}};
        for (const auto &[file, size] : pictures) {
            const QPixmap picture = designPicture(file, ratio);
            QCOMPARE(picture.devicePixelRatio(), ratio);
            QCOMPARE(picture.size(), QSize(qRound(size.width() * ratio), qRound(size.height() * ratio)));
            const QString dense = QString(file).replace(u'.', QStringLiteral("@2x."));
            if (ratio == 1.0 || ratio == 2.0)
                QCOMPARE(
                    picture.toImage(),
                    QImage(":/" + (ratio == 1.0 ? file : dense)).convertToFormat(picture.toImage().format()));
        }
    }

    // Before any window, the displays that Qt would try in their order: the game starts when
    // one answers, and otherwise names what it tried. R stands for a runtime folder in
    // which a compositor listens on "live".
    void whichDisplayIsReached_data() {
        QTest::addColumn<QString>("platform"); // QT_QPA_PLATFORM
        QTest::addColumn<QString>("wayland");  // WAYLAND_DISPLAY
        QTest::addColumn<QString>("x");        // DISPLAY
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("problem");
        const QString deadX = QStringLiteral("cannot open the display \":977\"");
        const auto row = [](const char *name, const char *platform, const char *wayland, const char *x,
                            const QStringList &arguments, const QString &problem) {
            QTest::newRow(name) << platform << wayland << x << arguments << problem;
        };
        row("nothing set", "", "", "", {},
            "neither a Wayland nor an X display is set (WAYLAND_DISPLAY, DISPLAY)");
        row("X display not there", "", "", ":977", {}, deadX);
        row("X display malformed", "", "", "x", {}, "cannot open the display \"x\"");
        row("X named, none set", "xcb", "", "", {}, "no X display is set (DISPLAY)");
        row("X named with arguments", "xcb:fontconfig", "", ":977", {}, deadX);
        row("Wayland named, no compositor", "wayland", "", "", {},
            "cannot reach the Wayland display \"R/wayland-0\" (No such file or directory)");
        row("Wayland named, compositor there", "wayland", "live", "", {}, "");
        row("Wayland by its path", "wayland-egl", "R/live", "", {}, "");
        row("Wayland session, then X", "", "gone", ":977", {},
            "cannot reach the Wayland display \"R/gone\" (No such file or directory) and " + deadX);
        row("X display from the command line", "", "gone", ":977", {"-display", "x"},
            "cannot reach the Wayland display \"R/gone\" (No such file or directory) and cannot open the "
            "display \"x\"");
        row("Wayland there, X not", "", "live", ":977", {}, "");
        row("no display needed", "offscreen", "", "", {}, "");
        row("one of the named needs none", "xcb;offscreen", "", ":977", {}, "");
        row("command line before environment", "xcb", "", "", {"-platform", "offscreen"}, "");
        row("command line with two dashes", "offscreen", "", "", {"--platform", "xcb"},
            "no X display is set (DISPLAY)");
    }
    void whichDisplayIsReached() {
        QFETCH(QString, platform);
        QFETCH(QString, wayland);
        QFETCH(QString, x);
        QFETCH(QStringList, arguments);
        QFETCH(QString, problem);
        QTemporaryDir runtime;
        bindSocket(runtime.path() + QStringLiteral("/live"), true);
        const QString R = runtime.path();
        const char *names[] = {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY",  "DISPLAY",
                               "XDG_RUNTIME_DIR", "XDG_SESSION_TYPE", "WAYLAND_SOCKET"};
        QList<QByteArray> saved;
        for (const char *name : names)
            saved << qgetenv(name), qunsetenv(name);
        auto restore = qScopeGuard([&] {
            for (int i = 0; i < 6; ++i)
                saved[i].isNull() ? qunsetenv(names[i]) : qputenv(names[i], saved[i]);
        });
        const auto set = [](const char *name, const QString &value) {
            if (!value.isEmpty()) qputenv(name, value.toLocal8Bit());
        };
        set("QT_QPA_PLATFORM", platform);
        set("WAYLAND_DISPLAY", QString(wayland).replace(u'R', R));
        set("DISPLAY", x);
        set("XDG_RUNTIME_DIR", R);
        QList<QByteArray> argumentBytes{"tessarin"};
        for (const QString &argument : arguments)
            argumentBytes << argument.toLocal8Bit();
        std::vector<char *> argv;
        for (QByteArray &argument : argumentBytes)
            argv.push_back(argument.data());
        QCOMPARE(unreachableDisplay(displayEnvironment(int(argv.size()), argv.data())),
                 QString(problem).replace(QStringLiteral("\"R/"), u'"' + R + u'/'));
    }

    // One game at a time per store: a later start finds the mark of the running game and
    // asks it to the front, handing over its token; one that does not answer is given up
    // in time. A game that ended or died, or plays from another store, leaves the mark
    // free, and whoever takes it then answers the next start.
    void oneGameAtATime_data() {
        QTest::addColumn<QString>("first"); // the first game: running, busy, ended or died
        QTest::addColumn<bool>("sameStore");
        QTest::addColumn<bool>("refused"); // the second start finds the first's mark
        QTest::addColumn<bool>("answered");
        QTest::newRow("beside a running game") << "running" << true << true << true;
        QTest::newRow("beside a game that does not answer") << "busy" << true << true << false;
        QTest::newRow("after the game ended") << "ended" << true << false << true;
        QTest::newRow("after the game died") << "died" << true << false << true;
        QTest::newRow("another store") << "running" << false << false << true;
    }
    void oneGameAtATime() {
        QFETCH(QString, first);
        QFETCH(bool, sameStore);
        QFETCH(bool, refused);
        QFETCH(bool, answered);
        QTemporaryDir runtime;
        const QString store = runtime.path() + QStringLiteral("/config/Orv/Tessarin.conf");
        QObject context;
        QByteArrayList tokens;
        const auto record = [&](const QByteArray &token) { tokens << token; };
        auto firstGame = std::make_unique<GameLock>(store, runtime.path());
        if (first == QStringLiteral("died")) {
            // A copy of this process takes the mark and is killed with SIGKILL: its lock
            // file and its socket stay behind.
            int ready[2];
            QVERIFY(::pipe(ready) == 0);
            const pid_t game = ::fork();
            if (game == 0) {
                firstGame->claim();
                [[maybe_unused]] const auto written = ::write(ready[1], "x", 1);
                ::pause();
                ::_exit(0);
            }
            char byte = 0;
            QVERIFY(::read(ready[0], &byte, 1) == 1);
            ::kill(game, SIGKILL);
            ::waitpid(game, nullptr, 0);
            ::close(ready[0]), ::close(ready[1]);
            QVERIFY(!QDir(runtime.path()).entryList({"*.socket"}, QDir::System).isEmpty());
        } else {
            QCOMPARE(firstGame->claim(), GameLock::Claim::Taken);
            firstGame->answerLaterStarts(&context, record);
            if (first == QStringLiteral("ended")) firstGame.reset();
        }

        const QString secondStore =
            sameStore ? store : runtime.path() + QStringLiteral("/other/Tessarin.conf");
        GameLock second(secondStore, runtime.path());
        QCOMPARE(second.claim() == GameLock::Claim::HeldByAnother, refused);
        // Without a refusal, the second is the running game; a third start asks it.
        std::unique_ptr<GameLock> third;
        const GameLock *asking = &second;
        if (!refused) {
            second.answerLaterStarts(&context, record);
            third = std::make_unique<GameLock>(secondStore, runtime.path());
            QCOMPARE(third->claim(), GameLock::Claim::HeldByAnother);
            asking = third.get();
        }
        QCOMPARE(asking->holder(), long(::getpid()));
        bool gotAnswer = !answered;
        std::thread later([&] { gotAnswer = asking->askToComeToFront("token-1", 500); });
        if (first == QStringLiteral("busy")) {
            later.join(); // the event loop does not run meanwhile
        } else {
            [[maybe_unused]] const bool came = QTest::qWaitFor([&] { return !tokens.isEmpty(); }, 2000);
            later.join();
        }
        QCOMPARE(std::pair(gotAnswer, tokens),
                 std::pair(answered, answered ? QByteArrayList{"token-1"} : QByteArrayList{}));
    }

    // The mark's folder is the runtime folder only while nobody but the player can enter
    // it; otherwise a folder of the player's own in the temporary folder.
    void theMarksFolder_data() {
        QTest::addColumn<QString>("runtime"); // how XDG_RUNTIME_DIR is set
        QTest::addColumn<bool>("taken");
        QTest::newRow("private") << "0700" << true;
        QTest::newRow("others may enter") << "0701" << false;
        QTest::newRow("others may read") << "0740" << false;
        QTest::newRow("relative") << "relative" << false;
        QTest::newRow("not set") << "" << false;
    }
    void theMarksFolder() {
        QFETCH(QString, runtime);
        QFETCH(bool, taken);
        QTemporaryDir folder;
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        auto restore = qScopeGuard([&] { qputenv("XDG_RUNTIME_DIR", saved); });
        if (runtime.startsWith(u'0'))
            QVERIFY(::chmod(QFile::encodeName(folder.path()).constData(),
                            mode_t(runtime.toInt(nullptr, 8))) == 0);
        qputenv("XDG_RUNTIME_DIR", runtime.startsWith(u'0') ? QFile::encodeName(folder.path())
                                   : runtime.isEmpty()      ? QByteArray()
                                                            : QByteArray("runtime"));
        const QString own = QDir::tempPath() + QStringLiteral("/tessarin-") + QString::number(::getuid());
        QCOMPARE(privateRuntimeFolder(), taken ? folder.path() : own);
        if (!taken) // made for the owner alone
            QCOMPARE(QFileInfo(own).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                     QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Start-up makes an idle game with the level table loaded, before any frame: a task can
    // be played at once. The first showing lays out the full-screen board; the dialogs,
    // with their English captions, and the framing pictures follow right after the first
    // frame. End closes the main window.
    void startUpShowAndEnd() {
        GameState g;
        Game game(g);
        Form1 &w = game.form1();
        QCOMPARE(std::tuple(g.Phase, g.DrawnIndex, g.Pro1.position()), std::tuple(int(PhaseIdle), 1, 0));
        QVERIFY(g.AppDir.endsWith(u'/'));
        const int barMaximum = g.LineCount * g.Range * 25; // the reserve starts full
        QCOMPARE(std::tuple(g.Pro1.maximum(), g.Pro2.maximum(), g.Pro2.position(), w.Pro2->maximum(),
                            w.Pro2->value()),
                 std::tuple(barMaximum, barMaximum, barMaximum, barMaximum, barMaximum));
        QCOMPARE(flowOf(w, g), (FlowState{PhaseIdle, "New", "Tessarin game", false, 0}));
        QVERIFY(!game.started() && w.Image1->pixmap().isNull());
        QCOMPARE(g.levels.cell(15, LevelTable::RangeRow), QStringLiteral("9"));
        w.New1Click();
        QCOMPARE(g.Range, 3);

        startGame(game);
        const QRect screen = w.screen()->geometry();
        QVERIFY(w.isFullScreen());
        QCOMPARE(w.geometry(), screen);
        g.Range = 5;
        w.resize(300, 200); // a resize from outside lays the board out again, for the Range of now
        // On the platform's square screen the board stays clear of the buttons beside it.
        const MainLayout l =
            layoutForScreen({screen.width(), screen.height(), 5, w.Panel2->height(), w.Image4->height(),
                             w.ButtonNew->geometry().right() + 1, w.Panel1->width(), w.ButtonEnd->size()});
        QCOMPARE(std::pair(g.CellW, w.PaintB->geometry()), std::pair(l.cellW, l.board));
        QVERIFY(w.PaintB->x() > w.ButtonNew->geometry().right());
        QCOMPARE(w.windowTitle(), QStringLiteral("Tessarin training"));
        const QStringList texts = {game.formSet().windowTitle(), game.formSet().Button1->text(),
                                   game.formA().Label4->text()};
        QCOMPARE(texts, QStringList({"S e t t i n g s", "OK", "Tessarin training"}));
        QVERIFY(!w.Image1->pixmap().isNull() && !w.Image4->pixmap().isNull());
        QCOMPARE(g.Phase, int32_t(PhaseShowing)); // the task went on

        QTest::mouseClick(w.ButtonEnd, Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }
};

TESSARIN_TEST_MAIN(TestStartup)
#include "test_startup.moc"
