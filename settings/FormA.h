#pragma once

#include <QDialog>

struct GameState;

// The About box: the program's name, emblem, web page and readme.
class FormA : public QDialog {
public:
    explicit FormA(GameState &state);

private:
    GameState &g;
};
