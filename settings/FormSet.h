#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;
struct GameState;
class FormA;

// The settings dialog: the showing time and the level, with the level's grid size and
// line count. It holds the level table for the whole run. Settings opens it modally
// for the main window only, so that the About box it opens takes input beside it.
class FormSet : public QDialog {
public:
    FormSet(GameState &state, QWidget *mainWindow);
    // The About box, made after this dialog.
    void setAboutBox(FormA *aboutBox) { m_aboutBox = aboutBox; }

    void FormCreate(); // the fill routine: at creation and at every opening
    void FormActivate();
    void EditT1Change();
    void Edit1Change();
    void OK_Click();
    void Button2Click(); // Cancel
    void Button3Click(); // About

    // Controls, named as in the window's design.
    QLabel *Label3, *Label1, *Label8, *Label4, *Label2, *Label9, *Label7;
    QLineEdit *EditT1, *Edit1;
    QPushButton *Button3, *Button2, *Button1;

    // The values OK stores for the chosen level; never shown, so kept as plain texts.
    // Label8 repeats EditR (the grid size), Label9 EditL (the line count).
    QString EditL, EditR;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void connectHandlers();

    GameState &g;
    QWidget *m_mainWindow;
    FormA *m_aboutBox = nullptr;
    QPointer<QWidget> m_lastActiveWindow; // the window that held the focus before this one
};

using TFormSet = FormSet;
