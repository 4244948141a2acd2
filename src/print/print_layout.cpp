#include "print/print_layout.h"

namespace qz {

namespace {
int ValidForm(int index) { return index >= 0 && index < kPrinterForms ? index : 0; }
}  // namespace

PrintLayoutModel::PrintLayoutModel(const Settings& s)
    : forms_(s.printers), selected_(ValidForm(s.env.DefPrintType)) {}

void PrintLayoutModel::Select(int index) { selected_ = ValidForm(index); }

std::vector<std::string> PrintLayoutModel::Titles() const {
    std::vector<std::string> out;
    for (const PrinterForm& f : forms_) out.push_back(f.Title);
    return out;
}

std::string PrintLayoutModel::ApplyLimits() {
    const LayoutLimits r = CheckLayoutLimits(Form().Max_Line, Form().Max_Column);
    Form().Max_Line = r.lines;
    Form().Max_Column = r.columns;
    return r.message;
}

std::string PrintLayoutModel::ApplyAutoLayout(const PrintDevice& device, const PrintFontMetrics& text,
                                              const PrintFontMetrics& header) {
    if (Form().AutoCal != 1) return ApplyLimits();
    const LayoutLimits r = ComputeAutoLayout(Form(), device, text, header);
    Form().Max_Line = r.lines;
    Form().Max_Column = r.columns;
    return r.message;
}

void PrintLayoutModel::Save(Settings& s) const {
    s.printers[selected_] = Form();
    SaveSelection(s);
}

void PrintLayoutModel::SaveSelection(Settings& s) const { s.env.DefPrintType = selected_; }

const std::vector<std::string>& HeaderFooterCodeItems() {
    static const std::vector<std::string> items = {
        "&&N\t=ＰＡＴＨ名", "&&F\t=ＦＩＬＥ名", "&&Y\t=更新日付", "&&H\t=更新時刻",
        "&&D\t=現在日付",   "&&T\t=現在時刻",   "&&G\t=総ページ数", "&&P\t=ページ番号",
        "&&L\t=左端揃え",   "&&C\t=中央",       "&&R\t=右端揃え",
    };
    return items;
}

std::string CodeOfItem(const std::string& item) {
    std::string code = item.substr(0, item.find('\t'));
    if (code.rfind("&&", 0) == 0) code.erase(0, 1);
    return code;
}

}  // namespace qz
