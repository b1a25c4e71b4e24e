#include "DialogTesting.h"
#include "TestMain.h"

#include "board/BoardDrawing.h"
#include "settings/FormA.h"

#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>

namespace {

bool boardHasColour(const QImage &image, QRgb colour) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) return true;
    return false;
}

// The sixteen captions in the order in which the main window's activation sets them.
QStringList sixteenTexts(Form1 &w, FormSet &s, FormA &a) {
    return {w.ButtonNew->text(), w.buttonCheck->text(), w.ButtonEnd->text(), w.ButtonReady->text(),
            w.ButtonSet->text(), w.windowTitle(),       w.Panel2->text(),    s.windowTitle(),
            s.Label1->text(),    s.Label2->text(),      s.Label4->text(),    s.Label7->text(),
            s.Button3->text(),   s.Button2->text(),     s.Button1->text(),   a.Label4->text()};
}

const QStringList EnglishTexts = {"New",
                                  "Check",
                                  "End",
                                  "Ready",
                                  "Settings",
                                  "Tessarin training",
                                  "Tessarin training",
                                  "S e t t i n g s",
                                  "Amount of lines",
                                  "Range of array",
                                  "Show time",
                                  "Current level",
                                  "About",
                                  "Cancel",
                                  "OK",
                                  "Tessarin training"};

} // namespace

class TestSettingsDialog : public QObject {
    Q_OBJECT

    GameState *g = nullptr;
    Game *game = nullptr;
    QStringList errors;

    FormSet &dialog() { return game->formSet(); }

    // Opens the dialog without the main window: the opening's fill runs at showing.
    FormSet &openAlone() {
        dialog().show();
        return dialog();
    }

private Q_SLOTS:
    void init() {
        errors.clear();
        setErrorReporter([this](const QString &text) { errors << text; });
        g = new GameState;
        game = new Game(*g);
        resetToDefaults(*g);
    }

    void cleanup() {
        delete game;
        delete g;
        setErrorReporter({});
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
    }

    void openingShowsTheLevelsValuesBesideCrossedCaptions() {
        Form1 &w = game->form1();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QString amountOfLines, rangeOfArray, showTime, level;
        bool modal = false, sameRowAsAmount = false, sameRowAsRange = false;
        withSettingsOpen(*game, [&](FormSet &s) {
            modal = s.isModal();
            amountOfLines = s.Label8->text();
            rangeOfArray = s.Label9->text();
            showTime = s.EditT1->text();
            level = s.Edit1->text();
            sameRowAsAmount = s.Label8->y() == s.Label1->y();
            sameRowAsRange = s.Label9->y() == s.Label2->y();
            QTest::mouseClick(s.Button2, Qt::LeftButton);
        });
        QVERIFY(modal);
        QCOMPARE(amountOfLines, QStringLiteral("3"));
        QCOMPARE(rangeOfArray, QStringLiteral("3"));
        QCOMPARE(showTime, QStringLiteral("10"));
        QCOMPARE(level, QStringLiteral("2"));
        QVERIFY(sameRowAsAmount);
        QVERIFY(sameRowAsRange);
        QVERIFY(!dialog().isVisible());
    }

