// How documents are named and typed: new-file names, the file type chosen
// from the extension lists, and the window title.
#pragma once

#include <functional>
#include <string>

#include "settings/settings.h"

namespace qz {

// Types 1 to 5 are tried in order; a type counts when its "Efect" is set and
// its "FileExt" list holds the path's extension (case-insensitive; empty when
// the name has none). 6 when no type does.
int ChooseFileType(const Settings& s, const std::string& path);

// "Text%d.txt" in dir for the first N whose name is neither a file on disk nor
// the path of an open document (isOpen).
std::string NewDocumentName(const std::string& dir,
                            const std::function<bool(const std::string&)>& isOpen);

struct TitleInputs {
    std::string path;
    int kanjiCode = 1;
    int lineEnd = 0;
    bool minimized = false;        // the first view's frame is minimised
    bool special = false;          // not a plain file (OS command window)
    std::string specialDirectory;  // the directory a special document keeps
};

// The window title: "name(dir)" for a special document, the file name alone
// when minimised, else the full path with the code and line-end label.
std::string DocumentTitle(const TitleInputs& in);

}  // namespace qz
