#include "settings/FormSet.h"

#include "board/DialogWindow.h"
#include "board/FocusMark.h"
#include "board/WindowLook.h"
#include "game/ErrorHandler.h"
#include "game/GameRules.h"
#include "game/GameState.h"
#include "game/IntegerText.h"
#include "settings/FormA.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QWindow>
#include <algorithm>
#include <limits>

using namespace WindowLook;

namespace {

QLabel *label(QWidget *parent, const char *name, const QString &text, QRect designGeometry,
              Qt::Alignment alignment) {
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(alignment | Qt::AlignVCenter);
    l->setGeometry(scaled(designGeometry));
    return l;
}

// The value of the level field. Only digits reach it; a number too long to convert is
// above the highest level all the same.
qint64 levelValue(const QString &text) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? value : std::numeric_limits<qint64>::max();
}

// A field's value as OK takes it: an empty field is 0, any other converts as the
// level table's cells do, so that a cell the lookup takes (" 3", "+3") is taken here too.
int32_t fieldValue(const QString &text) {
    return text.isEmpty() ? 0 : toInteger(text);
}

// At most two characters, digits only, as the showing-time field holds them.
QString twoDigitForm(QString text) {
    text.truncate(2);
    if (text.size() == 2 && !text[1].isDigit()) text.truncate(1);
    if (!text.isEmpty() && !text[0].isDigit()) text.remove(0, 1);
    return text;
}

} // namespace

FormSet::FormSet(GameState &state, QWidget *mainWindow)
    : QDialog(nullptr), g(state), m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("FormSet"));
    // Modal for the main window only: the About box stays usable beside the dialog.
    setWindowModality(Qt::WindowModal);
    DialogWindow::makeFixedDialog(this);
    createControls();
    connectHandlers();
    FormCreate();
}

void FormSet::createControls() {
    applyLook(this, sansSerif(13));
    setWindowTitle(QStringLiteral("S e t t i n g s"));

    const QFont valueFont = sansSerif(15, true);
    const Qt::Alignment right = Qt::AlignRight, centre = Qt::AlignHCenter;

    Label3 = label(this, "Label3", QStringLiteral("Game Settings"), QRect(0, 0, 0, 25), centre);
    QFont titleFont = sansSerif(20, true);
    Label3->setFont(titleFont);
    QPalette navy = Label3->palette();
    navy.setColor(QPalette::WindowText, QColor(BoardColors::Navy));
    Label3->setPalette(navy);

    Label1 = label(this, "Label1", QStringLiteral("Amount of lines"), QRect(28, 48, 127, 16), right);
    Label8 = label(this, "Label8", QString(), QRect(169, 48, 48, 16), centre);
    Label8->setFont(valueFont);
    Label4 = label(this, "Label4", QStringLiteral("Show time"), QRect(340, 48, 94, 16), right);
    Label2 = label(this, "Label2", QStringLiteral("Range of array"), QRect(-2, 89, 155, 16), right);
    Label9 = label(this, "Label9", QString(), QRect(169, 89, 48, 16), centre);
    Label9->setFont(valueFont);
    Label7 = label(this, "Label7", QStringLiteral("Current level"), QRect(315, 89, 118, 16), right);

    // Both fields take digits by every route: typing, pasting and dropping.
    auto digitsOnly = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    auto makeEdit = [&](const char *name, QRect designGeometry) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setValidator(digitsOnly);
        edit->setGeometry(scaled(designGeometry));
        return edit;
    };
    EditT1 = makeEdit("EditT1", QRect(448, 41, 41, 24));
    Edit1 = makeEdit("Edit1", QRect(448, 80, 41, 24));

    auto makeButton = [&](const char *name, const QString &caption, QRect designGeometry) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        DialogWindow::makePlainButton(button, designGeometry);
        return button;
    };
    Button3 = makeButton("Button3", QStringLiteral("About"), QRect(9, 144, 104, 33));
    Button2 = makeButton("Button2", QStringLiteral("Cancel"), QRect(256, 144, 113, 33));
    Button1 = makeButton("Button1", QStringLiteral("OK"), QRect(384, 144, 113, 33));

    setTabOrder(EditT1, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Edit1);
    setTabOrder(Edit1, Button3);

    // Assistive technology reads each field and each value with its caption.
    Label4->setBuddy(EditT1);
    Label7->setBuddy(Edit1);
    Label1->setBuddy(Label8);
    Label2->setBuddy(Label9);
    EditT1->setAccessibleDescription(QStringLiteral("Seconds the lines are shown, 1 to 99"));
    Edit1->setAccessibleDescription(QStringLiteral("Level, 1 to 15"));
    // The title's letters are spaced for the eye; said aloud, it is one word.
    setAccessibleName(QStringLiteral("Settings"));
    FocusMark::apply(this);
}

