#pragma once

#include <QDialog>
#include <QUrl>

class QFrame;
class QLabel;
class QPushButton;

// The About box: the program's name and emblem, a link to the product's page and
// the Help button that opens the readme beside the executable. Modeless; it is only
// shown and hidden, and may stay open after the settings dialog has closed.
class FormA : public QDialog {
public:
    FormA();

    // The box stays above the main window, also while the settings dialog is open.
    void belongTo(QWidget *mainWindow, QWidget *settingsDialog);

    // The settings dialog's About button: shows the box, or brings it to the front.
    void showInFront();
    void setVisible(bool visible) override;

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
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    bool attachTo(QWidget *owner); // true when the box changed hands

    QWidget *m_mainWindow = nullptr;
    QWidget *m_settingsDialog = nullptr;
    bool m_open = false; // shown and not hidden since
};
