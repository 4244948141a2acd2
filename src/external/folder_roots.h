// The places the grep and tag dialogs offer in their drive box: on POSIX the
// root, the home folder and the mounted removable and network volumes.
#pragma once

#include <string>
#include <vector>

namespace qz {

// From the text of /proc/self/mounts: "/" first, then home, then the mount
// points below /media, /mnt and /run/media and those of network file
// systems, each once, in the order mounted.
std::vector<std::string> FolderRoots(const std::string& mountsText, const std::string& home);

// The same for this process (/proc/self/mounts and $HOME).
std::vector<std::string> FolderRootsNow();

}  // namespace qz
