// Header and footer texts of a printed sheet: the codes of a header or footer
// template expanded into its left, centre and right sections.
#pragma once

#include <ctime>
#include <string>

namespace qz {

struct HeaderFooterTexts {
    std::string left, centre, right;  // UTF-8
    bool operator==(const HeaderFooterTexts&) const = default;
};

// tmpl and documentPath are UTF-8; an untitled document has an empty path.
// now is the local time the sheet is printed at; the file's own date and time
// are read from the file system when a code asks for them.
HeaderFooterTexts ExpandHeaderFooter(const std::string& tmpl, int pageNumber, int pageCount,
                                     const std::string& documentPath, const std::tm& now);

}  // namespace qz
