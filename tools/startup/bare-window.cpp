// The floor for start-up: about the cheapest Qt Widgets program that covers the screen
// with painted content: a frameless full-screen window holding a push button and one
// child that paints itself (a filled background and a disc).
#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

namespace {

class Disc : public QWidget {
protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(rect(), QColor(32, 48, 72));
        painter.setBrush(QColor(240, 180, 40));
        painter.setPen(Qt::NoPen);
        const int d = std::min(width(), height()) / 2;
        painter.drawEllipse(QRect((width() - d) / 2, (height() - d) / 2, d, d));
    }
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::FramelessWindowHint);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QPushButton(QStringLiteral("Floor")));
    layout->addWidget(new Disc, 1);
    window.showFullScreen();
    return app.exec();
}
