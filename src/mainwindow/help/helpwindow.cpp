#include "mainwindow/help/helpwindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ondalis {

namespace {

constexpr int kPageRole = Qt::UserRole;

QUrl pageUrl(const QString& root, const QString& page) {
    QString base = root;
    if (base.startsWith(QLatin1Char(':'))) base = QStringLiteral("qrc") + base;
    return QUrl(base + QLatin1Char('/') + page);
}

// A pattern that finds `word` whatever its accents and letter case ("energie" finds
// "Énergie").
QString accentBlindPattern(const QString& word) {
    static const QHash<QChar, QString> variants = {
        {QLatin1Char('a'), QStringLiteral("[aàâä]")},  {QLatin1Char('c'), QStringLiteral("[cç]")},
        {QLatin1Char('e'), QStringLiteral("[eéèêë]")}, {QLatin1Char('i'), QStringLiteral("[iîï]")},
        {QLatin1Char('o'), QStringLiteral("[oôö]")},   {QLatin1Char('u'), QStringLiteral("[uùûü]")},
        {QLatin1Char('y'), QStringLiteral("[yÿ]")}};
    QString pattern;
    for (const QChar c : HelpCatalogue::folded(word))
        pattern += variants.value(c, QRegularExpression::escape(QString(c)));
    return pattern;
}

QToolButton* navigationButton(QWidget* parent, const QString& text, const QString& tip,
                              QStyle::StandardPixmap icon) {
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    return b;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("aide"));
    setWindowTitle(QStringLiteral("Aide d'Ondalis"));
    setAccessibleName(QStringLiteral("Aide d'Ondalis"));
    resize(920, 620);

