#include "board/Layout.h"

#include <algorithm>
#include <cstdint>

namespace {

// Where the board had to shrink, it and its bar panel keep this far from the button
// column, the screen's edge and End, as the panel keeps from the board.
constexpr int Gap = 2;

} // namespace

MainLayout layoutForScreen(const LayoutInput &in) {
    MainLayout l;
    // The window is borderless: its outer and client sizes are the screen's.
    l.window = QRect(0, 0, in.screenWidth, in.screenHeight);
    const int W = l.window.width();
    const int H = l.window.height();

    // End stays wholly on the screen, whatever the scale of its design size.
    l.buttonEnd =
        QPoint(std::min(W - 130, W - in.buttonEnd.width()), std::min(H - 80, H - in.buttonEnd.height()));

    // A centred board of side S, the bar panel 2 pixels right of it: does it stay clear of
    // the button column and within the screen (with a margin), and, when asked, above End
    // or left of it?
    auto clear = [&](int S, int margin, bool ofEnd) {
        const int left = (W - S) / 2;
        const int top = (H - S) / 2;
        const int panelRight = left + S + 2 + in.panel1Width;
        const bool endClear = l.buttonEnd.x() >= panelRight + margin || top + S + margin <= l.buttonEnd.y();
        return left >= in.buttonsRight + margin && panelRight + margin <= W && (endClear || !ofEnd);
    };
    int S = std::max(H - 150, 1);
    if (!clear(S, 0, false)) {
        // The widest board that leaves room for the column and the panel, then narrower
        // until End is clear of it too.
        S = std::min({S, W - 2 * (in.buttonsRight + Gap), W - 2 * (2 + in.panel1Width + Gap) + 1});
        for (S = std::max(S, 1); S > 1 && !clear(S, Gap, true); --S) {
        }
    }
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

    l.buttonNewTop = H / 2;
    l.buttonReadyTop = l.buttonNewTop + 50;
    l.buttonCheckTop = l.buttonReadyTop + 50;
    l.buttonSetTop = l.buttonCheckTop + 50;
    return l;
}
