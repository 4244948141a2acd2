// Moving the previous version of a saved file to the desktop trash.
#pragma once

#include <string>

namespace qz {

class Trash {
public:
    virtual ~Trash() = default;
    // Moves the file at path (absolute) into the trash. False when this trash
    // cannot take it (no trash, another file system); the file then stays.
    virtual bool MoveToTrash(const std::string& path) = 0;
};

// The freedesktop.org home trash: $XDG_DATA_HOME/Trash (default
// ~/.local/share/Trash) with files/ and info/NAME.trashinfo. Only files on the
// same file system as the trash are taken, by a rename; the trash folders of
// other mounts are not used.
class FreedesktopTrash : public Trash {
public:
    // trashDir empty: the folder named above.
    explicit FreedesktopTrash(std::string trashDir = "");
    bool MoveToTrash(const std::string& path) override;
    const std::string& Dir() const { return dir_; }

private:
    std::string dir_;
};

// The trash a save uses when it is given none.
Trash& DesktopTrash();

}  // namespace qz
