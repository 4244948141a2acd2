// The profile kept by QSettings: an INI file under the user's configuration
// folder ("Tobarin/QZ32 Editor.ini"); on Windows it would be the registry key.
#pragma once

#include <QSettings>

#include "platform/profile.h"

namespace qz {

class QSettingsProfile : public Profile {
public:
    QSettingsProfile();
    int GetProfileInt(std::string_view section, std::string_view entry, int def) override;
    std::string GetProfileString(std::string_view section, std::string_view entry,
                                 std::string_view def = {}) override;
    bool WriteProfileInt(std::string_view section, std::string_view entry, int value) override;
    bool WriteProfileString(std::string_view section, std::string_view entry,
                            std::string_view value) override;
    void Sync() { settings_.sync(); }
    QString FileName() const { return settings_.fileName(); }

private:
    QSettings settings_;
};

}  // namespace qz
