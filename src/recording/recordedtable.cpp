#include "recording/recordedtable.h"

#include "platform/core/numberformat.h"

namespace ondalis {

QStringList tableRowTexts(const MotionSample& s) {
    return {formatGeneral(s.t),           formatThreeSignificant(s.x),
            formatThreeSignificant(s.v),  formatThreeSignificant(s.a),
            formatThreeSignificant(s.ec), formatThreeSignificant(s.epe),
            formatThreeSignificant(s.em)};
}

QString copitabText(const RecordedSamples& samples, int emptyRows) {
    const QString emptyLine(6, QLatin1Char('\t'));
    QString text = emptyLine;
    for (const MotionSample& s : samples)
        text += QLatin1Char('\n') + tableRowTexts(s).join(QLatin1Char('\t'));
    for (int i = 0; i < emptyRows; ++i) text += QLatin1Char('\n') + emptyLine;
    return text;
}

}  // namespace ondalis
