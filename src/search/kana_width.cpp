// Code page 932 width and kana tables: the single-byte <-> double-byte
// equivalents of ASCII and half-width katakana, and the voiced-mark joins.
#include "search/kana_width.h"

#include <array>

namespace qz {

namespace {

// Full-width forms of 0x20-0x7E. The quotes and the backslash map to the
// typographic quotes and the yen sign, as the code page's own table does.
constexpr uint16_t kAsciiFull[95] = {
    0x8140, 0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166,  // sp ! " # $ % & '
    0x8169, 0x816A, 0x8196, 0x817B, 0x8143, 0x817C, 0x8144, 0x815E,  // ( ) * + , - . /
    0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256,  // 0-7
    0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148,  // 8 9 : ; < = > ?
    0x8197, 0x8260, 0x8261, 0x8262, 0x8263, 0x8264, 0x8265, 0x8266,  // @ A-G
    0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E,  // H-O
    0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276,  // P-W
    0x8277, 0x8278, 0x8279, 0x816D, 0x818F, 0x816E, 0x814F, 0x8151,  // X Y Z [ \ ] ^ _
    0x8165, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287,  // ` a-g
    0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F,  // h-o
    0x8290, 0x8291, 0x8292, 0x8293, 0x8294, 0x8295, 0x8296, 0x8297,  // p-w
    0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8150,          // x y z { | } ~
};

// Full-width forms of the half-width katakana and marks 0xA1-0xDF.
constexpr uint16_t kKanaFull[63] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342,  // A1-A8
    0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362, 0x815B,  // A9-B0
    0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E,  // B1-B8
    0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E,  // B9-C0
    0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C,  // C1-C8
    0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E,  // C9-D0
    0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389, 0x838A,  // D1-D8
    0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,          // D9-DF
};

constexpr uint8_t kVoiced = 0xDE;
constexpr uint8_t kSemiVoiced = 0xDF;
constexpr uint16_t kVu = 0x8394;

uint16_t SingleToFull(uint8_t b) {
    if (b >= 0x20 && b <= 0x7E) return kAsciiFull[b - 0x20];
    if (b >= 0xA1 && b <= 0xDF) return kKanaFull[b - 0xA1];
    return 0;
}

constexpr bool TakesVoicedMark(uint8_t b) { return (b >= 0xB6 && b <= 0xC4) || (b >= 0xCA && b <= 0xCE); }
constexpr bool TakesSemiVoicedMark(uint8_t b) { return b >= 0xCA && b <= 0xCE; }

// Reverse table over the codes 0x8140-0x83FF, which hold every full-width
// form above: low byte = half-width byte, high byte = mark (0 for none).
struct HalfTable {
    std::array<uint16_t, 0x2C0> entry{};
    constexpr HalfTable() {
        auto put = [this](uint16_t code, uint8_t b, uint8_t mark) {
            entry[code - 0x8140] = static_cast<uint16_t>(b | (mark << 8));
        };
        for (int b = 0x20; b <= 0x7E; ++b) put(kAsciiFull[b - 0x20], static_cast<uint8_t>(b), 0);
        for (int b = 0xA1; b <= 0xDF; ++b) {
            uint16_t full = kKanaFull[b - 0xA1];
            put(full, static_cast<uint8_t>(b), 0);
            if (TakesVoicedMark(static_cast<uint8_t>(b))) put(full + 1, static_cast<uint8_t>(b), kVoiced);
            if (TakesSemiVoicedMark(static_cast<uint8_t>(b)))
                put(full + 2, static_cast<uint8_t>(b), kSemiVoiced);
        }
        put(kVu, 0xB3, kVoiced);
    }
};

constexpr HalfTable kHalf;

}  // namespace

int ToHalfWidth(uint16_t code, uint8_t out[2]) {
    if (code < 0x8140 || code >= 0x8140 + kHalf.entry.size()) return 0;
    uint16_t e = kHalf.entry[code - 0x8140];
    if (e == 0) return 0;
    out[0] = static_cast<uint8_t>(e & 0xFF);
    if (e >> 8) {
        out[1] = static_cast<uint8_t>(e >> 8);
        return 2;
    }
    return 1;
}

uint16_t ToFullWidth(uint8_t b, int next, int* used) {
    *used = 1;
    uint16_t full = SingleToFull(b);
    if (full == 0) return 0;
    if (next == kVoiced && b == 0xB3) {
        *used = 2;
        return kVu;
    }
    if (next == kVoiced && TakesVoicedMark(b)) {
        *used = 2;
        return full + 1;
    }
    if (next == kSemiVoiced && TakesSemiVoicedMark(b)) {
        *used = 2;
        return full + 2;
    }
    return full;
}

uint16_t HiraganaToKatakana(uint16_t code) {
    if (code >= 0x829F && code <= 0x82DD) return code + 0xA1;
    if (code >= 0x82DE && code <= 0x82F1) return code + 0xA2;
    return code;
}

uint16_t KatakanaToHiragana(uint16_t code) {
    if (code >= 0x8340 && code <= 0x837E) return code - 0xA1;
    if (code >= 0x8380 && code <= 0x8393) return code - 0xA2;
    return code;
}

uint16_t FullWidthToLower(uint16_t code) {
    return (code >= 0x8260 && code <= 0x8279) ? code + 0x21 : code;
}

uint16_t FullWidthToUpper(uint16_t code) {
    return (code >= 0x8281 && code <= 0x829A) ? code - 0x21 : code;
}

}  // namespace qz
