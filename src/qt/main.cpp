// qzed32: the editor program.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <algorithm>
#include <cstdio>

#include "app/program_info.h"
#include "app/startup.h"
#include "platform/paths.h"
#include "qt/qsettings_profile.h"
#include "qt/qt_startup_host.h"

int main(int argc, char** argv) {
    // Answered before any display or instance is looked for.
    std::vector<std::string> words(argv + std::min(argc, 1), argv + argc);
    if (const qz::InfoRequest info = qz::InfoRequested(words); info != qz::InfoRequest::None) {
        const std::string text =
            info == qz::InfoRequest::Version
                ? qz::VersionInfo()
                : qz::HelpInfo(qz::QSettingsProfile().FileName().toStdString(),
                               qz::ChooseFolders(qz::FolderFacts::OfThisProcess()));
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
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
    // What the editor keeps between runs has its folder from the start.
    qz::MakeFolders(qz::StateFolder());
    const int rc = app.exec();
    profile.Sync();
    return rc;
}
