// The function list dialog's state apart from its widgets: the kind shown,
// the sort column, the rows in list order and the selected row, over one
// scan of the document.
#pragma once

#include <string>
#include <vector>

#include "lang/function_scan.h"

namespace qz {

class FuncListModel {
public:
    static constexpr int kColumns = 3;  // line, qualifier, name

    // The list opens sorted by line with the kind's entry that holds or
    // precedes the caret's line selected.
    FuncListModel(const FuncListResult& scan, int32_t caretLine, int kind);

    int Kind() const { return kind_; }
    int SortColumn() const { return column_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    int Selected() const { return selected_; }
    void Select(int row) { selected_ = row >= 0 && row < RowCount() ? row : -1; }

    // Texts (UTF-8): a cell, a column header, label 106 and label 108.
    std::string Cell(int row, int column) const;
    std::string ColumnTitle(int column) const;
    std::string Title() const;
    std::string CountText() const;

    // A header click: sorted by that column, the same entry still selected.
    void SortBy(int column);
    // A kind's radio button: its entries in the same order, none selected.
    void ShowKind(int kind);
    // The search key (UTF-8): selects the first row whose name begins with
    // it, else the first containing it; the selection stays when none does.
    void Search(const std::string& keyUtf8);

    // OK: the selected row's line, 0 when no row is selected.
    int32_t ChosenLine() const;
    // "一覧挿入": the shown rows in list order (Shift-JIS).
    std::string InsertText() const;

private:
    void Fill(int keepEntry);

    const FuncListResult& scan_;
    int kind_;
    int column_ = 0;
    std::vector<int> rows_;  // entry indexes in list order
    int selected_ = -1;
};

}  // namespace qz
