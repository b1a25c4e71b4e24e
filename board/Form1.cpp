#include "board/Form1.h"

#include "board/Accessibility.h"
#include "board/BoardDescription.h"
#include "board/BoardDrawing.h"
#include "board/DesignPicture.h"
#include "board/DialogWindow.h"
#include "board/FocusMark.h"
#include "board/WindowLook.h"
#include "game/ErrorHandler.h"
#include "game/SessionEnd.h"
#include "settings/FormA.h"
#include "settings/FormSet.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QPixmap>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>
#include <cstdio>

using namespace WindowLook;

namespace {

QLabel *picture(QWidget *parent) {
    auto *label = new QLabel(parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setScaledContents(false);
    Accessibility::markDecorative(label);
    return label;
}

} // namespace

Form1::Form1(GameState &state) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), g(state) {
    Accessibility::install();
    createControls();
    connectHandlers();

    // Creation: the settings, the random generator (seeded from the clock), an idle board.
    g.AppDir = QCoreApplication::applicationDirPath() + u'/';
    loadSettings(g);
    // When the desktop session ends, Windows ends the process right after the quit is
    // announced, before the event loop returns and this window is destroyed; so the
    // settings are written at that announcement, which an ordinary end passes as well.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        m_settingsSaved = true;
        onAbruptExit(nullptr);
        runGuarded([this] { saveSettings(g); });
    });
    // X session management asks for the run to be saved before the session ends.
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this] { runGuarded([this] { saveSettings(g); }); });
    // When the X server goes away, the windowing system ends the process from inside the
    // event loop; the settings are still written then, with no window left to complain in.
    onAbruptExit([this] {
        try {
            saveSettings(g);
        } catch (const std::exception &error) {
            std::fputs(error.what(), stderr);
            std::fputc('\n', stderr);
        }
    });
    g.Phase = PhaseIdle;
    g.DrawnIndex = 1;
    PaintB->resize(width(), PaintB->height());
    PaintB->fitCanvas();
    Clear();
    g.Pro1.setMaximum(g.barMaximum());
    g.Pro2.setMaximum(g.barMaximum());
    g.Pro1.setPosition(0);
    g.Pro2.setPosition(g.Pro2.maximum());
    showScoreBars();
    describeBoard();
}

Form1::~Form1() {
    onAbruptExit(nullptr);
    if (!m_settingsSaved) runGuarded([this] { saveSettings(g); });
}

