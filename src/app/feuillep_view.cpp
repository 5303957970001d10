#include "feuillep_view.h"

#include <QLabel>

#include "drawingsurface.h"
#include "feuillep.h"
#include "numberformat.h"

namespace ondalis {

MainWindowView::MainWindowView(feuilleP& window) : w_(window) {}

void MainWindowView::writeReadouts(const MotionSample& s) {
    w_.Label3->setText(formatFixed2(s.t));
    w_.Label1->setText(formatFixed2(s.x));
    w_.Label6->setText(formatFixed2(s.v));
    w_.Label7->setText(formatFixed2(s.a));
}

void MainWindowView::drawScene(const MotionSample&, const OscillatorParameters&,
                               const MotionConstants&) {
    w_.Picture2->clear();
}

void MainWindowView::tracegraphe(const MotionSample&) {}

void MainWindowView::echgraph(const OscillatorParameters&) { w_.Frame1->clear(); }

void MainWindowView::fond(QImage&) { w_.Picture2->clear(); }

}  // namespace ondalis
