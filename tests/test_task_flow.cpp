#include "PlayingTheGame.h"

#include "analysis/LineDecomposition.h"
#include "analysis/Scoring.h"
#include "board/Accessibility.h"
#include "game/GameError.h"

#include <QAccessible>
#include <QMetaEnum>
#include <ranges>

namespace {

const QString Memorize =
    QStringLiteral("Try to memorize all the shown lines and the location of each image.");
const QString Answer = QStringLiteral(
    "Using the mouse takes lines from the table of examples and set them up on the table of frames");
const QString GameTitle = QStringLiteral("Tessarin game");

QString quoted(const QString &text) {
    return u'"' + text + u'"';
}

// A control as assistive technology reads it: its role, name and value, its description
// where that says more, the captions it is read with, whether it is disabled or modal,
// and the actions AT-SPI offers for it, two of them for any value interface.
QString spoken(QObject *control) {
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(control);
    QStringList words{QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(a->role())),
                      quoted(a->text(QAccessible::Name))};
    const QString value = a->text(QAccessible::Value), description = a->text(QAccessible::Description);
    if (!value.isEmpty()) words << u'=' + quoted(value);
    if (!description.isEmpty() && description != value) words << u'(' + description + u')';
    for (const auto &[label, relation] : a->relations(QAccessible::Label))
        words << QStringLiteral("labelled by ") + quoted(label->text(QAccessible::Name));
    if (a->state().disabled) words << QStringLiteral("disabled");
    if (a->state().modal) words << QStringLiteral("modal");
    QStringList actions = a->actionInterface() ? a->actionInterface()->actionNames() : QStringList();
    actions.removeAll(QAccessibleActionInterface::setFocusAction());
    if (a->valueInterface())
        actions << QAccessibleActionInterface::increaseAction()
                << QAccessibleActionInterface::decreaseAction();
    if (!actions.isEmpty()) words << u'[' + actions.join(u", ") + u']';
    return words.join(u' ');
}

} // namespace

class TestTaskFlow : public QObject {
    Q_OBJECT

    std::unique_ptr<StartedGame> t;
    GameState *g = nullptr;
    Form1 *w = nullptr;

    FlowState flow() const { return flowOf(*w, *g); }
    void ticks(int n) {
        std::ranges::for_each(std::views::iota(0, n), [this](int) { w->Timer_secTimer(); });
    }
    int taskLines() const {
        const auto indices = std::views::iota(1, LineTable::Slots + 1);
        return int(std::ranges::count_if(indices, [this](int i) { return !g->TaskLines.isEmpty(i); }));
    }

private Q_SLOTS:
    void init() {
        t = std::make_unique<StartedGame>();
        g = &t->g;
        w = &t->w;
        w->random().seed(7);
    }
    void cleanup() {
        Accessibility::setListener({});
        t.reset();
    }

