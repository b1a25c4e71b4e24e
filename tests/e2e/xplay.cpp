// xplay: plays Tessarin on the X display in $DISPLAY the way a person does, with real
// pointer events (XTest) and nothing but the screen (XGetImage) to go by.
//
// It waits for the game's window, then plays tasks until the grid size changes: New,
// read the blue task lines off the board, Ready, find the grid on the emptied board,
// redraw every line with two clicks, Check, and see the task in red with the drawing
// over it in light orange. The first task is answered with one line left out, so that
// Check has red to show. When a New brings a grid of another size (the level changed),
// it presses End. Progress goes to stdout; the last line is "range=<points per side>"
// of the final grid. Any surprise ends it with status 1, the screen left as it found it.
//
// "xplay answer" and "xplay check ..." play one task in two halves, on screens of any
// size: the first answers it and leaves it open, the second checks it (see below), so that
// what happens in between (a change of the screen's size) happens to a task in progress.
// "xplay board" waits for the board and an enabled New where the layout of the screen as
// it is now puts them.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Point {
    int x, y;
    bool operator==(const Point &o) const = default;
};

// A line between two grid points, as grid indices (1..range).
struct Segment {
    Point a, b;
};

// Colours of the board, 0xRRGGBB.
enum Colour { Black = 0x000000, Mint = 0xEAFFEE, Blue = 0x0000FF, Red = 0xFF0000, Orange = 0xFFCC99 };

// The command buttons' captions are teal while the button is enabled, grey otherwise.
bool isTeal(int c) {
    const int r = c >> 16 & 0xFF, g = c >> 8 & 0xFF, b = c & 0xFF;
    return c >= 0 && r < 60 && g > 80 && b > 80 && std::abs(g - b) < 24;
}

Display *display = nullptr;

[[noreturn]] void fail(const std::string &why) {
    std::fprintf(stderr, "xplay: %s\n", why.c_str());
    std::exit(1);
}

// The screen as it stands.
class Shot {
public:
    Shot()
        : m_image(XGetImage(display, DefaultRootWindow(display), 0, 0, DisplayWidth(display, 0),
                            DisplayHeight(display, 0), AllPlanes, ZPixmap),
                  [](XImage *image) { XDestroyImage(image); }) {
        if (!m_image) fail("cannot read the screen");
    }

    int width() const { return m_image->width; }
    int height() const { return m_image->height; }
    // The pixel's colour, 0xRRGGBB, or -1 off the screen.
    int at(int x, int y) const {
        if (x < 0 || y < 0 || x >= width() || y >= height()) return -1;
        return int(XGetPixel(m_image.get(), x, y) & 0xFFFFFF);
    }

private:
    std::shared_ptr<XImage> m_image;
};

void pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Polls the screen until `ready` holds for it; gives up after the timeout.
Shot waitFor(const std::string &what, const std::function<bool(const Shot &)> &ready, int timeoutMs = 20000) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        Shot shot;
        if (ready(shot)) return shot;
        if (Clock::now() > deadline) fail("gave up waiting for " + what);
        pause(25);
    }
}

// ---- the pointer ----

void moveTo(int x, int y) {
    XTestFakeMotionEvent(display, DefaultScreen(display), x, y, CurrentTime);
    XSync(display, False);
    pause(15);
}

void button(bool down) {
    XTestFakeButtonEvent(display, 1, down ? True : False, CurrentTime);
    XSync(display, False);
    pause(15);
}

void click(Point at) {
    moveTo(at.x, at.y);
    button(true);
    button(false);
}

// ---- the window as a person sees it ----

// The command buttons stand where the window's layout puts them: New at half the
// screen's height in the left column, Ready, Check and Settings 50 pixels apart below it,
// End near the bottom right corner.
struct Buttons {
    int width, height;
    Point center(int index) const { return {60, height / 2 + 12 + 50 * index}; }
    Point newButton() const { return center(0); }
    Point ready() const { return center(1); }
    Point check() const { return center(2); }
    Point end() const { return {width - 90, height - 68}; }

    static bool enabled(const Shot &s, Point c) {
        int teal = 0;
        for (int y = c.y - 10; y <= c.y + 12; ++y)
            for (int x = 30; x <= 110; ++x)
                teal += isTeal(s.at(x, y));
        return teal >= 5;
    }
};

