// What the print layout dialog decides apart from its widgets: the eight
// named forms as edited, the one in use, the limits of lines and columns and
// the codes its ">>" buttons offer.
#pragma once

#include <string>
#include <vector>

#include "print/sheet_layout.h"
#include "settings/settings.h"

namespace qz {

class PrintLayoutModel {
public:
    // Copies of the record's forms; the one "DefPrintType" names is selected.
    explicit PrintLayoutModel(const Settings& s);

    int Selected() const { return selected_; }
    // Another form; edits of the one left stay in its copy until closing.
    void Select(int index);
    PrinterForm& Form() { return forms_[selected_]; }
    const PrinterForm& Form() const { return forms_[selected_]; }
    std::vector<std::string> Titles() const;

    // Brings the lines and columns into their limits; the message of the first
    // limit hit, empty when none.
    std::string ApplyLimits();
    // Lines and columns computed for the sheet (when the form asks for it),
    // then the limits.
    std::string ApplyAutoLayout(const PrintDevice& device, const PrintFontMetrics& text,
                                const PrintFontMetrics& header);

    // "保存": the selected form into the record, as the form used by default.
    void Save(Settings& s) const;
    // The form in use becomes the default one without storing edits.
    void SaveSelection(Settings& s) const;

private:
    std::array<PrinterForm, kPrinterForms> forms_;
    int selected_ = 0;
};

// The lists of the ">>" buttons, as menu items ("&&N\t=ＰＡＴＨ名").
const std::vector<std::string>& HeaderFooterCodeItems();
// The code an item inserts ("&N").
std::string CodeOfItem(const std::string& item);

}  // namespace qz
