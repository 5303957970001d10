// What an animation tick repaints on the screen: the readouts whose value changed, the graph's
// new segment and, in the scene, only where the spring, the solid and the vectors were and are.
#include <QCheckBox>
#include <QLabel>
#include <QPaintEvent>
#include <QScreen>
#include <QToolButton>
#include <map>

#include "mainwindow_fixture.h"
#include "platform/widgets/drawingsurface.h"
#include "scene/scenedrawing.h"
#include "scene/widgets/vectorspanel.h"

namespace ondalis::testing {
namespace {

// Counts the paint events of every widget and the pixels they cover.
class PaintCounter : public QObject {
public:
    struct Painted {
        int events = 0;
        qint64 pixels = 0;
        QRect bounds;
    };
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint && object->isWidgetType()) {
            Painted& p = painted[static_cast<QWidget*>(object)];
            ++p.events;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) {
                p.pixels += qint64(r.width()) * r.height();
                p.bounds |= r;
            }
        }
        return false;
    }
    std::map<QWidget*, Painted> painted;
};

class Repaints : public MainWindowTest {};

TEST_F(Repaints, aTickRepaintsOnlyTheChangedReadoutsTheNewSegmentAndTheMovingParts) {
    feuilleP& w = openAt(QStringLiteral("5"));
    w.Frame2->Check5()->setChecked(true);
    w.Frame2->Check12()->setChecked(true);
    QTest::mouseClick(w.command15, Qt::LeftButton);
    QLabel* readouts[] = {w.Label3, w.Label1, w.Label6, w.Label7, w.Label5, w.Label8, w.Label9};
    tick(3);
    QCoreApplication::processEvents();

    qint64 scenePixels = 0;
    const int ticks = 60;
    for (int i = 0; i < ticks; ++i) {
        std::map<QLabel*, QString> before;
        for (QLabel* l : readouts) before[l] = l->text();
        PaintCounter counter;
        tick();
        QCoreApplication::processEvents();
        for (const auto& [widget, p] : counter.painted) {
            SCOPED_TRACE("tick " + std::to_string(i) + ", " + widget->objectName().toStdString());
            EXPECT_EQ(p.events, 1) << "painted once";
            QLabel* label = qobject_cast<QLabel*>(widget);
            if (widget == w.Picture2) {
                // Rows 7 … 35 at most, never the whole scene.
                EXPECT_GE(p.bounds.top(), 7);
                EXPECT_LE(p.bounds.bottom(), 35);
                scenePixels += p.pixels;
            } else if (widget == w.Frame1) {
                EXPECT_LT(p.pixels, 600) << "one short segment";
            } else if (label && before.count(label)) {
                EXPECT_NE(label->text(), before[label]) << "a readout whose value changed";
                EXPECT_LT(p.pixels, label->width() * label->height() / 2) << "its digits only";
            } else {
                ADD_FAILURE() << "nothing else is repainted";
            }
        }
        EXPECT_EQ(counter.painted.count(w.Picture2), 1u);
    }
    // On average well under half of the 785 × 57 scene.
    EXPECT_LT(scenePixels / ticks, SceneWidth * SceneHeight * 2 / 5);

    // What the screen shows after these partial repaints is what a whole repaint draws.
    const QImage screen = w.screen()->grabWindow(w.winId()).toImage();
    for (QWidget* widget : {static_cast<QWidget*>(w.Picture2), static_cast<QWidget*>(w.Frame1),
                            static_cast<QWidget*>(w.Label3), static_cast<QWidget*>(w.Label9)}) {
        SCOPED_TRACE(widget->objectName().toStdString());
        const QRect onScreen(widget->mapTo(&w, QPoint(0, 0)), widget->size());
        EXPECT_EQ(screen.copy(onScreen).convertToFormat(QImage::Format_RGB32),
                  widget->grab().toImage().convertToFormat(QImage::Format_RGB32));
    }
}

}  // namespace
}  // namespace ondalis::testing
