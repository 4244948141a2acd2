// The open and save dialogs' lists, the Qt filter strings and the code choices.
#include <gtest/gtest.h>

#include "app/file_dialog_model.h"

using namespace qz;

TEST(FileDialogFilters, OpenListInOrderWithUserPatternFirst) {
    auto list = OpenFilterList("*.c;*.h;*.soc;*.inc");
    ASSERT_EQ(list.size(), 8u);
    EXPECT_EQ(list[0].display, "ユーザー指定(*.c *.h *.soc *.inc)");
    EXPECT_EQ(list[0].pattern, "*.c;*.h;*.soc;*.inc");
    EXPECT_EQ(list[1].display, "ｿｰｽﾌｧｲﾙ(*.c *.cpp *.h *.asm *.s *.inc *.rc *.bas *.frm)");
    EXPECT_EQ(list[1].pattern, "*.c;*.h;*.cpp;*.asm;*.s;*.inc;*.rc;*.bas;*.frm");
    EXPECT_EQ(list[2].display, "C++ﾌｧｲﾙ(*.c *.cpp *.cxx *.h *.rc)");
    EXPECT_EQ(list[2].pattern, "*.c;*.cpp;*.cxx;*.h;*.rc");
    EXPECT_EQ(list[3].display, "VisualBasicﾌｧｲﾙ(*.frm *.bas)");
    EXPECT_EQ(list[3].pattern, "*.frm;*.bas");
    EXPECT_EQ(list[4].display, "ｱｾﾝﾌﾞﾗﾌｧｲﾙ(*.asm *.s *.inc)");
    EXPECT_EQ(list[4].pattern, "*.asm;*.s;*.inc");
    EXPECT_EQ(list[5].display, "HTMLﾌｧｲﾙ(*.html *.htm)");
    EXPECT_EQ(list[5].pattern, "*.html;*.htm");
    EXPECT_EQ(list[6].display, "ﾃｷｽﾄﾌｧｲﾙ(*.txt)");
    EXPECT_EQ(list[6].pattern, "*.txt");
    EXPECT_EQ(list[7].display, "全てのﾌｧｲﾙ(*.*)");
}

TEST(FileDialogFilters, EmptyUserPatternKeepsTheRestOfTheList) {
    auto list = OpenFilterList("");
    ASSERT_EQ(list.size(), 8u);
    EXPECT_EQ(list[0].display, "ユーザー指定");
    EXPECT_EQ(list[0].pattern, "");
    EXPECT_EQ(QtNameFilter(list[0]), "ユーザー指定 (*)");
    EXPECT_EQ(list[1].display.rfind("ｿｰｽﾌｧｲﾙ", 0), 0u);
}

TEST(FileDialogFilters, QtFormUsesTheRealPatternsNotTheShownOnes) {
    auto list = OpenFilterList("*.c;*.h");
    auto qt = QtNameFilters(list);
    ASSERT_EQ(qt.size(), 8u);
    EXPECT_EQ(qt[0], "ユーザー指定(*.c *.h) (*.c *.h)");
    // The shown order of the source entry differs from its pattern order.
    EXPECT_EQ(qt[1],
              "ｿｰｽﾌｧｲﾙ(*.c *.cpp *.h *.asm *.s *.inc *.rc *.bas *.frm) "
              "(*.c *.h *.cpp *.asm *.s *.inc *.rc *.bas *.frm)");
    EXPECT_EQ(qt[6], "ﾃｷｽﾄﾌｧｲﾙ(*.txt) (*.txt)");
    EXPECT_EQ(qt[7], "全てのﾌｧｲﾙ(*.*) (*)");
    EXPECT_EQ(QtNameFilter(SaveFilter()), "全てのﾌｧｲﾙ(*.*) (*)");
}

TEST(FileDialogFilters, PatternListsConvertItemByItem) {
    EXPECT_EQ(QtPatterns("*.c"), "*.c");
    EXPECT_EQ(QtPatterns("*.c; *.h ;;*.txt;"), "*.c *.h *.txt");
    EXPECT_EQ(QtPatterns("*.*;*.c"), "* *.c");
    EXPECT_EQ(QtPatterns(";;"), "*");
    EXPECT_EQ(QtPatterns("Makefile;*.mk"), "Makefile *.mk");
    // The shown form blanks out the separators but keeps the user's text.
    EXPECT_EQ(OpenFilterList("*.c;;*.h")[0].display, "ユーザー指定(*.c  *.h)");
}