// The board: a mint square inside a black frame, where the window's layout puts it: its
// side is the screen's height less 150, in the middle of the screen.
struct Board {
    int side, left, top, right, bottom; // inside the frame, inclusive

    static Board forScreen(int width, int height) {
        const int side = height - 150, x = (width - side) / 2, y = (height - side) / 2;
        return {side, x + 3, y + 3, x + side - 4, y + side - 4};
    }

    bool shown(const Shot &s) const {
        const int middle = (top + bottom) / 2;
        return s.at(left - 2, middle) == Black && s.at(left + 2, middle) == Mint &&
               s.at(right + 2, middle) == Black && s.at(right - 2, middle) == Mint;
    }

    int count(const Shot &s, Colour colour) const {
        int n = 0;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                n += s.at(x, y) == colour;
        return n;
    }

    // How far the score bars beside the board are filled, in pixels from their bottom:
    // the reserve bar, which starts full, gives the fill's colour.
    struct Bars {
        int success, reserve, height;
    };
    Bars bars(const Shot &s) const {
        const int panel = right + 6; // the bars' panel begins 2 pixels right of the board
        const int success = panel + 7 + 6, reserve = panel + 20 + 6, low = bottom - 14;
        const int fill = s.at(reserve, low);
        auto filled = [&](int x) {
            int y = low;
            while (y > top && s.at(x, y) == fill)
                --y;
            return low - y;
        };
        return {filled(success), filled(reserve), side - 24};
    }
};

// The grid as the empty board shows it: a 2x2 black dot one pixel right of and below
// every grid point.
struct Grid {
    std::vector<int> xs, ys; // screen positions of the grid points, index 1 first

    int range() const { return int(xs.size()); }
    Point pixel(Point p) const { return {xs[p.x - 1], ys[p.y - 1]}; }

    static std::optional<Grid> find(const Shot &s, const Board &board) {
        std::set<int> xs, ys;
        int dots = 0;
        for (int y = board.top + 1; y < board.bottom; ++y) {
            for (int x = board.left + 1; x < board.right; ++x) {
                // Only dots stand inside the empty board: each has one top-left pixel.
                if (s.at(x, y) != Black || s.at(x - 1, y) == Black || s.at(x, y - 1) == Black) continue;
                ++dots;
                xs.insert(x - 1);
                ys.insert(y - 1);
            }
        }
        Grid g{{xs.begin(), xs.end()}, {ys.begin(), ys.end()}};
        if (g.xs.size() < 2 || g.xs.size() != g.ys.size() || dots != g.range() * g.range())
            return std::nullopt;
        return g;
    }
};

// The share of points along the segment's inner part (10%..90%, away from the end points
// where other lines meet) that have the colour, within a pixel.
double coverage(const Shot &s, const Grid &grid, const Segment &seg, Colour colour) {
    const Point a = grid.pixel(seg.a), b = grid.pixel(seg.b);
    const int samples = 17;
    int hits = 0;
    for (int i = 1; i <= samples; ++i) {
        const double t = 0.1 + 0.8 * (i - 1) / (samples - 1);
        const int x = int(a.x + t * (b.x - a.x) + 0.5), y = int(a.y + t * (b.y - a.y) + 0.5);
        bool hit = false;
        for (int dy = -1; dy <= 1 && !hit; ++dy)
            for (int dx = -1; dx <= 1 && !hit; ++dx)
                hit = s.at(x + dx, y + dy) == colour;
        hits += hit;
    }
    return double(hits) / samples;
}

// Whether `inner` lies on the same straight line as `outer` and within it.
bool liesWithin(const Segment &inner, const Segment &outer) {
    auto onLine = [&](Point p) {
        const long cross =
            long(outer.b.x - outer.a.x) * (p.y - outer.a.y) - long(outer.b.y - outer.a.y) * (p.x - outer.a.x);
        return cross == 0 && p.x >= std::min(outer.a.x, outer.b.x) && p.x <= std::max(outer.a.x, outer.b.x) &&
               p.y >= std::min(outer.a.y, outer.b.y) && p.y <= std::max(outer.a.y, outer.b.y);
    };
    return onLine(inner.a) && onLine(inner.b);
}