void FormSet::connectHandlers() {
    connectGuarded(EditT1, &QLineEdit::textChanged, this, &FormSet::EditT1Change);
    connectGuarded(Edit1, &QLineEdit::textChanged, this, &FormSet::Edit1Change);
    connectGuarded(Button1, &QPushButton::clicked, this, &FormSet::OK_Click);
    connectGuarded(Button2, &QPushButton::clicked, this, &FormSet::Button2Click);
    connectGuarded(Button3, &QPushButton::clicked, this, &FormSet::Button3Click);
    // An activation tells by it whether the player came back from the About box.
    DialogWindow::rememberActiveWindow(this, m_lastActiveWindow);
}

void FormSet::FormCreate() {
    applyLook(this, font());
    EditL = QString::number(g.LineCount);
    EditR = QString::number(g.Range);
    EditT1->setText(QString::number(g.Time1)); // each change runs the field's reaction
    Edit1->setText(QString::number(g.Level));

    DialogWindow::centreOnScreen(this);

    g.levels.load(g.Liniy_level, g.Range_level);

    setFixedSize(Button1->geometry().right() + 1 + scaled(DialogWindow::ButtonMargin.width()),
                 Button1->geometry().bottom() + 1 + scaled(DialogWindow::ButtonMargin.height()));
    Label3->resize(width(), Label3->height());
}

void FormSet::FormActivate() {
    FormCreate();
    Label8->setText(EditR);
    Label9->setText(EditL);
}

void FormSet::EditT1Change() {
    EditT1->setText(twoDigitForm(EditT1->text()));
    Edit1->setText(twoDigitForm(Edit1->text()));
}

void FormSet::Edit1Change() {
    if (Edit1->text().isEmpty()) return;
    if (levelValue(Edit1->text()) > GameRules::HighestLevel)
        Edit1->setText(QString::number(GameRules::HighestLevel));
    const qint64 level = levelValue(Edit1->text());
    if (level > 0) {
        EditR = g.levels.cell(int(level), LevelTable::RangeRow);
        Label8->setText(EditR);
        EditL = g.levels.cell(int(level), LevelTable::LineCountRow);
        Label9->setText(EditL);
    }
}

void FormSet::OK_Click() {
    if (Edit1->text().isEmpty()) Edit1->setText(QStringLiteral("1"));
    // Everything is converted before anything is set: a field that fails to convert
    // leaves the game as it was and the dialog open.
    const int32_t lineCount = std::max(fieldValue(EditL), GameRules::FewestLines);
    const int32_t range = std::max(fieldValue(EditR), GameRules::SmallestRange);
    const int32_t time1 = std::max(fieldValue(EditT1->text()), GameRules::ShortestShowing);
    const int32_t level = std::max(toInteger(Edit1->text()), GameRules::LowestLevel);
    QString liniyLevel, rangeLevel;
    g.levels.store(liniyLevel, rangeLevel);

    g.LineCount = lineCount;
    g.Range = range;
    g.Time1 = time1;
    g.Time2 = 1000;
    g.Level = level;
    g.TimeEnabled = 1;
    g.Liniy_level = liniyLevel;
    g.Range_level = rangeLevel;
    accept();
}

void FormSet::Button2Click() {
    reject();
}

void FormSet::Button3Click() {
    if (m_aboutBox) m_aboutBox->showInFront();
}

bool FormSet::event(QEvent *e) {
    // Coming back from the About box fills the dialog again; coming back from another
    // program does not.
    if (e->type() == QEvent::WindowActivate && m_aboutBox && m_lastActiveWindow == m_aboutBox)
        runGuarded([this] { FormActivate(); });
    return QDialog::event(e);
}

void FormSet::showEvent(QShowEvent *e) {
    if (!e->spontaneous()) {
        // Modal for the main window: the dialog is its transient, nothing more.
        if (m_mainWindow && m_mainWindow->windowHandle() && windowHandle())
            windowHandle()->setTransientParent(m_mainWindow->windowHandle());
        runGuarded([this] { FormActivate(); });
    }
    QDialog::showEvent(e);
}

void FormSet::changeEvent(QEvent *e) {
    DialogWindow::refuseMinimising(this, e);
    QDialog::changeEvent(e);
}

void FormSet::keyPressEvent(QKeyEvent *e) {
    // Neither OK nor Cancel is the dialog's default or cancel button.
    if (e->key() == Qt::Key_Escape || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->ignore();
        return;
    }
    QDialog::keyPressEvent(e);
}
