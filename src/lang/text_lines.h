// Reading language files as the old C runtime's text mode did: CR LF becomes
// LF, 0x1A ends the file, and lines come in bounded pieces like fgets.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/paths.h"

namespace qz {

// Walks a file image line by line. Each piece holds at most max_bytes bytes
// and includes its line feed when one was reached, as fgets with a buffer of
// max_bytes + 1 gives them.
class TextModeLines {
public:
    TextModeLines(std::string_view bytes, size_t max_bytes);
    // Returns false at the end of the text.
    bool Next(std::string& piece);

private:
    std::string_view bytes_;
    size_t pos_ = 0;
    size_t max_;
};

enum class FileReadStatus { Ok, Missing, Unreadable };

// Reads a whole file. Missing: it does not exist; Unreadable: it exists but
// cannot be read (no permission, a folder, a read error).
FileReadStatus ReadWholeFile(const std::string& path, std::string& bytes);

// The path of a language file named in the settings: an absolute name stands
// as it is; any other is the user's copy (UserDataFolder) when there is one,
// else the one in the data folder.
std::string LanguageFilePath(const std::string& name);
// The same for a file the user is about to edit: an installed file is first
// copied to the user's folder, so the edit neither needs nor touches the
// installed one. When the copy cannot be made, the installed path.
std::string EditableLanguageFilePath(const std::string& name);
// Both with the folders given.
std::string LanguageFilePath(const std::string& name, const ProgramFolders& folders);
std::string EditableLanguageFilePath(const std::string& name, const ProgramFolders& folders);

}  // namespace qz
