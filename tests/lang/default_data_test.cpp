// The keyword and template files shipped in data/: they load without a
// message and colour typical source lines as intended, in colours that read
// well with the default settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "lang/language_data.h"
#include "lang_fakes.h"
#include "platform/cp932.h"
#include "settings/settings.h"
#include "view/qzed_view.h"

namespace qz {
namespace {

using testing::RecordingMessageBox;
using testing::Sjis;

std::string ReadData(const std::string& name) {
    std::ifstream in(std::string(QZ_SOURCE_DATA_DIR) + "/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Colour(const KeywordTable& t, const std::string& row) {
    std::string attrs(row.size(), '1');
    MatchKeywords(t, row.data(), attrs.data(), row.size());
    for (char& a : attrs) a = a >= '6' && a <= '9' ? static_cast<char>('0' + (a - '6')) : '.';
    return attrs;
}

TEST(DefaultData, EveryTypeLoadsWithoutAMessage) {
    const char* old = std::getenv("QZED_HOME");
    std::string oldHome = old ? old : "";
    setenv("QZED_HOME", QZ_SOURCE_DATA_DIR, 1);
    Settings saved = TheSettings();
    TheSettings() = Settings();
    RecordingMessageBox box;
    LoadLanguageData(box);
    for (auto& shown : box.shown) ADD_FAILURE() << shown.text;
    for (int type = 1; type <= 3; ++type) {
        EXPECT_GT(TheKeywordTable(type).entries.size(), 100u) << type;
        int defined = 0;
        for (auto& slot : TheTemplateTable(type).slots) {
            if (!slot.defined) continue;
            ++defined;
            EXPECT_FALSE(slot.title.empty());
            EXPECT_FALSE(slot.text.empty());
        }
        EXPECT_GE(defined, 8) << type;
    }
    for (int type = 4; type <= 6; ++type) EXPECT_TRUE(TheKeywordTable(type).Empty());
    TheSettings() = saved;
    setenv("QZED_HOME", oldHome.c_str(), 1);
}

TEST(DefaultData, FilesAreShiftJisWithCrLf) {
    for (const char* name : {"yoyaku_c.tbl", "yoyaku_asm.tbl", "yoyaku_htm.tbl", "temp_c.key",
                             "temp_asm.key", "temp_htm.key"}) {
        std::string bytes = ReadData(name);
        ASSERT_FALSE(bytes.empty()) << name;
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << name << " at " << i;
            }
        }
        std::string utf8;
        EXPECT_TRUE(Cp932ToUtf8(bytes, utf8)) << name;
        TemplateTable t;
        if (std::string(name).ends_with(".key")) {
            EXPECT_TRUE(ParseTemplateFile(bytes, t).ok()) << name;
        }
    }
}

TEST(DefaultData, CTableColoursTypicalLines) {
    KeywordTable t;
    ParseKeywordFile(ReadData("yoyaku_c.tbl"), t);
    EXPECT_EQ(Colour(t, "#include <stdio.h>"), "111111110000000000");
    EXPECT_EQ(Colour(t, "    return 0;"), "....000000...");
    EXPECT_EQ(Colour(t, "int print(void)"), "000.......0000.");
    EXPECT_EQ(Colour(t, "  printf(\"%d\", x);"), "..111111..........");
    EXPECT_EQ(Colour(t, "std::vector<int> v;"), "11111111111.000....");
    EXPECT_EQ(Colour(t, "#ifndef X"), "1111111..");
    EXPECT_EQ(Colour(t, "size_t n = NULL;"), "000000.....0000.");
    // Short keywords start after brackets as after blanks, never inside a word.
    EXPECT_EQ(Colour(t, "int main(int argc, char *argv[])"), "000......000.......0000.........");
    EXPECT_EQ(Colour(t, "x = (int)y + a[int_max] + {if};"), ".....000...................00..");
    EXPECT_EQ(Colour(t, "format(done, interval);"), ".......................");
}

TEST(DefaultData, AsmAndHtmlTablesColourTypicalLines) {
    KeywordTable a;
    ParseKeywordFile(ReadData("yoyaku_asm.tbl"), a);
    // Tabs reach the matcher expanded to blanks, as the view shows them.
    EXPECT_EQ(Colour(a, "    MOV eax, dword ptr [ebp-8]"), "....000.111..11111.111..111...");
    EXPECT_EQ(Colour(a, "  mov %eax, %r10d ; x"), "..000.1111..11111....");
    KeywordTable h;
    ParseKeywordFile(ReadData("yoyaku_htm.tbl"), h);
    EXPECT_EQ(Colour(h, "<A HREF=\"x\">&amp;</a>"), "22.33333...2222222222");
}

// Relative luminance and contrast ratio as WCAG 2 defines them, for palette
// entries (0x00BBGGRR).
double Luminance(uint32_t bgr) {
    auto channel = [](uint32_t v) {
        double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(bgr & 0xFF) + 0.7152 * channel((bgr >> 8) & 0xFF) +
           0.0722 * channel((bgr >> 16) & 0xFF);
}

double Contrast(int fore, int back) {
    double a = Luminance(kPalette[fore]), b = Luminance(kPalette[back]);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

TEST(DefaultData, EveryKeywordGroupUsedIsReadableOnItsTypesBackground) {
    EXPECT_NEAR(Contrast(1, 0), 21.0, 1e-9);  // white on black, the scale's top
    const Settings defaults;
    int checked = 0;
    for (int type = 1; type <= kFileTypes; ++type) {
        const TypeSettings& ts = defaults.type[type];
        if (ts.Yoyakugo.empty()) continue;
        KeywordTable t;
        ParseKeywordFile(ReadData(ts.Yoyakugo), t);
        std::set<int> groups;
        for (const KeywordEntry& e : t.entries) groups.insert(e.group, e.group + e.length);
        const int colour[4] = {ts.UsrFunc_Col1, ts.UsrFunc_Col2, ts.UsrFunc_Col3, ts.UsrFunc_Col4};
        for (int g : groups) {
            EXPECT_GE(Contrast(colour[g], ts.Back_Col), 4.5)
                << ts.Yoyakugo << " group " << g << ": colour " << colour[g] << " on " << ts.Back_Col;
            ++checked;
        }
    }
    EXPECT_GE(checked, 6);  // two groups or more in each of the three files
}

TEST(DefaultData, TextLineNumbersCommentsAndCaretRowAreReadableOnEveryType) {
    const Settings defaults;
    for (int type = 1; type <= kFileTypes; ++type) {
        const TypeSettings& ts = defaults.type[type];
        for (int fore : {ts.Text_Col, ts.LineNo_Col, ts.Com_Col, ts.Csr_Col})
            EXPECT_GE(Contrast(fore, ts.Back_Col), 4.5) << "type " << type << ": colour " << fore;
    }
}

}  // namespace
}  // namespace qz
