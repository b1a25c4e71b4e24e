#pragma once

#include <QRect>

// Where the main window puts its board, pictures, bars and buttons on a screen of a
// given size, and the grid spacing that follows for a given number of points per side.
struct LayoutInput {
    int screenWidth = 0;
    int screenHeight = 0;
    int range = 3;        // points per side of the grid
    int panel2Height = 0; // the status line across the top
    int image4Height = 0; // the lower picture keeps its designed height
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

MainLayout layoutForScreen(const LayoutInput &input);
