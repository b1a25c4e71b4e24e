#pragma once

#include <QRect>
#include <QSize>

// Where the main window puts its board, pictures, bars and buttons on a screen of a
// given size, and the grid spacing that follows for a given number of points per side.
struct LayoutInput {
    int screenWidth = 0;
    int screenHeight = 0;
    int range = 3;        // points per side of the grid
    int panel2Height = 0; // the status line across the top
    int image4Height = 0; // the lower picture keeps its designed height
    // The controls the board must stay clear of, at their scaled design sizes.
    int buttonsRight = 0; // the right edge of the column of New, Ready, Check, Settings
    int panel1Width = 0;  // the panel of the score bars
    QSize buttonEnd;
};

struct MainLayout {
    QRect window;
    QRect board; // square
    QRect image1, image2, image3, image4;
    QRect panel1;
    int barHeight = 0; // both score bars
    QPoint buttonEnd;
    int buttonNewTop = 0, buttonReadyTop = 0, buttonCheckTop = 0, buttonSetTop = 0;
    int cellW = 0, cellH = 0;
};

// The board's side is CH - 150, centred on the screen. On a screen too narrow for that
// (portrait, or narrow) it shrinks until the board and the bar panel beside it lie between
// the button column and the screen's right edge, and above End where End stands beneath
// them.
MainLayout layoutForScreen(const LayoutInput &input);
