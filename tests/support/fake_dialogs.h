#pragma once

#include <QColor>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/services/dialogservice.h"

namespace ondalis::testing {

// A scripted dialog service: records every question and answers from the script. A question
// that was not scripted fails the test and is answered with Cancel / No / nothing.
class FakeDialogs : public DialogService {
public:
    struct Message {
        QString prompt;
        QString title;
        MessageIcon icon;
        MessageButtons buttons;
    };

    MessageResult message(const QString& prompt, const QString& title, MessageIcon icon,
                          MessageButtons buttons) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    std::optional<QString> openFileName(const QString& filter, const QString& initialName) override;
    std::optional<QString> saveFileName(const QString& filter, const QString& defaultSuffix,
                                        const QString& folder) override;
    std::optional<SaveChoice> saveFileNameWithFormat(const QString& title,
                                                     const QStringList& filters, int selected,
                                                     const QString& folder) override;
    std::optional<int> chooseItem(const QString& title, const QString& prompt,
                                  const QStringList& items, int current) override;
    void beep() override { ++beeps; }
    // Answers with the next printer name of the script, chosen on the printer; nullopt
    // cancels the set-up.
    bool printerSetup(PrinterService& printer) override;

    // When set, every dialog is recorded, then shown for real by this service and answered
    // by whoever is at the keys (a test that walks the real dialogs).
    DialogService* forward = nullptr;

    // Script.
    std::deque<MessageResult> messageAnswers;
    std::deque<std::optional<QColor>> colorAnswers;
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<std::optional<QString>> printerAnswers;
    std::deque<std::optional<SaveChoice>> formatFileAnswers;
    std::deque<std::optional<int>> itemAnswers;

    // Record.
    std::vector<Message> messages;
    std::vector<QColor> colorRequests;
    int fileRequests = 0;
    std::vector<QString> saveFolders;  // the folder each save dialog opened in
    // Runs when a file dialog comes up, before it is answered.
    std::function<void()> whileChoosingFile;
    int printerSetups = 0;
    // The title and filters of each save-with-format dialog, and the lists each choice offered.
    std::vector<QString> formatTitles;
    std::vector<QStringList> formatFilters;
    struct ItemRequest {
        QString title;
        QString prompt;
        QStringList items;
        int current;
    };
    std::vector<ItemRequest> itemRequests;
    int beeps = 0;
};

}  // namespace ondalis::testing
