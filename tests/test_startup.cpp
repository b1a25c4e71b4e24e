#include "TestMain.h"

#include "board/DesignPicture.h"
#include "game/GameError.h"
#include "game/Startup.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

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
        QCOMPARE(w.Panel2->text(), QStringLiteral("Tessarin game"));
        QCOMPARE(std::tuple(w.ButtonNew->isEnabled(), w.ButtonReady->isEnabled(), w.buttonCheck->isEnabled(),
                            w.Timer_sec->isActive()),
                 std::tuple(true, false, false, false));
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