    back_ = navigationButton(this, QStringLiteral("&Précédent"),
                             QStringLiteral("Page précédente (Alt+Gauche)"), QStyle::SP_ArrowBack);
    forward_ =
        navigationButton(this, QStringLiteral("&Suivant"),
                         QStringLiteral("Page suivante (Alt+Droite)"), QStyle::SP_ArrowForward);
    home_ = navigationButton(this, QStringLiteral("&Accueil"),
                             QStringLiteral("Page d'accueil de l'aide"), QStyle::SP_DirHomeIcon);
    back_->setEnabled(false);
    forward_->setEnabled(false);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("page"));
    browser_->setAccessibleName(QStringLiteral("Page d'aide"));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);
    browser_->setContextMenuPolicy(Qt::CustomContextMenu);
    QFile css(catalogue_.root() + QStringLiteral("/aide.css"));
    if (css.open(QIODevice::ReadOnly))
        browser_->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()));

    tabs_ = new QTabWidget(this);
    tabs_->setAccessibleName(QStringLiteral("Navigation dans l'aide"));

    contents_ = new QTreeWidget(tabs_);
    contents_->setHeaderHidden(true);
    contents_->setAccessibleName(QStringLiteral("Sommaire"));
    tabs_->addTab(contents_, QStringLiteral("So&mmaire"));

    auto* indexPage = new QWidget(tabs_);
    auto* indexLabel = new QLabel(QStringLiteral("Début du mot &cherché :"), indexPage);
    indexField_ = new QLineEdit(indexPage);
    indexField_->setAccessibleName(QStringLiteral("Mot cherché dans l'index"));
    indexLabel->setBuddy(indexField_);
    indexList_ = new QListWidget(indexPage);
    indexList_->setAccessibleName(QStringLiteral("Index des mots-clés"));
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(indexLabel);
    indexLayout->addWidget(indexField_);
    indexLayout->addWidget(indexList_);
    tabs_->addTab(indexPage, QStringLiteral("&Index"));

    auto* searchPage = new QWidget(tabs_);
    auto* searchLabel =
        new QLabel(QStringLiteral("Mots à rechercher dans le &texte :"), searchPage);
    searchField_ = new QLineEdit(searchPage);
    searchField_->setAccessibleName(QStringLiteral("Mots à rechercher dans le texte"));
    searchLabel->setBuddy(searchField_);
    auto* searchButton = new QPushButton(QStringLiteral("Rechercher"), searchPage);
    searchButton->setAccessibleName(QStringLiteral("Rechercher"));
    searchCount_ = new QLabel(searchPage);
    searchCount_->setWordWrap(true);
    searchResults_ = new QListWidget(searchPage);
    searchResults_->setAccessibleName(QStringLiteral("Pages trouvées"));
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchField_);
    searchRow->addWidget(searchButton);
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->addWidget(searchLabel);
    searchLayout->addLayout(searchRow);
    searchLayout->addWidget(searchCount_);
    searchLayout->addWidget(searchResults_);
    tabs_->addTab(searchPage, QStringLiteral("&Rechercher"));

    auto* splitter = new QSplitter(this);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({290, 630});

    auto* bar = new QHBoxLayout;
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addWidget(home_);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(splitter, 1);

    buildContents();
    // A keyword found on several pages names its page ("RTF (Les exercices)").
    QHash<QString, int> uses;
    for (const HelpCatalogue::IndexEntry& e : catalogue_.index()) ++uses[e.keyword];
    for (const HelpCatalogue::IndexEntry& e : catalogue_.index()) {
        QString text = e.keyword;
        if (uses.value(e.keyword) > 1)
            text += QStringLiteral(" (%1)").arg(
                catalogue_.title(e.target.section(QLatin1Char('#'), 0, 0)));
        auto* item = new QListWidgetItem(text, indexList_);
        item->setData(kPageRole, e.target);
    }

    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(home_, &QToolButton::clicked, this, [this] { showTopics(); });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this,
            [this](const QUrl& url) { pageChanged(url.fileName()); });
    connect(browser_, &QWidget::customContextMenuRequested, this, &HelpWindow::showBrowserMenu);
    const auto openItem = [this](QTreeWidgetItem* item) {
        if (item)
            browser_->setSource(pageUrl(catalogue_.root(), item->data(0, kPageRole).toString()));
    };
    connect(contents_, &QTreeWidget::itemClicked, this, openItem);
    connect(contents_, &QTreeWidget::itemActivated, this, openItem);
    connect(indexField_, &QLineEdit::textEdited, this, &HelpWindow::filterIndex);
    connect(indexField_, &QLineEdit::returnPressed, this, &HelpWindow::openIndexEntry);
    connect(indexList_, &QListWidget::itemActivated, this, &HelpWindow::openIndexEntry);
    connect(indexList_, &QListWidget::itemClicked, this, &HelpWindow::openIndexEntry);
    connect(searchField_, &QLineEdit::returnPressed, this, &HelpWindow::runSearch);
    connect(searchButton, &QPushButton::clicked, this, &HelpWindow::runSearch);
    connect(searchResults_, &QListWidget::itemActivated, this, &HelpWindow::openSearchHit);
    connect(searchResults_, &QListWidget::itemClicked, this, &HelpWindow::openSearchHit);

    // Up and Down in the index field move through the list, as in a combo box.
    indexField_->installEventFilter(this);

    const auto shortcut = [this](const QKeySequence& keys, auto&& f) {
        auto* s = new QShortcut(keys, this);
        connect(s, &QShortcut::activated, this, f);
    };
    shortcut(QKeySequence::Back, [this] { browser_->backward(); });
    shortcut(QKeySequence::Forward, [this] { browser_->forward(); });
    shortcut(QKeySequence::Find, [this] {
        tabs_->setCurrentIndex(2);
        searchField_->setFocus();
        searchField_->selectAll();
    });
    shortcut(QKeySequence(Qt::Key_Escape), [this] { close(); });

    browser_->setSource(pageUrl(catalogue_.root(), QString::fromLatin1(HelpCatalogue::kHome)));
}

void HelpWindow::buildContents() {
    QList<QTreeWidgetItem*> parents;
    for (const HelpCatalogue::Topic& t : catalogue_.topics()) {
        QTreeWidgetItem* item = nullptr;
        parents.resize(std::min<qsizetype>(parents.size(), t.level));
        if (parents.isEmpty())
            item = new QTreeWidgetItem(contents_);
        else
            item = new QTreeWidgetItem(parents.last());
        item->setText(0, t.title);
        item->setData(0, kPageRole, t.page);
        parents.append(item);
    }
    contents_->expandAll();
}