// The task's lines as the board showed them in blue: every pair of grid points joined
// by blue all along, keeping only the longest of collinear pieces (a line through a grid
// point looks like its two halves as well).
std::vector<Segment> blueSegments(const Shot &showing, const Grid &grid) {
    std::vector<Point> points;
    for (int x = 1; x <= grid.range(); ++x)
        for (int y = 1; y <= grid.range(); ++y)
            points.push_back({x, y});
    std::vector<Segment> blue;
    for (size_t i = 0; i < points.size(); ++i)
        for (size_t j = i + 1; j < points.size(); ++j)
            if (coverage(showing, grid, {points[i], points[j]}, Blue) == 1.0)
                blue.push_back({points[i], points[j]});
    std::vector<Segment> longest;
    for (const Segment &s : blue) {
        const bool inside = std::any_of(blue.begin(), blue.end(), [&](const Segment &o) {
            return !(o.a == s.a && o.b == s.b) && liesWithin(s, o);
        });
        if (!inside) longest.push_back(s);
    }
    return longest;
}

std::string describe(const Segment &s) {
    const auto point = [](Point p) { return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; };
    return point(s.a) + "-" + point(s.b);
}

// Two clicks: press and release at the start, press and release at the end; then the
// line stands on the board in light orange.
void drawLine(const Grid &grid, const Segment &seg) {
    click(grid.pixel(seg.a));
    const Point end = grid.pixel(seg.b);
    const Point start = grid.pixel(seg.a);
    moveTo((start.x + end.x) / 2, (start.y + end.y) / 2); // the rubber band follows
    click(end);
    waitFor("the line " + describe(seg) + " in light orange",
            [&](const Shot &s) { return coverage(s, grid, seg, Orange) == 1.0; });
}

} // namespace

// A task as the player met it: its lines read off the board in blue, and the grid found
// on the board emptied by Ready.
struct Task {
    std::vector<Segment> lines;
    Grid grid;
};

// The game's window with its board where the layout of the screen as it is now puts it,
// and an enabled New unless the task is being answered.
Shot waitForGame(int timeoutMs = 60000, bool answering = false) {
    return waitFor(
        "the game's window with its board and an enabled New",
        [answering](const Shot &s) {
            return Board::forScreen(s.width(), s.height()).shown(s) &&
                   (answering || Buttons::enabled(s, Buttons{s.width(), s.height()}.newButton()));
        },
        timeoutMs);
}

// New, the task read off the board, Ready: the game is answering.
Task newTask(const Board &board, const Buttons &buttons) {
    click(buttons.newButton());
    waitFor("New's task in blue", [&](const Shot &s) {
        return board.count(s, Blue) > 0 && !Buttons::enabled(s, buttons.newButton()) &&
               Buttons::enabled(s, buttons.ready());
    });
    const Shot showing = waitFor("a steady board", [&, last = -1](const Shot &s) mutable {
        const int blue = board.count(s, Blue);
        return std::exchange(last, blue) == blue;
    });

    click(buttons.ready());
    const Shot empty = waitFor("the empty grid after Ready", [&](const Shot &s) {
        return board.count(s, Blue) == 0 && Buttons::enabled(s, buttons.check()) &&
               Grid::find(s, board).has_value();
    });
    const Grid grid = *Grid::find(empty, board);
    const std::vector<Segment> lines = blueSegments(showing, grid);
    if (lines.empty()) fail("no task line found on the board");
    return {lines, grid};
}

Shot check(const Board &board, const Buttons &buttons) {
    click(buttons.check());
    return waitFor("the checked board and New enabled again", [&](const Shot &s) {
        return Buttons::enabled(s, buttons.newButton()) && !Buttons::enabled(s, buttons.check()) &&
               board.count(s, Orange) > 0;
    });
}

// xplay answer: New, the task read off the board, Ready, every line redrawn; the game is
// left answering. Prints "range=<points per side>", then "line X1 Y1 X2 Y2" per line.
int answerOnly() {
    const Shot first = waitForGame();
    const Board board = Board::forScreen(first.width(), first.height());
    const Task task = newTask(board, Buttons{first.width(), first.height()});
    for (const Segment &line : task.lines)
        drawLine(task.grid, line);
    std::printf("range=%d\n", task.grid.range());
    for (const Segment &line : task.lines)
        std::printf("line %d %d %d %d\n", line.a.x, line.a.y, line.b.x, line.b.y);
    return 0;
}

