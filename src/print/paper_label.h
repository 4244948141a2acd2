// The paper and orientation a print title names: "印刷 (紙： A4 210 × 297 mm
// 印刷方向： 縦)".
#pragma once

#include <string>

namespace qz {

// The label of a paper-size code (the printer driver's numbering); any code
// without one is a user-defined size, shown with its width and length.
std::string PaperSizeLabel(int paperCode, double widthMm, double lengthMm);

// base "印刷" or "印刷プレビュー" with the paper and orientation in parentheses.
std::string PaperTitle(const std::string& base, int paperCode, double widthMm, double lengthMm,
                       bool landscape);

}  // namespace qz
