#pragma once

#include "board/BoardView.h"
#include "board/CuePlayer.h"
#include "board/Layout.h"
#include "board/StatusLine.h"
#include "game/GameState.h"
#include "game/Random.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>

class FormSet;
class FormA;

// The two cues of the line entry.

// The main window: the full-screen board framed by four pictures, the command
// buttons, the two score bars and the status line. Its handlers are spread over the
// subsystems they belong to: commands in game/, scoring in analysis/, layout,
// drawing and mouse entry in board/, texts in settings/.
class Form1 : public QWidget {
public:
    // Creation: loads the settings, seeds the generator, clears the board, sets the bars.
    // The four framing pictures wait for loadPictures().
    explicit Form1(GameState &state);
    // Destruction at the end of an ordinary run writes the settings back.
    ~Form1() override;

    // The other two windows, created after this one.
    void setDialogs(FormSet *formSet, FormA *formA);

    // Decodes the framing pictures into Image1..Image4, for the screen's device-pixel
    // ratio (again only when that has changed).
    void loadPictures();
    // Runs `work` once, right after the window's first frame has been painted.
    void afterFirstFrame(std::function<void()> work) { m_afterFirstFrame = std::move(work); }

    Random &random() { return m_random; }
    Canvas &canvas() { return PaintB->canvas(); }

    // Commands (game/)
    void New1Click();
    void Ready1Click();
    void Check();
    void Timer_secTimer();
    void FormActivate();
    void SetingsGame1Click();
    void Exit1Click();

    // Scoring (analysis/)
    void M_A_Rxy(const LineTable &lines);
    void CheckArray();
    void HowMuchErrors();

    // Layout and drawing (board/)
    void FormResize();
    void Clear();
    void FormPaint();
    void showScoreBars(); // the bars' widgets follow Pro1 and Pro2 of the state
    // Tells assistive technology what the board shows now, if that changed.
    void describeBoard();
    // After a change of the screen's size, or of the screen the window stands on: covers
    // that screen again and shows the board, the task and the player's lines at its scale.
    void followScreen();

    // Mouse line entry on the board (board/)
    void PaintBMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void PaintBMouseMove(Qt::KeyboardModifiers modifiers, int x, int y);
    void PaintBMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void playCue(Cue cue);

    // Interface texts (settings/)
    void english();

    // Controls, named as in the window's design.
    BoardView *PaintB;
    StatusLine *Panel2;
    QFrame *Panel1;
    QProgressBar *Pro1, *Pro2;
    QPushButton *ButtonNew, *ButtonReady, *buttonCheck, *ButtonSet, *ButtonEnd;
    QLabel *Image1, *Image2, *Image3, *Image4;
    QTimer *Timer_sec;
    CuePlayer MP;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void connectHandlers();
    void onActivated();
    void takeFocusBackFromAbout();
    void traceTask();   // the task's trace, at the board's scale of now
    void layOutAgain(); // after the window's or the screen's size changed
    void coverScreen();
    void watchScreen(QScreen *screen);

    GameState &g;
    Random m_random;
    FormSet *m_formSet = nullptr;
    FormA *m_formA = nullptr;
    bool m_activatedOnce = false;
    QPointer<QWidget> m_lastActiveWindow; // the window that held the focus before
    bool m_settingsSaved = false;
    bool m_inLayout = false;
    qreal m_picturesRatio = 0; // none loaded yet
    bool m_soundPrepared = false;
    QMetaObject::Connection m_screenWatch; // the size of the screen the window stands on
    std::function<void()> m_afterFirstFrame;
};
