#include "frame/tool_bars.h"

#include "frame/commands.h"

namespace qz {

const std::vector<ToolBarDef>& ToolBars() {
    namespace c = cmdid;
    static const std::vector<ToolBarDef> bars = {
        {0, "ファイル", DockSide::Top, true,
         {c::kReopenLast, c::kNew, c::kOpen, c::kCloseWindow, 0, c::kSave, c::kSaveAs}},
        {1, "編集１", DockSide::Top, false, {c::kCut, c::kCopy, c::kPaste, 0, c::kUndo, c::kRedo}},
        {2, "編集２", DockSide::Top, true, {c::kTemplateDialog, c::kTabMarks, c::kRightWrap, c::kEditProhibit}},
        {3, "検索", DockSide::Top, true,
         {c::kSearch, c::kSearchNext, c::kSearchPrevious, 0, c::kReplace, c::kReplaceAll, 0, c::kGrep}},
        {6, "機能２", DockSide::Top, true,
         {c::kQztags, c::kUserTool, c::kCalculator, 0, c::kBrowser1, c::kBrowser2, c::kShell}},
        {7, "設定", DockSide::Top, true,
         {c::kPrint, c::kPreview, 0, c::kSettings, c::kAbout}},
        {8, "ガイダンス", DockSide::Top, false,
         {c::kGuidance, c::kHelpButton1, c::kHelpButton1 + 1, c::kHelpButton1 + 2, c::kHelpButton1 + 3,
          c::kHelpButton1 + 4}},
        {4, "ジャンプ", DockSide::Right, true,
         {c::kJumpToLine, c::kFileTop, c::kFileEnd, c::kLastEdit, 0, c::kPreviousFunction, c::kNextFunction, 0,
          c::kDefinitionJump, c::kJumpBack, c::kMarkJump}},
        {5, "機能１", DockSide::Right, true,
         {c::kCascade, c::kSplitRows, c::kSplitColumns, c::kWindowList, 0, c::kFunctionList, c::kAsciiTable,
          c::kKanjiTable}},
    };
    return bars;
}

}  // namespace qz
