#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace ondalis {

// The program's own help: French HTML pages in the resources under ":/aide". The contents
// list "sommaire.txt" names the pages in reading order, one per line, indented by two spaces
// per level; each page gives its title in <title> and its index keywords in
// <meta name="keywords" content="mot; autre mot#ancre">, where "#ancre" points into the page.
class HelpCatalogue {
public:
    struct Topic {
        QString page;  // "parametres.html"
        QString title;
        int level = 0;
    };
    struct IndexEntry {
        QString keyword;
        QString target;  // "page.html" or "page.html#ancre"
    };
    struct SearchHit {
        QString page;
        QString title;
        int count = 0;    // occurrences of the searched words
        QString excerpt;  // the text around the first occurrence
    };

    static constexpr const char* kRoot = ":/aide";
    static constexpr const char* kHome = "index.html";

    // Reads the contents list and every page it names from `root` (a resource or a folder).
    explicit HelpCatalogue(const QString& root = QString::fromLatin1(kRoot));

    QString root() const { return root_; }
    const QList<Topic>& topics() const { return topics_; }
    // Keywords of every page, sorted in French alphabetical order.
    const QList<IndexEntry>& index() const { return index_; }
    QString title(const QString& page) const;
    QString html(const QString& page) const { return html_.value(page); }
    QString plainText(const QString& page) const { return text_.value(page); }

    // Pages holding every word of `words` (letter case and accents ignored), most
    // occurrences first.
    QList<SearchHit> search(const QString& words) const;

    // What a page refers to, for checking that the help holds together.
    static QStringList links(const QString& html);    // href values
    static QStringList images(const QString& html);   // img src values
    static QStringList anchors(const QString& html);  // name and id values

    // Lower case without accents, for comparisons ("Énergie" -> "energie").
    static QString folded(const QString& text);

private:
    QString root_;
    QList<Topic> topics_;
    QList<IndexEntry> index_;
    QHash<QString, QString> html_;
    QHash<QString, QString> text_;
    QHash<QString, QString> titles_;
};

}  // namespace ondalis