void HelpWindow::showTopics(const QString& page) {
    tabs_->setCurrentIndex(0);
    const QString wanted = page.isEmpty() ? QString::fromLatin1(HelpCatalogue::kHome) : page;
    if (currentPage() != wanted) browser_->setSource(pageUrl(catalogue_.root(), wanted));
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
    contents_->setFocus();
}

QString HelpWindow::currentPage() const { return browser_->source().fileName(); }

// The browser tells the new page before its source() follows.
void HelpWindow::pageChanged(const QString& page) {
    for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
        if ((*it)->data(0, kPageRole).toString() == page) {
            contents_->setCurrentItem(*it);
            break;
        }
    }
    markSearchedWords();
}

void HelpWindow::filterIndex(const QString& text) {
    const QString wanted = HelpCatalogue::folded(text.trimmed());
    if (wanted.isEmpty()) return;
    for (int i = 0; i < indexList_->count(); ++i) {
        if (HelpCatalogue::folded(indexList_->item(i)->text()).startsWith(wanted)) {
            indexList_->setCurrentRow(i);
            indexList_->scrollToItem(indexList_->item(i), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void HelpWindow::openIndexEntry() {
    QListWidgetItem* item = indexList_->currentItem();
    if (!item) return;
    searched_.clear();
    browser_->setSource(pageUrl(catalogue_.root(), item->data(kPageRole).toString()));
}

void HelpWindow::runSearch() {
    searched_ = searchField_->text().simplified();
    searchResults_->clear();
    QLabel* count = searchCount_;
    if (searched_.isEmpty()) {
        count->clear();
        return;
    }
    const QList<HelpCatalogue::SearchHit> hits = catalogue_.search(searched_);
    for (const HelpCatalogue::SearchHit& hit : hits) {
        auto* item = new QListWidgetItem(hit.title, searchResults_);
        item->setData(kPageRole, hit.page);
        item->setToolTip(hit.excerpt);
    }
    if (hits.isEmpty())
        count->setText(QStringLiteral("Aucune page ne contient ces mots."));
    else if (hits.size() == 1)
        count->setText(QStringLiteral("Une page trouvée."));
    else
        count->setText(QStringLiteral("%1 pages trouvées.").arg(hits.size()));
    count->setAccessibleName(count->text());
    if (!hits.isEmpty()) {
        searchResults_->setCurrentRow(0);
        openSearchHit();
    }
}

void HelpWindow::openSearchHit() {
    QListWidgetItem* item = searchResults_->currentItem();
    if (!item) return;
    const QString page = item->data(kPageRole).toString();
    if (currentPage() == page)
        markSearchedWords();
    else
        browser_->setSource(pageUrl(catalogue_.root(), page));
}

void HelpWindow::markSearchedWords() {
    QList<QTextEdit::ExtraSelection> marks;
    const QStringList words = searched_.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QTextCursor first;
    for (const QString& w : words) {
        const QRegularExpression re(accentBlindPattern(w),
                                    QRegularExpression::CaseInsensitiveOption);
        for (QTextCursor c = browser_->document()->find(re); !c.isNull();
             c = browser_->document()->find(re, c)) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = c;
            mark.format.setBackground(QColor(255, 230, 80));
            marks.append(mark);
            if (first.isNull() || c.position() < first.position()) first = c;
        }
    }
    browser_->setExtraSelections(marks);
    if (!first.isNull()) {
        QTextCursor at(browser_->document());
        at.setPosition(first.selectionStart());
        browser_->setTextCursor(at);
        browser_->ensureCursorVisible();
    }
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == indexField_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(indexList_, event);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::showBrowserMenu(const QPoint& at) {
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("&Copier"), browser_, &QTextBrowser::copy);
    copy->setEnabled(browser_->textCursor().hasSelection());
    menu.addAction(QStringLiteral("&Tout sélectionner"), browser_, &QTextBrowser::selectAll);
    menu.addSeparator();
    menu.addAction(QStringLiteral("&Précédent"), browser_, &QTextBrowser::backward)
        ->setEnabled(browser_->isBackwardAvailable());
    menu.addAction(QStringLiteral("&Suivant"), browser_, &QTextBrowser::forward)
        ->setEnabled(browser_->isForwardAvailable());
    menu.exec(browser_->viewport()->mapToGlobal(at));
}

}  // namespace ondalis
