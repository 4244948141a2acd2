// What "qzed32 --version" and "qzed32 --help" print instead of starting.
#pragma once

#include <string>
#include <vector>

#include "platform/paths.h"

namespace qz {

enum class InfoRequest { None, Version, Help };

// "--version" or "--help" among the options (the words before the first
// file name or "--") asks for the text; the first of them wins.
InfoRequest InfoRequested(const std::vector<std::string>& args);

// "qzed32 (QZ32 Editor) Version 1.49", a line feed ended.
std::string VersionInfo();
// The options, and where the settings, data and state are kept.
std::string HelpInfo(const std::string& settingsFile, const ProgramFolders& folders);

}  // namespace qz
