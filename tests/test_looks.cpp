// The windows as the player sees them, pixel for pixel, against the approved pictures in
// tests/looks/. The screen has the design's 120 dpi, so that every design pixel is a
// pixel; every family the game asks for is drawn in DejaVu Sans (looks/fonts.conf), so
// that the pictures hold on every machine with the game's packages. The framing pictures
// are painted over: their places count, their contents are the artist's; so are the score
// bars, which the style draws (see drawBarsOver). A picture that differs is left in the
// current folder; TESSARIN_APPROVE_LOOKS=1 takes the pictures of
// now as the approved ones. Run with QT_SCALE_FACTOR=2, the screen has twice the pixels
// and the same logical size, and the main window is compared with its picture at 2x.
#include "PlayingTheGame.h"
#include "board/WindowLook.h"

#include <QPainter>

const int ratio = std::max(1, qEnvironmentVariableIntValue("QT_SCALE_FACTOR"));
const QString suffix = ratio == 1 ? QString() : QStringLiteral("@%1x").arg(ratio);

namespace {

TestScreens designScreen() {
    return {.described = TESSARIN_TESTS_DIR "/looks/screen" + suffix.toLatin1() + ".json",
            .fonts = TESSARIN_TESTS_DIR "/looks/fonts.conf",
            .evenOnAnotherPlatform = true};
}

QImage shot(QWidget *window) {
    return window->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void paintOver(QLabel *picture) {
    QPixmap flat(picture->size());
    flat.fill(Qt::magenta);
    picture->setPixmap(flat);
}

// The style draws the score bars, and Qt versions draw them differently: in their place
// the picture shows where they stand and how full they are.
void drawBarsOver(QImage &image, const Form1 &w) {
    QPainter painter(&image);
    for (const QProgressBar *bar : {w.Pro1, w.Pro2}) {
        const QRect place(bar->mapTo(&w, QPoint()), bar->size());
        const int range = bar->maximum() - bar->minimum();
        const int full = range > 0 ? place.height() * (bar->value() - bar->minimum()) / range : 0;
        painter.fillRect(place, Qt::magenta);
        painter.fillRect(place.left(), place.bottom() + 1 - full, place.width(), full, Qt::darkMagenta);
    }
}

} // namespace

class TestLooks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The main window after a check, one task line drawn right and one wrong: the task in
    // red under the drawing in light orange, both bars moved. Then the settings dialog as
    // Settings opens it, and the About box as its About opens it, each once it has the
    // focus. New shows the focus mark from the start.
    void windowsLookAsApproved() {
        StartedGame t;
        GameState &g = t.g;
        Form1 &w = t.w;
        w.random().seed(7);
        QVERIFY(activate(&w) && w.ButtonNew->hasFocus());
        QVERIFY(shows(w.ButtonNew->grab().toImage(), BoardColors::Navy));
        g.levels.setCell(g.Level, LevelTable::RangeRow, QStringLiteral("10"));
        QTest::mouseClick(w.ButtonNew, Qt::LeftButton);
        QTest::mouseClick(w.ButtonReady, Qt::LeftButton);
        g.DrawnLines = tableOf({lineAt(g.TaskLines, 1), lineAt(g.TaskLines, 2), QLine(1, 1, 10, 10)});
        QTest::mouseClick(w.buttonCheck, Qt::LeftButton);
        for (QLabel *picture : {w.Image1, w.Image2, w.Image3, w.Image4})
            paintOver(picture);
        QMap<QString, QImage> shots{{"main" + suffix, shot(&w)}};
        drawBarsOver(shots["main" + suffix], w);
        if (ratio == 1)
            withSettingsOpen(*t.game, [&](FormSet &s) {
                activate(&s);
                shots["settings"] = shot(&s);
                QTest::mouseClick(s.Button3, Qt::LeftButton);
                FormA &about = t.game->formA();
                about.Label5->setText(QStringLiteral("~/tessarin.html")); // not the build's own folder
                about.Label5->adjustSize();
                activate(&about);
                shots["about"] = shot(&about);
            });

        QStringList differing;
        for (const auto &[window, now] : shots.asKeyValueRange()) {
            const QString approved = QStringLiteral(QT_TESTCASE_SOURCEDIR "/looks/%1.png").arg(window);
            if (qEnvironmentVariableIsSet("TESSARIN_APPROVE_LOOKS")) QVERIFY(now.save(approved, "PNG", 0));
            if (now == QImage(approved).convertToFormat(QImage::Format_RGB32)) continue;
            differing << QDir::current().filePath(window + QStringLiteral("-now.png"));
            now.save(differing.last());
        }
        QVERIFY2(differing.isEmpty(), qPrintable("Not as approved: " + differing.join(u' ')));
        QCOMPARE(t.errors, QStringList());
    }
};

TESSARIN_TEST_MAIN(TestLooks, designScreen())
#include "test_looks.moc"
