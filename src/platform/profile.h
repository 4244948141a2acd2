// The settings store as the editor sees it: sections of named integer and
// text values, every read with a default. Texts are UTF-8.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace qz {

class Profile {
public:
    virtual ~Profile() = default;
    virtual int GetProfileInt(std::string_view section, std::string_view entry, int def) = 0;
    virtual std::string GetProfileString(std::string_view section, std::string_view entry,
                                         std::string_view def = {}) = 0;
    virtual bool WriteProfileInt(std::string_view section, std::string_view entry, int value) = 0;
    virtual bool WriteProfileString(std::string_view section, std::string_view entry,
                                    std::string_view value) = 0;
};

// A profile held in memory: the stand-in of tests, and a snapshot type.
class MemoryProfile : public Profile {
public:
    using Value = std::variant<int, std::string>;
    using Key = std::pair<std::string, std::string>;

    int GetProfileInt(std::string_view section, std::string_view entry, int def) override;
    std::string GetProfileString(std::string_view section, std::string_view entry,
                                 std::string_view def = {}) override;
    bool WriteProfileInt(std::string_view section, std::string_view entry, int value) override;
    bool WriteProfileString(std::string_view section, std::string_view entry,
                            std::string_view value) override;

    bool Has(std::string_view section, std::string_view entry) const;
    const std::map<Key, Value>& Values() const { return values_; }
    void Clear() { values_.clear(); }

private:
    std::map<Key, Value> values_;
};

}  // namespace qz
