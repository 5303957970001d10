#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <array>

#include "platform/widgets/drawingsurface.h"

namespace ondalis {

// Separators of the four tabs: b[0] = -1, b[i] = b[i-1] + title width + 2·gap (rounded),
// b[4] = the strip's width, with gap = (width - sum of the title widths) / 8. Each tab is its
// title with an equal margin on each side, and the four tabs fill the strip exactly.
struct TabLayout {
    std::array<int, 5> bounds{};
    double gap = 0;
};
TabLayout layoutTabs(const std::array<int, 4>& titleWidths, int width);

// The tab i (1..4) with b[i-1] < x <= b[i], or 0 when x lies outside every tab.
int tabAt(const TabLayout& layout, int x);

// The hand-drawn tab strip `Onglets`: it draws its own tab headers and sunken frame and shows
// one of its four panels at a time. A release in the header row (0 <= y <= 15) over another
// tab selects it; Left / Right (or Ctrl+Tab) do the same from the keyboard. With the keyboard
// focus, the selected tab's title is framed in the focus colour, over the strip's picture.
class TabStrip : public DrawingSurface {
    Q_OBJECT
public:
    explicit TabStrip(QWidget* parent = nullptr);

    // The panel shown for tab i (1..4); the strip reparents it and sizes it.
    void setPanel(int tab, QWidget* panel);
    QWidget* panel(int tab) const { return panels_[tab - 1]; }

    int selectedTab() const { return selected_ == 0 ? 1 : selected_; }
    void selectTab(int tab);
    const TabLayout& layout() const { return layout_; }
    static QString title(int tab);

    // Paints the strip and places the selected panel.
    void paintStrip();
    // Where the focus mark goes: a frame round the selected tab's title, inside its tab.
    QRect focusFrame() const { return focusFrame_; }

signals:
    void tabChanged(int tab);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::array<QWidget*, 4> panels_{};
    int selected_ = 0;
    TabLayout layout_;
    QRect focusFrame_;
};

}  // namespace ondalis
