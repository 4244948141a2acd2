// A crash end to end: an editor process with two modified documents past
// their temporary save is killed with SIGKILL; the next start lists both
// copies, "削除" removes them, and after another crash "開く" brings each text
// back byte for byte under its own name.
//
// The editor that crashes is this program started again with "--child": it
// starts up exactly as qzed32 does (its own settings, runtime, temporary and
// state folders) and then types into its documents, which nothing outside a
// process can do on the offscreen platform.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUuid>
#include <QtTest>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <map>

#include "document/temp_register.h"
#include "frame/commands.h"
#include "platform/profile.h"
#include "qt/document_window.h"
#include "qt/main_window.h"
#include "qt/qsettings_profile.h"
#include "qt/qt_startup_host.h"
#include "qt/recovery_dlg.h"
#include "qt/view_widget.h"
#include "support/fake_message_box.h"
#include "support/qt_files.h"
#include "support/when_modal.h"

using namespace qz;
using qz::fakes::ReadAll;
using qz::fakes::WriteAll;

namespace {

// What the child types at the top of each document: letters, a line end
// and kanji through the input method.
constexpr const char* kTyped = "typed";
const QString kKanji = QStringLiteral("漢字");

// The child: start-up as the editor's main() does, with the files of the
// command line; then each document is edited and its first pane's timer
// ticks until the copy is written. Any modal box is a failure it reports.
int RunChild(int argc, char** argv) {
    QApplication app(argc, argv);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [] {
        QWidget* m = QApplication::activeModalWidget();
        if (!m) return;
        QString what = m->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(m)) what += ": " + box->text();
        std::fprintf(stderr, "child: unexpected dialog %s\n", qPrintable(what));
        std::_Exit(3);
    });
    watch.start(100);
    QSettingsProfile profile;
    AppGlobals globals;
    QtStartupHost host(profile, globals);
    std::vector<std::string> args;
    for (const QString& a : app.arguments().mid(2)) args.push_back(a.toStdString());
    if (RunStartup(host, profile, args, globals) != StartResult::Started) return 2;
    for (CQzedChild* c : host.Frame()->Documents().Children()) {
        host.Frame()->mdiArea()->setActiveSubWindow(c);
        QWidget* canvas = c->ViewWidget()->Canvas();
        canvas->setFocus();
        QTest::keyClicks(canvas, kTyped);
        QTest::keyClick(canvas, Qt::Key_Return);
        QInputMethodEvent e;
        e.setCommitString(kKanji);
        QApplication::sendEvent(canvas, &e);
        if (!c->Doc().IsModified()) return 4;
        // The 10-second timer's ticks: the first arms, the quiet second saves.
        c->ViewWidget()->onTimer(kTempSaveTimer);
        c->ViewWidget()->onTimer(kTempSaveTimer);
    }
    std::printf("READY\n");
    std::fflush(stdout);
    return app.exec();
}

}  // namespace

class CrashRecoveryTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    fakes::FakeMessageBox boxes_;

    QString State() const { return dir_.filePath("state"); }
    QString Doc(const char* name) const { return dir_.filePath("work/" + QString(name)); }
    TempRegister Register() const { return TempRegister(State().toStdString()); }

    std::vector<RegisterEntry> Used() const {
        std::vector<RegisterEntry> entries, used;
        Register().ReadAll(entries);
        for (const RegisterEntry& e : entries)
            if (e.used) used.push_back(e);
        return used;
    }

    QProcessEnvironment ChildEnv() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.insert("HOME", dir_.path());
        env.insert("XDG_CONFIG_HOME", dir_.filePath("config"));
        env.insert("XDG_RUNTIME_DIR", dir_.filePath("run"));
        env.insert("TMPDIR", dir_.filePath("tmp"));
        env.insert("QZED_HOME", State());
        return env;
    }

    // Starts the child on both documents, waits until their copies are
    // written, and kills it. The copies' bytes by document path.
    std::map<std::string, QByteArray> CrashWithTwoEdits(const QByteArray& a, const QByteArray& b) {
        std::map<std::string, QByteArray> copies;
        if (!WriteAll(Doc("a.txt"), a) || !WriteAll(Doc("b.c"), b)) return copies;
        QProcess child;
        child.setProcessEnvironment(ChildEnv());
        child.setWorkingDirectory(dir_.filePath("work"));
        child.start(QCoreApplication::applicationFilePath(), {"--child", "a.txt", "b.c"});
        if (!child.waitForStarted()) return copies;
        QByteArray out;
        while (!out.contains("READY") && child.state() == QProcess::Running && child.waitForReadyRead(30000))
            out += child.readAllStandardOutput();
        if (!out.contains("READY")) {
            qWarning("child: %s", child.readAllStandardError().constData());
            child.kill();
            child.waitForFinished();
            return copies;
        }
        ::kill(pid_t(child.processId()), SIGKILL);
        child.waitForFinished(10000);
        if (child.exitStatus() != QProcess::CrashExit) return copies;
        for (const RegisterEntry& e : Used()) copies[e.docPath] = ReadAll(QString::fromStdString(e.tempPath));
        return copies;
    }

    // Starts the editor as the next run does, answering dialog 183 with
    // button and checking that it lists both documents.
    void NextStart(MemoryProfile& p, int button, const std::function<void(QtStartupHost&)>& then) {
        qputenv("QZED_HOME", State().toUtf8());
        AppGlobals g;
        QtStartupHost host(p, g, "qzed-test-" + QUuid::createUuid().toString(QUuid::Id128), &boxes_);
        bool shown = false;
        fakes::WhenModal([&](QWidget* m) {
            auto* d = qobject_cast<RecoveryDialog*>(m);
            QVERIFY(d);
            shown = true;
            QCOMPARE(d->Rows()->count(), 2);
            QStringList rows;
            for (int i = 0; i < 2; ++i) rows << d->Rows()->item(i)->text();
            QVERIFY(rows.filter(" " + Doc("a.txt")).size() == 1);
            QVERIFY(rows.filter(" " + Doc("b.c")).size() == 1);
            QCOMPARE(d->Total()->text(), QStringLiteral("総数: 002"));
            d->Button(button)->click();
        });
        QCOMPARE(RunStartup(host, p, {}, g), StartResult::Started);
        QVERIFY(shown);
        then(host);
        host.Frame()->close();
    }

