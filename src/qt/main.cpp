// qzed32: the editor program.
#include <QApplication>

#include "qt/main_window.h"
#include "qt/qsettings_profile.h"
#include "settings/settings.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qz::QSettingsProfile profile;
    qz::QzedMainWindow frame(profile);
    if (profile.GetProfileInt("WindowSize", "Status", qz::kFrameNormal) == qz::kFrameMaximized)
        frame.showMaximized();
    else
        frame.show();
    const int rc = app.exec();
    profile.Sync();
    return rc;
}
