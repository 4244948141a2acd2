// What the function guidance needs from the port: the chooser of the help
// entries, the guidance window, and the associated program for help files
// of other programs.
#pragma once

#include <string>
#include <vector>

namespace qz {

class Profile;

class GuidanceHost {
public:
    virtual ~GuidanceHost() = default;
    // The profile holding "HelpTitle%d", "HelpFile%d" and "GuidDisp".
    virtual Profile& GuidanceProfile() = 0;
    // The chooser (titles UTF-8, selected 0-based, keyword Shift-JIS and
    // editable): the chosen index, or -1 for Cancel.
    virtual int ChooseHelpEntry(const std::vector<std::string>& titles, int selected, std::string& keywordSjis) = 0;
    // Runs the guidance window on a dictionary file.
    virtual void RunGuidanceWindow(const std::string& titleUtf8, const std::string& keywordSjis,
                                   const std::string& pathUtf8) = 0;
    // Hands a help file of another program (".hlp", ".chm", ".col") to the
    // program the desktop associates with it; the result is not looked at.
    virtual void OpenHelpFile(const std::string& pathUtf8) = 0;
};

// How a help entry's file is shown, by its lower-cased name.
enum class HelpFileKind { WinHelp, HtmlHelp, Dictionary };
HelpFileKind HelpFileKindOf(const std::string& pathUtf8);

}  // namespace qz
