#include "platform/services/dialogservice.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <algorithm>

#include "platform/services/printerservice.h"
#include "platform/services/printersetup.h"
#include "platform/services/printersetupform.h"

namespace ondalis {

namespace {

// "Texte au format RTF|*.RTF" -> "Texte au format RTF (*.RTF)"
QString toQtFilter(const QString& filter) {
    const auto parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]);
    return out.join(QStringLiteral(";;"));
}

// "Image PNG|*.png" -> "png"
QString filterSuffix(const QString& filter) {
    const int dot = filter.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : filter.mid(dot + 1);
}

}  // namespace

std::optional<DialogService::SaveChoice> DialogService::saveFileNameWithFormat(const QString&,
                                                                               const QStringList&,
                                                                               int,
                                                                               const QString&) {
    return std::nullopt;
}

std::optional<int> DialogService::chooseItem(const QString&, const QString&, const QStringList&,
                                             int) {
    return std::nullopt;
}

MessageResult QtDialogService::message(const QString& prompt, const QString& title,
                                       MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(parent_);
    box.setWindowTitle(title);
    box.setText(prompt);
    switch (icon) {
        case MessageIcon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MessageIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::None:
            break;
    }
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    switch (buttons) {
        case MessageButtons::Ok:
            ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            break;
        case MessageButtons::OkCancel:
            ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            cancel = box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
            break;
        case MessageButtons::YesNo:
            yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
            no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
            break;
    }
    if (cancel) box.setEscapeButton(cancel);
    if (no) box.setEscapeButton(no);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (yes && clicked == static_cast<QAbstractButton*>(yes)) return MessageResult::Yes;
    if (no && clicked == static_cast<QAbstractButton*>(no)) return MessageResult::No;
    if (ok && clicked == static_cast<QAbstractButton*>(ok)) return MessageResult::Ok;
    if (buttons == MessageButtons::YesNo) return MessageResult::No;
    return buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
}

std::optional<QColor> QtDialogService::chooseColor(const QColor& initial) {
    const QColor c = QColorDialog::getColor(initial, parent_);
    if (!c.isValid()) return std::nullopt;
    return c;
}

std::optional<QString> QtDialogService::openFileName(const QString& filter,
                                                     const QString& initialName) {
    const QString name =
        QFileDialog::getOpenFileName(parent_, QString(), initialName, toQtFilter(filter));
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QString> QtDialogService::saveFileName(const QString& filter,
                                                     const QString& defaultSuffix,
                                                     const QString& folder) {
    QFileDialog dialog(parent_);
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(toQtFilter(filter));
    dialog.setDefaultSuffix(defaultSuffix);
    // The program asks its own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<DialogService::SaveChoice> QtDialogService::saveFileNameWithFormat(
    const QString& title, const QStringList& filters, int selected, const QString& folder) {
    if (filters.isEmpty()) return std::nullopt;
    QStringList qtFilters;
    for (const QString& f : filters) qtFilters << toQtFilter(f);
    selected = std::clamp(int(selected), 0, int(filters.size()) - 1);
    QFileDialog dialog(parent_);
    dialog.setWindowTitle(title);
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(qtFilters);
    dialog.selectNameFilter(qtFilters[selected]);
    dialog.setDefaultSuffix(filterSuffix(filters[selected]));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& chosen) {
        const qsizetype i = qtFilters.indexOf(chosen);
        if (i >= 0) dialog.setDefaultSuffix(filterSuffix(filters[i]));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const qsizetype chosen = qtFilters.indexOf(dialog.selectedNameFilter());
    return SaveChoice{dialog.selectedFiles().first(), chosen < 0 ? selected : int(chosen)};
}

std::optional<int> QtDialogService::chooseItem(const QString& title, const QString& prompt,
                                               const QStringList& items, int current) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setComboBoxItems(items);
    dialog.setComboBoxEditable(false);
    if (current >= 0 && current < items.size()) dialog.setTextValue(items[current]);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuler"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const qsizetype i = items.indexOf(dialog.textValue());
    if (i < 0) return std::nullopt;
    return int(i);
}

void QtDialogService::beep() { QApplication::beep(); }

bool QtDialogService::printerSetup(PrinterService& printer) {
    QPrinter* qtPrinter = printer.qtPrinter();
    if (!qtPrinter) return false;
    // Only the printer, its paper and its properties are chosen here: what is printed, and how
    // many copies, are the caller's.
    confimprimante form(installedPrinters(), settingsOf(*qtPrinter), parent_);
    if (form.exec() != QDialog::Accepted) return false;
    applySettings(*qtPrinter, form.settings());
    return true;
}

}  // namespace ondalis
