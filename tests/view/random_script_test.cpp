// Random command runs over mixed text: the store stays sound and the caret
// stays on a character boundary inside the text, whatever the order.
#include <gtest/gtest.h>

#include <random>

#include "view/view_script.h"

namespace qz::testing {
namespace {

const char* const kCommands[] = {
    "left", "right", "up", "down", "home", "end", "pgup", "pgdn", "half-up", "half-down", "top",
    "bottom", "word-left", "word-right", "word-left1", "word-right1", "sel-left", "sel-right",
    "sel-up", "sel-down", "box-left", "box-right", "box-up", "box-down", "enter", "tab", "del",
    "bs", "undel", "delrow", "unrow", "eol", "sol", "delword", "dup", "below", "above", "case",
    "width", "ins", "last-edit", "draw-right", "draw-down", "erase-left", "erase-up",
    "type:a", "type:あ", "type:ｶﾞ", "type:\t", "type:Ｘ", "type:/*", "type:*/"};

// Every byte of the text belongs to a whole character: the runs start from
// sound text and type only whole characters, so a lone lead or trail byte
// means a command split a double-byte character.
void CheckCharacters(ViewScript& s, const std::string& trail) {
    const std::string text = s.Sjis();
    for (size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<uint8_t>(text[i]);
        if (IsSjisLead(b)) {
            ASSERT_LT(i + 1, text.size()) << "a lead byte ends the text after " << trail;
            const auto t = static_cast<uint8_t>(text[i + 1]);
            ASSERT_TRUE(t >= 0x40 && t <= 0xFC && t != 0x7F) << "lead without trail at " << i << " after " << trail;
            ++i;
        } else {
            ASSERT_TRUE(b == '\t' || b == '\n' || (b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF))
                << "stray byte " << int(b) << " at " << i << " after " << trail;
        }
    }
}

void CheckCaret(ViewScript& s, const std::string& trail) {
    CQzedView& v = *s.view;
    TextStore& st = s.doc->Store();
    ASSERT_EQ(st.Check(), "") << trail;
    CheckCharacters(s, trail);
    ASSERT_GE(v.CaretRow(), 1u) << trail;
    ASSERT_LE(v.CaretRow(), st.GetRowCount() + 1) << trail;
    ASSERT_GE(v.CaretOffset(), 1u) << trail;
    char buf[kRowTextMax];
    const uint32_t n = st.GetRowText(v.CaretRow(), buf);
    if (v.KeySelection() != kSelNone && v.SelectionKind() == kSelBox) return;
    ASSERT_LE(v.CaretOffset(), n + 1) << trail;
    uint32_t k = 1;
    while (k < v.CaretOffset()) k += IsSjisLead(static_cast<uint8_t>(buf[k - 1])) && k < n ? 2 : 1;
    ASSERT_EQ(k, v.CaretOffset()) << "inside a double-byte character after " << trail;
}

TEST(RandomScripts, CaretAndStoreStaySound) {
    for (uint32_t seed = 1; seed <= 160; ++seed) {
        ResetSettings();
        TheSettings().env.RuleLineMode = 1 + seed % 3;
        TheSettings().Type(1).Columns = seed % 2 ? 20 : 240;
        TheSettings().Type(1).TabSp = seed % 3 == 0;
        std::mt19937 rng(seed);
        // Long mixed lines, so that double-byte characters meet the wrap edge.
        ViewScript s("int main() {\n\tあいう abc;\n  // ｶﾀｶﾅ\n}\n" + std::string(30, 'x') + "\n" +
                     std::string(19, 'y') + "bあcいうえおかきくけこさしすせそたちつてと\n‸");
        std::string trail;
        for (int i = 0; i < 400; ++i) {
            const char* cmd = kCommands[rng() % (sizeof kCommands / sizeof *kCommands)];
            trail += std::string(" ") + cmd;
            s.Run(cmd);
            CheckCaret(s, "seed " + std::to_string(seed) + ":" + trail.substr(trail.size() > 300 ? trail.size() - 300 : 0));
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

}  // namespace
}  // namespace qz::testing
