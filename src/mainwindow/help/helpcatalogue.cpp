#include "mainwindow/help/helpcatalogue.h"

#include <QCollator>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <algorithm>

namespace ondalis {

namespace {

QString readUtf8(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

QStringList attributeValues(const QString& html, const QString& pattern) {
    QStringList out;
    const QRegularExpression re(pattern, QRegularExpression::CaseInsensitiveOption);
    for (auto it = re.globalMatch(html); it.hasNext();) out << it.next().captured(1);
    return out;
}

QString unescaped(QString s) {
    s.replace(QLatin1String("&lt;"), QLatin1String("<"));
    s.replace(QLatin1String("&gt;"), QLatin1String(">"));
    s.replace(QLatin1String("&quot;"), QLatin1String("\""));
    s.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return s;
}

}  // namespace

QString HelpCatalogue::folded(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing) out += c.toLower();
    return out;
}

HelpCatalogue::HelpCatalogue(const QString& root) : root_(root) {
    const QStringList lines =
        readUtf8(root_ + QStringLiteral("/sommaire.txt")).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString page = line.trimmed();
        if (page.isEmpty() || page.startsWith(QLatin1Char('#'))) continue;
        const int indent = int(line.indexOf(page));
        const QString html = readUtf8(root_ + QLatin1Char('/') + page);
        html_.insert(page, html);
        text_.insert(page, QTextDocumentFragment::fromHtml(html).toPlainText());
        const QStringList title =
            attributeValues(html, QStringLiteral("<title>\\s*([^<]*?)\\s*</title>"));
        titles_.insert(page, unescaped(title.value(0, page)));
        topics_.append({page, titles_.value(page), indent / 2});

        const QStringList keywords = attributeValues(
            html, QStringLiteral("<meta\\s+name=\"keywords\"\\s+content=\"([^\"]*)\""));
        for (const QString& keyword : unescaped(keywords.value(0)).split(QLatin1Char(';'))) {
            const QString k = keyword.trimmed();
            if (k.isEmpty()) continue;
            const qsizetype hash = k.indexOf(QLatin1Char('#'));
            if (hash < 0)
                index_.append({k, page});
            else
                index_.append({k.left(hash).trimmed(), page + k.mid(hash)});
        }
    }
    QCollator collator{QLocale(QLocale::French, QLocale::France)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(index_.begin(), index_.end(), [&](const IndexEntry& a, const IndexEntry& b) {
        return collator.compare(a.keyword, b.keyword) < 0;
    });
}

QString HelpCatalogue::title(const QString& page) const { return titles_.value(page, page); }

QList<HelpCatalogue::SearchHit> HelpCatalogue::search(const QString& words) const {
    const QStringList wanted =
        folded(words).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QList<SearchHit> hits;
    if (wanted.isEmpty()) return hits;
    for (const Topic& topic : topics_) {
        const QString text = text_.value(topic.page);
        const QString haystack = folded(text);
        int count = 0;
        qsizetype first = -1;
        bool all = true;
        for (const QString& w : wanted) {
            qsizetype at = haystack.indexOf(w);
            if (at < 0) {
                all = false;
                break;
            }
            if (first < 0 || at < first) first = at;
            for (; at >= 0; at = haystack.indexOf(w, at + w.size())) ++count;
        }
        if (!all) continue;
        // Each accented letter folds to one plain letter, so positions agree in both texts.
        const qsizetype from = std::max<qsizetype>(0, first - 40);
        QString excerpt = text.mid(from, 120).simplified();
        if (from > 0) excerpt.prepend(QStringLiteral("…"));
        hits.append({topic.page, topic.title, count, excerpt});
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const SearchHit& a, const SearchHit& b) { return a.count > b.count; });
    return hits;
}

QStringList HelpCatalogue::links(const QString& html) {
    return attributeValues(html, QStringLiteral("<a\\s[^>]*href=\"([^\"]*)\""));
}

QStringList HelpCatalogue::images(const QString& html) {
    return attributeValues(html, QStringLiteral("<img\\s[^>]*src=\"([^\"]*)\""));
}

QStringList HelpCatalogue::anchors(const QString& html) {
    return attributeValues(html, QStringLiteral("<[a-z0-9]+\\s[^>]*(?:name|id)=\"([^\"]*)\""));
}

}  // namespace ondalis
