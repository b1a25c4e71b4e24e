#include "PlayingTheGame.h"

#include "board/BoardDrawing.h"
#include "board/CaptionBar.h"
#include "board/WindowLook.h"
#include "game/GameError.h"
#include "settings/ShortAddress.h"

#include <QAccessible>
#include <QDir>
#include <QScopeGuard>

class TestAbout : public QObject {
    Q_OBJECT

    std::unique_ptr<StartedGame> t;

    Form1 &main() { return t->w; }
    FormA &about() { return t->game->formA(); }

private Q_SLOTS:
    void init() {
        t = std::make_unique<StartedGame>();
        QVERIFY(activate(&main()));
    }

    void cleanup() { finish(t); }

    // Two About clicks leave one box in front, which answers the player beside the modal
    // settings dialog and stays open after it; OK and the close box hide it, OK handing
    // the focus back to the main window.
    void theBoxBesideTheModalDialog() {
        about().setWindowTitle(QStringLiteral("left from before"));
        bool inFront = false, ownedBySettings = false;
        int boxes = 0;
        withSettingsOpen(*t->game, [&](FormSet &s) {
            QTest::mouseClick(s.Button3, Qt::LeftButton);
            QTest::mouseClick(s.Button3, Qt::LeftButton);
            inFront = QTest::qWaitFor([&] { return QApplication::activeWindow() == &about(); });
            ownedBySettings = about().windowHandle()->transientParent() == s.windowHandle();
            for (QWidget *w : QApplication::topLevelWidgets())
                boxes += w->isVisible() && dynamic_cast<FormA *>(w) != nullptr;
            clickThroughWindow(about().Button3);
            clickThroughWindow(about().Label5);
            QTest::mouseClick(s.Button2, Qt::LeftButton);
        });
        QVERIFY(inFront && boxes == 1 && ownedBySettings);
        QCOMPARE(about().windowHandle()->transientParent(), main().windowHandle());
        QCOMPARE(t->opened, (QList<QUrl>{QUrl::fromLocalFile(t->g.AppDir + QStringLiteral("readme.txt")),
                                         FormA::productPage()}));
        QTest::keyClick(&about(), Qt::Key_Escape); // only OK and the close box hide it
        QVERIFY(about().windowTitle().isEmpty() && about().isVisible() && !t->game->formSet().isVisible());
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY((about().frameGeometry().center() - screen.center()).manhattanLength() <= 2);
        QVERIFY(activate(&about()));
        clickThroughWindow(about().Button1);
        QVERIFY(!about().isVisible());
        // The focus comes back, also where no window manager hands it on.
        QVERIFY(QTest::qWaitFor([&] { return QApplication::activeWindow() == &main(); }));
        about().showInFront();
        about().showMinimized(); // comes straight back
        QVERIFY(QTest::qWaitFor([&] { return !about().isMinimized(); }));
        about().windowHandle()->close();
        QVERIFY(!about().isVisible());
    }

    // Help has the focus at the opening; Tab goes on to OK, then to the link, which then
    // stands reversed, navy behind it. Return, Space and the press action of assistive
    // technology follow it, as a click does.
    void theLinkFromTheKeyboard() {
        about().showInFront();
        QVERIFY(activate(&about()) && about().Button3->hasFocus());
        QTest::keyClick(about().Button3, Qt::Key_Tab);
        QTest::keyClick(about().Button1, Qt::Key_Tab);
        QVERIFY(about().Label5->hasFocus() && shows(about().Label5->grab().toImage(), BoardColors::Navy));
        QTest::keyClick(about().Label5, Qt::Key_Return);
        QTest::keyClick(about().Label5, Qt::Key_Space);
        QAccessible::queryAccessibleInterface(about().Label5)
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(t->opened, QList<QUrl>(3, FormA::productPage()));
        QVERIFY(about().isVisible());
    }

