// The copies and exports of the value table and of the graph for the class's own tools
// (Regressi, spreadsheets, Python), at the end of the "Copier" menu.
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QPushButton>

#include "app/feuillep.h"
#include "platform/core/filepaths.h"
#include "platform/services/dialogservice.h"
#include "platform/widgets/drawingsurface.h"
#include "printing/graphexport.h"
#include "recording/tableexport.h"

namespace ondalis {

namespace {

constexpr std::array<TableFormat, 4> kTableFormats{TableFormat::CsvFrench,
                                                   TableFormat::CsvInternational,
                                                   TableFormat::Regressi, TableFormat::Python};
constexpr std::array<GraphFormat, 4> kGraphFormats{GraphFormat::Png, GraphFormat::PngDouble,
                                                   GraphFormat::Svg, GraphFormat::Pdf};

void putTextOnClipboard(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return;
    clipboard->clear();
    clipboard->setText(text);
}

// The name chosen, with the format's extension when it was typed without one.
QString withSuffix(const QString& path, const QString& suffix) {
    return QFileInfo(path).suffix().isEmpty() ? path + QLatin1Char('.') + suffix : path;
}

}  // namespace

void feuilleP::createExport() {
    menucopie->addSeparator();
    const struct {
        const char* name;
        QString caption;
        QString hint;
        void (feuilleP::*slot)();
        QKeySequence keys;
    } entries[] = {
        {"copitabentetes",
         QStringLiteral("Copier le tableau avec les en-têtes (Regressi, tableur)"),
         QStringLiteral("Le tableau avec le nom et l'unité de chaque colonne, à coller dans "
                        "Regressi ou un tableur"),
         &feuilleP::copitabentetes, QKeySequence()},
        {"copitabpython", QStringLiteral("Copier le tableau pour Python"),
         QStringLiteral("Une liste numpy par colonne, à coller dans un carnet Python"),
         &feuilleP::copitabpython, QKeySequence()},
        {"exportetab", QStringLiteral("Exporter le tableau…"),
         QStringLiteral("Enregistrer le tableau pour un tableur (CSV), Regressi (RW3) ou "
                        "Python"),
         &feuilleP::exportetab, QKeySequence(Qt::CTRL | Qt::Key_E)},
        {"exportegraph", QStringLiteral("Exporter le graphe…"),
         QStringLiteral("Enregistrer le graphe en image PNG, en dessin SVG ou en document PDF"),
         &feuilleP::exportegraph, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)},
    };
    for (const auto& e : entries) {
        QAction* action = menucopie->addAction(e.caption);
        action->setObjectName(QLatin1String(e.name));
        action->setStatusTip(e.hint);
        connect(action, &QAction::triggered, this, e.slot);
        if (!e.keys.isEmpty()) {
            // The shortcut works from the whole window, the menu only shows it.
            action->setShortcut(e.keys);
            action->setShortcutContext(Qt::WindowShortcut);
            addAction(action);
        }
    }
    // Hovering an entry with a hint puts the hint in the status line.
    connect(menucopie, &QMenu::hovered, this, [this](QAction* action) {
        if (!action->statusTip().isEmpty()) setStatusText(action->statusTip());
    });
}

void feuilleP::copitabentetes() {
    putTextOnClipboard(headedTableText(run_.samples()));
    setStatusText(copyMessage);
}

void feuilleP::copitabpython() {
    putTextOnClipboard(pythonFragment(recordedExport(run_.samples())));
    setStatusText(copyMessage);
}

void feuilleP::exportetab() {
    const QString title = QStringLiteral("Exporter le tableau");
    QStringList counts;
    for (int n : exportPointCounts)
        counts << (n == 51 ? QStringLiteral("51 points : les valeurs du tableau")
                           : QStringLiteral("%1 points calculés sur la même durée").arg(n));
    const std::optional<int> count =
        dialogs_.chooseItem(title, QStringLiteral("Nombre de points :"), counts, 0);
    if (!count || *count < 0 || *count >= int(exportPointCounts.size())) return;
    QStringList filters;
    for (TableFormat f : kTableFormats) filters << tableFormatFilter(f);
    const auto choice = dialogs_.saveFileNameWithFormat(title, filters, 0, QString());
    if (!choice || choice->filter < 0 || choice->filter >= int(kTableFormats.size())) return;
    const TableFormat format = kTableFormats[size_t(choice->filter)];

    const OscillatorParameters p = run_.parametersInForce().value_or(parameters());
    const int points = exportPointCounts[size_t(*count)];
    ExportTable table = points == 51 ? recordedExport(run_.samples())
                                     : denseExport(run_.constants(), p, duration(), points);
    table.memo = motionMemo(p, run_.constants().regime, duration());
    writeExport(withSuffix(choice->path, tableFormatSuffix(format)), tableFileBytes(table, format),
                title);
}

void feuilleP::exportegraph() {
    const QString title = QStringLiteral("Exporter le graphe");
    QStringList filters;
    for (GraphFormat f : kGraphFormats) filters << graphFormatFilter(f);
    const auto choice = dialogs_.saveFileNameWithFormat(title, filters, 0, QString());
    if (!choice || choice->filter < 0 || choice->filter >= int(kGraphFormats.size())) return;
    const GraphFormat format = kGraphFormats[size_t(choice->filter)];
    writeExport(withSuffix(choice->path, graphFormatSuffix(format)),
                graphFileBytes(*Frame1, format), title);
}

void feuilleP::writeExport(const QString& path, const QByteArray& bytes, const QString& title) {
    QString error;
    if (writeFileSafely(path, bytes, &error)) return;
    dialogs_.message(QStringLiteral("Le fichier %1 n'a pas pu être enregistré : %2")
                         .arg(QDir::toNativeSeparators(path), error),
                     title, MessageIcon::Error, MessageButtons::Ok);
}

}  // namespace ondalis
