// The frame title: application name, version and the key scheme's label.
#pragma once

#include <string>

namespace qz {

constexpr const char* kAppTitle = "QZ32 Editor";
constexpr int kVersionMajor = 1;
constexpr int kVersionMinor = 49;

// The label of key scheme "AsinMode" (any unknown value is scheme 4's).
std::string SchemeLabel(int asinMode);
// "QZ32 Editor  Version 1.49  <label>".
std::string FrameTitle(int asinMode);
// "Version 1.49", as the About box shows it.
std::string VersionText();

}  // namespace qz
