#include "PlayingTheGame.h"

#include <QClipboard>
#include <QMimeData>

namespace {

// Puts text into a field by typing, pasting or dropping it.
void enter(QLineEdit *edit, const QString &route, const QString &text) {
    if (route == u"type") return QTest::keyClicks(edit, text);
    if (route == u"paste") {
        QGuiApplication::clipboard()->setText(text);
        return QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    }
    QMimeData data;
    data.setText(text);
    const QPoint at = edit->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &drop);
}

// The field, then the values beside "Amount of lines" and "Range of array".
QString shown(QLineEdit *edit, FormSet &s) {
    return QStringList{edit->text(), s.Label8->text(), s.Label9->text()}.join(u'/');
}

// `cell`: level 7's Range cell as stored; empty: the default one.
void row(const char *field, const char *route, const char *input, const char *shows, const char *outcome,
         const char *cell = "") {
    QTest::addRow("%s %s '%s'%s", route, field, input,
                  *cell ? qPrintable(QStringLiteral(", level 7 '%1'").arg(cell)) : "")
        << field << route << input << cell << shows << outcome;
}

} // namespace

class TestSettingsDialog : public QObject {
    Q_OBJECT

    std::unique_ptr<StartedGame> t;

private Q_SLOTS:
    void init() { t = std::make_unique<StartedGame>(); }

    void cleanup() { finish(t); }

    // What a field shows after typing, pasting or dropping, and what OK then stores: Level,
    // Range, LineCount, Time1; or OK's error, which leaves the game as it was and the dialog
    // open. The grid size, as level 7's cell holds it, stands beside "Amount of lines".
    void fieldsTakeDigitsAndOkStoresThem_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("shows");
        QTest::addColumn<QString>("outcome");
        row("Edit1", "type", "7", "7/5/6", "7/5/6/10");
        row("Edit1", "type", "19", "15/9/10", "15/9/10/10");
        row("Edit1", "type", "", "/3/3", "1/3/3/10");
        row("Edit1", "type", "0", "0/3/3", "1/3/3/10"); // keeps the values of the level before
        row("EditT1", "type", "123", "12/3/3", "2/3/3/12");
        row("EditT1", "type", "4a", "4/3/3", "2/3/3/4");
        row("EditT1", "type", "0", "0/3/3", "2/3/3/1");
        row("Edit1", "paste", "99999999999999999999999", "15/9/10", "15/9/10/10");
        row("EditT1", "paste", "1a", "/3/3", "2/3/3/1");
        row("Edit1", "drop", "-7x", "/3/3", "1/3/3/10");
        row("EditT1", "drop", "987", "98/3/3", "2/3/3/98");
        row("Edit1", "type", "7", "7/ 4/6", "7/4/6/10", " 4");
        row("Edit1", "type", "7", "7/+4/6", "7/4/6/10", "+4");
        row("Edit1", "type", "7", "7/x/6", "'x' is not a valid integer value", "x ");
    }

    void fieldsTakeDigitsAndOkStoresThem() {
        QFETCH(QString, field);
        QFETCH(QString, route);
        QFETCH(QString, input);
        QFETCH(QString, cell);
        QFETCH(QString, shows);
        QFETCH(QString, outcome);
        GameState &g = t->g;
        std::tie(g.TimeEnabled, g.ProEnabled) = std::tuple(0, 0);
        if (!cell.isEmpty()) g.Liniy_level = QString(LevelTable::DefaultLiniyLevel).replace(12, 2, cell);
        auto state = [&g] {
            return std::tuple(QString::asprintf("%d/%d/%d/%d", g.Level, g.Range, g.LineCount, g.Time1),
                              g.Time2, g.Liniy_level);
        };
        const auto before = state();
        FormSet &s = t->game->formSet();
        s.show();
        QLineEdit *edit = field == u"Edit1" ? s.Edit1 : s.EditT1;
        emptyField(edit);
        enter(edit, route, input);
        QCOMPARE(shown(edit, s), shows);
        QTest::mouseClick(s.Button1, Qt::LeftButton);
        if (s.isVisible()) {
            QCOMPARE(std::exchange(t->errors, {}), QStringList{outcome});
            QCOMPARE(state(), before);
            return;
        }
        // Every OK sets the answer time and switches the countdown on; the bars' flag stays.
        QCOMPARE(std::get<0>(state()), outcome);
        QCOMPARE((QList<int>{g.Time2, g.TimeEnabled, g.ProEnabled}), (QList<int>{1000, 1, 0}));
        // OK writes the level table back as it stores it.
        QCOMPARE(g.Liniy_level + u'|' + g.Range_level,
                 QStringLiteral("2 3 3 4 4 5 5 6 6 7 7 8 8 9 9 101112136 ")
                         .replace(12, 2, cell.isEmpty() ? "5 " : cell) +
                     QStringLiteral("|3 3 4 4 5 5 6 6 7 7 8 8 9 9 10101010106 "));
    }

    void openingAndCancelling_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Cancel") << false;
        QTest::newRow("close box") << true;
    }

    // The opening shows the game's values, the grid size beside "Amount of lines", and
    // Tab goes from field to button as the player reads; what the player then types is lost
    // on Cancel and the close box, but neither Enter nor Escape closes the dialog.
    void openingAndCancelling() {
        QFETCH(bool, closeBox);
        GameState &g = t->g;
        QString opened;
        QList<QWidget *> tabOrder;
        bool modal = false, crossed = false, stayedOpen = false, closed = false;
        withSettingsOpen(*t->game, [&](FormSet &s) {
            modal = s.isModal();
            for (QWidget *next = s.EditT1; tabOrder.size() < 5; next = next->nextInFocusChain())
                if (next->focusPolicy() != Qt::NoFocus) tabOrder << next;
            crossed = s.Label8->y() == s.Label1->y() && s.Label9->y() == s.Label2->y();
            opened = shown(s.EditT1, s) + u'/' + s.Edit1->text();
            emptyField(s.Edit1);
            QTest::keyClicks(s.Edit1, "9");
            QTest::keyClicks(s.EditT1, "5");
            QTest::keyClick(s.Edit1, Qt::Key_Return);
            QTest::keyClick(s.Edit1, Qt::Key_Escape);
            stayedOpen = s.isVisible();
            if (closeBox)
                s.windowHandle()->close();
            else
                QTest::mouseClick(s.Button2, Qt::LeftButton);
            closed = !s.isVisible();
        });
        QCOMPARE(opened, QStringLiteral("10/3/3/2"));
        QVERIFY(modal && crossed && stayedOpen && closed);
        FormSet &s = t->game->formSet();
        QCOMPARE(tabOrder, (QList<QWidget *>{s.EditT1, s.Button1, s.Button2, s.Edit1, s.Button3}));
        QCOMPARE((QList<int>{g.Time1, g.Time2, g.Level, g.Range, g.LineCount, g.TimeEnabled, g.ProEnabled}),
                 (QList<int>{10, 10000, 2, 3, 3, 1, 1}));
        QVERIFY(g.Liniy_level == LevelTable::DefaultLiniyLevel &&
                g.Range_level == LevelTable::DefaultRangeLevel);
        s.show(); // the next opening shows the game's values again
        QCOMPARE(shown(s.Edit1, s) + u'/' + s.EditT1->text(), QStringLiteral("2/3/3/10"));
    }
};

TESSARIN_TEST_MAIN(TestSettingsDialog)
#include "test_settings_dialog.moc"
