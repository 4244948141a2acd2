// The external programs' dialogs on Qt: the folder picker, the grep
// dialog's proposal and options, tag generation, the browsers' save
// question and the user tools' save before the run.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "frame/commands.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "qt/document_window.h"
#include "qt/external_commands.h"
#include "qt/external_dialogs.h"
#include "qt/main_window.h"
#include "qt/view_widget.h"
#include "settings/settings.h"
#include "support/fake_message_box.h"
#include "support/qt_files.h"
#include "support/when_modal.h"

using namespace qz;
using qz::fakes::WhenModal;

namespace {
constexpr int kBound = 60000;  // only a broken start reaches it
}

class ExternalDialogsTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    fakes::FakeMessageBox boxes_;
    std::string startDir_;

    bool Write(const QString& name, const QByteArray& bytes) { return fakes::WriteAll(dir_.filePath(name), bytes); }
    static QByteArray Read(const QString& path) { return fakes::ReadAll(path); }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        startDir_ = CurrentDirectory();
        fakes::PutBuildProgramsOnPath();
    }
    void init() { SetCurrentDirectory(dir_.path().toStdString()); }
    void cleanup() {
        SetCurrentDirectory(startDir_);
        QCOMPARE(qz::fakes::UnansweredModals(), 0);
        boxes_.shown.clear();
    }

    void theFolderPickerMovesTheCurrentDirectory() {
        QVERIFY(QDir().mkpath(dir_.filePath("pick/inner")));
        QVERIFY(Write("pick/file.txt", "x"));
        SetCurrentDirectory(dir_.filePath("pick").toStdString());
        QWidget parent;
        FolderPicker picker(boxes_, &parent);
        QCOMPARE(picker.Directory()->text(), dir_.filePath("pick"));
        QStringList names;
        for (int i = 0; i < picker.Folders()->count(); ++i) names << picker.Folders()->item(i)->text();
        QCOMPARE(names, QStringList({"..", "inner"}));  // folders only
        picker.Folders()->setCurrentRow(1);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(picker.Folders(), &enter);
        QCOMPARE(CurrentDirectory(), dir_.filePath("pick/inner").toStdString());
        QCOMPARE(picker.Directory()->text(), dir_.filePath("pick/inner"));
        emit picker.Folders()->itemActivated(picker.Folders()->item(0));  // ".."
        QCOMPARE(CurrentDirectory(), dir_.filePath("pick").toStdString());
        // The places: the root first; one that cannot be entered says so.
        QCOMPARE(picker.Places()->itemText(0), QStringLiteral("/"));
        picker.Places()->addItem(dir_.filePath("gone"));
        emit picker.Places()->activated(picker.Places()->count() - 1);
        QCOMPARE(boxes_.shown.back().text,
                 dir_.filePath("gone").toStdString() + " にアクセスできません。\nﾃﾞﾊﾞｲｽの準備が出来ていません。");
        QCOMPARE(boxes_.shown.back().caption, std::string("ドライブ変更"));
        QCOMPARE(CurrentDirectory(), dir_.filePath("pick").toStdString());
        emit picker.Places()->activated(0);
        QCOMPARE(CurrentDirectory(), std::string("/"));
    }

    void theGrepDialogProposesTheSelectionAndKeepsItsSettings() {
        QVERIFY(Write("g.txt", QByteArray(100, 'k') + "\n"));
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* doc = w.Documents().Open(dir_.filePath("g.txt").toStdString());
        QVERIFY(doc);
        doc->ViewWidget()->View().SelectAll();
        TheSettings().grepMode = 0x02 | 0x40;
        TheSettings().grepOption = "-x";
        QString proposed;
        bool fuzzy = false, matchCase = true;
        QString option;
        WhenModal([&](QWidget* d) {
            proposed = d->findChild<QComboBox*>("pattern")->currentText();
            fuzzy = d->findChild<QCheckBox*>("bit2")->isChecked();
            matchCase = d->findChild<QCheckBox*>("bit1")->isChecked();
            option = d->findChild<QLineEdit*>("option")->text();
            static_cast<QDialog*>(d)->reject();
        });
        QVERIFY(w.Frame().Execute(cmdid::kGrep));
        QCOMPARE(proposed, QString(64, 'k'));
        QVERIFY(fuzzy);
        QVERIFY(!matchCase);
        QCOMPARE(option, QStringLiteral("-x"));
        QCOMPARE(doc->ViewWidget()->View().KeySelection(), 0);  // the selection ended
        QVERIFY(TheSettings().grepSearchPtn[0].empty());          // cancelled: nothing kept
    }

    void tagGenerationWritesTagsInTheChosenFolder() {
        QVERIFY(Write("tags/src/a.c", "int alpha(void)\n{\n}\n"));
        QVERIFY(Write("tags/src/deep/b.c", "int beta(void)\n{\n}\n"));
        SetCurrentDirectory(dir_.filePath("tags/src").toStdString());
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        WhenModal([](QWidget* d) {
            d->findChild<QComboBox*>("targets")->setEditText("*.c");
            d->findChild<QCheckBox*>("recurse")->setChecked(true);
            static_cast<QDialog*>(d)->accept();
        });
        QVERIFY(w.Frame().Execute(cmdid::kQztags));
        QCOMPARE(TheSettings().qztagsMode, 1);
        QCOMPARE(TheSettings().qztagsFilePtn[0], std::string("*.c"));
        // The editor does not wait: the file appears when the program is done.
        const QString tags = dir_.filePath("tags/src/tags");
        QVERIFY(QTest::qWaitFor([&] { return Read(tags).contains("beta"); }, kBound));
        QVERIFY(Read(tags).contains("alpha"));
        QVERIFY(boxes_.shown.empty());
    }

    void tagGenerationRefusesAnEmptyTarget() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        WhenModal([this](QWidget* d) {
            d->findChild<QComboBox*>("targets")->setEditText("");
            static_cast<QDialog*>(d)->accept();
            QCOMPARE(boxes_.shown.back().text, std::string("対象ファイル名を入力して下さい"));
            QCOMPARE(boxes_.shown.back().caption, std::string("ＱＺＴＡＧＳの実行"));
            static_cast<QDialog*>(d)->reject();
        });
        QVERIFY(w.Frame().Execute(cmdid::kQztags));
    }

    void theBrowserAsksAboutAChangedPageAndReportsAFailedStart() {
        QVERIFY(Write("page.HTM", "<p>\n"));
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Settings& s = TheSettings();
        s.env.ExplorerPrg = "true";
        s.env.Explorer_Update = 2;
        CQzedChild* doc = w.Documents().Open(dir_.filePath("page.HTM").toStdString());
        QVERIFY(doc);
        QTest::keyClicks(doc->ViewWidget()->Canvas(), "x");
        boxes_.answers = {MbResult::Cancel};
        QVERIFY(w.Frame().Execute(cmdid::kBrowser1));
        QCOMPARE(boxes_.shown.back().text, std::string("ファイルの内容が変更されていますが保存しますか？"));
        QCOMPARE(boxes_.shown.back().caption, doc->Path());
        QVERIFY(doc->Doc().IsModified());
        boxes_.answers = {MbResult::Yes};
        QVERIFY(w.Frame().Execute(cmdid::kBrowser1));
        QVERIFY(!doc->Doc().IsModified());
        QCOMPARE(Read(dir_.filePath("page.HTM")), QByteArray("x<p>\n"));
        boxes_.shown.clear();
        s.env.NetscapePrg = "/nonexistent/browser";
        QVERIFY(w.Frame().Execute(cmdid::kBrowser2));
        QCOMPARE(boxes_.shown.size(), size_t(1));
        QCOMPARE(QString::fromStdString(boxes_.shown[0].text).section('\n', 0, 0),
                 QString::fromUtf8("Netscape起動エラー [2]"));
        QCOMPARE(boxes_.shown[0].caption, std::string("起動エラー"));
    }

    void aToolSavesTheModifiedDocumentsFirst() {
        QVERIFY(Write("save/one.txt", "one\n"));
        QVERIFY(Write("save/two.txt", "two\n"));
        MemoryProfile p;
        p.WriteProfileString("Environ", "ExecTitle1", "count");
        p.WriteProfileString("Environ", "ExecName1", "true");
        p.WriteProfileInt("Environ", "ExecUpdate1", 2);
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* one = w.Documents().Open(dir_.filePath("save/one.txt").toStdString());
        CQzedChild* two = w.Documents().Open(dir_.filePath("save/two.txt").toStdString());
        QVERIFY(one && two);
        QTest::keyClicks(one->ViewWidget()->Canvas(), "1");
        QTest::keyClicks(two->ViewWidget()->Canvas(), "2");
        two->Doc().SetReadOnly(true);  // may not be written: left alone
        WhenModal([](QWidget* d) { static_cast<QDialog*>(d)->accept(); });
        QVERIFY(w.Frame().Execute(cmdid::kUserTool));
        QVERIFY(boxes_.shown.empty());
        QCOMPARE(Read(dir_.filePath("save/one.txt")), QByteArray("1one\n"));
        QCOMPARE(Read(dir_.filePath("save/two.txt")), QByteArray("two\n"));
        QVERIFY(!one->Doc().IsModified());
        two->Doc().SetModifiedFlag(false);
    }
};

QTEST_MAIN(ExternalDialogsTest)
#include "external_dialogs_test.moc"
