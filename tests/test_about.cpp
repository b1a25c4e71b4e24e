#include "DialogTesting.h"
#include "TestMain.h"

#include "settings/DesktopShell.h"

#include <QLabel>
#include <QPushButton>

namespace {

const QString MemorizeHint =
    QStringLiteral("Try to memorize all the shown lines and the location of each image.");

int visibleAboutBoxes() {
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += w->isVisible() && dynamic_cast<FormA *>(w) != nullptr;
    return n;
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

    GameState *g = nullptr;
    Game *game = nullptr;
    QStringList errors;
    QList<QUrl> opened;

    Form1 &main() { return game->form1(); }
    FormA &about() { return game->formA(); }

private Q_SLOTS:
    void init() {
        errors.clear();
        opened.clear();
        setErrorReporter([this](const QString &text) { errors << text; });
        setShellOpener([this](const QUrl &target) { opened << target; });
        g = new GameState;
        game = new Game(*g);
        resetToDefaults(*g);
        main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
        QVERIFY(activate(&main()));
    }

    void cleanup() {
        delete game;
        delete g;
        setShellOpener({});
        setErrorReporter({});
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
    }

    void twoClicksLeaveOneBoxInFront() {
        about().setWindowTitle(QStringLiteral("left from before"));
        bool inFront = false;
        int boxes = 0;
        withSettingsOpen(*game, [&](FormSet &s) {
            QTest::mouseClick(s.Button3, Qt::LeftButton);
            QTest::mouseClick(s.Button3, Qt::LeftButton);
            inFront = QTest::qWaitFor([&] { return QApplication::activeWindow() == &about(); });
            boxes = visibleAboutBoxes();
            QTest::mouseClick(s.Button2, Qt::LeftButton);
        });
        QVERIFY(inFront);
        QCOMPARE(boxes, 1);
        QVERIFY(about().windowTitle().isEmpty());
        // Modeless: it stays open after the settings dialog has closed.
        QVERIFY(about().isVisible());
        QVERIFY(!game->formSet().isVisible());
        // Centred on the screen.
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY((about().frameGeometry().center() - screen.center()).manhattanLength() <= 2);
    }

    // The box answers the player while the modal settings dialog is open.
    void helpAndLinkAskTheShellBesideTheModalDialog() {
        bool hidden = false;
        withSettingsOpen(*game, [&](FormSet &s) {
            QTest::mouseClick(s.Button3, Qt::LeftButton);
            activate(&about());
            clickThroughWindow(about().Button3);
            clickThroughWindow(about().Label5);
            clickThroughWindow(about().Button1);
            hidden = !about().isVisible();
            QTest::mouseClick(s.Button2, Qt::LeftButton);
        });
        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened[0], QUrl::fromLocalFile(g->AppDir + QStringLiteral("readme.txt")));
        QCOMPARE(opened[1], FormA::productPage());
        QVERIFY(hidden);
    }

