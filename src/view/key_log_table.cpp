// The log codes of the view commands and what a replayed entry runs.
#include <cstdint>
#include <unordered_map>

#include "view/key_log.h"
#include "view/qzed_view.h"

namespace qz {

namespace {
using Run = void (*)(CQzedView&, int32_t);

const std::unordered_map<int32_t, Run>& Table() {
    static const std::unordered_map<int32_t, Run> table = {
        // selection and clipboard
        {1, [](CQzedView& v, int32_t) { v.SelectAll(); }},
        {4, [](CQzedView& v, int32_t) { v.CancelCommand(); }},
        {9, [](CQzedView& v, int32_t) { v.Paste(); }},
        {10, [](CQzedView& v, int32_t) { v.Cut(); }},
        {11, [](CQzedView& v, int32_t) { v.Copy(); }},
        {12, [](CQzedView& v, int32_t) { v.StartCommandSelection(); }},
        {51, [](CQzedView& v, int32_t a) { v.SelectionCharSearch(static_cast<uint8_t>(a)); }},
        {52, [](CQzedView& v, int32_t) { v.BoxPromptEnter(); }},
        {64, [](CQzedView& v, int32_t) { v.BoxCut(); }},
        {65, [](CQzedView& v, int32_t) { v.BoxYank(); }},
        {66, [](CQzedView& v, int32_t) { v.BoxPaste(); }},
        {67, [](CQzedView& v, int32_t) { v.BoxInsert(); }},
        // undo
        {20, [](CQzedView& v, int32_t) { v.UndoCommand(); }},
        {68, [](CQzedView& v, int32_t) { v.RedoCommand(); }},
        // editing
        {3, [](CQzedView& v, int32_t) { v.Backspace(); }},
        {5, [](CQzedView& v, int32_t) { v.ToggleCaseAtCaret(); }},
        {6, [](CQzedView& v, int32_t) { v.ToggleWidthAtCaret(); }},
        {8, [](CQzedView& v, int32_t) { v.DuplicateRow(); }},
        {13, [](CQzedView& v, int32_t) { v.DeleteChar(); }},
        {14, [](CQzedView& v, int32_t) { v.DeleteToRowStart(); }},
        {15, [](CQzedView& v, int32_t) { v.DeleteRow(); }},
        {16, [](CQzedView& v, int32_t) { v.DeleteToLineEnd(); }},
        {17, [](CQzedView& v, int32_t) { v.DeleteWord(); }},
        {26, [](CQzedView& v, int32_t a) { v.RuleLineAs(a >> 8, 3, a & 255); }},
        // Thickness 0 was an erase, which does not depend on the thickness.
        {44, [](CQzedView& v, int32_t a) {
             const int thickness = (a >> 8) & 255;
             v.RuleLineAs(a >> 16, thickness ? thickness : 2, a & 255);
         }},
        {27, [](CQzedView& v, int32_t) { v.UndeleteChar(); }},
        {28, [](CQzedView& v, int32_t) { v.UndeleteRow(); }},
        {38, [](CQzedView& v, int32_t) { v.OpenLineBelow(); }},
        {40, [](CQzedView& v, int32_t) { v.RememberLine(); }},
        {42, [](CQzedView& v, int32_t) { v.OpenLineAbove(); }},
        {47, [](CQzedView& v, int32_t a) { v.WordLeft(a); }},
        {48, [](CQzedView& v, int32_t a) { v.WordRight(a); }},
        {53, [](CQzedView& v, int32_t) { v.TabKey(); }},
        {79, [](CQzedView& v, int32_t) { v.JumpLastEdit(); }},
        {80, [](CQzedView& v, int32_t) { v.EditProhibit(); }},
        // calculations
        {7, [](CQzedView& v, int32_t) { v.OnRadixDisplay(); }},
        {43, [](CQzedView& v, int32_t) { v.OnRectCalc(); }},
        {49, [](CQzedView& v, int32_t) { v.OnCodeDisplay(); }},
        // block conversions
        {69, [](CQzedView& v, int32_t) { v.ConvertSelection(BlockConversion::ToFullWidth); }},
        {70, [](CQzedView& v, int32_t) { v.ConvertSelection(BlockConversion::ToHalfWidth); }},
        {71, [](CQzedView& v, int32_t) { v.ConvertSelection(BlockConversion::ToLower); }},
        {72, [](CQzedView& v, int32_t) { v.ConvertSelection(BlockConversion::ToUpper); }},
        {73, [](CQzedView& v, int32_t) { v.ConvertSelection(BlockConversion::ToKatakana); }},
        {74, [](CQzedView& v, int32_t) { v.ConvertSelection(BlockConversion::ToHiragana); }},
        {75, [](CQzedView& v, int32_t) { v.ConvertSelection(BlockConversion::Indent); }},
        {76, [](CQzedView& v, int32_t) { v.ConvertSelection(BlockConversion::Unindent); }},
        {77, [](CQzedView& v, int32_t) { v.ConvertSelection(BlockConversion::TabsToSpaces); }},
        {78, [](CQzedView& v, int32_t) { v.ConvertSelection(BlockConversion::SpacesToTabs); }},
        // language: templates, functions, tag jumps and marks
        {30, [](CQzedView& v, int32_t a) { v.InsertTemplateKey(a); }},
        {37, [](CQzedView& v, int32_t) { v.NextFunction(); }},
        {39, [](CQzedView& v, int32_t) { v.PreviousFunction(); }},
        {41, [](CQzedView& v, int32_t a) {
             if (a == 2) v.DefinitionJump();
             else v.TagJump();
         }},
        {2, [](CQzedView& v, int32_t a) {
             if (a == 2) v.OnePointJump();
             else if (a == 3) v.MarkNext();
             else v.OnePointMark();
         }},
        // search
        {23, [](CQzedView& v, int32_t) { v.SearchStringFromCaret(); }},
        {45, [](CQzedView& v, int32_t) { v.SearchNext(); }},
        {46, [](CQzedView& v, int32_t) { v.SearchPrevious(); }},
        {50, [](CQzedView& v, int32_t) { v.BracketJump(); }},
        // motion
        {18, [](CQzedView& v, int32_t) { v.FileEnd(); }},
        {19, [](CQzedView& v, int32_t) { v.FileTop(); }},
        {21, [](CQzedView& v, int32_t) { v.PageDown(); }},
        {22, [](CQzedView& v, int32_t) { v.PageUp(); }},
        {24, [](CQzedView& v, int32_t) { v.HalfPageDown(); }},
        {25, [](CQzedView& v, int32_t) { v.HalfPageUp(); }},
        {29, [](CQzedView& v, int32_t) { v.ToggleInsertMode(); }},
        {31, [](CQzedView& v, int32_t) { v.SelFileEnd(); }},
        {32, [](CQzedView& v, int32_t) { v.SelFileTop(); }},
        {33, [](CQzedView& v, int32_t) { v.SelRowStart(); }},
        {34, [](CQzedView& v, int32_t) { v.SelRowEnd(); }},
        {35, [](CQzedView& v, int32_t) { v.SelPageDown(); }},
        {36, [](CQzedView& v, int32_t) { v.SelPageUp(); }},
        {54, [](CQzedView& v, int32_t a) { v.RowsUp(a); }},
        {55, [](CQzedView& v, int32_t a) { v.RowsDown(a); }},
        {56, [](CQzedView& v, int32_t) { v.CharRight(); }},
        {57, [](CQzedView& v, int32_t) { v.CharLeft(); }},
        {58, [](CQzedView& v, int32_t a) { v.SelRowsUp(a); }},
        {59, [](CQzedView& v, int32_t a) { v.SelRowsDown(a); }},
        {60, [](CQzedView& v, int32_t) { v.SelCharRight(); }},
        {61, [](CQzedView& v, int32_t) { v.SelCharLeft(); }},
        {62, [](CQzedView& v, int32_t) { v.RowEnd(); }},
        {63, [](CQzedView& v, int32_t) { v.RowStart(); }},
        {81, [](CQzedView& v, int32_t a) { v.BoxRowsUp(a); }},
        {82, [](CQzedView& v, int32_t a) { v.BoxRowsDown(a); }},
        {83, [](CQzedView& v, int32_t) { v.BoxCharRight(); }},
        {84, [](CQzedView& v, int32_t) { v.BoxCharLeft(); }},
        {85, [](CQzedView& v, int32_t) { v.SelWordRight(); }},
        {86, [](CQzedView& v, int32_t) { v.SelWordLeft(); }},
    };
    return table;
}
}  // namespace

bool RunLogCommand(CQzedView& view, int32_t code, int32_t argument) {
    const auto it = Table().find(code);
    if (it == Table().end()) return false;
    it->second(view, argument);
    return true;
}

}  // namespace qz
