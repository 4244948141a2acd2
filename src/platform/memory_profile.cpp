// In-memory profile: integers and texts kept apart, as the registry keeps
// DWORD and string values apart.
#include "platform/profile.h"

#include <cstdlib>

namespace qz {

namespace {
MemoryProfile::Key MakeKey(std::string_view s, std::string_view e) {
    return {std::string(s), std::string(e)};
}
}  // namespace

int MemoryProfile::GetProfileInt(std::string_view section, std::string_view entry, int def) {
    auto it = values_.find(MakeKey(section, entry));
    if (it == values_.end()) return def;
    if (auto* i = std::get_if<int>(&it->second)) return *i;
    // A text value read as a number parses its leading digits, as the
    // registry's profile reader does.
    return static_cast<int>(std::strtol(std::get<std::string>(it->second).c_str(), nullptr, 10));
}

std::string MemoryProfile::GetProfileString(std::string_view section, std::string_view entry,
                                            std::string_view def) {
    auto it = values_.find(MakeKey(section, entry));
    if (it == values_.end()) return std::string(def);
    if (auto* s = std::get_if<std::string>(&it->second)) return *s;
    return std::to_string(std::get<int>(it->second));
}

bool MemoryProfile::WriteProfileInt(std::string_view section, std::string_view entry, int value) {
    values_[MakeKey(section, entry)] = value;
    return true;
}

bool MemoryProfile::WriteProfileString(std::string_view section, std::string_view entry,
                                       std::string_view value) {
    values_[MakeKey(section, entry)] = std::string(value);
    return true;
}

bool MemoryProfile::Has(std::string_view section, std::string_view entry) const {
    return values_.count(MakeKey(section, entry)) != 0;
}

}  // namespace qz