    // The default level table's task sizes, and cells that New plays on a Range of 2 or
    // as an empty task.
    void newMakesATaskOfTheLevelsSize_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("cells"); // the level's Range and LineCount; empty: the defaults
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("lineCount");
        QTest::newRow("level 1") << 1 << QString() << 2 << 3;
        QTest::newRow("level 15") << 15 << QString() << 9 << 10;
        QTest::newRow("Range 1") << 4 << "1 4" << 2 << 4;
        QTest::newRow("Range 0") << 4 << "0 3" << 2 << 3;
        QTest::newRow("Range -7") << 4 << "-7 3" << 2 << 3;
        QTest::newRow("no lines") << 4 << "5 0" << 5 << 0;
        QTest::newRow("negative lines") << 4 << "5 -3" << 5 << 0;
    }
    void newMakesATaskOfTheLevelsSize() {
        QFETCH(int, level);
        QFETCH(QString, cells);
        QFETCH(int, range);
        QFETCH(int, lineCount);
        g->Level = level;
        if (!cells.isEmpty()) {
            g->levels.setCell(level, LevelTable::RangeRow, cells.section(u' ', 0, 0));
            g->levels.setCell(level, LevelTable::LineCountRow, cells.section(u' ', 1, 1));
        }
        g->Pro2.setMaximum(5000);
        g->Pro2.setPosition(4000);
        g->DrawnLines.X1[7] = 3;
        g->DrawnIndex = 9;
        QTest::mouseClick(w->ButtonNew, Qt::LeftButton);
        QCOMPARE(std::tuple(g->Range, taskLines(), g->DrawnIndex, t->errors.size()),
                 std::tuple(range, lineCount, 1, 0));
        const LineTable &t = g->TaskLines;
        for (int i = 1; i <= lineCount; ++i) {
            for (int v : {t.X1[i], t.Y1[i], t.X2[i], t.Y2[i]})
                QVERIFY(v >= 1 && v <= range);
            QVERIFY(t.X1[i] != t.X2[i] || t.Y1[i] != t.Y2[i]);
        }
        QCOMPARE(g->DrawnLines.X1[7], 0);
        QCOMPARE(g->CellW, w->PaintB->width() / (range + 1));
        // The bars get the task's maximum, 150 at level 1 .. 2250 at level 15, none for a
        // task of no lines; their positions are only cut to it.
        const int barMaximum = lineCount * range * 25;
        QCOMPARE(std::tuple(g->Pro1.maximum(), g->Pro2.maximum(), g->Pro2.position()),
                 std::tuple(barMaximum, barMaximum, std::min(4000, barMaximum)));
        QCOMPARE(w->Pro2->value(), g->Pro2.position());
    }

    // A task through its phases from the first showing (whose activation sets "Tessarin
    // training"): the buttons, status, timer and countdown, and the board
    // (blue task; only the grid; red task with the drawing in orange over it). Left alone
    // it runs Ready after Time1 ticks and Check after Time2 more; a line held open freezes
    // the countdown, and Check with it open scores nothing.
    void aTaskRunsThroughItsPhases() {
        const QImage &board = w->canvas().image();
        auto colors = [&] {
            return std::tuple(shows(board, BoardColors::TaskShowing), shows(board, BoardColors::TaskChecked),
                              shows(board, BoardColors::Player));
        };
        QCOMPARE(flow(), (FlowState{PhaseIdle, "New", "Tessarin training", false, 0}));
        std::tie(g->Time1, g->Time2) = std::tuple(3, 5);
        QTest::mouseClick(w->ButtonNew, Qt::LeftButton);
        QCOMPARE(flow(), (FlowState{PhaseShowing, "Ready", Memorize, true, 3}));
        QCOMPARE(colors(), std::tuple(true, false, false));
        ticks(2);
        QCOMPARE(flow(), (FlowState{PhaseShowing, "Ready", Memorize, true, 1}));
        ticks(1);
        QCOMPARE(flow(), (FlowState{PhaseAnswering, "Check", Answer, true, 5}));
        QCOMPARE(colors(), std::tuple(false, false, false));
        ticks(4);
        QCOMPARE(flow(), (FlowState{PhaseAnswering, "Check", Answer, true, 1}));
        ticks(1);
        QCOMPARE(flow(), (FlowState{PhaseIdle, "New", GameTitle, false, 0}));

        QTest::mouseClick(w->ButtonNew, Qt::LeftButton);
        QTest::mouseClick(w->ButtonReady, Qt::LeftButton);
        QCOMPARE(flow(), (FlowState{PhaseAnswering, "Check", Answer, true, 5}));
        setLine(g->DrawnLines, 1, lineAt(g->TaskLines, 1)); // a copy of the first task line, held open
        g->LineInProgress = 1;
        ticks(10);
        QCOMPARE(flow(), (FlowState{PhaseAnswering, "Check", Answer, true, 5}));
        const int reserve = g->Pro2.position();
        QTest::mouseClick(w->buttonCheck, Qt::LeftButton);
        QCOMPARE(flow(), (FlowState{PhaseAnswering, "Check", GameTitle, false, 0}));
        QCOMPARE(g->Pro2.position(), reserve);
        g->LineInProgress = 0;
        // Check scores the first 1000 entries of both tables' decompositions on the bars.
        auto kept = [](const Trace &t) {
            return std::pair(QList(t.A.begin() + 1, t.A.begin() + Trace::Kept + 1),
                             QList(t.B.begin() + 1, t.B.begin() + Trace::Kept + 1));
        };
        const Trace task = decomposeLines(g->TaskLines, g->LineCount, g->CellW).trace,
                    drawn = decomposeLines(g->DrawnLines, g->LineCount, g->CellW).trace;
        const Progress before{g->Pro1, g->Pro2, g->Level};
        QTest::mouseClick(w->buttonCheck, Qt::LeftButton);
        QCOMPARE(flow(), (FlowState{PhaseIdle, "New", GameTitle, false, 0}));
        QCOMPARE(colors(), std::tuple(false, true, true));
        QVERIFY(kept(g->TaskTrace) == kept(task) && kept(g->DrawnTrace) == kept(drawn));
        const TraceScore score = scoreTraces(task, drawn);
        QVERIFY(score.matched > 0 && score.penalty > 0);
        const Progress after = progressAfter(before, score);
        QCOMPARE(std::tuple(g->Level, g->Pro1.position(), g->Pro2.position()),
                 std::tuple(after.level, after.pro1.position(), after.pro2.position()));
        QTest::mouseClick(w->ButtonNew, Qt::LeftButton);
        QCOMPARE(colors(), std::tuple(true, false, false));
    }

    // Scoring reads the level's task size again, whether the level changed or not; a bad cell
    // stops it there, and the bars still show the new positions. 12 points matched, 2 missed.
    void scoringReadsTheLevelsSizeAgain_data() {
        QTest::addColumn<int>("pro1"); // of 150, Pro2 full, at level 4
        QTest::addColumn<int>("badRow");
        QTest::addColumn<QString>("badCell");  // of level 5
        QTest::addColumn<QList<int>>("after"); // Level, Pro1, Pro2, Range, LineCount
        QTest::newRow("same level") << 0 << 0 << QString() << QList{4, 12, 142, 24, 44};
        QTest::newRow("up, Range fails")
            << 140 << int(LevelTable::RangeRow) << "x" << QList{5, 0, 150, 99, 77};
        QTest::newRow("up, LineCount fails")
            << 140 << int(LevelTable::LineCountRow) << QString() << QList{5, 0, 150, 25, 77};
    }
    void scoringReadsTheLevelsSizeAgain() {
        QFETCH(int, pro1);
        QFETCH(int, badRow);
        QFETCH(QString, badCell);
        QFETCH(QList<int>, after);
        for (int level : {4, 5}) {
            g->levels.setCell(level, LevelTable::RangeRow, QString::number(20 + level));
            g->levels.setCell(level, LevelTable::LineCountRow, QString::number(40 + level));
        }
        if (badRow != 0) g->levels.setCell(5, badRow, badCell);
        std::tie(g->Level, g->Range, g->LineCount) = std::tuple(4, 99, 77);
        for (ScoreBar *bar : {&g->Pro1, &g->Pro2})
            bar->setMaximum(150);
        g->Pro1.setPosition(pro1);
        g->Pro2.setPosition(150);
        g->TaskTrace = g->DrawnTrace = Trace{};
        for (int n = 1; n <= 14; ++n) {
            g->TaskTrace.A[n] = g->TaskTrace.B[n] = n;
            g->DrawnTrace.A[n] = g->DrawnTrace.B[n] = n <= 12 ? n : 0;
        }
        if (badRow != 0)
            QVERIFY_THROWS_EXCEPTION(GameError, w->HowMuchErrors());
        else
            w->HowMuchErrors();
        QCOMPARE((QList{g->Level, g->Pro1.position(), g->Pro2.position(), g->Range, g->LineCount}), after);
        QCOMPARE((QList{w->Pro1->value(), w->Pro2->value()}), after.mid(1, 2));
    }

    // The three windows as assistive technology reads them, before and after a round in
    // which the player draws the first of three task lines: each control's role, name and
    // value, and the changes told of it during the round. {link} and {page} stand for the
    // About box's link text and the address it opens, which depend on the build's folder.
    void whatAssistiveTechnologyReads_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control"); // empty: the window itself
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");   // by default as before
        QTest::addColumn<QList<int>>("told"); // the kinds of change, each once
        const auto row = [](const char *window, const char *control, const char *before,
                            const char *after = nullptr, QList<int> told = {}) {
            QTest::addRow("%s %s", window, control)
                << window << control << before << (after ? after : before) << told;
        };
        const int name = QAccessible::NameChanged, description = QAccessible::DescriptionChanged;
        QList<int> status{name};
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        status << QAccessible::Announcement;
#endif
        row("main", "", R"(Window "Tessarin training")");
        row("main", "PaintB", R"(Canvas "Board, 3 by 3 points" (No lines.))",
            R"(Canvas "Board, 3 by 3 points: 11 of 33 points matched" (The task in red: 3,3 to 1,3; )"
            R"(1,1 to 3,3; 1,3 to 3,2. Your lines over it in orange: 3,3 to 1,3. Points are column,row )"
            R"(from the top left.))",
            {name, description});
        row("main", "Panel2", R"(StatusBar "Tessarin training")", R"(StatusBar "Tessarin game")", status);
        row("main", "Pro1", R"(ProgressBar "Success" ="0% full, 0 of 225")",
            R"(ProgressBar "Success" ="4% full, 11 of 225")", {description});
        row("main", "Pro2", R"(ProgressBar "Reserve" ="100% full, 225 of 225")",
            R"(ProgressBar "Reserve" ="60% full, 137 of 225")", {description});
        row("main", "Panel1", R"(Grouping "Score")");
        row("main", "ButtonNew", R"(Button "New" [Press])");
        row("main", "ButtonReady", R"(Button "Ready" disabled)");
        row("main", "buttonCheck", R"(Button "Check" disabled)");
        row("main", "ButtonSet", R"(Button "Settings" [Press])");
        row("main", "ButtonEnd", R"(Button "End" [Press])");
        row("settings", "", R"(Dialog "Settings" modal)");
        row("settings", "EditT1",
            R"(EditableText "Show time" ="10" (Seconds the lines are shown, 1 to 99) labelled by "Show time")");
        row("settings", "Edit1",
            R"(EditableText "Current level" ="2" (Level, 1 to 15) labelled by "Current level")");
        row("settings", "Label8", R"(StaticText "3" labelled by "Amount of lines")");
        row("settings", "Label9", R"(StaticText "3" labelled by "Range of array")");
        row("settings", "Button1", R"(Button "OK" [Press])");
        row("settings", "Button2", R"(Button "Cancel" [Press])");
        row("settings", "Button3", R"(Button "About" [Press])");
        row("about", "", R"(Dialog "About Tessarin")");
        row("about", "Label5", R"(Link "{link}" ({page}) [Press])");
        row("about", "ProgramIcon", R"(Graphic "Tessarin emblem")");
        row("about", "Bevel1", R"(Separator "")");
        row("about", "Button3", R"(Button "Help" (Opens the readme) [Press])");
        row("about", "Button1", R"(Button "OK" [Press])");
    }
    void whatAssistiveTechnologyReads() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QList<int>, told);
        FormA &about = t->game->formA();
        QWidget *top = window == u"main"       ? static_cast<QWidget *>(w)
                       : window == u"settings" ? static_cast<QWidget *>(&t->game->formSet())
                                               : static_cast<QWidget *>(&about);
        QObject *object = control.isEmpty() ? top : top->findChild<QWidget *>(control);
        QVERIFY(object);
        for (QString *text : {&before, &after})
            text->replace(QStringLiteral("{link}"), about.Label5->text())
                .replace(QStringLiteral("{page}"), FormA::productPage().toDisplayString());
        QList<int> kinds;
        Accessibility::setListener([&](QAccessibleEvent &event) {
            if (event.object() == object && !kinds.contains(event.type())) kinds << event.type();
        });
        QCOMPARE(spoken(object), before);
        QTest::mouseClick(w->ButtonNew, Qt::LeftButton);
        QTest::mouseClick(w->ButtonReady, Qt::LeftButton);
        const LineTable &task = g->TaskLines;
        for (QPoint end : {QPoint(task.X1[1], task.Y1[1]), QPoint(task.X2[1], task.Y2[1])})
            QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {},
                              w->PaintB->mapTo(w, QPoint(end.x() * g->CellW, end.y() * g->CellH)));
        QTest::mouseClick(w->buttonCheck, Qt::LeftButton);
        QCOMPARE(spoken(object), after);
        QCOMPARE(kinds, told);
    }

    // New stops at the failed lookup, after starting the countdown, with the old task
    // kept; the message is shown and the game goes on.
    void aFailedLookupStopsNewAfterTheCountdownStarted() {
        w->New1Click();
        const LineTable before = g->TaskLines;
        w->Check();
        g->levels.setCell(g->Level, LevelTable::LineCountRow, QStringLiteral("x"));
        QTest::mouseClick(w->ButtonNew, Qt::LeftButton);
        QCOMPARE(t->errors, QStringList{QStringLiteral("'x' is not a valid integer value")});
        QCOMPARE(flow(), (FlowState{PhaseShowing, "New", Memorize, true, g->Time1}));
        QVERIFY(g->TaskLines.X1 == before.X1 && g->TaskLines.Y2 == before.Y2);
        QTest::mouseClick(w->ButtonNew, Qt::LeftButton);
        QCOMPARE(t->errors.size(), 2);
    }
};

TESSARIN_TEST_MAIN(TestTaskFlow)
#include "test_task_flow.moc"
