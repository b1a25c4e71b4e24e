#pragma once

// The game with its main window shown, brought to the answering time by its own buttons
// and played with real mouse events on the board, its cues taken from the build folder.

#include "DialogTesting.h"
#include "board/BoardDrawing.h"

#include <QLine>
#include <QtTest>
#include <memory>

// A 1024x768 screen: the board is 618 pixels, the grid points 56 apart at Range 10. Beside
// it, below, a 3840x2160 screen at 200 %: 1920x1080 logical pixels at a device-pixel ratio of 2.
inline const bool onScreen1024x768 = [] {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" QT_TESTCASE_SOURCEDIR "/screen-1024x768.json");
        // The second screen's 200 % is Qt's own scaling, as a desktop's setting gives it.
        qputenv("QT_SCREEN_SCALE_FACTORS", "Screen1024x768=1;Screen3840x2160at200=2");
    }
    return true;
}();

inline const QString BuildDir = QStringLiteral(TESSARIN_BUILD_DIR "/");

class AnsweringBoard : public DialogGame {
public:
    static constexpr int Range = 10;
    static constexpr int Cell = 56;

    explicit AnsweringBoard(const QString &appDir = BuildDir) : DialogGame(appDir) {}

    // New on a grid of `Range` points per side, then Ready unless told otherwise: the
    // task is hidden and the board takes lines.
    bool startAnswering(bool ready = true) {
        g.levels.setCell(g.Level, LevelTable::RangeRow, QString::number(Range));
        g.levels.setCell(g.Level, LevelTable::LineCountRow, QStringLiteral("3"));
        if (!QTest::qWaitForWindowExposed(&w)) return false;
        QTest::mouseClick(w.ButtonNew, Qt::LeftButton);
        if (ready) QTest::mouseClick(w.ButtonReady, Qt::LeftButton);
        return g.Phase == (ready ? PhaseAnswering : PhaseShowing) && g.CellW == Cell && g.CellH == Cell;
    }

    static QPoint pixelOf(int gx, int gy) { return {gx * Cell, gy * Cell}; }
    // Events go through the window system, which keeps the mouse with the board from
    // press to release, wherever the release happens.
    QPoint inWindow(QPoint boardPixel) const { return w.PaintB->mapTo(&w, boardPixel); }
    void press(QPoint p) { QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, inWindow(p)); }
    void move(QPoint p) { QTest::mouseMove(w.windowHandle(), inWindow(p)); }
    void release(QPoint p) {
        if (!w.rect().contains(inWindow(p)))
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("outside target window"));
        QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, inWindow(p));
    }
    // Two clicks, moving in between.
    void enterLine(QPoint from, QPoint to) {
        press(from);
        release(from);
        move((from + to) / 2 + QPoint(1, 1));
        press(to);
        release(to);
    }
    void enterLine(const QLine &l) { enterLine(pixelOf(l.x1(), l.y1()), pixelOf(l.x2(), l.y2())); }

    QLine drawnLine(int slot) const {
        const LineTable &t = g.DrawnLines;
        return QLine(t.X1[slot], t.Y1[slot], t.X2[slot], t.Y2[slot]);
    }
    const QImage &image() const { return w.canvas().image(); }
    QRgb pixel(QPoint p) const { return image().pixel(p) & 0xFFFFFF; }
    // Moves the main window to the screen beside, of twice the pixels.
    bool moveToDenseScreen() {
        QScreen *dense = QGuiApplication::screens().value(1);
        if (!dense || dense->devicePixelRatio() != 2) return false;
        // As a window manager moves a full-screen window: over the whole of the other screen.
        w.windowHandle()->setScreen(dense);
        w.windowHandle()->setGeometry(dense->geometry());
        return QTest::qWaitFor([&] { return w.canvas().ratio() == 2; });
    }

    Form1 &w = game->form1();
};