void Form1::createControls() {
    setObjectName(QStringLiteral("Form1"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(BoardColors::Background));
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(sansSerif(13));

    // The pictures lie beneath everything else, so they are created first.
    Image1 = picture(this);
    Image2 = picture(this);
    Image3 = picture(this);
    Image4 = picture(this);
    Image4->resize(Image4->width(), scaled(137));

    PaintB = new BoardView(this);
    PaintB->setObjectName(QStringLiteral("PaintB"));
    PaintB->setGeometry(scaled(176), scaled(48), scaled(289), scaled(265));

    Panel2 = new StatusLine(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setAlignment(Qt::AlignCenter);
    paintAsPanel(Panel2);
    Panel2->setGeometry(0, 0, width(), scaled(33));

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    paintAsPanel(Panel1);
    Panel1->setAccessibleName(QStringLiteral("Score"));
    Panel1->setGeometry(scaled(528), scaled(88), scaled(49), scaled(241));
    auto makeBar = [this](int designLeft) {
        auto *bar = new QProgressBar(Panel1);
        bar->setOrientation(Qt::Vertical);
        bar->setTextVisible(false);
        bar->setGeometry(scaled(designLeft), scaled(9), scaled(16), scaled(208));
        return bar;
    };
    Pro1 = makeBar(9);
    Pro1->setObjectName(QStringLiteral("Pro1"));
    Pro2 = makeBar(25);
    Pro2->setObjectName(QStringLiteral("Pro2"));
    Pro1->setAccessibleName(QStringLiteral("Success"));
    Pro2->setAccessibleName(QStringLiteral("Reserve"));

    const QFont buttonFont = sansSerif(15, true);
    auto makeButton = [&](const char *name, const QString &caption, int top, int height) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setFont(buttonFont);
        QPalette p = button->palette();
        // Teal captions; a disabled button keeps the style's grey.
        for (auto group : {QPalette::Active, QPalette::Inactive})
            p.setColor(group, QPalette::ButtonText, QColor(0, 0x80, 0x80));
        button->setPalette(p);
        button->setGeometry(scaled(32), scaled(top), scaled(113), scaled(height));
        button->setFocusPolicy(Qt::TabFocus);
        return button;
    };
    ButtonNew = makeButton("ButtonNew", QStringLiteral("New"), 48, 33);
    ButtonReady = makeButton("ButtonReady", QStringLiteral("Ready"), 89, 32);
    buttonCheck = makeButton("buttonCheck", QStringLiteral("Check"), 128, 33);
    ButtonSet = makeButton("ButtonSet", QStringLiteral("Settings"), 169, 32);
    ButtonEnd = makeButton("ButtonEnd", QStringLiteral("End"), 249, 32);
    ButtonReady->setEnabled(false);
    buttonCheck->setEnabled(false);

    Timer_sec = new QTimer(this);
    Timer_sec->setObjectName(QStringLiteral("Timer_sec"));
    Timer_sec->setInterval(1000);

    Panel2->setStatus(QStringLiteral("Tessarin game"));
    FocusMark::apply(this);
}

void Form1::connectHandlers() {
    connectGuarded(ButtonNew, &QPushButton::clicked, this, &Form1::New1Click);
    connectGuarded(ButtonReady, &QPushButton::clicked, this, &Form1::Ready1Click);
    connectGuarded(buttonCheck, &QPushButton::clicked, this, &Form1::Check);
    connectGuarded(ButtonSet, &QPushButton::clicked, this, &Form1::SetingsGame1Click);
    connectGuarded(ButtonEnd, &QPushButton::clicked, this, &Form1::Exit1Click);
    connectGuarded(Timer_sec, &QTimer::timeout, this, &Form1::Timer_secTimer);
    DialogWindow::rememberActiveWindow(this, m_lastActiveWindow);

    PaintB->onPress = [this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
        PaintBMouseDown(b, m, x, y);
    };
    PaintB->onMove = [this](Qt::MouseButton, Qt::KeyboardModifiers m, int x, int y) {
        PaintBMouseMove(m, x, y);
    };
    PaintB->onRelease = [this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
        PaintBMouseUp(b, m, x, y);
    };
    // On a screen of another ratio the board and the pictures are made for it anew (the
    // pictures only once they have been loaded, which waits for the first frame).
    PaintB->onCanvasRemade = [this] {
        FormPaint();
        if (m_picturesRatio > 0) loadPictures();
    };
}

void Form1::loadPictures() {
    const qreal ratio = devicePixelRatioF();
    if (ratio == m_picturesRatio) return;
    m_picturesRatio = ratio;
    Image1->setPixmap(designPicture(QStringLiteral("Image1.jpg"), ratio));
    Image2->setPixmap(designPicture(QStringLiteral("Image2.jpg"), ratio));
    Image3->setPixmap(designPicture(QStringLiteral("Image3.jpg"), ratio));
    Image4->setPixmap(Image3->pixmap());
}

void Form1::setDialogs(FormSet *formSet, FormA *formA) {
    m_formSet = formSet;
    m_formA = formA;
    // The About box closing hands the focus back, also where no window manager does.
    if (formA) formA->installEventFilter(this);
}

void Form1::FormResize() {
    // The screen the window stands on (before its first showing, the primary one).
    const QScreen *screen = this->screen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const MainLayout l =
        layoutForScreen({screenRect.width(), screenRect.height(), g.Range, Panel2->height(), Image4->height(),
                         ButtonNew->x() + ButtonNew->width(), Panel1->width(), ButtonEnd->size()});
    // Placed by hand until it is on the screen, which is all a full-screen window needs
    // where no window manager acts on that state. Once shown full-screen, it is the
    // window system's to hold: a move asked for then may take it out of that state.
    if (!isFullScreen() || !windowHandle() || !windowHandle()->isExposed())
        setGeometry(l.window.translated(screenRect.topLeft()));
    Panel2->setGeometry(0, 0, l.window.width(), Panel2->height());
    PaintB->setGeometry(l.board);
    PaintB->fitCanvas();
    Image1->setGeometry(l.image1);
    Image2->setGeometry(l.image2);
    Image3->setGeometry(l.image3);
    Image4->setGeometry(l.image4);
    g.CellW = l.cellW;
    g.CellH = l.cellH;
    Panel1->setGeometry(l.panel1.left(), l.panel1.top(), Panel1->width(), l.panel1.height());
    Pro1->resize(Pro1->width(), l.barHeight);
    Pro2->resize(Pro2->width(), l.barHeight);
    ButtonEnd->move(l.buttonEnd);
    ButtonNew->move(ButtonNew->x(), l.buttonNewTop);
    ButtonReady->move(ButtonReady->x(), l.buttonReadyTop);
    buttonCheck->move(buttonCheck->x(), l.buttonCheckTop);
    ButtonSet->move(ButtonSet->x(), l.buttonSetTop);
    Clear();
}

void Form1::Clear() {
    drawEmptyBoard(canvas(), gridOf(g), palette().color(QPalette::Window));
    PaintB->update();
}

void Form1::FormPaint() {
    drawBoard(canvas(), gridOf(g), g.Phase, g.TaskLines, g.DrawnLines, palette().color(QPalette::Window));
    // The rubber band goes on from the board's corner after a full repaint.
    g.RubberX = 0;
    g.RubberY = 0;
    PaintB->update();
}

void Form1::showScoreBars() {
    Pro1->setRange(0, g.Pro1.maximum());
    Pro1->setValue(g.Pro1.position());
    Pro2->setRange(0, g.Pro2.maximum());
    Pro2->setValue(g.Pro2.position());
    Accessibility::tellFill(*Pro1);
    Accessibility::tellFill(*Pro2);
}

void Form1::describeBoard() {
    const BoardWords words = boardInWords(g);
    PaintB->describe(words.summary, words.lines);
}

void Form1::resizeEvent(QResizeEvent *e) {
    // Moving and sizing the window inside the layout raises this event again; the
    // layout depends only on the screen and Range, so running it again changes nothing.
    if (m_inLayout) return;
    m_inLayout = true;
    // A window on the screen that changes size is shown again at once, lines and all.
    const bool shown = windowHandle() && windowHandle()->isExposed() && e->oldSize().isValid();
    runGuarded([this, shown] { shown ? layOutAgain() : FormResize(); });
    m_inLayout = false;
}

bool Form1::event(QEvent *e) {
    if (e->type() == QEvent::WindowActivate) onActivated();
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::Show && !m_activatedOnce) {
        // The first showing activates the window even where no window manager hands
        // it the focus.
        windowHandle()->installEventFilter(this);
        watchScreen(windowHandle()->screen());
        connect(windowHandle(), &QWindow::screenChanged, this, [this](QScreen *screen) {
            watchScreen(screen);
            runGuarded([this] { followScreen(); });
        });
        activateWindow();
        onActivated();
    }
    return handled;
}