    // What the desktop is handed, and what the player is told when a link cannot open: a
    // file that is not there is never handed over; a desktop that starts nothing is named
    // with the reason, and where no xdg-open is found, with the package that provides one.
    void whatALinkTells_data() {
        QTest::addColumn<QString>("target"); // a file, a missing file or a web page
        QTest::addColumn<bool>("desktopOpens");
        QTest::addColumn<bool>("xdgOpenFound");
        QTest::addColumn<QString>("told"); // %1: the file or address, quoted
        const QString noProgram = QStringLiteral("%1 cannot be opened: no program to open it was found. The "
                                                 "package xdg-utils provides one (xdg-open).");
        QTest::newRow("file opened") << "file" << true << true << "";
        QTest::newRow("file missing")
            << "missing" << true << true << "%1 cannot be opened: there is no such file.";
        QTest::newRow("no program for the file") << "file" << false << false << noProgram;
        QTest::newRow("no program for the page") << "page" << false << false << noProgram;
        QTest::newRow("the desktop starts nothing")
            << "file" << false << true
            << "%1 cannot be opened: the desktop could not start a program to open it.";
    }
    void whatALinkTells() {
        QFETCH(QString, target);
        QFETCH(bool, desktopOpens);
        QFETCH(bool, xdgOpenFound);
        QFETCH(QString, told);
        QTemporaryDir folder;
        const QString readme = folder.path() + QStringLiteral("/readme.txt");
        QVERIFY(target == QStringLiteral("missing") || QFile(readme).open(QIODevice::WriteOnly));
        QFile xdgOpen(folder.path() + QStringLiteral("/bin/xdg-open"));
        QVERIFY(QDir().mkpath(folder.path() + QStringLiteral("/bin")) &&
                (!xdgOpenFound || (xdgOpen.open(QIODevice::WriteOnly) &&
                                   xdgOpen.setPermissions(QFile::ReadOwner | QFile::ExeOwner))));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(folder.path() + QStringLiteral("/bin")));
        auto restore = qScopeGuard([&] { qputenv("PATH", path); });
        const QUrl url = target == QStringLiteral("page")
                             ? QUrl(QStringLiteral("https://www.orv.example/tessarin"))
                             : QUrl::fromLocalFile(readme);
        QList<QUrl> handed;
        setShellOpener([&](const QUrl &opened) {
            handed << opened;
            return desktopOpens;
        });
        QString shown;
        try {
            openWithShell(url);
        } catch (const GameError &error) {
            shown = error.text();
        }
        const QString named = u'"' + (url.isLocalFile() ? readme : url.toString()) + u'"';
        QCOMPARE(shown, told.isEmpty() ? QString() : told.arg(named));
        QCOMPARE(handed, target == QStringLiteral("missing") ? QList<QUrl>() : QList<QUrl>{url});
    }

    // The link names the page within the label's room, counted here in characters: a web
    // page by its site, a file by its path, folders going from the middle first.
    void theLinkText_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("room");
        QTest::addColumn<QString>("shown");
        const QString home = QDir::homePath();
        const auto row = [](const char *name, const QString &page, int room, const QString &shown) {
            QTest::newRow(name) << page << room << shown;
        };
        row("site", "https://www.orv.example/games/tessarin.html", 40, "www.orv.example");
        row("site, cut in the middle", "https://www.orv.example/", 9, "www.\u2026mple");
        row("path that fits", "/usr/lib/tessarin/tessarin.html", 31, "/usr/lib/tessarin/tessarin.html");
        row("one folder left out", "/usr/lib/tessarin/tessarin.html", 30,
            "/usr/\u2026/tessarin/tessarin.html");
        row("the file's name only", "/usr/lib/tessarin/tessarin.html", 19, "\u2026/tessarin.html");
        row("the name cut", "/usr/lib/tessarin/tessarin.html", 9, "\u2026/te\u2026html");
        row("home as ~", home + "/src/build/tessarin.html", 25, "~/src/build/tessarin.html");
        row("home kept in front", home + "/src/build/tessarin.html", 23, "~/\u2026/build/tessarin.html");
    }
    void theLinkText() {
        QFETCH(QString, page);
        QFETCH(int, room);
        const QUrl url = page.startsWith(u'/') ? QUrl::fromLocalFile(page) : QUrl(page);
        QTEST(shortAddress(url, [&](const QString &text) { return text.size() <= room; }), "shown");
    }

    // Where Qt's frame offers minimise and maximise (Wayland), a dialog wears a caption bar
    // of its own: everything moves down by the bar, the size grows by it and holds through
    // the settings dialog's fill, and only the close box closes the dialog.
    void ownCaptionBar_data() {
        QTest::addColumn<bool>("settings");
        QTest::newRow("settings dialog") << true;
        QTest::newRow("About box") << false;
    }
    void ownCaptionBar() {
        QFETCH(bool, settings);
        QDialog &dialog = settings ? static_cast<QDialog &>(t->game->formSet()) : about();
        QWidget *ok = settings ? t->game->formSet().Button1 : about().Button1;
        const QRect okBefore = ok->geometry();
        const QSize sizeBefore = dialog.size();
        CaptionBar *bar = CaptionBar::replaceFrame(&dialog);
        dialog.show(); // the settings dialog fills itself again
        QCOMPARE(ok->geometry(), okBefore.translated(0, bar->height()));
        QCOMPARE(dialog.size(), sizeBefore + QSize(0, bar->height()));
        QVERIFY(bar->width() == dialog.width() && dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->closeBox().center() - QPoint(bar->height(), 0));
        QVERIFY(dialog.isVisible());
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->closeBox().center());
        QVERIFY(!dialog.isVisible());
    }

    // The readme and the product page lie beside the executable, as the build puts them,
    // and the page fetches nothing from elsewhere; the link, within its room, shows the
    // address it opens, under a pointer that says it is a link.
    void whatTheBoxOpens() {
        const QUrl page = FormA::productPage();
        if (QStringLiteral(TESSARIN_PRODUCT_PAGE).isEmpty())
            QCOMPARE(page, QUrl::fromLocalFile(t->g.AppDir + QStringLiteral("tessarin.html")));
        QCOMPARE(about().Label5->toolTip(), page.toDisplayString());
        QVERIFY(about().Label5->width() <= WindowLook::scaled(189) &&
                about().Label5->text().endsWith(u".html"));
        QCOMPARE(about().Label5->cursor().shape(), Qt::PointingHandCursor);
        const auto read = [](const char *name) {
            QFile file(QStringLiteral(TESSARIN_BUILD_DIR "/") + QLatin1String(name));
            return file.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(file.readAll())
                                                                    : QString();
        };
        QVERIFY(read("readme.txt").contains(QStringLiteral("~/.config/Orv/Tessarin.conf")));
        const QString html = read("tessarin.html");
        QVERIFY(!html.contains(QStringLiteral("src=")) && !html.contains(QStringLiteral("http")));
    }

    // Behind the modal settings dialog the main window takes no input, but its timer runs
    // on: the showing time runs out and Ready hides the task. Coming from the About box
    // into a window runs that window's activation: the settings dialog fills its fields
    // again, the main window sets its captions, leaving the task alone. The settings
    // dialog closing activates nothing, though it repaints the board.
    void activationsAroundTheDialogs() {
        GameState &g = t->g;
        main().Timer_sec->setInterval(20);
        g.Time1 = 50;
        QTest::mouseClick(main().ButtonNew, Qt::LeftButton);
        const LineTable task = g.TaskLines;
        QString refilled;
        bool readyBlocked = false, readyRanBehind = false;
        withSettingsOpen(*t->game, [&](FormSet &s) {
            activate(&s);
            clickThroughWindow(main().ButtonReady);
            readyBlocked = g.Phase == PhaseShowing;
            emptyField(s.Edit1);
            QTest::keyClicks(s.Edit1, "7");
            QTest::keyClicks(s.EditT1, "5");
            QTest::mouseClick(s.Button3, Qt::LeftButton);
            activate(&about());
            activate(&s);
            refilled = s.Edit1->text() + u'/' + s.EditT1->text() + u'/' + s.Label8->text();
            g.SecondsLeft = 2;
            readyRanBehind = QTest::qWaitFor([&] { return g.Phase == PhaseAnswering; });
            setLine(g.DrawnLines, 1, QLine(1, 1, 2, 2)); // a line the repaint must show
            g.DrawnIndex = 2;
            QTest::mouseClick(s.Button1, Qt::LeftButton);
        });
        QCOMPARE(refilled, QStringLiteral("2/50/3"));
        QVERIFY(g.Level == 2 && g.Time1 == 50 && readyBlocked && readyRanBehind);
        auto showsTheLine = [&] { return shows(main().canvas().image(), BoardColors::Player); };
        QVERIFY(showsTheLine());
        QVERIFY(about().isVisible() && activate(&main()));
        QTest::qWait(20);
        QCOMPARE(main().Panel2->text(),
                 QStringLiteral("Using the mouse takes lines from the table of examples and "
                                "set them up on the table of frames"));
        QVERIFY(activate(&about()) && activate(&main()));
        QCOMPARE(main().Panel2->text(), QStringLiteral("Tessarin training"));
        QVERIFY(g.Phase == PhaseAnswering && showsTheLine()); // the activation repaints the board
        QVERIFY(g.TaskLines.X1 == task.X1 && g.TaskLines.Y2 == task.Y2);
        QVERIFY(main().Timer_sec->isActive());
    }
};

TESSARIN_TEST_MAIN(TestAbout)
#include "test_about.moc"
