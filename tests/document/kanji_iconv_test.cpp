// glibc iconv as an independent oracle: CP932 -> EUC-JP and CP932 ->
// ISO-2022-JP must agree with our converters on every character both define.
#include "document/kanji_code.h"
#include "document/kanji_convert.h"
#include "kanji_test_util.h"

#include <gtest/gtest.h>
#include <iconv.h>

using namespace qz;
using namespace qz::test;

namespace {
// Whole-text conversion, flushed; false when iconv refuses any of it.
bool Iconv(const char* to, const char* from, const std::string& in, std::string& out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out.assign(in.size() * 8 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    char* dst = out.data();
    size_t il = in.size(), ol = out.size();
    bool ok = iconv(cd, &src, &il, &dst, &ol) != size_t(-1) &&
              iconv(cd, nullptr, nullptr, &dst, &ol) != size_t(-1);
    out.resize(out.size() - ol);
    iconv_close(cd);
    return ok;
}
}  // namespace

TEST(KanjiIconv, EucAgreesCharacterByCharacter) {
    // Plain EUC-JP sends a few CP932 characters whose Unicode images differ
    // (wave dash and its kin) to JIS X 0212 three-byte forms; those are not
    // characters both tables define, and the Microsoft table below has them.
    int compared = 0;
    for (const std::string& c : JisX0208Chars()) {
        std::string euc, back;
        if (!Iconv("EUC-JP", "CP932", c, euc) || euc.size() != 2) continue;
        ++compared;
        ASSERT_EQ(EncodeFromSjis(kCodeEuc, c), euc) << std::hex << int(uint8_t(c[0])) << int(uint8_t(c[1]));
        ASSERT_TRUE(Iconv("CP932", "EUC-JP", euc, back));
        ASSERT_EQ(DecodeToSjis(kCodeEuc, euc), back);
    }
    EXPECT_GT(compared, 6860);
}

TEST(KanjiIconv, Cp932RowsAgreeWithTheMicrosoftEucTable) {
    // EUC-JP-MS also places vendor row 13 in two bytes; wherever it does, the
    // row-and-cell arithmetic must agree. Its user-defined rows (leads 0xF0
    // and up moved down into rows 85-94) are a convention of its own, which
    // the arithmetic does not follow: we write no such characters.
    int compared = 0;
    for (int a = 0x81; a <= 0xEF; ++a) {
        if (!IsSjisLeadClass(unsigned(a))) continue;
        for (int b = 0x40; b <= 0xFC; ++b) {
            if (b == 0x7F) continue;
            const std::string c{char(a), char(b)};
            std::string euc, back;
            if (!Iconv("EUC-JP-MS", "CP932", c, euc) || euc.size() != 2) continue;
            // CP932 repeats some symbols in row 13; the table sends the
            // repeats to the one JIS X 0208 place and cannot bring them back.
            if (!Iconv("CP932", "EUC-JP-MS", euc, back) || back != c) continue;
            ++compared;
            ASSERT_EQ(EncodeFromSjis(kCodeEuc, c), euc) << std::hex << a << " " << b;
            ASSERT_EQ(DecodeToSjis(kCodeEuc, euc), c) << std::hex << a << " " << b;
        }
    }
    EXPECT_GT(compared, 6879);
}

TEST(KanjiIconv, HalfWidthKanaInEuc) {
    std::string half, euc;
    for (int c = 0xA1; c <= 0xDF; ++c) half += char(c);
    ASSERT_TRUE(Iconv("EUC-JP", "CP932", half, euc));
    EXPECT_EQ(EncodeFromSjis(kCodeEuc, half), euc);
    EXPECT_EQ(DecodeToSjis(kCodeEuc, euc), half);
}

TEST(KanjiIconv, RandomTextsAgreeWithIso2022Jp) {
    // Texts that end in ASCII, so that iconv's closing ESC ( B and ours agree.
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937 rng(seed);
    int compared = 0;
    for (int round = 0; round < 200; ++round) {
        const std::string text = RandomSjisText(rng, 50, false) + "\n";
        std::string jis, euc;
        if (!Iconv("ISO-2022-JP", "CP932", text, jis) || !Iconv("EUC-JP", "CP932", text, euc))
            continue;
        ++compared;
        ASSERT_EQ(EncodeFromSjis(kCodeJis, text), jis);
        ASSERT_EQ(EncodeFromSjis(kCodeEuc, text), euc);
        ASSERT_EQ(DecodeToSjis(kCodeJis, jis), text);
        ASSERT_EQ(WriteLikeSaver(kCodeJis, text, 4096), jis);
        ASSERT_EQ(ReadLikeLoader(kCodeJis, jis, 512), text);
    }
    EXPECT_GT(compared, 100);
}
