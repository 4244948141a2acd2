#include "qt/log_font.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "platform/cp932.h"

namespace qz {

namespace {
bool Installed(const LogFont& lf) {
    return QFontDatabase::families().contains(QString::fromStdString(SjisToUtf8(lf.lfFaceName)));
}
}  // namespace

QFont FontFromLogFont(const LogFont& lf, double scale) {
    const QString face = QString::fromStdString(SjisToUtf8(lf.lfFaceName));
    QFont f(face);
    f.setStyleHint(QFont::TypeWriter);
    if (!Installed(lf)) {
        for (const char* fallback : {"IPAGothic", "Noto Sans Mono CJK JP", "VL Gothic", "TakaoGothic"}) {
            if (QFontDatabase::families().contains(fallback)) {
                f.setFamily(fallback);
                break;
            }
        }
    }
    const int height = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight > 0 ? lf.lfHeight : 16;
    f.setPixelSize(std::max(6, static_cast<int>(std::lround(height * scale))));
    f.setWeight(lf.lfWeight >= 600 ? QFont::Bold : QFont::Normal);
    f.setItalic(lf.lfItalic != 0);
    return f;
}

QFont LatinCompanion(const LogFont& lf, const QFont& main, int cellWidth, bool narrowBySize) {
    if (Installed(lf)) return main;
    QFont f = main;
    for (const char* face : {"DejaVu Sans Mono", "Liberation Mono", "Noto Sans Mono", "Noto Mono"}) {
        if (QFontDatabase::families().contains(face)) {
            f.setFamily(face);
            break;
        }
    }
    if (f.family() == main.family()) return main;
    const int adv = QFontMetrics(f).horizontalAdvance(QChar('M'));
    const int mainHeight = QFontMetrics(main).height();
    if (narrowBySize) {
        // One scale for both limits: printer output does not stretch glyphs.
        const double scale = std::min({1.0, double(cellWidth) / std::max(1, adv),
                                       double(mainHeight) / std::max(1, QFontMetrics(f).height())});
        f.setPixelSize(std::max(6, static_cast<int>(f.pixelSize() * scale)));
        return f;
    }
    if (adv > cellWidth) f.setStretch(std::max(50, cellWidth * 100 / adv));
    while (QFontMetrics(f).height() > mainHeight && f.pixelSize() > 6) f.setPixelSize(f.pixelSize() - 1);
    return f;
}

void StoreFont(LogFont& lf, const QFont& f) {
    const double px = f.pixelSize() > 0 ? f.pixelSize() : f.pointSizeF() * 96.0 / 72.0;
    lf.lfHeight = -std::max(1, static_cast<int>(std::lround(px)));
    lf.lfWidth = 0;
    lf.lfWeight = f.bold() ? 700 : 400;
    lf.lfItalic = f.italic() ? 1 : 0;
    lf.lfUnderline = f.underline() ? 1 : 0;
    lf.lfStrikeOut = f.strikeOut() ? 1 : 0;
    lf.lfFaceName = std::string(SjisPrefix(Utf8ToSjis(f.family().toStdString()), kFaceNameBytes));
}

}  // namespace qz
