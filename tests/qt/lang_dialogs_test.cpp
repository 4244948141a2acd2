// The language dialogs on Qt, each opened, acted on and closed: the jump
// list, the template dialog, the function list and the mark / jump dialog;
// and the jumps between real documents of the main window.
#include "lang/language_data.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "frame/commands.h"
#include "lang/jump_stack.h"
#include "platform/cp932.h"
#include "platform/profile.h"
#include "qt/document_window.h"
#include "qt/jump_list_dlg.h"
#include "qt/main_window.h"
#include "qt/view_widget.h"
#include "settings/settings.h"
#include "support/fake_message_box.h"
#include "support/qt_files.h"
#include "support/when_modal.h"

using namespace qz;
using qz::fakes::WhenModal;

class LangDialogsTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    fakes::FakeMessageBox boxes_;

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        fakes::WriteAll(path, bytes);
        return path;
    }
    CQzedChild* Open(QzedMainWindow& w, const QString& name, const QByteArray& bytes) {
        return w.Documents().Open(Write(name, bytes).toStdString());
    }
    static std::string Text(CQzedChild* c) {
        TextStore& st = c->Doc().Store();
        std::string s(st.GetTextLength(), '\0');
        st.ReadText(1, s.data(), static_cast<uint32_t>(s.size()));
        return s;
    }
    static uint32_t Line(CQzedChild* c) { return c->ViewWidget()->View().LogicalLine(); }
    static QPushButton* Button(QWidget* d, const char* name) { return d->findChild<QPushButton*>(name); }
    std::unique_ptr<QzedMainWindow> Window(MemoryProfile& p) {
        auto w = std::make_unique<QzedMainWindow>(p, nullptr, &boxes_);
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get())) return nullptr;
        return w;
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void init() {
        boxes_.shown.clear();
        TheJumpBackStack().Clear();
        TheMarks().Clear();
    }
    void cleanup() { QCOMPARE(qz::fakes::UnansweredModals(), 0); }

    void theJumpListTakesOnlyAChosenRow() {
        std::vector<DefinitionCandidate> three = {
            {"/src/a.c", 12, 1}, {"/src/lib/b.c", 3, 2}, {"/src/c.c", 100000, 3}};
        CJumpListDlg d(nullptr, three);
        QCOMPARE(d.windowTitle(), QStringLiteral("ジャンプリスト"));
        QCOMPARE(d.list()->count(), 3);
        QCOMPARE(d.list()->item(1)->text(), QStringLiteral("2-     3 : b.c"));
        QCOMPARE(d.countLabel()->text(), QStringLiteral("総数: 03"));
        QCOMPARE(d.noteLabel()->text(), QString());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        Button(&d, "okButton")->click();  // nothing chosen yet: the list stays
        QVERIFY(d.isVisible());
        d.list()->item(2)->setSelected(true);
        Button(&d, "okButton")->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.Chosen(), 2);

        std::vector<DefinitionCandidate> full(16, DefinitionCandidate{"/x.c", 1, 1});
        CJumpListDlg limit(nullptr, full);
        QCOMPARE(limit.noteLabel()->text(), QStringLiteral("16個以上は処理出来ません"));
        limit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&limit));
        const QPoint at = limit.list()->visualItemRect(limit.list()->item(1)).center();
        QTest::mouseClick(limit.list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(limit.list()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(limit.result(), int(QDialog::Accepted));
        QCOMPARE(limit.Chosen(), 1);
    }

    void theTemplateDialogInsertsTheKeyTyped() {
        MemoryProfile p;
        auto w = Window(p);
        QVERIFY(w);
        CQzedChild* child = Open(*w, "t.c", "\n");
        QVERIFY(child);
        TemplateTable& table = TheTemplateTable(child->Doc().GetFileType());
        QVERIFY(ParseTemplateFile(Utf8ToSjis("#key b\n#title ブロック\n#start\n\t{\n\t}\n#end\n"), table).ok());
        WhenModal([](QWidget* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("テンプレートの挿入"));
            QCOMPARE(d->findChild<QLabel*>("title1")->text(), QStringLiteral("ブロック"));
            QCOMPARE(d->findChild<QLabel*>("title0")->text(), QString());
            QCOMPARE(d->findChild<QPushButton*>("slot35")->text(), QStringLiteral("&9"));
            QVERIFY(d->findChild<QLabel*>("noteLabel")->text().startsWith(QStringLiteral("ボタンに表示されている")));
            QTest::keyClick(d, Qt::Key_B);  // the bare key, as the note says
        });
        QVERIFY(w->Frame().Execute(cmdid::kTemplateDialog));
        QCOMPARE(Text(child), std::string("{\n}\n"));
        // A write-protected document gets no dialog, only the message.
        child->Doc().SetReadOnly(true);
        QVERIFY(w->Frame().Execute(cmdid::kTemplateDialog));
        QVERIFY(w->MessagePane()->text().contains(QStringLiteral("書き込み禁止")));
        table.Clear();
    }

    void theFunctionListSortsSearchesJumpsAndInserts() {
        MemoryProfile p;
        auto w = Window(p);
        QVERIFY(w);
        CQzedChild* child = Open(*w, "f.c",
                                 "#define LIMIT 3\n"
                                 "int zeta(void)\n{\n}\n"
                                 "int CApp::alpha(void)\n{\n}\n"
                                 "int beta(void)\n");
        QVERIFY(child);
        TheSettings().env.Func_DispMode = 0;
        WhenModal([this](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("関数リスト"));
            auto* list = dialog->findChild<QTreeWidget*>("functionList");
            QCOMPARE(list->topLevelItemCount(), 3);
            QCOMPARE(list->headerItem()->text(1), QStringLiteral("ｸﾗｽ名"));
            QCOMPARE(dialog->findChild<QLabel*>("countLabel")->text(), QStringLiteral("総数: 003"));
            QVERIFY(list->selectedItems().isEmpty());  // the caret stands before every function
            Button(dialog, "okButton")->click();
            QCOMPARE(boxes_.shown.back().text, std::string("ジャンプ先を選択してください"));
            QVERIFY(dialog->isVisible());
            list->header()->sectionClicked(2);
            QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("alpha"));
            QTest::keyClicks(dialog->findChild<QLineEdit*>("searchKey"), "ZE");
            QCOMPARE(list->selectedItems().value(0)->text(2), QStringLiteral("zeta"));
            Button(dialog, "okButton")->click();
        });
        QVERIFY(w->Frame().Execute(cmdid::kFunctionList));
        QCOMPARE(Line(child), 2u);

        WhenModal([](QWidget* dialog) {
            dialog->findChild<QRadioButton*>("kind1")->click();
            QCOMPARE(dialog->findChild<QLabel*>("titleLabel")->text(), QStringLiteral("#define定義一覧(&L)"));
            Button(dialog, "insertButton")->click();
        });
        QVERIFY(w->Frame().Execute(cmdid::kFunctionList));
        QCOMPARE(TheSettings().env.Func_DispMode, 1);
        QVERIFY(Text(child).find("      1 : #define LIMIT\n") != std::string::npos);
        TheSettings().env.Func_DispMode = 0;
    }

    void theMarkDialogMarksClearsAndJumps() {
        MemoryProfile p;
        auto w = Window(p);
        QVERIFY(w);
        CQzedChild* other = Open(*w, "other.c", "1\n2\n3\n4\n");
        QVERIFY(other);
        CQzedChild* here = Open(*w, "here.c", "a\nb\n");
        QVERIFY(here);
        here->ViewWidget()->View().GoToLine(2);
        TheMarks().marks[3] = JumpPlace{1, other->Path(), nullptr, 4};
        TheSettings().env.MarkRestore = 0;
        WhenModal([](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("マーク／ジャンプモード"));
            auto* list = dialog->findChild<QTreeWidget*>("markList");
            QCOMPARE(list->topLevelItemCount(), 12);
            QCOMPARE(list->topLevelItem(3)->text(1), QStringLiteral("4"));
            dialog->findChild<QRadioButton*>("restoreYes")->click();
            list->setCurrentItem(list->topLevelItem(0));
            QTest::keyClick(list, Qt::Key_M);
        });
        QVERIFY(w->Frame().Execute(cmdid::kMarkJump));
        QCOMPARE(TheMarks().marks[0].used, 1);
        QCOMPARE(TheMarks().marks[0].fileName, here->Path());
        QCOMPARE(TheMarks().marks[0].line, 2);
        QCOMPARE(TheSettings().env.MarkRestore, 1);

        // CLEAR, then the dialog closed without OK: the mark is gone all the same.
        WhenModal([](QWidget* dialog) {
            auto* list = dialog->findChild<QTreeWidget*>("markList");
            QVERIFY(list->topLevelItem(0)->isSelected());  // the row chosen last time
            Button(dialog, "clearButton")->click();
            QCOMPARE(list->topLevelItem(0)->text(2), QString());
            Button(dialog, "closeButton")->click();
        });
        QVERIFY(w->Frame().Execute(cmdid::kMarkJump));
        QCOMPARE(TheMarks().marks[0].used, 0);

        WhenModal([](QWidget* dialog) {
            auto* list = dialog->findChild<QTreeWidget*>("markList");
            list->setCurrentItem(list->topLevelItem(3));
            Button(dialog, "jumpButton")->click();
        });
        QVERIFY(w->Frame().Execute(cmdid::kMarkJump));
        QCOMPARE(w->Documents().Active(), other);
        QCOMPARE(Line(other), 4u);
        TheSettings().env.MarkRestore = 0;
    }

    void theMarksComeBackWhenAskedAndAreSavedWithTheSettings() {
        MemoryProfile p;
        p.WriteProfileInt("Environ", "MarkRestore", 1);
        p.WriteProfileInt("MarkJump", "EfectFlag2", 1);
        p.WriteProfileString("MarkJump", "FileName2", "/src/kept.c");
        p.WriteProfileInt("MarkJump", "LineNumber2", 42);
        {
            auto w = Window(p);
            QVERIFY(w);
            QCOMPARE(TheMarks().marks[1], (JumpPlace{1, "/src/kept.c", nullptr, 42}));
            TheMarks().marks[0] = JumpPlace{1, "/src/new.c", w.get(), 7};
            TheMarks().marks[1].used = 0;
            QVERIFY(w->close());
        }
        QCOMPARE(p.GetProfileInt("MarkJump", "EfectFlag1", 0), 1);
        QCOMPARE(p.GetProfileString("MarkJump", "FileName1", ""), std::string("/src/new.c"));
        QCOMPARE(p.GetProfileInt("MarkJump", "LineNumber1", 0), 7);
        QCOMPARE(p.GetProfileInt("MarkJump", "EfectFlag2", 1), 0);
        QCOMPARE(p.GetProfileString("MarkJump", "FileName2", "x"), std::string());
    }

    void tagAndDefinitionJumpsOpenFilesAndTheJumpBackReturns() {
        MemoryProfile p;
        auto w = Window(p);
        QVERIFY(w);
        Write("target.c", "one\ntwo\nthree\n");
        Write("tags", "target.c 3: int 'Main'(void)\nother.c 9: Main\n");
        CQzedChild* start = Open(*w, "start.c", "x\ntarget.c 2: hit\nMain();\n");
        QVERIFY(start);
        QzedViewWidget* view = start->ViewWidget();
        view->View().GoToLine(2);
        QVERIFY(w->Frame().Execute(cmdid::kTagJump));
        CQzedChild* target = w->Documents().Find(dir_.filePath("target.c").toStdString());
        QVERIFY(target);
        QCOMPARE(w->Documents().Active(), target);
        QCOMPARE(Line(target), 2u);

        w->Documents().Open(start->Path());
        QCOMPARE(w->Documents().Active(), start);
        view->View().GoToLine(3);
        TheSettings().Type(start->Doc().GetFileType()).TagsFile1 = "tags";
        QVERIFY(w->Frame().Execute(cmdid::kDefinitionJump));
        QCOMPARE(w->Documents().Active(), target);
        QCOMPARE(Line(target), 3u);
        QCOMPARE(TheJumpBackStack().Size(), 1);

        QVERIFY(w->Frame().Execute(cmdid::kJumpBack));
        QCOMPARE(w->Documents().Active(), start);
        QCOMPARE(Line(start), 3u);
        QCOMPARE(TheJumpBackStack().Size(), 0);
    }
};

QTEST_MAIN(LangDialogsTest)
#include "lang_dialogs_test.moc"