TEST(FileDialogFilters, FilterIndexOutsideTheListFallsBackToTheFirst) {
    EXPECT_EQ(ClampFilterIndex(1, 8), 1);
    EXPECT_EQ(ClampFilterIndex(8, 8), 8);
    EXPECT_EQ(ClampFilterIndex(0, 8), 1);
    EXPECT_EQ(ClampFilterIndex(9, 8), 1);
    EXPECT_EQ(ClampFilterIndex(-3, 8), 1);
}

TEST(FileDialogCodes, OpenAndSaveLists) {
    EXPECT_EQ(OpenCodeChoices(), (std::vector<std::string>{"自動識別", "SHIFT-JIS", "EUC", "JIS", "UTF-8"}));
    EXPECT_EQ(SaveCodeChoices(),
              (std::vector<std::string>{"自動識別", "SHIFT-JIS(CR/LF)", "SHIFT-JIS(LF)", "EUC(CR/LF)",
                                        "EUC(LF)", "JIS(CR/LF)", "JIS(LF)", "UTF-8(CR/LF)", "UTF-8(LF)"}));
    EXPECT_EQ(OpenCodeFromChoice(0), 0);
    EXPECT_EQ(OpenCodeFromChoice(2), 2);
    EXPECT_EQ(OpenCodeFromChoice(3), 3);
    EXPECT_EQ(OpenCodeFromChoice(4), 4);
    EXPECT_EQ(OpenCodeFromChoice(-1), 0);
    EXPECT_EQ(OpenCodeFromChoice(5), 0);
}

TEST(FileDialogCodes, SaveChoiceSetsCodeAndLineEndOrKeepsThem) {
    const CodeAndLineEnd doc{2, 1};
    EXPECT_EQ(ApplySaveCodeChoice(0, doc), doc);
    EXPECT_EQ(ApplySaveCodeChoice(1, doc), (CodeAndLineEnd{1, 0}));
    EXPECT_EQ(ApplySaveCodeChoice(2, doc), (CodeAndLineEnd{1, 1}));
    EXPECT_EQ(ApplySaveCodeChoice(3, doc), (CodeAndLineEnd{2, 0}));
    EXPECT_EQ(ApplySaveCodeChoice(4, doc), (CodeAndLineEnd{2, 1}));
    EXPECT_EQ(ApplySaveCodeChoice(5, doc), (CodeAndLineEnd{3, 0}));
    EXPECT_EQ(ApplySaveCodeChoice(6, doc), (CodeAndLineEnd{3, 1}));
    EXPECT_EQ(ApplySaveCodeChoice(7, doc), (CodeAndLineEnd{4, 0}));
    EXPECT_EQ(ApplySaveCodeChoice(8, doc), (CodeAndLineEnd{4, 1}));
    EXPECT_EQ(ApplySaveCodeChoice(9, doc), doc);
    EXPECT_EQ(ApplySaveCodeChoice(-1, doc), doc);
}

TEST(FileDialogKind, DialogTypeChoosesDialogAndStyle) {
    EXPECT_EQ(OpenDialogKindFor(1), OpenDialogKind::PathHistory);
    EXPECT_EQ(OpenDialogKindFor(2), OpenDialogKind::ExtCode);
    EXPECT_EQ(OpenDialogKindFor(3), OpenDialogKind::PathHistory);
    EXPECT_EQ(OpenDialogKindFor(4), OpenDialogKind::ExtCode);
    EXPECT_EQ(OpenDialogKindFor(0), OpenDialogKind::PathHistory);
    EXPECT_EQ(OpenDialogKindFor(99), OpenDialogKind::PathHistory);
    EXPECT_TRUE(OpenDialogExplorerStyle(1));
    EXPECT_TRUE(OpenDialogExplorerStyle(2));
    EXPECT_FALSE(OpenDialogExplorerStyle(3));
    EXPECT_FALSE(OpenDialogExplorerStyle(4));
}
