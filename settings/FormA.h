#pragma once

#include <QDialog>
#include <QUrl>

class QFrame;
class QLabel;
class QPushButton;
struct GameState;

// The About box: the program's name and emblem, a link to the product's page and
// the Help button that opens the readme beside the executable. Modeless; it is only
// shown and hidden, and may stay open after the settings dialog has closed.
class FormA : public QDialog {
public:
    explicit FormA(GameState &state);

    // The settings dialog's About button: shows the box, or brings it to the front.
    void showInFront();
    // On Wayland, makes the box a child of `owner`'s window (none for null), which the
    // compositor keeps it above; the compositor learns that at a showing, so an open box
    // is shown again.
    void belongTo(QWidget *owner);

    void FormCreate();
    void FormShow();
    void help();        // Button3
    void Label5Click(); // the product page
    void cancel_();     // Button1

    // The readme and the product page as the shell is asked to open them.
    static QUrl readme();
    static QUrl productPage();

    // Controls, named as in the window's design.
    QLabel *Label4, *Label5, *ProgramIcon, *Label1;
    QFrame *Bevel1;
    QPushButton *Button3, *Button1;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
};
