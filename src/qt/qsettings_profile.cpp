#include "qt/qsettings_profile.h"

#include <cstdlib>

namespace qz {

namespace {
QString Key(std::string_view section, std::string_view entry) {
    return QString::fromUtf8(section.data(), qsizetype(section.size())) + '/' +
           QString::fromUtf8(entry.data(), qsizetype(entry.size()));
}
}  // namespace

QSettingsProfile::QSettingsProfile()
    : settings_(QSettings::IniFormat, QSettings::UserScope, "Tobarin", "QZ32 Editor") {}

int QSettingsProfile::GetProfileInt(std::string_view section, std::string_view entry, int def) {
    const QVariant v = settings_.value(Key(section, entry));
    if (!v.isValid()) return def;
    bool ok = false;
    int i = v.toInt(&ok);
    if (ok) return i;
    return static_cast<int>(std::strtol(v.toString().toUtf8().constData(), nullptr, 10));
}

std::string QSettingsProfile::GetProfileString(std::string_view section, std::string_view entry,
                                               std::string_view def) {
    const QVariant v = settings_.value(Key(section, entry));
    if (!v.isValid()) return std::string(def);
    return v.toString().toStdString();
}

bool QSettingsProfile::WriteProfileInt(std::string_view section, std::string_view entry, int value) {
    settings_.setValue(Key(section, entry), value);
    return true;
}

bool QSettingsProfile::WriteProfileString(std::string_view section, std::string_view entry,
                                          std::string_view value) {
    settings_.setValue(Key(section, entry),
                       QString::fromUtf8(value.data(), qsizetype(value.size())));
    return true;
}

}  // namespace qz
