// The settings sheet on Qt: run from the frame, its pages bound to the
// settings, refusals, the lists, and what OK applies to the open windows.
// Before any Qt header: the template table has a member named like Qt's
// "slots" keyword macro.
#include "platform/paths.h"
#include "lang/language_data.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

#include "frame/commands.h"
#include "platform/profile.h"
#include "qt/document_window.h"
#include "qt/env_sheet.h"
#include "qt/frame_bars.h"
#include "qt/main_window.h"
#include "qt/view_widget.h"
#include "settings/settings.h"
#include "support/fake_message_box.h"
#include "support/qt_files.h"
#include "support/when_modal.h"

using namespace qz;
using qz::fakes::WhenModal;

namespace {

template <class T>
T* Find(QWidget* page, int control) {
    return page->findChild<T*>(QStringLiteral("c%1").arg(control));
}

// Types into a number field as a user would, without the spin box's fixing up.
void TypeInto(QSpinBox* field, const char* text) { field->findChild<QLineEdit*>()->setText(QString::fromUtf8(text)); }

void ClickOk(QWidget* dialog) { dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); }

// Runs the settings command with handle acting on the sheet while it is up.
void WithSheet(QzedMainWindow& w, const std::function<void(CEnvSheet&)>& handle) {
    bool seen = false;
    WhenModal([&](QWidget* m) {
        auto* sheet = qobject_cast<CEnvSheet*>(m);
        QVERIFY(sheet);
        seen = true;
        handle(*sheet);
    });
    w.Frame().Execute(cmdid::kSettings);
    QVERIFY(seen);
}

}  // namespace

class EnvSheetTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QTemporaryDir home_;  // the program folder, with the shipped keyword and template files
    fakes::FakeMessageBox boxes_;

    CQzedChild* Open(QzedMainWindow& w, const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        return fakes::WriteAll(path, bytes) ? w.Documents().Open(path.toStdString()) : nullptr;
    }
    static void Shown(QzedMainWindow& w) {
        w.resize(900, 600);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    static std::vector<PaintRun> RunsOfRow(CQzedView& v, int row) {
        std::string chars, attrs;
        v.ScreenRowImage(row, &chars, &attrs);
        return v.MakeRuns(chars, attrs, 1, false);
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid() && home_.isValid());
        for (const char* name : {"yoyaku_c.tbl", "yoyaku_asm.tbl", "yoyaku_htm.tbl", "temp_c.key", "temp_asm.key", "temp_htm.key"})
            QVERIFY(QFile::copy(QStringLiteral(QZ_SOURCE_DATA_DIR "/") + name, home_.filePath(name)));
        qputenv("QZED_HOME", home_.path().toLocal8Bit());
    }
    void init() { boxes_.shown.clear(); }
    void cleanup() { QCOMPARE(fakes::UnansweredModals(), 0); }

    void okLaysOutEveryViewAgainOnTheSameCharacter() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        Shown(w);
        CQzedChild* child = Open(w, "t.c", "int main()\n{\n\tint a;\t/* note */\n\treturn a;\n}\n");
        QVERIFY(child);
        QzedViewWidget* v = child->ViewWidget();
        CQzedView& view = v->View();
        const uint32_t at = 34;  // the 'r' of "return"
        QCOMPARE(child->Doc().Store().GetCharAt(at), 'r');
        view.SetFromAbsolute(at);
        view.UpdateLogical();
        QCOMPARE(view.CaretColumn(), 5);
        TheKeywordTable(3).Clear();
        WithSheet(w, [](CEnvSheet& sheet) {
            EnvBoundPage* edit = sheet.BoundPage(kPageEdit);
            QCOMPARE(Find<QComboBox>(edit, kTypeListControl)->currentIndex(), 0);
            auto* keywords = Find<QComboBox>(edit, 334);
            QCOMPARE(keywords->count(), 3);
            QCOMPARE(keywords->itemText(0), QStringLiteral("yoyaku_asm.tbl"));
            QCOMPARE(keywords->currentText(), QStringLiteral("yoyaku_c.tbl"));
            TypeInto(Find<QSpinBox>(edit, 148), "8");
            sheet.Tabs()->setCurrentIndex(1);
            Find<QComboBox>(sheet.BoundPage(kPageDisplay), 509)->setCurrentIndex(2);
            sheet.accept();
        });
        QVERIFY(boxes_.shown.empty());
        QVERIFY(!TheKeywordTable(3).Empty());  // the tables were read again
        QCOMPARE(TheSettings().Type(1).Tabs, 8);
        QCOMPARE(TheSettings().Type(1).Com_Col, 2);
        QCOMPARE(TheSettings().Type(2).Tabs, 8);  // the assembler type's own, untouched
        QCOMPARE(child->Doc().GetTabWidth(), 8);
        QCOMPARE(child->Doc().Store().GetCharAt(view.AbsoluteOffset()), 'r');
        QCOMPARE(view.CaretRow(), 4u);
        QCOMPARE(view.CaretColumn(), 9);
        bool blueNote = false;
        for (const PaintRun& r : RunsOfRow(view, 3)) blueNote |= r.fore == 2 && r.text.find("note") != std::string::npos;
        QVERIFY(blueNote);
    }

    void aRefusedNumberKeepsTheSheetOpenOnItsPage() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        Shown(w);
        WithSheet(w, [this](CEnvSheet& sheet) {
            sheet.Tabs()->setCurrentIndex(4);
            TypeInto(Find<QSpinBox>(sheet.BoundPage(kPageEdit), 148), "17");
            sheet.accept();
            QVERIFY(sheet.isVisible());
            QCOMPARE(sheet.Tabs()->currentIndex(), 0);
            QCOMPARE(boxes_.shown.size(), size_t(1));
            QCOMPARE(QString::fromStdString(boxes_.shown[0].text), QStringLiteral("1 から 16 までの整数を入力してください。"));
            QCOMPARE(boxes_.shown[0].caption, std::string("環境設定"));
            TypeInto(Find<QSpinBox>(sheet.BoundPage(kPageEdit), 148), "2");
            sheet.accept();
            QVERIFY(!sheet.isVisible());
        });
        QCOMPARE(TheSettings().Type(1).Tabs, 2);
    }

    void cancelDiscardsEverything() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        Shown(w);
        const Settings before = TheSettings();
        const auto profile = p.Values();
        WithSheet(w, [](CEnvSheet& sheet) {
            Find<QSpinBox>(sheet.BoundPage(kPageEdit), 121)->setValue(80);
            sheet.ListPage()->Button(true, "削除")->click();
            sheet.reject();
        });
        QVERIFY(TheSettings() == before);
        QVERIFY(p.Values() == profile);
    }

    // The type list shows each type's own values; a type's controls work
    // only while its environment is in force, the last type's always.
    void theTypeListSwitchesTypesAndTheirEnabling() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        Shown(w);
        WithSheet(w, [this](CEnvSheet& sheet) {
            EnvBoundPage* edit = sheet.BoundPage(kPageEdit);
            auto* types = Find<QComboBox>(edit, kTypeListControl);
            auto* tabs = Find<QSpinBox>(edit, 148);
            auto* efect = Find<QCheckBox>(edit, kEfectControl);
            QCOMPARE(types->count(), 6);
            QCOMPARE(types->itemText(1), QStringLiteral("アセンブラ言語ファイル"));
            types->setCurrentIndex(1);
            QCOMPARE(tabs->value(), 8);
            QVERIFY(!efect->isChecked());
            QVERIFY(!tabs->isEnabled());
            efect->setChecked(true);
            QVERIFY(tabs->isEnabled());
            TypeInto(tabs, "0");
            types->setCurrentIndex(5);  // refused: the assembler type stays
            QCOMPARE(types->currentIndex(), 1);
            QCOMPARE(boxes_.shown.size(), size_t(1));
            tabs->setValue(6);
            types->setCurrentIndex(5);
            QVERIFY(!efect->isEnabled());
            QVERIFY(tabs->isEnabled());
            types->setCurrentIndex(1);
            QCOMPARE(tabs->value(), 6);
            sheet.accept();
        });
        QCOMPARE(TheSettings().Type(2).Tabs, 6);
        QCOMPARE(TheSettings().Type(2).Efect, 1);
    }

    void theTitleEditorRenamesTheType() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        Shown(w);
        WithSheet(w, [](CEnvSheet& sheet) {
            EnvBoundPage* edit = sheet.BoundPage(kPageEdit);
            Find<QComboBox>(edit, kTypeListControl)->setCurrentIndex(3);
            WhenModal([](QWidget* d) {
                QCOMPARE(d->windowTitle(), QStringLiteral("タイトル名の変更"));
                d->findChild<QLineEdit*>("title")->setText("Ｒｕｓｔ");
                static_cast<QDialog*>(d)->accept();
            }, &sheet);
            Find<QPushButton>(edit, 301)->click();
            QCOMPARE(Find<QComboBox>(edit, kTypeListControl)->itemText(3), QStringLiteral("Ｒｕｓｔ"));
            sheet.accept();
        });
        QCOMPARE(TheSettings().Type(4).FileTitle, std::string("Ｒｕｓｔ"));
    }

    void theListsAreEditedAndWrittenOnOk() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        Shown(w);
        WithSheet(w, [this](CEnvSheet& sheet) {
            CEnvPage3* lists = sheet.ListPage();
            QCOMPARE(lists->ToolList()->topLevelItemCount(), 2);
            WhenModal([](QWidget* d) {
                QCOMPARE(d->windowTitle(), QStringLiteral("登録編集"));
                d->findChild<QLineEdit*>("title")->setText("C");
                d->findChild<QLineEdit*>("file")->setText("/doc/c.chm");
                ClickOk(d);
            }, &sheet);
            lists->Button(false, "追加")->click();
            QCOMPARE(lists->HelpList()->topLevelItemCount(), 1);
            lists->ToolList()->setCurrentItem(lists->ToolList()->topLevelItem(0));
            lists->Button(true, "削除")->click();
            QCOMPARE(lists->ToolList()->topLevelItemCount(), 1);
            sheet.accept();
        });
        QCOMPARE(p.GetProfileString("Environ", "HelpTitle1"), std::string("C"));
        QCOMPARE(p.GetProfileString("Environ", "HelpFile1"), std::string("/doc/c.chm"));
        QCOMPARE(p.GetProfileString("Environ", "ExecTitle1"), std::string("英和／和英辞書変換"));
        QCOMPARE(p.GetProfileString("Environ", "ExecTitle2", "?"), std::string());
    }

    void anEntryEditorRefusesAnEmptyTitle() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        Shown(w);
        WithSheet(w, [this](CEnvSheet& sheet) {
            WhenModal([this](QWidget* d) {
                d->findChild<QLineEdit*>("title")->clear();
                ClickOk(d);
                QVERIFY(d->isVisible());
                QCOMPARE(boxes_.shown.size(), size_t(1));
                QCOMPARE(boxes_.shown[0].text, std::string(kMsgNoTitle));
                static_cast<QDialog*>(d)->reject();
            }, &sheet);
            CEnvPage3* lists = sheet.ListPage();
            lists->ToolList()->setCurrentItem(lists->ToolList()->topLevelItem(1));
            lists->Button(true, "変更")->click();
            sheet.accept();
        });
        QCOMPARE(p.GetProfileString("Environ", "ExecTitle2"), std::string("英和／和英辞書変換"));
    }

    // The scheme is the frame's for the whole run: the sheet stores a new
    // one, which the next start shows.
    void aNewKeySchemeShowsItsLabelsAtTheNextStart() {
        MemoryProfile p;
        p.WriteProfileInt("Environ", "AsinMode", 1);
        {
            QzedMainWindow w(p, nullptr, &boxes_);
            Shown(w);
            QCOMPARE(w.PfBar()->Button(0)->text(), QStringLiteral("MENU1"));
            WithSheet(w, [this](CEnvSheet& sheet) {
                EnvBoundPage* other = sheet.BoundPage(kPageOther1);
                QVERIFY(!Find<QCheckBox>(other, 426)->isEnabled());
                Find<QRadioButton>(other, kOldSchemeRadio)->click();
                QCOMPARE(boxes_.shown.size(), size_t(1));
                QCOMPARE(boxes_.shown[0].text, std::string(kMsgOldScheme));
                QCOMPARE(boxes_.shown[0].caption, std::string("注意"));
                Find<QRadioButton>(other, 141)->click();
                QVERIFY(Find<QCheckBox>(other, 426)->isEnabled());
                Find<QRadioButton>(other, 139)->click();
                sheet.accept();
            });
            QCOMPARE(boxes_.shown.size(), size_t(1));
            QCOMPARE(TheSettings().env.AsinMode, 2);
            QCOMPARE(w.Frame().Scheme(), 1);
            QCOMPARE(w.PfBar()->Button(0)->text(), QStringLiteral("MENU1"));
            w.close();
        }
        QzedMainWindow next(p, nullptr, &boxes_);
        QCOMPARE(next.Frame().Scheme(), 2);
        QCOMPARE(next.PfBar()->Button(0)->text(), QStringLiteral("ヘルプ"));
        QCOMPARE(next.PfBar()->Button(2)->text(), QStringLiteral("検索↓"));
    }

    // Before the sheet stored a new scheme at once, the arrow keys of the
    // views followed it while every other key kept the old one.
    void theArrowsKeepTheSchemeOfTheRun() {
        MemoryProfile p;
        p.WriteProfileInt("Environ", "AsinMode", 1);
        QzedMainWindow w(p, nullptr, &boxes_);
        Shown(w);
        CQzedChild* child = Open(w, "arrows.txt", "abcdef\n");
        QVERIFY(child);
        TheSettings().env.AsinMode = 4;
        QTest::keyClick(child->ViewWidget()->Canvas(), Qt::Key_Right, Qt::ShiftModifier);
        CQzedView& view = child->ViewWidget()->View();
        QCOMPARE(view.KeySelection(), int(kSelNone));  // scheme 1: to the row end
        QCOMPARE(view.CaretColumn(), 7);
    }

    void aNewFontChangesTheCells() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        Shown(w);
        CQzedChild* child = Open(w, "font.txt", "font\n");
        QVERIFY(child);
        const int before = child->ViewWidget()->CharHeight();
        WithSheet(w, [](CEnvSheet& sheet) {
            sheet.Tabs()->setCurrentIndex(1);
            WhenModal([](QWidget* d) {
                auto* fonts = qobject_cast<QFontDialog*>(d);
                QVERIFY(fonts);
                QFont f(QStringLiteral("DejaVu Sans Mono"));
                f.setPointSize(30);
                fonts->setCurrentFont(f);
                fonts->accept();
            }, &sheet);
            Find<QPushButton>(sheet.BoundPage(kPageDisplay), 139)->click();
            QVERIFY(sheet.findChild<QLabel*>("fontName")->text().contains("40px"));
            sheet.accept();
        });
        QCOMPARE(TheSettings().displayFont.lfHeight, -40);
        QVERIFY(child->ViewWidget()->CharHeight() > before);
        QCOMPARE(child->ViewWidget()->View().RowHeight(), child->ViewWidget()->CharHeight());
    }

    void barsAndResidenceFollowAtOnce() {
        MemoryProfile p;
        p.WriteProfileInt("Environ", "Resident", 1);
        QzedMainWindow w(p, nullptr, &boxes_);
        Shown(w);
        w.Frame().SetResident(true);
        QCOMPARE(w.toolBarArea(w.PfBar()), Qt::BottomToolBarArea);
        QVERIFY(w.DialogBar()->ButtonStyle());
        WithSheet(w, [](CEnvSheet& sheet) {
            EnvBoundPage* other = sheet.BoundPage(kPageOther1);
            Find<QRadioButton>(other, 137)->click();  // 常駐しない
            Find<QRadioButton>(other, 144)->click();  // the function keys on top
            Find<QRadioButton>(other, 147)->click();  // tabs
            sheet.accept();
        });
        QVERIFY(!w.Frame().Resident());
        QCOMPARE(w.toolBarArea(w.PfBar()), Qt::TopToolBarArea);
        QVERIFY(!w.DialogBar()->ButtonStyle());
    }

    void f5OpensTheSheetInSchemeFour() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        Shown(w);
        bool seen = false;
        WhenModal([&](QWidget* m) {
            seen = qobject_cast<CEnvSheet*>(m) != nullptr;
            QCOMPARE(m->windowTitle(), QStringLiteral("環境設定"));
            static_cast<QDialog*>(m)->reject();
        });
        QTest::keyClick(&w, Qt::Key_F5);
        QVERIFY(seen);
        QVERIFY(w.Frame().StateOf(cmdid::kSettings).enabled);
    }

    void theBitmapIsChosenInADialogOfItsOwn() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        Shown(w);
        const QString bitmap = dir_.filePath("wall.bmp");
        QFile(bitmap).open(QIODevice::WriteOnly);
        WithSheet(w, [&](CEnvSheet& sheet) {
            EnvBoundPage* other = sheet.BoundPage(kPageOther1);
            auto* browse = Find<QPushButton>(other, 420);
            QVERIFY(!browse->isEnabled());
            QVERIFY(Find<QLineEdit>(other, 107)->isReadOnly());
            Find<QRadioButton>(other, 419)->click();
            QVERIFY(browse->isEnabled());
            QVERIFY(!Find<QLineEdit>(other, 107)->isReadOnly());
            WhenModal([&](QWidget* d) {
                auto* files = qobject_cast<QFileDialog*>(d);
                QVERIFY(files);
                QCOMPARE(files->windowTitle(), QStringLiteral("ビットマップの指定"));
                QCOMPARE(files->nameFilters(), QStringList({"ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)", "全てのﾌｧｲﾙ(*.*)"}));
                files->setDirectory(QFileInfo(bitmap).absolutePath());
                fakes::TypeFileName(*files, QFileInfo(bitmap).fileName());
                static_cast<QDialog*>(files)->accept();
            }, &sheet);
            browse->click();
            QCOMPARE(Find<QLineEdit>(other, 107)->text(), bitmap);
            sheet.accept();
        });
        QCOMPARE(TheSettings().env.BkgndMode, 3);
        QCOMPARE(QString::fromStdString(TheSettings().env.BkgndFname), bitmap);
    }

    void helpWithoutItsPageSaysSo() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        Shown(w);
        WithSheet(w, [this](CEnvSheet& sheet) {
            for (QPushButton* b : sheet.findChildren<QPushButton*>())
                if (b->text() == QStringLiteral("ﾍﾙﾌﾟ")) b->click();
            QCOMPARE(boxes_.shown.size(), size_t(1));
            // The message names the page to open by hand.
            QCOMPARE(boxes_.shown[0].text, "ヘルプファイルが開けません\n" + DataFolder() + "/help/environ.htm");
            QCOMPARE(boxes_.shown[0].icon, MbIcon::Stop);
            sheet.reject();
        });
    }

    // The frame's "右端で折り返す" switch turned off used to leave the text
    // wrapped at the window.
    void rightWrapSwitchedOffUnwraps() {
        MemoryProfile p;
        p.WriteProfileInt("Environ-Type6", "RightTurn", 1);
        QzedMainWindow w(p, nullptr, &boxes_);
        Shown(w);
        CQzedChild* child = Open(w, "wrap.txt", QByteArray(300, 'a') + "\n");
        QVERIFY(child);
        QTRY_VERIFY(child->Doc().GetWrapMode() & kWrapWindow);
        QVERIFY(w.Frame().Execute(cmdid::kRightWrap));
        QCOMPARE(TheSettings().Type(6).RightTurn, 0);
        QVERIFY(!(child->Doc().GetWrapMode() & kWrapWindow));
        QCOMPARE(child->Doc().GetWrapWidth(), 240);
    }
};

QTEST_MAIN(EnvSheetTest)
#include "env_sheet_test.moc"
