// Randomised load and save against a plain string model of the byte rules,
// over every code, with sizes that cross the read blocks and pieces.
#include "file_test_util.h"

#include <random>

#include "document/kanji_convert.h"
#include "kanji_test_util.h"

namespace qz::test {
namespace {

// What the loader keeps of decoded bytes, and the line-end mode it finds.
std::string ModelText(const std::string& decoded, bool stopAtEof, int* lineEnd) {
    std::string kept;
    bool lf = false, cr = false;
    for (char c : decoded) {
        if (c == 0x1A && stopAtEof) break;
        if (c == '\r') cr = true;
        if (c == '\n') lf = true;
        if (c == '\0' || c == '\r' || c == 0x1A) continue;
        kept += c;
    }
    *lineEnd = lf && !cr ? kLineLf : kLineCrLf;
    return kept;
}

using RandomFileTest = FileTest;

TEST_F(RandomFileTest, LoadMatchesTheModelAndSaveReadsBackTheSame) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    for (int round = 0; round < 40; ++round) {
        // Special bytes sprinkled into kanji text, rarely or often.
        std::string text = RandomSjisText(rng, rng() % 3 == 0 ? 150000 : rng() % 3000, true);
        const unsigned every = 1 + rng() % 400;
        for (size_t i = 0; i < text.size(); i += 1 + rng() % every) {
            if (static_cast<unsigned char>(text[i]) >= 0x80) continue;  // keep characters whole
            text[i] = "\r\r\n\0\x1A"[rng() % (round % 4 == 0 ? 5 : 4)];
        }
        const int code = int(1 + rng() % 3);
        const std::string file = EncodeFromSjis(code, text);
        WriteWholeFile(Path("r.txt"), file);
        Env().ReadEND = int(rng() % 2);

        CQzedDoc doc;
        ASSERT_EQ(io_.Load(doc, Path("r.txt"), code), 0);
        int lineEnd = 0;
        const std::string expect = ModelText(DecodeToSjis(code, file), Env().ReadEND == 0, &lineEnd);
        ASSERT_TRUE(TextOf(doc) == expect) << "round " << round << " code " << code;
        ASSERT_EQ(doc.File().lineEnd, lineEnd);
        ASSERT_TRUE(doc.Store().Check().empty());

        // Written back and read again, the text is the same.
        ASSERT_EQ(io_.Save(doc, Path("r.txt")), 1);
        CQzedDoc again;
        ASSERT_EQ(io_.Load(again, Path("r.txt"), code), 0);
        ASSERT_TRUE(TextOf(again) == expect) << "round " << round;
    }
}

}  // namespace
}  // namespace qz::test
