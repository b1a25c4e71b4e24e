// The main window's commands: New, Ready, Check, the one-second tick, activation,
// Settings and End.
#include "board/Form1.h"

#include "analysis/CheckOnState.h"
#include "game/TaskGeneration.h"
#include "settings/FormSet.h"

#include <algorithm>

namespace {

const QString MemorizeHint =
    QStringLiteral("Try to memorize all the shown lines and the location of each image.");
const QString AnswerHint = QStringLiteral(
    "Using the mouse takes lines from the table of examples and set them up on the table of frames");
const QString GameTitle = QStringLiteral("Tessarin game");

// A running timer simply goes on.
void startCountdown(QTimer *timer) {
    if (!timer->isActive()) timer->start();
}

} // namespace

void Form1::New1Click() {
    // Layout, Clear and the full repaint each clear the board: only the last one is drawn.
    const Canvas::Batch drawing(canvas());
    Panel2->setStatus(MemorizeHint);
    g.Phase = PhaseShowing;
    g.SecondsLeft = g.Time1;
    startCountdown(Timer_sec);
    g.Range = g.levels.lookup(g.Level, LevelTable::RangeRow);
    // A grid needs two points per side for a line to have two different ends.
    g.Range = std::max(g.Range, int32_t{2});
    g.LineCount = g.levels.lookup(g.Level, LevelTable::LineCountRow);
    g.FirstClick = 1;
    FormResize();
    Clear();
    ButtonNew->setEnabled(false);
    ButtonReady->setEnabled(true);
    buttonCheck->setEnabled(false);
    g.DrawnIndex = 1;
    g.TaskLines.clear();
    g.DrawnLines.clear();
    drawTaskLines(g.TaskLines, g.Range, g.LineCount, m_random);
    FormPaint();
    traceTask();
    g.Pro1.setMaximum(g.barMaximum());
    g.Pro2.setMaximum(g.Pro1.maximum());
    showScoreBars();
    describeBoard();
}

void Form1::traceTask() {
    M_A_Rxy(g.TaskLines);
    keepTrace(g.TraceWork, g.TaskTrace);
}

void Form1::Ready1Click() {
    Panel2->setStatus(AnswerHint);
    g.SecondsLeft = g.Time2;
    startCountdown(Timer_sec);
    g.Phase = PhaseAnswering;
    ButtonNew->setEnabled(false);
    ButtonReady->setEnabled(false);
    buttonCheck->setEnabled(true);
    Clear();
    describeBoard();
}

void Form1::Check() {
    const Canvas::Batch drawing(canvas());
    Panel2->setStatus(GameTitle);
    g.SecondsLeft = 0;
    Timer_sec->stop();
    // A line with its start point but no end point must be finished first.
    if (g.LineInProgress == 1) return;
    ButtonNew->setEnabled(true);
    ButtonReady->setEnabled(false);
    buttonCheck->setEnabled(false);
    Clear();
    g.Phase = PhaseIdle;
    FormPaint();
    M_A_Rxy(g.DrawnLines);
    keepTrace(g.TraceWork, g.DrawnTrace);
    // Before the next task's size is read: the board still shows this one's grid.
    describeBoard();
    HowMuchErrors();
}

void Form1::Timer_secTimer() {
    // The countdown stands still while a line is open.
    if (g.LineInProgress == 1) return;
    g.SecondsLeft -= 1;
    if (g.Phase == PhaseShowing && g.SecondsLeft <= 0) {
        Timer_sec->stop();
        Ready1Click();
    }
    if (g.Phase == PhaseAnswering && g.SecondsLeft <= 0) {
        Timer_sec->stop();
        Check();
    }
}

void Form1::FormActivate() {
    const Canvas::Batch drawing(canvas());
    FormResize();
    Clear();
    FormPaint();
    english();
    Pro1->show();
    Pro2->show();
    describeBoard();
}

void Form1::SetingsGame1Click() {
    if (!m_formSet) return;
    m_formSet->exec();
    // The dialog covered the board: repaint it for the current phase.
    FormPaint();
    describeBoard();
}

void Form1::Exit1Click() {
    close();
}
