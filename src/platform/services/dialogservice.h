#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace ondalis {

class PrinterService;

enum class MessageIcon { None, Error, Question, Warning, Information };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageResult { Ok, Cancel, Yes, No };

// Every message box, file, colour and printer dialog of the program goes through this
// service, so that tests can replace it with a scripted fake and never block on a modal window.
class DialogService {
public:
    virtual ~DialogService() = default;

    virtual MessageResult message(const QString& prompt, const QString& title, MessageIcon icon,
                                  MessageButtons buttons) = 0;
    // Colour dialog preset to `initial`; nullopt when the user cancels.
    virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
    // File dialogs; nullopt when the user cancels. `filter` uses the "Label|*.EXT" form. The
    // save dialog opens in `folder`, or where the platform chooses when it is empty.
    virtual std::optional<QString> openFileName(const QString& filter,
                                                const QString& initialName) = 0;
    virtual std::optional<QString> saveFileName(const QString& filter, const QString& defaultSuffix,
                                                const QString& folder) = 0;
    // A save dialog titled `title` offering several formats, one filter each ("Label|*.EXT"),
    // the filter `selected` shown first; the name typed (the chosen filter's extension added when
    // it has none) and the index of the filter chosen. nullopt when the user cancels (by default).
    struct SaveChoice {
        QString path;
        int filter = 0;
    };
    virtual std::optional<SaveChoice> saveFileNameWithFormat(const QString& title,
                                                             const QStringList& filters,
                                                             int selected, const QString& folder);
    // A small dialog with a list of `items`, `current` chosen first; the index chosen, nullopt
    // when the user cancels (by default).
    virtual std::optional<int> chooseItem(const QString& title, const QString& prompt,
                                          const QStringList& items, int current);
    virtual void beep() = 0;
    // The printer set-up form over `printer` (the printer, its paper, orientation and
    // properties; not what is printed nor the copies); false when the user cancels or when
    // there is nothing to set up.
    virtual bool printerSetup(PrinterService& printer) = 0;
};

// The real dialogs, parented to `parent` (which may change as windows come and go).
class QtDialogService : public DialogService {
public:
    explicit QtDialogService(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

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
    void beep() override;
    bool printerSetup(PrinterService& printer) override;

private:
    QWidget* parent_;
};

}  // namespace ondalis
