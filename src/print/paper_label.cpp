#include "print/paper_label.h"

#include <cstdio>

namespace qz {

namespace {

// Index = paper-size code; 9 and 10 (A4 and A4 small) share a label.
const char* const kPaperLabels[] = {
    nullptr,
    "Letter 8 1/2 × 11 ｲﾝﾁ",
    "Letter Small 8 1/2 × 11 ｲﾝﾁ",
    "Tabloid 11 × 17 ｲﾝﾁ",
    "Ledger 17 × 11 ｲﾝﾁ",
    "Legal 8 1/2 × 14 ｲﾝﾁ",
    "Statement 5 1/2 × 8 1/2 ｲﾝﾁ",
    "Executive 7 1/4 × 10 1/2 ｲﾝﾁ",
    "A3 297 × 420 mm",
    "A4 210 × 297 mm",
    "A4 210 × 297 mm",
    "A5 148 × 210 mm",
    "B4 250 × 354 mm",
    "B5 182 × 257 mm",
    "Folio 8 1/2 × 13 ｲﾝﾁ",
    "Quarto 215 × 275 mm",
    "10 × 14 ｲﾝﾁ",
    "11 × 17 ｲﾝﾁ",
    "Note 8 1/2 × 11 ｲﾝﾁ",
    "#9 Envelope 3 7/8 × 8 7/8 ｲﾝﾁ",
    "#10 Envelope 4 1/8 × 9 1/2 ｲﾝﾁ",
    "#11 Envelope 4 1/2 × 10 3/8 ｲﾝﾁ",
    "#12 Envelope 4 3/4 × 11 ｲﾝﾁ",
    "#14 Envelope 5 × 11 1/2 ｲﾝﾁ",
    "C 17 × 22 ｲﾝﾁ",
    "D 22 × 34 ｲﾝﾁ",
    "E 34 × 44 ｲﾝﾁ",
    "DL Envelope 110 × 220 mm",
    "C5 Envelope 162 × 229 mm",
    "C3 Envelope 324 × 458 mm",
    "C4 Envelope 229 × 324 mm",
    "C6 Envelope 114 × 162 mm",
    "C65 Envelope 114 × 229 mm",
    "B4 Envelope 250 × 353 mm",
    "B5 Envelope 176 × 250 mm",
    "B6 Envelope 176 × 125 mm",
    "Italy Envelope 110 × 230 mm",
    "Monarch Envelope 3 7/8 × 7 1/2 ｲﾝﾁ",
    "6 3/4 Envelope 3 5/8 × 6 1/2 ｲﾝﾁ",
    "US Std Fanfold 14 7/8 × 11 ｲﾝﾁ",
    "German Std Fanfold 8 1/2 × 12 ｲﾝﾁ",
    "German Legal Fanfold 8 1/2 × 13 ｲﾝﾁ",
};
constexpr int kLabelCount = static_cast<int>(sizeof kPaperLabels / sizeof kPaperLabels[0]);

}  // namespace

std::string PaperSizeLabel(int paperCode, double widthMm, double lengthMm) {
    if (paperCode >= 1 && paperCode < kLabelCount) return kPaperLabels[paperCode];
    char size[96];
    std::snprintf(size, sizeof size, " (%.1f × %.1f mm)", widthMm, lengthMm);
    return std::string("ﾕｰｻﾞｰ定義ｻｲｽﾞ") + size;
}

std::string PaperTitle(const std::string& base, int paperCode, double widthMm, double lengthMm,
                       bool landscape) {
    return base + " (紙： " + PaperSizeLabel(paperCode, widthMm, lengthMm) + "  印刷方向： " +
           (landscape ? "横" : "縦") + ")";
}

}  // namespace qz