    // The grid size stands beside "Amount of lines" and the line count beside "Range of
    // array"; OK stores them with the level, raised to their lower limits.
    void levelFieldShowsAndStoresTheLevelsValues_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("amountOfLines");
        QTest::addColumn<QString>("rangeOfArray");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("lineCount");
        QTest::newRow("level 7") << "7"
                                 << "7"
                                 << "5"
                                 << "6" << 7 << 5 << 6;
        QTest::newRow("1 then 9 is above 15") << "19"
                                              << "15"
                                              << "9"
                                              << "10" << 15 << 9 << 10;
        QTest::newRow("third digit after 15") << "150"
                                              << "15"
                                              << "9"
                                              << "10" << 15 << 9 << 10;
        QTest::newRow("level 1 raises the range") << "1"
                                                  << "1"
                                                  << "2"
                                                  << "3" << 1 << 3 << 3;
        QTest::newRow("leading zero") << "04"
                                      << "04"
                                      << "4"
                                      << "4" << 4 << 4 << 4;
        QTest::newRow("emptied is level 1") << ""
                                            << "1"
                                            << "2"
                                            << "3" << 1 << 3 << 3;
        // Level 0 leaves the values of the level before it.
        QTest::newRow("level 0") << "0"
                                 << "0"
                                 << "3"
                                 << "3" << 1 << 3 << 3;
    }

    void levelFieldShowsAndStoresTheLevelsValues() {
        QFETCH(QString, typed);
        QFETCH(QString, field);
        QFETCH(QString, amountOfLines);
        QFETCH(QString, rangeOfArray);
        QFETCH(int, level);
        QFETCH(int, range);
        QFETCH(int, lineCount);
        FormSet &s = openAlone();
        emptyField(s.Edit1);
        QTest::keyClicks(s.Edit1, typed);
        if (!typed.isEmpty()) {
            QCOMPARE(s.Edit1->text(), field);
            QCOMPARE(s.Label8->text(), amountOfLines);
            QCOMPARE(s.Label9->text(), rangeOfArray);
        }
        QTest::mouseClick(s.Button1, Qt::LeftButton);
        QVERIFY(!s.isVisible());
        QCOMPARE(s.Edit1->text(), field);
        QCOMPARE(g->Level, level);
        QCOMPARE(g->Range, range);
        QCOMPARE(g->LineCount, lineCount);
    }

    void showTimeFieldHoldsTwoDigits_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("time1");
        QTest::newRow("one digit") << "5"
                                   << "5" << 5;
        QTest::newRow("two digits") << "42"
                                    << "42" << 42;
        QTest::newRow("a third digit is cut") << "123"
                                              << "12" << 12;
        QTest::newRow("a letter is not taken") << "4a"
                                               << "4" << 4;
        QTest::newRow("signs are not taken") << "-+3"
                                             << "3" << 3;
        QTest::newRow("letters only leave it empty") << "ab"
                                                     << "" << 1;
        QTest::newRow("zero is raised to 1") << "0"
                                             << "0" << 1;
        QTest::newRow("emptied is raised to 1") << ""
                                                << "" << 1;
    }

    void showTimeFieldHoldsTwoDigits() {
        QFETCH(QString, typed);
        QFETCH(QString, field);
        QFETCH(int, time1);
        g->TimeEnabled = 0;
        g->ProEnabled = 0;
        FormSet &s = openAlone();
        emptyField(s.EditT1);
        QTest::keyClicks(s.EditT1, typed);
        QCOMPARE(s.EditT1->text(), field);
        QTest::mouseClick(s.Button1, Qt::LeftButton);
        QCOMPARE(g->Time1, time1);
        // Every OK sets the answer time and switches the countdown on; the bars' flag stays.
        QCOMPARE(g->Time2, 1000);
        QCOMPARE(g->TimeEnabled, uint8_t(1));
        QCOMPARE(g->ProEnabled, uint8_t(0));
        QCOMPARE(g->Level, 2);
    }

    void onlyDigitsArePastedOrDropped_data() {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("amountOfLines");
        for (const char *route : {"paste", "drop"}) {
            QTest::addRow("%s letters into the level", route) << "Edit1" << route << "ab"
                                                              << ""
                                                              << "3";
            QTest::addRow("%s digits and a letter into the level", route) << "Edit1" << route << "7x"
                                                                          << ""
                                                                          << "3";
            QTest::addRow("%s a sign into the level", route) << "Edit1" << route << "-7"
                                                             << ""
                                                             << "3";
            QTest::addRow("%s digits into the level", route) << "Edit1" << route << "7"
                                                             << "7"
                                                             << "5";
            QTest::addRow("%s a huge number into the level", route)
                << "Edit1" << route << "99999999999999999999999"
                << "15"
                << "9";
            QTest::addRow("%s letters into the showing time", route) << "EditT1" << route << "1a"
                                                                     << ""
                                                                     << "3";
            QTest::addRow("%s digits into the showing time", route) << "EditT1" << route << "987"
                                                                    << "98"
                                                                    << "3";
        }
    }

    void onlyDigitsArePastedOrDropped() {
        QFETCH(QString, fieldName);
        QFETCH(QString, route);
        QFETCH(QString, text);
        QFETCH(QString, field);
        QFETCH(QString, amountOfLines);
        FormSet &s = openAlone();
        QLineEdit *edit = fieldName == u"Edit1" ? s.Edit1 : s.EditT1;
        emptyField(edit);
        if (route == u"paste") {
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else {
            QMimeData data;
            data.setText(text);
            const QPoint at = edit->rect().center();
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(edit, &enter);
            QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(edit, &drop);
        }
        QCOMPARE(edit->text(), field);
        QCOMPARE(s.Label8->text(), amountOfLines);
        // The dialog can still be confirmed.
        QTest::mouseClick(s.Button1, Qt::LeftButton);
        QVERIFY(!s.isVisible());
    }

    void cancelAndCloseBoxKeepEverything_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Cancel") << false;
        QTest::newRow("close box") << true;
    }

    void cancelAndCloseBoxKeepEverything() {
        QFETCH(bool, closeBox);
        g->Time2 = 77;
        g->TimeEnabled = 0;
        const StoredSettings before = storedSettings(*g);
        bool closed = false;
        withSettingsOpen(*game, [&](FormSet &s) {
            emptyField(s.Edit1);
            QTest::keyClicks(s.Edit1, "9");
            QTest::keyClicks(s.EditT1, "5");
            if (closeBox)
                s.windowHandle()->close();
            else
                QTest::mouseClick(s.Button2, Qt::LeftButton);
            closed = !s.isVisible();
        });
        QVERIFY(closed);
        QVERIFY(storedSettings(*g) == before);
        // The next opening shows the game's values again.
        openAlone();
        QCOMPARE(dialog().Edit1->text(), QStringLiteral("2"));
        QCOMPARE(dialog().EditT1->text(), QStringLiteral("10"));
        QCOMPARE(dialog().Label8->text(), QStringLiteral("3"));
    }

    void neitherEnterNorEscapeCloseTheDialog() {
        FormSet &s = openAlone();
        QTest::keyClick(s.Edit1, Qt::Key_Return);
        QTest::keyClick(s.Edit1, Qt::Key_Escape);
        QVERIFY(s.isVisible());
        QCOMPARE(g->Time2, 10000);
    }

    void okWritesTheLevelTableBackInItsStoredForm_data() {
        QTest::addColumn<QString>("liniy");
        QTest::addColumn<QString>("range");
        QTest::addColumn<QString>("storedLiniy");
        QTest::addColumn<QString>("storedRange");
        QTest::newRow("default") << LevelTable::DefaultLiniyLevel << LevelTable::DefaultRangeLevel
                                 << "2 3 3 4 4 5 5 6 6 7 7 8 8 9 9 101112136 "
                                 << "3 3 4 4 5 5 6 6 7 7 8 8 9 9 10101010106 ";
        QTest::newRow("short and zero") << "2 3 3 4 4 5 5 6 6 7 7 8 8 9 9 0 "
                                        << "3 3 4 4 5 5 6 6 7 7 8 8 9 9 10"
                                        << "2 3 3 4 4 5 5 6 6 7 7 8 8 9 9 3 6 6 6 6 "
                                        << "3 3 4 4 5 5 6 6 7 7 8 8 9 9 106 6 6 6 6 ";
    }

    void okWritesTheLevelTableBackInItsStoredForm() {
        QFETCH(QString, liniy);
        QFETCH(QString, range);
        QFETCH(QString, storedLiniy);
        QFETCH(QString, storedRange);
        g->Liniy_level = liniy;
        g->Range_level = range;
        withSettingsOpen(*game, [](FormSet &s) { QTest::mouseClick(s.Button1, Qt::LeftButton); });
        QCOMPARE(g->Liniy_level, storedLiniy);
        QCOMPARE(g->Range_level, storedRange);
        QCOMPARE(g->Liniy_level.size(), 40);
        QCOMPARE(g->Range_level.size(), 40);
    }

    // The one-second timer keeps running behind the modal dialog: the showing time runs
    // out and Ready hides the task. Closing the dialog repaints the board but does not
    // activate the main window, so Ready's instruction stays.
    void theCountdownRunsBehindTheDialog() {
        Form1 &w = game->form1();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(activate(&w));
        w.Timer_sec->setInterval(20);
        g->Time1 = 50;
        QTest::mouseClick(w.ButtonNew, Qt::LeftButton);
        QCOMPARE(g->Phase, int32_t(PhaseShowing));
        bool readyBlocked = false, readyRanBehind = false;
        withSettingsOpen(*game, [&](FormSet &s) {
            // The main window takes no input while the dialog is open.
            clickThroughWindow(w.ButtonReady);
            readyBlocked = g->Phase == PhaseShowing;
            g->SecondsLeft = 2;
            readyRanBehind = QTest::qWaitFor([&] { return g->Phase == PhaseAnswering; });
            // A line drawn before: the repaint after the dialog must show it.
            g->DrawnLines.X1[1] = 1;
            g->DrawnLines.Y1[1] = 1;
            g->DrawnLines.X2[1] = 2;
            g->DrawnLines.Y2[1] = 2;
            g->DrawnIndex = 2;
            QTest::mouseClick(s.Button2, Qt::LeftButton);
        });
        QVERIFY(readyBlocked);
        QVERIFY(readyRanBehind);
        QVERIFY(w.Timer_sec->isActive());
        QCOMPARE(g->Phase, int32_t(PhaseAnswering));
        QVERIFY(boardHasColour(w.canvas().image(), BoardColors::Player));
        // Focus back in the main window is no activation: the instruction stays.
        QVERIFY(activate(&w));
        QTest::qWait(20);
        QCOMPARE(w.Panel2->text(),
                 QStringLiteral("Using the mouse takes lines from the table of examples and "
                                "set them up on the table of frames"));
    }

    void englishSetsTheSixteenTexts() {
        Form1 &w = game->form1();
        FormSet &s = game->formSet();
        FormA &a = game->formA();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // After start-up, on the dialogs too before they were ever opened.
        QVERIFY(!s.isVisible() && !a.isVisible());
        QCOMPARE(sixteenTexts(w, s, a), EnglishTexts);
        QVERIFY(!a.Button3->isHidden());

        for (QPushButton *b : {w.ButtonNew, w.buttonCheck, w.ButtonEnd, w.ButtonReady, w.ButtonSet, s.Button3,
                               s.Button2, s.Button1})
            b->setText(QStringLiteral("?"));
        for (QLabel *l : {w.Panel2, s.Label1, s.Label2, s.Label4, s.Label7, a.Label4})
            l->setText(QStringLiteral("?"));
        w.setWindowTitle(QStringLiteral("?"));
        s.setWindowTitle(QStringLiteral("?"));
        a.Button3->hide();
        w.english();
        QCOMPARE(sixteenTexts(w, s, a), EnglishTexts);
        QVERIFY(!a.Button3->isHidden());
        QCOMPARE(s.Label3->text(), QStringLiteral("Game Settings"));
    }

    void tabOrderAndLook() {
        FormSet &s = openAlone();
        QList<QWidget *> order;
        QWidget *next = s.EditT1;
        for (int i = 0; i < 5; ++i, next = next->nextInFocusChain()) {
            while (next->focusPolicy() == Qt::NoFocus)
                next = next->nextInFocusChain();
            order << next;
        }
        QCOMPARE(order, (QList<QWidget *>{s.EditT1, s.Button1, s.Button2, s.Edit1, s.Button3}));
        QCOMPARE(s.palette().color(QPalette::Window), QColor(255, 204, 153));
        QCOMPARE(s.Label3->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QVERIFY(s.Label3->font().bold());
        QVERIFY(s.Label8->font().bold());
        QCOMPARE(s.minimumSize(), s.maximumSize());
        // The buttons lie inside the window, and nothing below them.
        QVERIFY(s.rect().contains(s.Button1->geometry()));
        QVERIFY(s.height() - s.Button1->geometry().bottom() < s.Button1->height());
        QCOMPARE(s.Label3->width(), s.width());
    }
};

TESSARIN_TEST_MAIN(TestSettingsDialog)
#include "test_settings_dialog.moc"