private slots:
    void init() { boxes_.shown.clear(); }

    void initTestCase() {
        QVERIFY(dir_.isValid());
        for (const char* sub : {"config/Tobarin", "run", "tmp", "work", "state"}) QVERIFY(QDir(dir_.path()).mkpath(sub));
        QFile::setPermissions(dir_.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // The child reads its keyword and template files from its folder.
        const QDir bin(QCoreApplication::applicationDirPath() + "/../bin");
        for (const QString& f : bin.entryList({"*.tbl", "*.key"}, QDir::Files))
            QVERIFY(QFile::copy(bin.filePath(f), dir_.filePath("state/" + f)));
        // A copy after three typed bytes and a quiet tick; EUC with LF for
        // a.txt (detected), Shift-JIS with CR LF for b.c.
        QFile ini(dir_.filePath("config/Tobarin/QZ32 Editor.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Environ]\nAutobk_Mode=2\nAutobk_Len=3\nCharCheck=1\nEndMode=3\n");
    }

    void aKilledEditorLeavesTwoCopiesThatDeleteRemoves() {
        const auto copies = CrashWithTwoEdits("\xB4\xC1\xBB\xFA\n", "int x;\r\n");
        QCOMPARE(copies.size(), size_t(2));
        // What the child typed, in each file's code and line ends.
        QCOMPARE(copies.at(Doc("a.txt").toStdString()), QByteArray("typed\n\xB4\xC1\xBB\xFA\xB4\xC1\xBB\xFA\n"));
        QCOMPARE(copies.at(Doc("b.c").toStdString()), QByteArray("typed\r\n\x8A\xBF\x8E\x9Aint x;\r\n"));

        MemoryProfile p;
        NextStart(p, RecoveryDialog::kDelete, [&](QtStartupHost& host) {
            QVERIFY(host.Frame()->Documents().Children().empty());
            QVERIFY(!QFile::exists(QString::fromStdString(Register().File())));
            QVERIFY(QDir(State() + "/TEMP").entryList(QDir::Files).isEmpty());
        });
        // The files themselves were never written.
        QCOMPARE(ReadAll(Doc("a.txt")), QByteArray("\xB4\xC1\xBB\xFA\n"));
    }

    void openBringsEachTextBackByteForByte() {
        const auto copies = CrashWithTwoEdits("\xB4\xC1\xBB\xFA\n", "int x;\r\n");
        QCOMPARE(copies.size(), size_t(2));
        MemoryProfile p;
        NextStart(p, RecoveryDialog::kOpen, [&](QtStartupHost& host) {
            DocumentManager& docs = host.Frame()->Documents();
            QCOMPARE(docs.Children().size(), size_t(2));
            for (CQzedChild* c : docs.Children()) {
                QVERIFY(c->Doc().IsModified());
                QVERIFY(copies.count(c->Path()));
                // The register keeps the copies while their documents are open.
                QCOMPARE(Used().size(), size_t(2));
                // Saved back, each file holds exactly what its copy held.
                host.Frame()->mdiArea()->setActiveSubWindow(c);
                QVERIFY(host.Frame()->Frame().Execute(cmdid::kWriteOne));
                QCOMPARE(ReadAll(QString::fromStdString(c->Path())), copies.at(c->Path()));
            }
            QVERIFY(docs.CloseAll());
            QVERIFY(Used().empty());
            QVERIFY(QDir(State() + "/TEMP").entryList(QDir::Files).isEmpty());
        });
        QVERIFY(boxes_.shown.empty());
    }
};

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0) return RunChild(argc, argv);
    QApplication app(argc, argv);
    CrashRecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "crash_recovery_test.moc"
