// The function list dialog's rows, order, selection and texts.
#include "lang/func_list_model.h"

#include <algorithm>

#include "lang/function_nav.h"
#include "platform/cp932.h"

namespace qz {

namespace {
constexpr size_t kSearchKeyBytes = 127;
}  // namespace

FuncListModel::FuncListModel(const FuncListResult& scan, int32_t caretLine, int kind)
    : scan_(scan), kind_(std::clamp(kind, 0, 2)) {
    Fill(FuncListInitialEntry(scan_, kind_, caretLine));
}

void FuncListModel::Fill(int keepEntry) {
    rows_ = FuncListRows(scan_, kind_, column_);
    const auto at = std::find(rows_.begin(), rows_.end(), keepEntry);
    selected_ = at == rows_.end() ? -1 : static_cast<int>(at - rows_.begin());
}

std::string FuncListModel::Cell(int row, int column) const {
    if (row < 0 || row >= RowCount()) return {};
    const FuncListEntry& e = scan_.entries[rows_[static_cast<size_t>(row)]];
    switch (column) {
    case 0: return std::to_string(e.line);
    case 1: return SjisToUtf8(e.qualifier);
    default: return SjisToUtf8(e.name);
    }
}

std::string FuncListModel::ColumnTitle(int column) const { return FuncListColumnTitle(kind_, column); }

std::string FuncListModel::Title() const { return FuncListTitle(kind_, scan_.full); }

std::string FuncListModel::CountText() const { return FuncListCount(RowCount(), scan_.full); }

void FuncListModel::SortBy(int column) {
    const int entry = selected_ >= 0 ? rows_[static_cast<size_t>(selected_)] : -1;
    column_ = std::clamp(column, 0, kColumns - 1);
    Fill(entry);
}

void FuncListModel::ShowKind(int kind) {
    kind_ = std::clamp(kind, 0, 2);
    Fill(-1);
}

void FuncListModel::Search(const std::string& keyUtf8) {
    const std::string key = Utf8ToSjis(keyUtf8);
    const int row = FuncListSearch(scan_, rows_, std::string(SjisPrefix(key, kSearchKeyBytes)));
    if (row >= 0) selected_ = row;
}

int32_t FuncListModel::ChosenLine() const {
    return selected_ >= 0 ? scan_.entries[rows_[static_cast<size_t>(selected_)]].line : 0;
}

std::string FuncListModel::InsertText() const { return FuncListInsertText(scan_, rows_, kind_); }

}  // namespace qz
