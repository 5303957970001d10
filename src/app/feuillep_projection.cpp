// "Projeter": the scene, the readouts and the graph in full screen on another screen, for a
// class. The projection draws the window's own pictures at the screen's scale and follows the
// run through the window's frames and resets; the main window stays the control panel.
#include <QAction>
#include <QGuiApplication>
#include <QPushButton>

#include "app/feuillep.h"
#include "mainwindow/widgets/statushints.h"
#include "platform/widgets/drawingsurface.h"
#include "platform/widgets/valuelabel.h"
#include "projection/widgets/projectionwindow.h"

namespace ondalis {

void feuilleP::createProjection() {
    auto* button = new QPushButton(QStringLiteral("Projeter"), this);
    button->setObjectName(QStringLiteral("Projeter"));
    button->setGeometry(368, 344, 57, 19);
    button->setFont(DrawingSurface::makeFont(QStringLiteral("Arial"), 8));
    button->setToolTip(QStringLiteral("Projeter (F11)"));
    button->setAccessibleName(QStringLiteral("Projeter"));
    button->setProperty("helpPage", QStringLiteral("projection.html"));
    connect(button, &QPushButton::clicked, this, &feuilleP::Projeter_Click);
    hints_->add(button, QStringLiteral("Projeter l'animation, les valeurs et le graphe en plein "
                                       "écran sur un autre écran (F11)"));

    auto* command = new QAction(QStringLiteral("Projeter"), this);
    command->setObjectName(QStringLiteral("projeter"));
    command->setShortcut(Qt::Key_F11);
    command->setShortcutContext(Qt::WindowShortcut);
    connect(command, &QAction::triggered, this, &feuilleP::Projeter_Click);
    addAction(command);
    // Escape closes an open projection from the control panel as well.
    auto* close = new QAction(QStringLiteral("Fermer la projection"), this);
    close->setObjectName(QStringLiteral("fermerProjection"));
    close->setShortcut(Qt::Key_Escape);
    close->setShortcutContext(Qt::WindowShortcut);
    close->setEnabled(false);
    connect(close, &QAction::triggered, this, [this] {
        if (projection_) projection_->close();
    });
    addAction(close);
}

void feuilleP::Projeter_Click() {
    if (projection_) {
        projection_->close();
        return;
    }
    projection_ = new ProjectionWindow([this] {
        ProjectionContent c;
        c.readouts = Picture4;
        c.graph = Frame1;
        c.scene = Picture2;
        const ValueLabel* labels[ReadoutCount] = {Label3, Label1, Label6, Label7,
                                                  Label5, Label8, Label9};
        for (int i = 0; i < ReadoutCount; ++i) c.values[size_t(i)] = labels[i]->text();
        return c;
    });
    // A window of its own (a child window would stay on the main window's screen), which
    // goes with the main window.
    projection_->setAttribute(Qt::WA_DeleteOnClose);
    connect(this, &QObject::destroyed, projection_, [p = projection_] { delete p; });
    connect(this, &feuilleP::frameShown, projection_, &ProjectionWindow::follow);
    connect(this, &feuilleP::motionReset, projection_, &ProjectionWindow::followReset);
    auto* closeAction = findChild<QAction*>(QStringLiteral("fermerProjection"));
    closeAction->setEnabled(true);
    connect(projection_, &ProjectionWindow::closed, this, [this, closeAction] {
        projection_ = nullptr;
        closeAction->setEnabled(false);
        activateWindow();
    });
    projection_->showOn(ProjectionWindow::defaultScreen(screen()));
    // The keyboard stays with the control panel, unless the projection is all there is.
    if (projection_->screen() != screen()) activateWindow();
}

}  // namespace ondalis
