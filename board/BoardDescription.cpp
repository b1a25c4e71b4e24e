#include "board/BoardDescription.h"

#include "analysis/Scoring.h"

#include <QStringList>
#include <algorithm>

namespace {

const QString PointsAre = QStringLiteral(" Points are column,row from the top left.");

QString counted(int n, const char *thing) {
    return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(thing)).arg(QLatin1String(n == 1 ? "" : "s"));
}

int completeLines(const LineTable &table) {
    int n = 0;
    for (int slot = 1; slot <= LineTable::Slots; ++slot)
        n += table.isComplete(slot);
    return n;
}

QString listed(const LineTable &t) {
    QStringList lines;
    for (int i = 1; i <= LineTable::Slots; ++i)
        if (t.isComplete(i))
            lines << QStringLiteral("%1,%2 to %3,%4").arg(t.X1[i]).arg(t.Y1[i]).arg(t.X2[i]).arg(t.Y2[i]);
    return lines.isEmpty() ? QStringLiteral("none") : lines.join(QStringLiteral("; "));
}

// The task's sample points that scoring looks at.
int taskPoints(const Trace &task) {
    return int(std::count_if(task.A.begin() + 1, task.A.begin() + Trace::Kept + 1,
                             [](int32_t a) { return a != 0; }));
}

} // namespace

BoardWords boardInWords(const GameState &g) {
    const QString grid = QStringLiteral("Board, %1 by %1 points").arg(g.Range);
    const int task = completeLines(g.TaskLines), drawn = completeLines(g.DrawnLines);
    if (g.Phase == PhaseShowing)
        return {grid + QStringLiteral(": %1 shown").arg(counted(task, "line")),
                QStringLiteral("In blue, to remember: %1.").arg(listed(g.TaskLines)) + PointsAre};
    if (g.Phase == PhaseAnswering) {
        QString lines = drawn > 0 ? QStringLiteral("Your lines, in orange: %1.").arg(listed(g.DrawnLines))
                                  : QStringLiteral("No line drawn yet.");
        if (g.LineInProgress == 1) {
            const int slot = std::clamp(g.DrawnIndex, 1, LineTable::Slots);
            lines += QStringLiteral(" A line begins at %1,%2.")
                         .arg(g.DrawnLines.X1[slot])
                         .arg(g.DrawnLines.Y1[slot]);
        }
        return {grid + QStringLiteral(": %1 of %2 drawn").arg(drawn).arg(counted(task, "line")),
                lines + PointsAre};
    }
    if (task == 0 && drawn == 0) return {grid, QStringLiteral("No lines.")};
    const TraceScore score = scoreTraces(g.TaskTrace, g.DrawnTrace);
    return {grid + QStringLiteral(": %1 of %2 matched")
                       .arg(score.matched)
                       .arg(counted(taskPoints(g.TaskTrace), "point")),
            QStringLiteral("The task in red: %1. Your lines over it in orange: %2.")
                    .arg(listed(g.TaskLines), listed(g.DrawnLines)) +
                PointsAre};
}
