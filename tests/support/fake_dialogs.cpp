#include "fake_dialogs.h"

#include <gtest/gtest.h>

#include "recording_printer.h"

namespace ondalis::testing {

MessageResult FakeDialogs::message(const QString& prompt, const QString& title, MessageIcon icon,
                                   MessageButtons buttons) {
    messages.push_back({prompt, title, icon, buttons});
    if (forward) return forward->message(prompt, title, icon, buttons);
    if (messageAnswers.empty()) {
        if (buttons == MessageButtons::Ok) return MessageResult::Ok;
        ADD_FAILURE() << "unscripted question: " << title.toStdString() << " / "
                      << prompt.toStdString();
        return buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Cancel;
    }
    const MessageResult r = messageAnswers.front();
    messageAnswers.pop_front();
    return r;
}

std::optional<QColor> FakeDialogs::chooseColor(const QColor& initial) {
    colorRequests.push_back(initial);
    if (forward) return forward->chooseColor(initial);
    if (colorAnswers.empty()) {
        ADD_FAILURE() << "unscripted colour dialog";
        return std::nullopt;
    }
    auto r = colorAnswers.front();
    colorAnswers.pop_front();
    return r;
}

std::optional<QString> FakeDialogs::openFileName(const QString& filter,
                                                 const QString& initialName) {
    ++fileRequests;
    if (whileChoosingFile) whileChoosingFile();
    if (forward) return forward->openFileName(filter, initialName);
    if (fileAnswers.empty()) {
        ADD_FAILURE() << "unscripted open-file dialog";
        return std::nullopt;
    }
    const bool chosen = fileAnswers.front().has_value();
    const QString name = fileAnswers.front().value_or(QString());
    fileAnswers.pop_front();
    return chosen ? std::optional<QString>(name) : std::nullopt;
}

std::optional<QString> FakeDialogs::saveFileName(const QString& filter,
                                                 const QString& defaultSuffix,
                                                 const QString& folder) {
    ++fileRequests;
    saveFolders.push_back(folder);
    if (whileChoosingFile) whileChoosingFile();
    if (forward) return forward->saveFileName(filter, defaultSuffix, folder);
    if (fileAnswers.empty()) {
        ADD_FAILURE() << "unscripted save-file dialog";
        return std::nullopt;
    }
    const bool chosen = fileAnswers.front().has_value();
    const QString name = fileAnswers.front().value_or(QString());
    fileAnswers.pop_front();
    return chosen ? std::optional<QString>(name) : std::nullopt;
}

std::optional<DialogService::SaveChoice> FakeDialogs::saveFileNameWithFormat(
    const QString& title, const QStringList& filters, int selected, const QString& folder) {
    ++fileRequests;
    saveFolders.push_back(folder);
    formatTitles.push_back(title);
    formatFilters.push_back(filters);
    if (whileChoosingFile) whileChoosingFile();
    if (forward) return forward->saveFileNameWithFormat(title, filters, selected, folder);
    if (formatFileAnswers.empty()) {
        ADD_FAILURE() << "unscripted save-with-format dialog";
        return std::nullopt;
    }
    const auto r = formatFileAnswers.front();
    formatFileAnswers.pop_front();
    return r;
}

std::optional<int> FakeDialogs::chooseItem(const QString& title, const QString& prompt,
                                           const QStringList& items, int current) {
    itemRequests.push_back({title, prompt, items, current});
    if (forward) return forward->chooseItem(title, prompt, items, current);
    if (itemAnswers.empty()) {
        ADD_FAILURE() << "unscripted choice: " << title.toStdString();
        return std::nullopt;
    }
    const auto r = itemAnswers.front();
    itemAnswers.pop_front();
    return r;
}

bool FakeDialogs::printerSetup(PrinterService& printer) {
    ++printerSetups;
    if (forward) return forward->printerSetup(printer);
    if (printerAnswers.empty()) {
        ADD_FAILURE() << "unscripted printer set-up dialog";
        return false;
    }
    const std::optional<QString> answer = printerAnswers.front();
    printerAnswers.pop_front();
    if (!answer) return false;
    if (auto* recording = dynamic_cast<RecordingPrinter*>(&printer)) recording->device = *answer;
    return true;
}

}  // namespace ondalis::testing
