#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>
#include <QVariant>
#include <algorithm>
#include <cmath>

#include "platform/richtext/rtfreader.h"
#include "platform/richtext/rtfreader_p.h"
#include "platform/richtext/symbolfont.h"

namespace ondalis::rtf::detail {

namespace {

// A framed, crossed box: a picture of a kind that the pane cannot draw. It is drawn at most
// 400 pixels a side and scaled to the size the picture is shown at.
QImage placeholder(int width, int height) {
    QImage image(std::clamp(width, 8, 400), std::clamp(height, 8, 400), QImage::Format_RGB32);
    image.fill(QColor(236, 236, 236));
    QPainter p(&image);
    p.setPen(QColor(128, 128, 128));
    const int r = image.width() - 1, b = image.height() - 1;
    p.drawRect(0, 0, r, b);
    p.drawLine(0, 0, r, b);
    p.drawLine(0, b, r, 0);
    return image;
}

}  // namespace

QTextCharFormat Reader::charFormat(const CharState& s) {
    if (formatSet_ && formatState_ == s) return format_;
    QTextCharFormat f;
    const auto it = fonts_.find(s.font);
    QString family = it != fonts_.end() ? it->second.name : QString();
    if (family.isEmpty() || (it != fonts_.end() && it->second.symbol))
        family = it != fonts_.end() && it->second.symbol ? symbolfont::unicodeFamily()
                                                         : QStringLiteral("Times New Roman");
    f.setFontFamilies(QStringList{family});
    f.setFontPointSize(s.halfPoints / 2.0);
    f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(s.italic);
    f.setFontUnderline(s.underline);
    f.setFontStrikeOut(s.strike);
    if (s.color > 0 && std::size_t(s.color) < colors_.size() && colors_[s.color].isValid())
        f.setForeground(colors_[s.color]);
    if (s.background > 0 && std::size_t(s.background) < colors_.size() &&
        colors_[s.background].isValid())
        f.setBackground(colors_[s.background]);
    if (s.script == Script::Super) f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (s.script == Script::Sub) f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    formatState_ = s;
    format_ = f;
    formatSet_ = true;
    return f;
}

QTextBlockFormat Reader::blockFormat(const ParaState& p) const {
    QTextBlockFormat f;
    f.setAlignment(p.alignment);
    f.setLeftMargin(p.left / twipsPerPixel);
    f.setRightMargin(p.right / twipsPerPixel);
    f.setTextIndent(p.first / twipsPerPixel);
    f.setTopMargin(p.before / twipsPerPixel);
    f.setBottomMargin(p.after / twipsPerPixel);
    if (p.lineSpacing != 0) {
        if (p.lineMultiple)
            f.setLineHeight(std::abs(p.lineSpacing) * 100.0 / 240.0,
                            QTextBlockFormat::ProportionalHeight);
        else if (p.lineSpacing > 0)
            f.setLineHeight(p.lineSpacing / twipsPerPixel, QTextBlockFormat::MinimumHeight);
        else
            f.setLineHeight(-double(p.lineSpacing) / twipsPerPixel, QTextBlockFormat::FixedHeight);
    }
    if (p.pageBreakBefore || pageBreak_) f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    // Word processors also stop a tab at the left indent of a hanging first line.
    QList<QTextOption::Tab> tabs;
    for (const auto& [at, kind] : p.tabs)
        if (at > 0 && at < 100000)
            tabs << QTextOption::Tab(at / twipsPerPixel, kind,
                                     kind == QTextOption::DelimiterTab ? QChar(u',') : QChar());
    if (p.first < 0 && p.left > 0 && p.tabs.empty())
        tabs << QTextOption::Tab(p.left / twipsPerPixel, QTextOption::LeftTab);
    if (!tabs.isEmpty()) f.setTabPositions(tabs);
    return f;
}

void Reader::flush() {
    decodeBytes();
    if (text_.isEmpty()) return;
    ensureContext();
    openParagraph();
    cursor_.insertText(text_, charFormat(pendingState_));
    text_.clear();
}

// Puts the cursor where the next paragraph content goes: into the table when the paragraph is
// one of its cells, out of it when it is not.
void Reader::ensureContext(bool forceTable) {
    const bool inTable = forceTable || state().para.inTable;
    if (!inTable) {
        if (table_) endTable();
        return;
    }
    if (!table_) {
        startTable();
        return;
    }
    if (rowDone_) {
        table_->appendRows(1);
        ++row_;
        column_ = 0;
        rowDone_ = false;
        cellPending_ = true;
    }
    if (column_ >= table_->columns()) {
        table_->appendColumns(column_ - table_->columns() + 1);
        cellPending_ = true;
    }
    if (cellPending_) moveToCell();
}

void Reader::openParagraph() {
    if (!paragraphEnded_) return;
    cursor_.insertBlock();
    paragraphEnded_ = false;
}

void Reader::startTable() {
    const int columns = std::max<int>(1, int(cellRight_.size()));
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(QColor(128, 128, 128));
    format.setBorderCollapse(true);
    format.setCellPadding(3);
    format.setCellSpacing(0);
    if (int(cellRight_.size()) == columns && columns > 0) {
        QList<QTextLength> widths;
        int left = 0;
        for (int right : cellRight_) {
            widths << QTextLength(QTextLength::FixedLength,
                                  std::clamp(right - left, 30, 30000) / twipsPerPixel);
            left = right;
        }
        format.setColumnWidthConstraints(widths);
    }
    // The table follows the paragraph that \par ended; the document always has a paragraph
    // after a table, where the text goes on.
    paragraphEnded_ = false;
    table_ = cursor_.insertTable(1, columns, format);
    row_ = 0;
    column_ = 0;
    rowDone_ = false;
    cellPending_ = true;
    moveToCell();
}

void Reader::endTable() {
    table_ = nullptr;
    cursor_.movePosition(QTextCursor::End);
    paragraphEnded_ = false;
}

void Reader::moveToCell() {
    cursor_ = table_->cellAt(row_, column_).lastCursorPosition();
    cellPending_ = false;
    paragraphEnded_ = false;
}

void Reader::endParagraph() {
    flush();
    ensureContext();
    openParagraph();
    const GroupState& s = state();
    cursor_.setBlockFormat(blockFormat(s.para));
    cursor_.setBlockCharFormat(charFormat(s.chr));
    pageBreak_ = false;
    paragraphEnded_ = true;
}

void Reader::endCell() {
    flush();
    ensureContext(true);
    openParagraph();
    const GroupState& s = state();
    cursor_.setBlockFormat(blockFormat(s.para));
    cursor_.setBlockCharFormat(charFormat(s.chr));
    pageBreak_ = false;
    ++column_;
    cellPending_ = true;
}

void Reader::endRow() {
    flush();
    if (!table_) return;
    rowDone_ = true;
    cellPending_ = false;
}

void Reader::finishPicture() {
    const std::unique_ptr<Picture> pict = std::move(picture_);
    if (!pict || state().destination != Destination::Text) return;
    const bool bitmap = pict->kind == "pngblip" || pict->kind == "jpegblip";
    QImage image;
    if (bitmap) image = QImage::fromData(pict->data);
    // The size shown: the goal size in twips, else the picture's own size (pixels for bitmaps,
    // hundredths of a millimetre for metafiles), scaled in percent.
    double w = pict->goalW / twipsPerPixel, h = pict->goalH / twipsPerPixel;
    if (w <= 0 || h <= 0) {
        if (!image.isNull()) {
            w = image.width();
            h = image.height();
        } else if (bitmap) {
            w = pict->picw;
            h = pict->pich;
        } else {
            w = pict->picw * 96.0 / 2540.0;
            h = pict->pich * 96.0 / 2540.0;
        }
    }
    w = w * pict->scaleX / 100.0;
    h = h * pict->scaleY / 100.0;
    if (w < 1 || h < 1) {
        w = image.isNull() ? 96 : image.width();
        h = image.isNull() ? 48 : image.height();
    }
    w = std::min<double>(w, maxPictureSide);
    h = std::min<double>(h, maxPictureSide);
    if (image.isNull()) image = placeholder(int(w), int(h));

    QUrl name;
    do {
        name = QUrl(QStringLiteral("rtfimage:%1").arg(++pictures_));
    } while (doc_.resource(QTextDocument::ImageResource, name).isValid());
    doc_.addResource(QTextDocument::ImageResource, name, image);
    doc_.addResource(
        PictureSourceResource, pictureSourceName(name.toString()),
        QVariant::fromValue(PictureSource{pict->kind, pict->data, pict->picw, pict->pich}));
    flush();
    ensureContext();
    openParagraph();
    // The picture carries the font around it, which text typed after it takes.
    QTextImageFormat format;
    format.merge(charFormat(state().chr));
    format.setVerticalAlignment(QTextCharFormat::AlignNormal);
    format.setName(name.toString());
    format.setWidth(w);
    format.setHeight(h);
    cursor_.insertImage(format);
}

void Reader::finishDocument() {
    flush();
    while (stack_.size() > 1) stack_.pop_back();
    if (picture_) picture_.reset();
    if (table_) endTable();
    // The last paragraph, when no \par ended it, takes the properties in force at the end.
    if (paragraphEnded_) return;
    const QTextBlock block = cursor_.block();
    if (block.length() > 1 || !block.previous().isValid()) {
        cursor_.setBlockFormat(blockFormat(state().para));
        if (block.length() <= 1) cursor_.setBlockCharFormat(charFormat(state().chr));
    }
}

}  // namespace ondalis::rtf::detail
