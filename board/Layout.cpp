#include "board/Layout.h"

#include <algorithm>
#include <cstdint>

MainLayout layoutForScreen(const LayoutInput &in) {
    MainLayout l;
    // The window is borderless: its outer and client sizes are the screen's.
    l.window = QRect(0, 0, in.screenWidth, in.screenHeight);
    const int W = l.window.width();
    const int H = l.window.height();

    const int S = std::max(H - 150, 1);
    l.board = QRect((W - S) / 2, (H - S) / 2, S, S);

    l.image1 = QRect(0, in.panel2Height, l.board.left(), in.screenHeight);
    l.image2 = QRect(l.board.left() + S, in.panel2Height, 250, in.screenHeight);
    l.image3 = QRect(l.board.left(), 0, S, l.board.top());
    l.image4 = QRect(l.board.left(), l.board.top() + S, S, in.image4Height);

    // A grid of fewer than one point would leave no spacing to divide by.
    // Counted in 64 bits: a stored Range may be the largest 32-bit number.
    const int64_t cells = int64_t{std::max(in.range, 1)} + 1;
    l.cellW = int(S / cells);
    l.cellH = int(S / cells);

    l.panel1 = QRect(l.board.left() + S + 2, l.board.top(), 0, S);
    l.barHeight = l.panel1.height() - 20;

    l.buttonEnd = QPoint(W - 130, H - 80);
    l.buttonNewTop = H / 2;
    l.buttonReadyTop = l.buttonNewTop + 50;
    l.buttonCheckTop = l.buttonReadyTop + 50;
    l.buttonSetTop = l.buttonCheckTop + 50;
    return l;
}
