#include "mainwindow/widgets/tabstrip.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/canvas/palette.h"
#include "platform/core/numberformat.h"
#include "platform/widgets/focusmark.h"

namespace ondalis {

namespace {
const QColor frameColor(210, 205, 200);
}

TabLayout layoutTabs(const std::array<int, 4>& titleWidths, int width) {
    TabLayout l;
    int sum = 0;
    for (int w : titleWidths) sum += w;
    l.gap = double(width - sum) / 8.0;
    l.bounds[0] = -1;
    for (int i = 1; i <= 3; ++i)
        l.bounds[i] = int(roundHalfEven(l.bounds[i - 1] + titleWidths[i - 1] + 2 * l.gap));
    l.bounds[4] = width;
    return l;
}

int tabAt(const TabLayout& layout, int x) {
    for (int i = 1; i <= 4; ++i)
        if (layout.bounds[i - 1] < x && x <= layout.bounds[i]) return i;
    return 0;
}

QString TabStrip::title(int tab) {
    switch (tab) {
        case 1:
            return QStringLiteral("Paramètres");
        case 2:
            return QStringLiteral("Vecteurs");
        case 3:
            return QStringLiteral("Affichage");
        default:
            return QStringLiteral("Enregistrement");
    }
}

TabStrip::TabStrip(QWidget* parent) : DrawingSurface(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Onglets"));
    setBackColor(frameColor);
}

void TabStrip::setPanel(int tab, QWidget* panel) {
    panels_[tab - 1] = panel;
    panel->setParent(this);
    panel->setVisible(false);
}

void TabStrip::selectTab(int tab) {
    if (tab < 1 || tab > 4 || tab == selected_) return;
    selected_ = tab;
    paintStrip();
    emit tabChanged(tab);
}

void TabStrip::paintStrip() {
    if (selected_ == 0) selected_ = 1;
    const int W = width();
    const int H = height();
    clear();
    setForeColor(Qt::black);
    setFont(QStringLiteral("Arial"), 8, false, false);
    const int th = textHeight(QStringLiteral("W"));

    std::array<int, 4> widths{};
    for (int i = 1; i <= 4; ++i) {
        setFontBold(i == selected_);
        widths[i - 1] = textWidth(title(i));
    }
    layout_ = layoutTabs(widths, W);
    const auto& b = layout_.bounds;

    const QColor dark = qbColor(8);
    const QColor white = qbColor(15);
    box(0, 0, W - 1, H - 1, dark);
    line(0, 0, 0, H - 1, white);
    for (int i = 0; i <= 4; ++i) {
        line(b[i] - 1, 1, b[i] - 1, th + 1, dark);
        line(b[i], 0, b[i], th, white);
    }
    for (int i = 0; i <= 3; ++i) line(b[i] + 1, 0, b[i + 1] - 1, 0, white);
    line(0, th + 1, b[selected_ - 1] + 2, th + 1, white);
    line(b[selected_], th + 1, W, th + 1, white);

    for (int i = 1; i <= 4; ++i) {
        setFontBold(i == selected_);
        printAt(b[i - 1] + layout_.gap, i == selected_ ? 2 : 1, title(i));
    }
    setFontBold(false);

    // The focus frame: from the row under the tab's top edge to the row under the header, 3
    // pixels out from the title on each side, within the tab's separators.
    const int titleLeft = int(b[selected_ - 1] + layout_.gap);
    const int frameLeft = std::max(titleLeft - 3, b[selected_ - 1] + 1);
    const int frameRight = std::min(titleLeft + widths[selected_ - 1] + 2, b[selected_] - 2);
    focusFrame_ = QRect(QPoint(frameLeft, 1), QPoint(frameRight, th + 2));

    // Every panel gets the frame's inner size, so that hidden panels are laid out too.
    const int left = 4;
    const int top = th + 5;
    for (int i = 1; i <= 4; ++i) {
        QWidget* p = panels_[i - 1];
        if (!p) continue;
        p->setGeometry(left, top, W - 4 - left, H - 4 - top);
        p->setVisible(i == selected_);
    }

    box(1, th + 2, W - 2, H - 2, frameColor);
    box(2, th + 3, W - 3, H - 3, frameColor);
    box(3, th + 4, W - 4, H - 4, dark);
    box(4, th + 5, W - 4, H - 4, white);
}

void TabStrip::paintEvent(QPaintEvent* event) {
    DrawingSurface::paintEvent(event);
    if (!showsFocusMark(*this)) return;
    QPainter p(this);
    drawFocusRing(p, focusFrame_, focusMarkColor(*this), 1);
}

void TabStrip::resizeEvent(QResizeEvent* event) {
    DrawingSurface::resizeEvent(event);
    paintStrip();
}

void TabStrip::mouseReleaseEvent(QMouseEvent* event) {
    DrawingSurface::mouseReleaseEvent(event);
    const int x = int(event->position().x());
    const int y = int(event->position().y());
    if (y < 0 || y > 15) return;
    const int tab = tabAt(layout_, x);
    if (tab != 0) selectTab(tab);
}

void TabStrip::keyPressEvent(QKeyEvent* event) {
    const int current = selectedTab();
    if (event->key() == Qt::Key_Right ||
        (event->key() == Qt::Key_Tab && event->modifiers() & Qt::ControlModifier)) {
        selectTab(current % 4 + 1);
    } else if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Backtab) {
        selectTab((current + 2) % 4 + 1);
    } else {
        DrawingSurface::keyPressEvent(event);
    }
}

}  // namespace ondalis
