#include "app/app_title.h"

#include <cstdio>

namespace qz {

std::string SchemeLabel(int asinMode) {
    switch (asinMode) {
        case 1: return "［ＫＯＭ風］";
        case 2: return "［ＳＬＡＴＥ風］";
        case 3: return "［ＴＡＬＶＥ風］";
        default: return "［ＫＯＭ風＋ＳＬＡＴＥ風］";
    }
}

std::string VersionText() {
    char buf[32];
    std::snprintf(buf, sizeof buf, "Version %d.%02d", kVersionMajor, kVersionMinor);
    return buf;
}

std::string FrameTitle(int asinMode) {
    return std::string(kAppTitle) + "  " + VersionText() + "  " + SchemeLabel(asinMode);
}

}  // namespace qz