// xplay check RANGE X1 Y1 X2 Y2 ...: presses Check on the screen as it is now, whatever its
// size, and sees each line given in light orange on the grid the layout puts there, and
// the success bar moved: the lines drawn count.
int checkLines(int argc, char *argv[]) {
    if (argc < 7 || (argc - 3) % 4 != 0) fail("usage: xplay check RANGE X1 Y1 X2 Y2 ...");
    const int range = std::atoi(argv[2]);
    const Shot now = waitForGame(10000, true);
    const Board board = Board::forScreen(now.width(), now.height());
    const int cell = board.side / (range + 1), x0 = board.left - 3, y0 = board.top - 3;
    Grid grid;
    for (int i = 1; i <= range; ++i) {
        grid.xs.push_back(x0 + i * cell);
        grid.ys.push_back(y0 + i * cell);
    }
    std::vector<Segment> lines;
    for (int i = 3; i + 3 < argc; i += 4)
        lines.push_back(
            {{std::atoi(argv[i]), std::atoi(argv[i + 1])}, {std::atoi(argv[i + 2]), std::atoi(argv[i + 3])}});
    // Still answering, and after Check: each line in light orange.
    const auto allShown = [&](const Shot &s) {
        return std::all_of(lines.begin(), lines.end(),
                           [&](const Segment &line) { return coverage(s, grid, line, Orange) == 1.0; });
    };
    if (!allShown(now)) fail("the lines drawn are not shown in light orange at the grid's present scale");
    const Shot checked = check(board, Buttons{now.width(), now.height()});
    if (!allShown(checked)) fail("the lines drawn are not light orange after Check");
    // Each task point matched fills the success bar by 1, each one missed drains the
    // reserve by 4: the lines drawn count when the first outweighs the second.
    const Board::Bars bars = board.bars(checked);
    std::printf("success bar %d, reserve bar %d of %d pixels\n", bars.success, bars.reserve, bars.height);
    if (bars.success <= bars.height - bars.reserve)
        fail("the success bar gained less than the reserve lost: the lines drawn did not count");
    std::printf("checked on %dx%d: the lines drawn count\n", now.width(), now.height());
    return 0;
}

// Plays until the level changes, then presses End.
int playUntilLevelChanges() {
    const Shot first = waitForGame();
    const Board board = Board::forScreen(first.width(), first.height());
    const Buttons buttons{first.width(), first.height()};

    int previousRange = 0;
    for (int round = 1;; ++round) {
        if (round > 80) fail("the level did not change in 80 tasks");

        const auto [task, grid] = newTask(board, buttons);
        if (previousRange != 0 && grid.range() != previousRange) {
            std::printf("round %d: the grid now has %d points per side (was %d): the level changed\n", round,
                        grid.range(), previousRange);
            click(buttons.end());
            std::printf("range=%d\n", grid.range());
            return 0;
        }
        previousRange = grid.range();

        // The first answer leaves a line out, so that Check has red to show.
        const size_t leftOut = round == 1 ? 0 : task.size();
        for (size_t i = 0; i < task.size(); ++i)
            if (i != leftOut) drawLine(grid, task[i]);

        const Shot checked = check(board, buttons);
        for (size_t i = 0; i < task.size(); ++i) {
            if (i == leftOut) {
                if (coverage(checked, grid, task[i], Red) < 0.5)
                    fail("the line left out, " + describe(task[i]) + ", is not red after Check");
            } else if (coverage(checked, grid, task[i], Orange) < 1.0) {
                fail("the drawn line " + describe(task[i]) + " is not light orange after Check");
            }
        }
        if (board.count(checked, Red) == 0 && leftOut < task.size()) fail("no red on the board after Check");

        std::printf("round %d: grid %dx%d, %zu lines seen%s\n", round, grid.range(), grid.range(),
                    task.size(), leftOut < task.size() ? ", one left out" : "");
        std::fflush(stdout);
    }
}

int main(int argc, char *argv[]) {
    display = XOpenDisplay(nullptr);
    if (!display) fail("cannot open the display");
    int event, error, major, minor;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) fail("the X server has no XTEST");
    const std::string mode = argc > 1 ? argv[1] : "play";
    if (mode == "answer") return answerOnly();
    if (mode == "check") return checkLines(argc, argv);
    if (mode == "board") return waitForGame(10000), 0; // where the layout of the screen of now puts it
    return playUntilLevelChanges();
}
