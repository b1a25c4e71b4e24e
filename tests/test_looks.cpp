// The windows as the player sees them, pixel for pixel, against the approved pictures in
// tests/looks/. The screen has the design's 120 dpi, so that every design pixel is a
// pixel; every family the game asks for is drawn in DejaVu Sans (looks/fonts.conf), so
// that the pictures hold on every machine with the game's packages. The framing pictures
// are painted over: their places count, their contents are the artist's. A picture that
// differs is left in the current folder; TESSARIN_APPROVE_LOOKS=1 takes the pictures of
// now as the approved ones.
#include "DialogTesting.h"
#include "LineTables.h"
#include "board/WindowDesign.h"

#include <QPainter>

const bool designScreen =
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" QT_TESTCASE_SOURCEDIR "/looks/screen.json") &&
    qputenv("FONTCONFIG_FILE", QT_TESTCASE_SOURCEDIR "/looks/fonts.conf");

namespace {

QImage shot(QWidget *window) {
    return window->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void paintOver(QLabel *picture) {
    QPixmap flat(picture->size());
    flat.fill(Qt::magenta);
    picture->setPixmap(flat);
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
        DialogGame t;
        GameState &g = t.g;
        Form1 &w = t.game->form1();
        w.random().seed(7);
        QVERIFY(activate(&w) && w.ButtonNew->hasFocus());
        QVERIFY(shows(w.ButtonNew->grab().toImage(), BoardColors::Navy));
        g.levels.setCell(g.Level, LevelTable::RangeRow, QStringLiteral("10"));
        QTest::mouseClick(w.ButtonNew, Qt::LeftButton);
        QTest::mouseClick(w.ButtonReady, Qt::LeftButton);
        const LineTable &task = g.TaskLines;
        g.DrawnLines = tableOf({QLine(task.X1[1], task.Y1[1], task.X2[1], task.Y2[1]),
                                QLine(task.X1[2], task.Y1[2], task.X2[2], task.Y2[2]), QLine(1, 1, 10, 10)});
        QTest::mouseClick(w.buttonCheck, Qt::LeftButton);
        for (QLabel *picture : {w.Image1, w.Image2, w.Image3, w.Image4})
            paintOver(picture);
        QMap<QString, QImage> shots{{"main", shot(&w)}};
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

TESSARIN_TEST_MAIN(TestLooks)
#include "test_looks.moc"
