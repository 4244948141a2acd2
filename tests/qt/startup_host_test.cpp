// Start-up on Qt: files named on the command line open as documents (view
// mode, caret line), a later start's hand-over opens its files relative to its
// own directory, and the end-of-run rule when the last document closes.
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

#include "platform/profile.h"
#include "qt/document_window.h"
#include "qt/main_window.h"
#include "qt/qt_startup_host.h"
#include "qt/view_widget.h"
#include "support/fake_message_box.h"

using namespace qz;

namespace {

bool WriteLines(const QString& path, int lines) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    for (int i = 1; i <= lines; ++i) f.write(QByteArray::number(i) + "\r\n");
    return true;
}

QString Unique() { return "qzed-test-" + QUuid::createUuid().toString(QUuid::Id128); }

}  // namespace

class StartupHostTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    fakes::FakeMessageBox boxes_;

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QVERIFY(WriteLines(dir_.filePath("a.txt"), 50));
        QVERIFY(QDir(dir_.path()).mkdir("sub"));
        QVERIFY(WriteLines(dir_.filePath("sub/b.txt"), 3));
    }

    void commandLineFilesOpenWithViewModeAndLine() {
        MemoryProfile profile;
        profile.WriteProfileInt("Environ", "EndMode", 3);
        AppGlobals g;
        QtStartupHost host(profile, g, Unique(), &boxes_);
        const std::vector<std::string> args = {"-v", "-20", dir_.filePath("a.txt").toStdString()};
        QCOMPARE(RunStartup(host, profile, args, g), StartResult::Started);
        QVERIFY(host.Frame());
        QVERIFY(g.state.startedWithFiles);
        auto children = host.Frame()->Documents().Children();
        QCOMPARE(children.size(), size_t(1));
        QVERIFY(children[0]->Doc().IsReadOnly());
        QCOMPARE(children[0]->ViewWidget()->View().LogicalLine(), 20u);

        // A later start in sub/ names b.txt relative to its own directory.
        host.ReceiveHandOver(dir_.filePath("sub"), {"b.txt"});
        children = host.Frame()->Documents().Children();
        QCOMPARE(children.size(), size_t(2));
        QVERIFY(host.Frame()->Documents().Find(dir_.filePath("sub/b.txt").toStdString()) != nullptr);
        QVERIFY(!host.Frame()->Documents().Find(dir_.filePath("sub/b.txt").toStdString())->Doc().IsReadOnly());

        // EndMode 3: the frame stays with no document.
        for (CQzedChild* c : children) QVERIFY(c->close());
        QTest::qWait(20);
        QVERIFY(host.Frame()->isVisible());
        host.Frame()->close();
    }

    void endModeOneEndsOnlyWhenStartedWithFiles() {
        for (bool withFiles : {true, false}) {
            MemoryProfile profile;
            profile.WriteProfileInt("Environ", "EndMode", 1);
            AppGlobals g;
            QtStartupHost host(profile, g, Unique(), &boxes_);
            std::vector<std::string> args;
            if (withFiles) args.push_back(dir_.filePath("a.txt").toStdString());
            QCOMPARE(RunStartup(host, profile, args, g), StartResult::Started);
            if (!withFiles) QVERIFY(host.Frame()->Documents().NewDocument(dir_.path().toStdString()));
            auto children = host.Frame()->Documents().Children();
            QCOMPARE(children.size(), size_t(1));
            QVERIFY(children[0]->close());
            if (withFiles) {
                QTRY_VERIFY(!host.Frame()->isVisible());
            } else {
                QTest::qWait(20);
                QVERIFY(host.Frame()->isVisible());
                host.Frame()->close();
            }
        }
    }

    void unopenableFileDoesNotStopTheRest() {
        MemoryProfile profile;
        AppGlobals g;
        QtStartupHost host(profile, g, Unique(), &boxes_);
        const std::vector<std::string> args = {dir_.filePath("sub").toStdString(),
                                               dir_.filePath("a.txt").toStdString()};
        QCOMPARE(RunStartup(host, profile, args, g), StartResult::Started);
        QCOMPARE(host.Frame()->Documents().Children().size(), size_t(1));
        host.Frame()->close();
    }
};

QTEST_MAIN(StartupHostTest)
#include "startup_host_test.moc"
