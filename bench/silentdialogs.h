#pragma once

#include <QColor>
#include <QString>
#include <optional>

#include "platform/services/dialogservice.h"
#include "platform/services/printerservice.h"

namespace ondalis {

// The benchmarks' dialog service: every question answered at once, no window ever shown.
class SilentDialogs : public DialogService {
public:
    MessageResult message(const QString&, const QString&, MessageIcon,
                          MessageButtons buttons) override {
        return buttons == MessageButtons::YesNo ? MessageResult::Yes : MessageResult::Ok;
    }
    std::optional<QColor> chooseColor(const QColor&) override { return std::nullopt; }
    std::optional<QString> openFileName(const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFileName(const QString&, const QString&, const QString&) override {
        return {};
    }
    void beep() override {}
    bool printerSetup(PrinterService&) override { return false; }
};

}  // namespace ondalis
