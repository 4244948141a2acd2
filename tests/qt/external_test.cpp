// The external programs on Qt: the OS command window end to end with real
// commands through /bin/sh, grep hits that open with the tag jump, user
// tools and their quoting, the associated program, and the start errors.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "app/startup.h"
#include "document/temp_register.h"
#include "document/temp_save.h"
#include "frame/commands.h"
#include "platform/cp932.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "qt/document_window.h"
#include "qt/external_commands.h"
#include "qt/main_window.h"
#include "qt/view_widget.h"
#include "settings/settings.h"
#include "support/fake_message_box.h"
#include "support/qt_files.h"
#include "support/when_modal.h"

using namespace qz;
using qz::fakes::WhenModal;

// Takes the URLs the desktop would open.
class UrlSink : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
    Q_INVOKABLE void Open(const QUrl& url) { opened << url; }
};

namespace {

// A bound that only a broken worker reaches; no statement about speed.
constexpr int kCommandBound = 60000;

QByteArray Bytes(const std::string& s) { return QByteArray::fromStdString(s); }

std::string Text(CQzedDoc& doc) {
    std::string s(doc.GetTextLength(), '\0');
    s.resize(doc.ReadText(1, s.data(), static_cast<uint32_t>(s.size())));
    return s;
}

}  // namespace

class ExternalTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    fakes::FakeMessageBox boxes_;
    std::string startDir_;

    std::string Dir() const { return dir_.path().toStdString(); }
    bool Write(const QString& name, const QByteArray& bytes) { return fakes::WriteAll(dir_.filePath(name), bytes); }
    // Types a line into the view and presses Enter.
    static void Enter(CQzedChild* w, const QString& line) {
        QTest::keyClicks(w->ViewWidget()->Canvas(), line);
        QTest::keyClick(w->ViewWidget()->Canvas(), Qt::Key_Return);
    }
    static bool Finished(QzedMainWindow& w, CQzedChild* c) {
        return QTest::qWaitFor([&] { return !w.External().Running(c->Doc()); }, kCommandBound);
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        startDir_ = CurrentDirectory();
        fakes::PutBuildProgramsOnPath();
        QVERIFY(Write("a.txt", "a\n"));
        QVERIFY(Write("sub/inner.txt", "inner\n"));
    }
    void init() { SetCurrentDirectory(startDir_); }
    void cleanup() {
        QCOMPARE(qz::fakes::UnansweredModals(), 0);
        boxes_.shown.clear();
    }

    void lsThenCdThenLsThenExit() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* os = w.External().OpenOsWindow(Dir());
        QVERIFY(os);
        QVERIFY(os->windowTitle().endsWith("(" + dir_.path() + ")"));
        Enter(os, "ls");
        QVERIFY(w.External().Running(os->Doc()));
        QVERIFY(Finished(w, os));
        QCOMPARE(Bytes(Text(os->Doc())), Bytes(std::string("ls\na.txt\nsub\n")));
        QCOMPARE(os->ViewWidget()->View().AbsoluteOffset(), os->Doc().GetTextLength() + 1);  // at the end
        // A temporary copy under the first folder's work path is let go when
        // the window moves (as after a rename).
        const TempRegister& reg = w.Documents().Register();
        QCOMPARE(TemporarySave(os->Doc(), reg), 1);
        Enter(os, "cd sub");
        std::vector<RegisterEntry> entries;
        reg.ReadAll(entries);
        QVERIFY(std::none_of(entries.begin(), entries.end(), [&](const RegisterEntry& e) {
            return e.used && e.docPath == OsWindowWorkPath(Dir());
        }));
        Enter(os, "ls");
        QVERIFY(Finished(w, os));
        Enter(os, "CD ..");
        Enter(os, "ls -d *");
        QVERIFY(Finished(w, os));
        const std::string sub = Dir() + "/sub";
        QCOMPARE(Bytes(Text(os->Doc())), Bytes("ls\na.txt\nsub\ncd sub\n" + sub + "\nls\ninner.txt\nCD ..\n" + Dir() +
                                      "\nls -d *\na.txt\nsub\n"));
        QVERIFY(!os->Doc().IsModified());
        // The editor's own directory never moved.
        QCOMPARE(CurrentDirectory(), startDir_);
        Enter(os, "ExIt");
        QVERIFY(QTest::qWaitFor([&] { return w.Documents().Children().empty(); }, kCommandBound));
        QVERIFY(boxes_.shown.empty());  // no save question
    }

    void outputThatIsNoUtf8StaysAsItsBytes() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        CQzedChild* os = w.External().OpenOsWindow(Dir());
        QVERIFY(os);
        // UTF-8 "日本", Shift-JIS "あ" (no UTF-8), and a lead byte at a line end.
        Enter(os, "printf '\\346\\227\\245\\346\\234\\254\\n\\202\\240\\n\\201\\n'; printf 'err\\n' >&2");
        QVERIFY(Finished(w, os));
        const std::string text = Text(os->Doc());
        QCOMPARE(text.substr(text.find('\n')), std::string("\n\x93\xFA\x96\x7B\n\x82\xA0\n?\nerr\n"));
    }

    void aCommandThatNeverEndsIsStoppedWithEsc() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* os = w.External().OpenOsWindow(Dir());
        QVERIFY(os);
        Enter(os, "echo begun; sleep 1000");
        QVERIFY(w.External().Running(os->Doc()));
        QCOMPARE(w.MessagePane()->text(), QString::fromUtf8(kShellRunningPrompt));
        // Typing is ignored meanwhile, and the window refuses to close or save.
        QTest::keyClicks(os->ViewWidget()->Canvas(), "xyz");
        QInputMethodEvent ime;
        ime.setCommitString(QStringLiteral("日本"));
        QApplication::sendEvent(os->ViewWidget()->Canvas(), &ime);
        QCOMPARE(Text(os->Doc()), std::string("echo begun; sleep 1000"));
        QVERIFY(!os->close());
        QCOMPARE(boxes_.shown.back().text, std::string("シェルコマンド実行中のため終了できません"));
        // Esc once the command has got as far as its sleep.
        QVERIFY(QTest::qWaitFor([&] {
            QFile out(QString::fromStdString(w.External().Worker().OutPath()));
            return out.open(QIODevice::ReadOnly) && out.readAll() == "begun\n";
        }, kCommandBound));
        QTest::keyClick(os->ViewWidget()->Canvas(), Qt::Key_Escape);
        QVERIFY(Finished(w, os));
        QCOMPARE(Bytes(Text(os->Doc())), Bytes("echo begun; sleep 1000\nbegun\n"));
        QCOMPARE(w.MessagePane()->text(), QString::fromUtf8(kShellStopped));
        // The window works again.
        Enter(os, "echo again");
        QVERIFY(Finished(w, os));
        QVERIFY(Text(os->Doc()).ends_with("echo again\nagain\n"));
    }

    void closingTheEditorEndsARunningCommand() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* os = w.External().OpenOsWindow(Dir());
        QVERIFY(os);
        Enter(os, "sleep 1000");
        QVERIFY(w.External().Running(os->Doc()));
        QVERIFY(w.close());
        QVERIFY(!w.External().Worker().Busy());
        QVERIFY(boxes_.shown.empty());
    }

    void grepHitsOpenWithTheTagJump() {
        QVERIFY(Write("src/one.c", "/* one */\n\nint main(int argc)\n{\n}\n"));
        QVERIFY(Write("src/deep/two.c", "int other;\nint main2;\n"));
        QVERIFY(Write("src/three.h", "int main;\n"));
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        SetCurrentDirectory(Dir() + "/src");
        QCOMPARE(TheSettings().grepMode, 96);  // subfolders, quoted names, any case
        WhenModal([](QWidget* d) {
            d->findChild<QComboBox*>("pattern")->setEditText("int main");
            d->findChild<QComboBox*>("files")->setEditText("*.c missing.c");
            static_cast<QDialog*>(d)->accept();
        });
        QVERIFY(w.Frame().Execute(cmdid::kGrep));
        CQzedChild* os = w.Documents().Active();
        QVERIFY(os && os->Doc().File().special);
        QVERIFY(Finished(w, os));
        // Grep's own messages come first, then its hits.
        QCOMPARE(Bytes(Text(os->Doc())), Bytes("\nqzgrep: No such file. 'missing.c'\n"
                                               "\"one.c\" 3: int main(int argc)\n\"deep/two.c\" 2: int main2;\n"));
        QCOMPARE(TheSettings().grepSearchPtn[0], std::string("int main"));
        QCOMPARE(TheSettings().grepFilePtn[0], std::string("*.c missing.c"));
        // The hit's line, then the tag jump.
        os->ViewWidget()->View().GoToLine(3);
        QVERIFY(w.Frame().Execute(cmdid::kTagJump));
        CQzedChild* hit = w.Documents().Active();
        QVERIFY(hit && hit != os);
        QCOMPARE(hit->Path(), Dir() + "/src/one.c");
        QCOMPARE(hit->ViewWidget()->View().LogicalLine(), 3u);
        for (CQzedChild* c : w.Documents().Children()) c->Doc().SetModifiedFlag(false);
    }

    void grepRefusesAnEmptyPattern() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        WhenModal([this](QWidget* d) {
            d->findChild<QComboBox*>("pattern")->setEditText("");
            d->findChild<QComboBox*>("files")->setEditText("*.c");
            static_cast<QDialog*>(d)->accept();
            QVERIFY(d->isVisible());  // stays open
            QCOMPARE(boxes_.shown.back().text, std::string("検索パターンを入力して下さい"));
            QCOMPARE(boxes_.shown.back().caption, std::string("ＧＲＥＰの実行"));
            static_cast<QDialog*>(d)->reject();
        });
        QVERIFY(w.Frame().Execute(cmdid::kGrep));
        QVERIFY(w.Documents().Children().empty());
    }

    void aToolParameterWithShellCharactersRunsNoSecondCommand() {
        MemoryProfile p;
        p.WriteProfileString("Environ", "ExecTitle1", "show");
        p.WriteProfileString("Environ", "ExecName1", "printf");
        p.WriteProfileString("Environ", "ExecParam1", "'<%s>\\n' &S; echo '&&done'");
        p.WriteProfileString("Environ", "ExecCurdir1", "&T");
        p.WriteProfileInt("Environ", "ExecOsWin1", 1);
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(Write("tool/doc.txt", "x; touch pwned $(touch pwned2)\n"));
        CQzedChild* doc = w.Documents().Open(dir_.filePath("tool/doc.txt").toStdString());
        QVERIFY(doc);
        doc->ViewWidget()->View().SelectAll();
        WhenModal([](QWidget* d) {
            QCOMPARE(d->findChild<QListWidget*>("tools")->currentRow(), 0);
            static_cast<QDialog*>(d)->accept();
        });
        QVERIFY(w.Frame().Execute(cmdid::kUserTool));
        CQzedChild* os = w.Documents().Active();
        QVERIFY(os && os->Doc().File().special);
        QVERIFY(Finished(w, os));
        // The selection went through as one word (its line end too); the
        // template's own "; echo" ran.
        QCOMPARE(Text(os->Doc()), std::string("\n<x; touch pwned $(touch pwned2)\n>\n&done\n"));
        QVERIFY(!QFile::exists(dir_.filePath("tool/pwned")));
        QVERIFY(!QFile::exists(dir_.filePath("tool/pwned2")));
        QCOMPARE(os->windowTitle(), "$SHELWIN(" + dir_.filePath("tool") + ")");
        for (CQzedChild* c : w.Documents().Children()) c->Doc().SetModifiedFlag(false);
    }

    void programsThatCannotStartAreReported() {
        MemoryProfile p;
        p.WriteProfileString("Environ", "ExecTitle1", "missing");
        p.WriteProfileString("Environ", "ExecName1", "/nonexistent/qz-tool");
        p.WriteProfileInt("Environ", "ExecOsWin1", 0);
        QzedMainWindow w(p, nullptr, &boxes_);
        WhenModal([](QWidget* d) { static_cast<QDialog*>(d)->accept(); });
        QVERIFY(w.Frame().Execute(cmdid::kUserTool));
        QCOMPARE(boxes_.shown.size(), size_t(1));
        QCOMPARE(boxes_.shown[0].text, std::string("ユーザー指定ソフト起動エラー [2]\n") + std::strerror(ENOENT));
        QCOMPARE(boxes_.shown[0].caption, std::string("起動エラー"));
        TheSettings().env.CalcPrg = "/nonexistent/calc";
        QVERIFY(w.Frame().Execute(cmdid::kCalculator));
        QCOMPARE(boxes_.shown.back().text.rfind("電卓プログラム起動エラー [2]\n", 0), size_t(0));
        QCOMPARE(boxes_.shown.back().caption, std::string("プログラム起動エラー"));
    }

    void noUserToolsIsSaid() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        SaveUserTools(p, {});
        QVERIFY(w.Frame().Execute(cmdid::kUserTool));
        QCOMPARE(boxes_.shown.back().text, std::string("ユーザー指定ソフトがありません"));
    }

    void theAssociatedProgramOpensAddressesAndNames() {
        UrlSink sink;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &sink, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &sink, "Open");
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(Write("assoc.txt", "someone@example.com\nuser@host\n"));
        CQzedChild* doc = w.Documents().Open(dir_.filePath("assoc.txt").toStdString());
        QVERIFY(doc);
        QVERIFY(w.Frame().Execute(cmdid::kOpenAssociated));
        doc->ViewWidget()->View().GoToLine(2);
        QVERIFY(w.Frame().Execute(cmdid::kOpenAssociated));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QCOMPARE(sink.opened.size(), 2);
        QCOMPARE(sink.opened[0], QUrl("mailto:someone@example.com"));
        QCOMPARE(sink.opened[1], QUrl::fromLocalFile(dir_.filePath("user@host")));
    }
};

QTEST_MAIN(ExternalTest)
#include "external_test.moc"
