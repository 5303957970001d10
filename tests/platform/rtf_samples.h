#pragma once

#include <QFile>
#include <QString>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextTable>

#include <ostream>

// Test failures show texts as text.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace ondalis::testing {

// The RTF files that teachers' word processors write, kept beside the tests.
inline QString rtfSample(const QString& name) {
    return QStringLiteral(ONDALIS_RTF_SAMPLES "/") + name;
}

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every run of the document with what the pane shows of it: paragraph properties, then each
// fragment's text with its font, size, bold, italic, underline, strike-through, colours and
// offset. Two documents that look the same give the same description.
inline QString formattingOf(const QTextDocument& doc) {
    QString out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat p = b.blockFormat();
        out += QStringLiteral("[%1 %2 %3 %4 %5 %6 table=%7]")
                   .arg(int(p.alignment() & Qt::AlignHorizontal_Mask))
                   .arg(qRound(p.leftMargin() * 15))
                   .arg(qRound(p.rightMargin() * 15))
                   .arg(qRound(p.textIndent() * 15))
                   .arg(qRound(p.topMargin() * 15))
                   .arg(qRound(p.bottomMargin() * 15))
                   .arg(QTextCursor(b).currentTable() != nullptr);
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            QString families = f.fontFamilies().toStringList().join(QLatin1Char(','));
            if (f.isImageFormat()) {
                const QTextImageFormat i = f.toImageFormat();
                out += QStringLiteral("{image %1x%2}").arg(i.width()).arg(i.height());
                continue;
            }
            out += QStringLiteral("{%1|%2 %3 b%4 i%5 u%6 s%7 c%8 bg%9 v%10}")
                       .arg(it.fragment().text(), families)
                       .arg(f.fontPointSize())
                       .arg(f.fontWeight() >= QFont::DemiBold)
                       .arg(f.fontItalic())
                       .arg(f.fontUnderline())
                       .arg(f.fontStrikeOut())
                       .arg(f.foreground().style() == Qt::NoBrush ? QStringLiteral("-")
                                                                  : f.foreground().color().name())
                       .arg(f.background().style() == Qt::NoBrush ? QStringLiteral("-")
                                                                  : f.background().color().name())
                       .arg(int(f.verticalAlignment()));
        }
        out += QLatin1Char('\n');
    }
    return out;
}

}  // namespace ondalis::testing
