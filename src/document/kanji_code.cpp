// Title labels of the kanji code and line-end mode, and the half-width kana
// widening used when a text is written as 7-bit JIS.
#include "document/kanji_code.h"

namespace qz {

std::string_view KanjiLabel(int code, int lineEnd) {
    const bool lf = lineEnd == kLineLf;
    switch (code) {
    case kCodeEuc: return lf ? "  [euc, lf]" : "  [euc, cr/lf]";
    case kCodeJis: return lf ? "  [jis, lf]" : "  [jis, cr/lf]";
    case kCodeUtf8: return lf ? "  [utf8, lf]" : "  [utf8, crlf]";
    default: return lf ? "  [sjis, lf]" : "";
    }
}

namespace {
// Full-width Shift-JIS of 0xA1 (｡) to 0xDF (ﾟ), in byte order.
constexpr uint16_t kWideKana[0xDF - 0xA1 + 1] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342,  // ｡｢｣､･ｦｧｨ
    0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362, 0x815B,  // ｩｪｫｬｭｮｯｰ
    0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E,  // ｱｲｳｴｵｶｷｸ
    0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E,  // ｹｺｻｼｽｾｿﾀ
    0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C,  // ﾁﾂﾃﾄﾅﾆﾇﾈ
    0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E,  // ﾉﾊﾋﾌﾍﾎﾏﾐ
    0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389, 0x838A,  // ﾑﾒﾓﾔﾕﾖﾗﾘ
    0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,          // ﾙﾚﾛﾜﾝﾞﾟ
};
}  // namespace

unsigned WidenHalfKana(unsigned c) {
    return c >= 0xA1 && c <= 0xDF ? kWideKana[c - 0xA1] : 0;
}

}  // namespace qz
