// The least a Qt Widgets program does while animating: a precise 20 ms timer that changes a
// 66 × 19 picture (the size of one readout) in an 800 × 573 window and has it repainted at each
// tick. bench/repaint-floor.sh measures it as bench/animation-cpu.sh measures the program.
#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class Picture : public QWidget {
public:
    explicit Picture(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setGeometry(50, 56, image.width(), image.height());
    }
    QImage image{66, 19, QImage::Format_RGB32};

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        p.drawImage(event->rect().topLeft(), image, event->rect());
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Qt repaint floor"));
    window.resize(800, 573);
    Picture picture(&window);
    window.show();
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(20);
    unsigned shade = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        picture.image.fill(QColor::fromRgb(shade++ & 0xffffff));
        picture.update();
    });
    timer.start();
    return app.exec();
}