    void theLinkShowsTheAddressItOpens() {
        const QUrl page = FormA::productPage();
        if (QStringLiteral(TESSARIN_PRODUCT_PAGE).isEmpty())
            QCOMPARE(page, QUrl::fromLocalFile(g->AppDir + QStringLiteral("tessarin.html")));
        QCOMPARE(about().Label5->toolTip(), page.toDisplayString());
        QVERIFY(about().Label5->text().endsWith(QStringLiteral("tessarin.html")) || !page.isLocalFile());
        QVERIFY(about().Label5->font().underline());
        QCOMPARE(about().Label5->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(!about().ProgramIcon->pixmap().isNull());
        QVERIFY(about().Label1->text().contains(QStringLiteral(TESSARIN_VERSION)));
    }

    // The readme and the product page lie beside the executable, as the build puts them.
    void theGuideAndThePageAreShipped() {
        QFile readme(QStringLiteral(TESSARIN_BUILD_DIR "/readme.txt"));
        QVERIFY(readme.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString guide = QString::fromUtf8(readme.readAll());
        QVERIFY(guide.contains(QStringLiteral("~/.config/Orv/Tessarin.conf")));
        QVERIFY(guide.contains(QStringLiteral("HKEY_CURRENT_USER\\Software\\Orv\\Tessarin")));
        QVERIFY(guide.contains(QStringLiteral("Grid size    2  3  3  4  4  5  5  6  6  7  7  8  8  9  9")));
        QVERIFY(guide.contains(QStringLiteral("Lines        3  3  4  4  5  5  6  6  7  7  8  8  9  9 10")));

        QFile page(QStringLiteral(TESSARIN_BUILD_DIR "/tessarin.html"));
        QVERIFY(page.open(QIODevice::ReadOnly | QIODevice::Text));
        QString html = QString::fromUtf8(page.readAll());
        html.remove(QRegularExpression(QStringLiteral("\\s")));
        QVERIFY(html.contains(QStringLiteral(
            "<td>Range</td><td>2</td><td>3</td><td>3</td><td>4</td><td>4</td><td>5</td><td>5</td><td>6</td>"
            "<td>6</td><td>7</td><td>7</td><td>8</td><td>8</td><td>9</td><td>9</td></tr>")));
        QVERIFY(html.contains(QStringLiteral(
            "<td>Lines</td><td>3</td><td>3</td><td>4</td><td>4</td><td>5</td><td>5</td><td>6</td><td>6</td>"
            "<td>7</td><td>7</td><td>8</td><td>8</td><td>9</td><td>9</td><td>10</td></tr>")));
        // Self-contained: nothing is fetched from elsewhere.
        QVERIFY(!html.contains(QStringLiteral("src=")));
        QVERIFY(!html.contains(QStringLiteral("http")));
    }

    void closeBoxHidesTheBox() {
        about().showInFront();
        QVERIFY(QTest::qWaitForWindowExposed(&about()));
        about().windowHandle()->close();
        QVERIFY(!about().isVisible());
        about().showInFront();
        QVERIFY(about().isVisible());
    }

    // Coming from the About box into the main window runs its activation; the settings
    // dialog closing does not.
    void onlyComingFromTheAboutBoxActivatesTheMainWindow() {
        QTest::mouseClick(main().ButtonNew, Qt::LeftButton);
        QCOMPARE(main().Panel2->text(), MemorizeHint);
        const LineTable task = g->TaskLines;
        withSettingsOpen(*game, [&](FormSet &s) {
            QTest::mouseClick(s.Button3, Qt::LeftButton);
            activate(&about());
            activate(&s);
            QTest::mouseClick(s.Button2, Qt::LeftButton);
        });
        QVERIFY(about().isVisible());
        QVERIFY(activate(&main()));
        QTest::qWait(20);
        QCOMPARE(main().Panel2->text(), MemorizeHint);

        QVERIFY(activate(&about()));
        QVERIFY(activate(&main()));
        QCOMPARE(main().Panel2->text(), QStringLiteral("Tessarin training"));
        QCOMPARE(g->Phase, int32_t(PhaseShowing));
        QVERIFY(g->TaskLines.X1 == task.X1 && g->TaskLines.Y2 == task.Y2);
        QVERIFY(main().Timer_sec->isActive());
    }

    // Coming back from the About box fills the settings dialog again, so what the player
    // typed before is gone.
    void comingBackFromTheAboutBoxRefillsTheDialog() {
        QString level, showTime, amountOfLines;
        withSettingsOpen(*game, [&](FormSet &s) {
            activate(&s);
            emptyField(s.Edit1);
            QTest::keyClicks(s.Edit1, "7");
            QTest::keyClicks(s.EditT1, "5");
            QTest::mouseClick(s.Button3, Qt::LeftButton);
            activate(&about());
            activate(&s);
            level = s.Edit1->text();
            showTime = s.EditT1->text();
            amountOfLines = s.Label8->text();
            QTest::mouseClick(s.Button1, Qt::LeftButton);
        });
        QCOMPARE(level, QStringLiteral("2"));
        QCOMPARE(showTime, QStringLiteral("10"));
        QCOMPARE(amountOfLines, QStringLiteral("3"));
        QCOMPARE(g->Level, 2);
        QCOMPARE(g->Time1, 10);
    }
};

TESSARIN_TEST_MAIN(TestAbout)
#include "test_about.moc"
