// qzed32: the editor program.
#include <QApplication>

#include "app/startup.h"
#include "qt/qsettings_profile.h"
#include "qt/qt_startup_host.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qz::QSettingsProfile profile;
    qz::AppGlobals globals;
    qz::QtStartupHost host(profile, globals);
    std::vector<std::string> args;
    for (const QString& a : app.arguments().mid(1)) args.push_back(a.toStdString());
    switch (qz::RunStartup(host, profile, args, globals)) {
    case qz::StartResult::HandedOver: return 0;
    case qz::StartResult::Failed: return 1;
    case qz::StartResult::Started: break;
    }
    const int rc = app.exec();
    profile.Sync();
    return rc;
}
