// The basic key table run against a real view: each row reaches its command,
// modifiers choose the row, and keys the table lacks are left to the window.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "app/basic_keys.h"
#include "view/view_script.h"

namespace qz::testing {
namespace {

class BasicKeys : public ::testing::Test {
protected:
    void SetUp() override { ResetSettings(); }
    static std::string Run(const char* text, BasicKey key, KeyMods mods = {}) {
        ViewScript s(text);
        EXPECT_TRUE(RunBasicKey(*s.view, key, mods, false));
        return s.Text();
    }
};

TEST_F(BasicKeys, EditingKeysReachTheirCommands) {
    EXPECT_EQ(Run("ab‸c\n", BasicKey::Backspace), "a‸c\n");
    EXPECT_EQ(Run("ab‸c\n", BasicKey::Delete), "ab‸\n");
    EXPECT_EQ(Run("ab‸c\n", BasicKey::Enter), "ab\n‸c\n");
    EXPECT_EQ(Run("ab‸c\n", BasicKey::Tab), "ab\t‸c\n");
    // Backspace over a double-byte character takes both bytes.
    EXPECT_EQ(Run("漢‸字\n", BasicKey::Backspace), "‸字\n");
}

TEST_F(BasicKeys, MotionAndModifiers) {
    EXPECT_EQ(Run("ab‸c\nxyz\n", BasicKey::Home), "‸abc\nxyz\n");
    EXPECT_EQ(Run("a‸bc\nxyz\n", BasicKey::End), "abc‸\nxyz\n");
    EXPECT_EQ(Run("ab‸c\nxyz\n", BasicKey::End, {false, true, false}), "abc\nxyz\n‸");
    EXPECT_EQ(Run("abc\nxy‸z\n", BasicKey::Home, {false, true, false}), "‸abc\nxyz\n");
    EXPECT_EQ(Run("ab‸c\nxyz\n", BasicKey::Down), "abc\nxy‸z\n");
    EXPECT_EQ(Run("ab‸c\n", BasicKey::Left), "a‸bc\n");
}

TEST_F(BasicKeys, KeysWithoutARowAreLeftToTheWindow) {
    ViewScript s("ab‸c\n");
    EXPECT_FALSE(RunBasicKey(*s.view, BasicKey::Backspace, {false, false, true}, false));
    EXPECT_FALSE(RunBasicKey(*s.view, BasicKey::Delete, {false, true, false}, false));
    EXPECT_EQ(s.Text(), "ab‸c\n");
}

TEST_F(BasicKeys, NoKeyAndModifierPairHasTwoRows) {
    size_t n = 0;
    const BasicKeyRow* rows = BasicKeyTable(&n);
    std::set<std::tuple<int, bool, bool>> seen;
    for (size_t i = 0; i < n; ++i)
        EXPECT_TRUE(seen.insert({static_cast<int>(rows[i].key), rows[i].shift, rows[i].ctrl}).second) << i;
}

}  // namespace
}  // namespace qz::testing
