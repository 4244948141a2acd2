// qzed32: the editor program.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/startup.h"
#include "qt/qsettings_profile.h"
#include "qt/qt_startup_host.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The editor speaks Japanese: Qt's own dialogs and buttons too.
    QTranslator qtText;
    if (qtText.load(QLocale(QLocale::Japanese), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtText);
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
