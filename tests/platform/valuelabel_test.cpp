// A readout label draws its text from glyphs laid out once: the pixels must be QLabel's.
#include "platform/widgets/valuelabel.h"

#include <gtest/gtest.h>

#include <QImage>
#include <memory>

#include "platform/widgets/drawingsurface.h"

namespace ondalis {
namespace {

struct Look {
    const char* name;
    QFont font;
    Qt::Alignment alignment;
    QMargins margins;
};

// A label in a look; a readout keeps QLabel's drawing until its value first changes.
template <typename Label>
std::unique_ptr<Label> labelIn(const Look& look) {
    auto label = std::make_unique<Label>();
    label->resize(69, 19);
    label->setFont(look.font);
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(pal);
    label->setAlignment(look.alignment);
    label->setContentsMargins(look.margins);
    label->setText(QStringLiteral("0"));
    label->grab();
    return label;
}

QImage drawn(QLabel& label, const QString& text) {
    label.setText(text);
    return label.grab().toImage();
}

TEST(ValueLabelTest, ReadoutsShowTheSamePixelsAsAPlainLabel) {
    const Look looks[] = {
        {"readout", DrawingSurface::makeFont(QStringLiteral("Arial"), 8.25, true),
         Qt::AlignRight | Qt::AlignVCenter, QMargins(0, 0, 3, 0)},
        {"plain, centred", QFont(), Qt::AlignCenter, QMargins()},
        {"serif, top left", DrawingSurface::makeFont(QStringLiteral("Times New Roman"), 10),
         Qt::AlignLeft | Qt::AlignTop, QMargins(2, 1, 0, 0)},
    };
    // Every pair of the characters readouts are made of (and every triple in the readouts'
    // look), real readouts, a text too long for the label, and texts with other characters
    // (left to QLabel).
    const QString characters = QStringLiteral("0123456789,.-+ m");
    for (const Look& look : looks) {
        QStringList texts = {QStringLiteral("-1234,56"), QStringLiteral("500,00 m"),
                             QStringLiteral("0,00 m"),   QStringLiteral("-123456789012,00"),
                             QStringLiteral("1,5 J"),    QStringLiteral("fi&<b>x</b>")};
        for (QChar a : characters)
            for (QChar b : characters) {
                texts << QString(a) + b;
                if (&look == &looks[0])
                    for (QChar c : characters) texts << QString(a) + b + c;
            }
        const auto readout = labelIn<ValueLabel>(look);
        const auto plain = labelIn<QLabel>(look);
        for (const QString& text : texts)
            ASSERT_EQ(drawn(*readout, text), drawn(*plain, text))
                << look.name << ": \"" << text.toStdString() << '"';
    }
}

}  // namespace
}  // namespace ondalis