// The activation routine runs when the main window is first shown and when the player
// comes into it from the About box, not when the settings dialog closes or the player
// comes back from another program.
void Form1::onActivated() {
    const bool fromAbout = m_formA && m_lastActiveWindow == static_cast<QWidget *>(m_formA);
    if (m_activatedOnce && !fromAbout) return;
    m_activatedOnce = true;
    runGuarded([this] { FormActivate(); });
}

namespace {
// Long enough for the first frame to reach the screen and the work queued after it to end.
constexpr int SoundPrepareDelayMs = 250;
} // namespace

bool Form1::eventFilter(QObject *watched, QEvent *e) {
    // Qt lets go of the box's activation as it hides it.
    if (watched == m_formA && e->type() == QEvent::Hide && !e->spontaneous() &&
        (!QApplication::activeWindow() || QApplication::activeWindow() == m_formA))
        QTimer::singleShot(0, this, [this] { takeFocusBackFromAbout(); });
    if (e->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed()) {
        runGuarded([this] { FormPaint(); });
        // The window paints this exposure once the event is through; what waits for the
        // first frame comes after that.
        if (m_afterFirstFrame) QTimer::singleShot(0, this, std::exchange(m_afterFirstFrame, nullptr));
        // The sound output opens a moment after that, on the sound thread, so that neither
        // the first frame nor the first cue waits for it; a cue asked for sooner opens it.
        if (!std::exchange(m_soundPrepared, true))
            QTimer::singleShot(SoundPrepareDelayMs, this, [this] { MP.prepare(Cue::LineStart, g.AppDir); });
    }
    return QWidget::eventFilter(watched, e);
}

// The window beneath the About box takes the focus when the box has gone, unless a
// window manager gave it to a window meanwhile: the settings dialog while it is open,
// else this window, whose activation from the About box then runs.
void Form1::takeFocusBackFromAbout() {
    const QWidget *active = QApplication::activeWindow();
    if (m_formA->isVisible() || (active && active != m_formA)) return;
    QWidget *beneath = m_formSet && m_formSet->isVisible() ? static_cast<QWidget *>(m_formSet) : this;
    beneath->activateWindow();
}

void Form1::closeEvent(QCloseEvent *e) {
    // Closing the main window ends the program, whatever other window is still open.
    e->accept();
    QCoreApplication::quit();
}
