#pragma once

#include <QWidget>

#include "mainwindow/help/helpcatalogue.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QToolButton;
class QTreeWidget;

namespace ondalis {

// The help window "Aide d'Ondalis": the pages of the help on the right; on the left the
// contents ("Sommaire"), the keyword index ("Index") and a search through the text of every
// page ("Rechercher"). Back and forward follow the pages visited. It is a separate window,
// not modal: the pupil can read it while using the simulator.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    const HelpCatalogue& catalogue() const { return catalogue_; }
    // Shows the window on its contents, at `page` ("index.html" when empty).
    void showTopics(const QString& page = QString());
    QString currentPage() const;

    QTextBrowser* browser() const { return browser_; }
    QTabWidget* tabs() const { return tabs_; }
    QTreeWidget* contents() const { return contents_; }
    QLineEdit* indexField() const { return indexField_; }
    QListWidget* indexList() const { return indexList_; }
    QLineEdit* searchField() const { return searchField_; }
    QListWidget* searchResults() const { return searchResults_; }
    QLabel* searchCount() const { return searchCount_; }
    QToolButton* backButton() const { return back_; }
    QToolButton* forwardButton() const { return forward_; }
    QToolButton* homeButton() const { return home_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildContents();
    void filterIndex(const QString& text);
    void openIndexEntry();
    void runSearch();
    void openSearchHit();
    void markSearchedWords();
    void pageChanged(const QString& page);
    void showBrowserMenu(const QPoint& at);

    HelpCatalogue catalogue_;
    QTextBrowser* browser_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QLineEdit* indexField_ = nullptr;
    QListWidget* indexList_ = nullptr;
    QLineEdit* searchField_ = nullptr;
    QListWidget* searchResults_ = nullptr;
    QLabel* searchCount_ = nullptr;  // how many pages the search found
    QToolButton* back_ = nullptr;
    QToolButton* forward_ = nullptr;
    QToolButton* home_ = nullptr;
    QString searched_;  // the words of the last search, marked in the pages shown
};

}  // namespace ondalis
