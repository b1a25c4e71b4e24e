#include "settings/FormA.h"

#include "board/DesignPicture.h"
#include "board/DialogWindow.h"
#include "board/FocusMark.h"
#include "board/WindowLook.h"
#include "game/ErrorHandler.h"
#include "settings/DesktopShell.h"
#include "settings/LinkLabel.h"
#include "settings/ShortAddress.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

using namespace WindowLook;

namespace {

// The far corner of the buttons.
constexpr int ButtonsRight = 376 + 89;
constexpr int ButtonsBottom = 152 + 25;

const QString SmallPrint = QStringLiteral("Tessarin " TESSARIN_VERSION " \u00b7 MIT licence");

} // namespace

// The box reads nothing of the game state.
FormA::FormA() : QDialog(nullptr) {
    setObjectName(QStringLiteral("FormA"));
    DialogWindow::makeFixedDialog(this);
    createControls();
    FormCreate();
}

void FormA::createControls() {
    applyLook(this, arial(15, true));

    Label4 = new QLabel(QStringLiteral("Tessarin training"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setFont(arial(23, true));
    Label4->setAlignment(Qt::AlignCenter);

    auto *pageLink = new LinkLabel(this);
    Label5 = pageLink;
    Label5->setObjectName(QStringLiteral("Label5"));
    QFont linkFont = arial(17);
    linkFont.setUnderline(true);
    Label5->setFont(linkFont);
    QPalette linkPalette = Label5->palette();
    linkPalette.setColor(QPalette::WindowText, QColor(0, 0, 0xFF)); // 0x00FF0000
    Label5->setPalette(linkPalette);
    Label5->setGeometry(scaled(264, 40, 189, 19));
    // The label names the page as short as it reads well; the whole address is in the
    // tooltip.
    const QUrl page = productPage();
    const QFontMetrics link(linkFont);
    const int room = Label5->width();
    Label5->setText(
        shortAddress(page, [&](const QString &text) { return link.horizontalAdvance(text) <= room; }));
    Label5->adjustSize(); // sized to its text, underline included
    Label5->setToolTip(page.toDisplayString());
    pageLink->onActivated = [this] { Label5Click(); };

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setPixmap(designPicture(QStringLiteral("emblem.png"), screen()->devicePixelRatio()));
    ProgramIcon->move(scaled(26), scaled(48));
    ProgramIcon->adjustSize(); // sized to its picture
    ProgramIcon->setAccessibleName(QStringLiteral("Tessarin emblem"));

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(scaled(24), scaled(105), scaled(433), 2); // the bevel's top edge only

    Label1 = new QLabel(SmallPrint, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label1->setWordWrap(true);
    Label1->setGeometry(scaled(140, 120, 300, 18));

    Button3 = new QPushButton(QStringLiteral("Help"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    DialogWindow::makePlainButton(Button3, QRect(265, 152, 88, 25));
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    DialogWindow::makePlainButton(Button1, QRect(376, 152, 89, 25));

    connectGuarded(Button3, &QPushButton::clicked, this, &FormA::help);
    connectGuarded(Button1, &QPushButton::clicked, this, &FormA::cancel_);

    // The box has no caption to be named by.
    setAccessibleName(QStringLiteral("About Tessarin"));
    Button3->setAccessibleDescription(QStringLiteral("Opens the readme"));
    // Help has the focus at the first opening, as before the link took it; Tab goes on
    // to OK, then to the link.
    Button3->setFocus();
    FocusMark::apply(this);
}

void FormA::FormCreate() {
    applyLook(this, font());
    setFixedSize(scaled(ButtonsRight + DialogWindow::ButtonMargin.width()),
                 scaled(ButtonsBottom + DialogWindow::ButtonMargin.height()));
    Label4->setGeometry(0, 0, width(), scaled(27));
}

void FormA::FormShow() {
    DialogWindow::centreOnScreen(this);
    setWindowTitle(QString());
    // An empty title reaches the window system as the program's name; a zero-width space
    // shows nothing in the caption bar.
    if (QWindow *window = windowHandle()) window->setTitle(QStringLiteral("\u200b"));
}

void FormA::belongTo(QWidget *mainWindow, QWidget *settingsDialog) {
    m_mainWindow = mainWindow;
    m_settingsDialog = settingsDialog;
    if (settingsDialog) settingsDialog->installEventFilter(this);
}

// The window system learns at each showing that the box belongs to the main window,
// which keeps it above that window. Qt's modality also goes by this bond and would
// block the box with the main window while the settings dialog is open; so for that
// time the box belongs, as far as Qt knows, to the settings dialog.
bool FormA::attachTo(QWidget *owner) {
    if (!windowHandle() || !owner || !owner->windowHandle()) return false;
    if (windowHandle()->transientParent() == owner->windowHandle()) return false;
    windowHandle()->setTransientParent(owner->windowHandle());
    return true;
}

void FormA::setVisible(bool visible) {
    const bool showing = visible && !isVisible();
    QDialog::setVisible(visible);
    if (showing && m_settingsDialog && m_settingsDialog->isVisible()) {
        attachTo(m_settingsDialog);
        raise(); // shown while it was still blocked, it was put beneath the dialog
    }
}

void FormA::showInFront() {
    // A box that is shown anew comes up in front; one already open is raised.
    const bool wasVisible = isVisible();
    show();
    if (wasVisible) raise();
    activateWindow();
}

void FormA::help() {
    openWithShell(readme());
}

void FormA::Label5Click() {
    openWithShell(productPage());
}

void FormA::cancel_() {
    hide();
}

QUrl FormA::readme() {
    return QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + QStringLiteral("/readme.txt"));
}

QUrl FormA::productPage() {
    const QString configured = QStringLiteral(TESSARIN_PRODUCT_PAGE);
    if (configured.isEmpty())
        return QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + QStringLiteral("/tessarin.html"));
    return QUrl::fromUserInput(configured);
}

void FormA::showEvent(QShowEvent *event) {
    // Some Qt versions announce a show() of a box already open as a showing too: only a
    // box that was hidden is shown anew.
    const bool shownAnew = !event->spontaneous() && !std::exchange(m_open, true);
    if (shownAnew) attachTo(m_mainWindow);
    QDialog::showEvent(event);
    if (shownAnew) runGuarded([this] { FormShow(); });
}

void FormA::hideEvent(QHideEvent *event) {
    if (!event->spontaneous()) m_open = false;
    QDialog::hideEvent(event);
}

void FormA::changeEvent(QEvent *event) {
    DialogWindow::refuseMinimising(this, event);
    QDialog::changeEvent(event);
}

void FormA::keyPressEvent(QKeyEvent *event) {
    // Only OK and the close box hide the box.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool FormA::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_settingsDialog && isVisible() &&
        (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        if (attachTo(event->type() == QEvent::Show ? m_settingsDialog : m_mainWindow) &&
            QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
            // A Wayland compositor learns whom a window belongs to only when it is shown.
            hide();
            showInFront();
        }
    return QDialog::eventFilter(watched, event);
}
