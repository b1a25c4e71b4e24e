#pragma once

// The real game with its main window shown, brought to the answering time by its own
// buttons and played with real mouse events on the board. Errors are recorded instead
// of shown, and the cues are taken from the build folder.

#include "board/BoardDrawing.h"
#include "game/Startup.h"

#include <QLine>
#include <QtTest>
#include <memory>

// These tests play on the board of a 1024x768 screen: 618 pixels, with the grid points
// 56 pixels apart at Range 10. The screen is chosen before the application starts.
inline const bool onScreen1024x768 = [] {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" QT_TESTCASE_SOURCEDIR "/screen-1024x768.json");
    return true;
}();

class AnsweringBoard {
public:
    static constexpr int Range = 10;
    static constexpr int Cell = 56;

    AnsweringBoard() : m_state(std::make_unique<GameState>()), m_game(std::make_unique<Game>(*m_state)) {
        setErrorReporter([this](const QString &text) { errors << text; });
        g.AppDir = QStringLiteral(TESSARIN_BUILD_DIR "/");
        w.show();
    }

    ~AnsweringBoard() {
        m_game.reset();
        setErrorReporter({});
    }

    // Sets the current level to a grid of `Range` points per side and tasks of
    // `lineCount` lines, for New to use.
    bool prepareLevel(int lineCount) {
        g.levels.setCell(g.Level, LevelTable::RangeRow, QString::number(Range));
        g.levels.setCell(g.Level, LevelTable::LineCountRow, QString::number(lineCount));
        return QTest::qWaitForWindowExposed(&w);
    }

    // New, then Ready: the task is hidden and the board takes lines.
    bool startAnswering(int lineCount = 3) {
        if (!prepareLevel(lineCount)) return false;
        QTest::mouseClick(w.ButtonNew, Qt::LeftButton);
        QTest::mouseClick(w.ButtonReady, Qt::LeftButton);
        return g.Phase == PhaseAnswering && g.CellW == Cell && g.CellH == Cell && g.Range == Range;
    }

    // Board pixel of a grid point.
    static QPoint pixelOf(int gx, int gy) { return {gx * Cell, gy * Cell}; }

    void press(QPoint p) { QTest::mousePress(w.PaintB, Qt::LeftButton, {}, p); }
    void release(QPoint p) { QTest::mouseRelease(w.PaintB, Qt::LeftButton, {}, p); }
    // A movement with no button held goes through the window system to the widget under
    // the cursor; with a button held, straight to the board.
    void move(QPoint p) { QTest::mouseMove(w.PaintB, p); }

    // Two clicks: on the start point, then on the end point, moving in between.
    void enterLine(QPoint from, QPoint to) {
        press(from);
        release(from);
        move((from + to) / 2 + QPoint(1, 1));
        move(to + QPoint(2, 1));
        press(to);
        release(to);
    }
    void enterLine(const QLine &grid) {
        enterLine(pixelOf(grid.x1(), grid.y1()), pixelOf(grid.x2(), grid.y2()));
    }

    // The line in a slot of the drawing, in grid coordinates.
    QLine drawnLine(int slot) const {
        const LineTable &t = g.DrawnLines;
        return QLine(t.X1[slot], t.Y1[slot], t.X2[slot], t.Y2[slot]);
    }

    const QImage &image() const { return w.canvas().image(); }
    QRgb pixel(QPoint p) const { return image().pixel(p) & 0xFFFFFF; }
    int count(QRgb color) const {
        int n = 0;
        for (int y = 0; y < image().height(); ++y)
            for (int x = 0; x < image().width(); ++x)
                n += (image().pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
        return n;
    }

private:
    std::unique_ptr<GameState> m_state;
    std::unique_ptr<Game> m_game;

public: // after the objects they refer to, so that they are made after them
    GameState &g = *m_state;
    Form1 &w = m_game->form1();
    QStringList errors;
};
