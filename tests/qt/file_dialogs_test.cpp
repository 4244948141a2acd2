// The open, save-type and registration dialogs: what they offer, and the
// choices they hand back when driven as a user would.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/file_dialog_model.h"
#include "platform/profile.h"
#include "qt/ext_file_dlg.h"
#include "qt/file_dialogs.h"
#include "qt/my_file_dlg.h"
#include "qt/path_switch_dlg.h"
#include "qt/qt_message_box.h"
#include "support/fake_message_box.h"
#include "support/when_modal.h"

using namespace qz;
using qz::fakes::WhenModal;

namespace {

QStringList ComboItems(const QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
    return out;
}

void Touch(const QString& path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

void TypeNames(QFileDialog& dialog, const QString& text) {
    QVERIFY(dialog.findChild<QLineEdit*>("fileNameEdit"));
    fakes::TypeFileName(dialog, text);
}

}  // namespace

class FileDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QVERIFY(dir_.isValid());
        Touch(dir_.filePath("a.txt"));
        Touch(dir_.filePath("b.c"));
        Touch(dir_.filePath("日本語.txt"));
        QDir(dir_.path()).mkdir("sub");
    }
    void cleanup() { QCOMPARE(fakes::UnansweredModals(), 0); }

    void openVariantOffersCodesFiltersAndReadOnly() {
        CExtFileDlg dlg(CExtFileDlg::Variant::Open);
        SetUpOpenDialog(dlg, OpenFilterList("*.c;*.h"), 7);
        QVERIFY(dlg.testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(dlg.fileMode(), QFileDialog::ExistingFiles);
        QCOMPARE(dlg.nameFilters().size(), 8);
        QCOMPARE(dlg.nameFilters().first(), QString("ユーザー指定(*.c *.h) (*.c *.h)"));
        QCOMPARE(dlg.nameFilters().last(), QString("全てのﾌｧｲﾙ(*.*) (*)"));
        QCOMPARE(SelectedFilterIndex(dlg), 7);
        // The user sees the display text alone.
        auto* types = dlg.findChild<QComboBox*>("fileTypeCombo");
        QVERIFY(types);
        QCOMPARE(types->itemText(1), QString("ｿｰｽﾌｧｲﾙ(*.c *.cpp *.h *.asm *.s *.inc *.rc *.bas *.frm)"));
        QCOMPARE(ComboItems(dlg.codeCombo()), (QStringList{"自動識別", "SHIFT-JIS", "EUC", "JIS", "UTF-8"}));
        QVERIFY(dlg.readOnlyBox());
        QCOMPARE(dlg.readOnlyBox()->text(), QString("読み取り専用ﾌｧｲﾙとして開く(&R)"));

        // An index outside the list starts at the first entry.
        SetUpOpenDialog(dlg, OpenFilterList(""), 12);
        QCOMPARE(SelectedFilterIndex(dlg), 1);
        QCOMPARE(types->itemText(0), QString("ユーザー指定"));
    }

    void openVariantReturnsSeveralFilesCodeAndReadOnly() {
        MemoryProfile profile;
        profile.WriteProfileInt("Current", "FilterIndex", 8);
        fakes::FakeMessageBox box;
        WhenModal([this](QWidget* w) {
            auto* dlg = qobject_cast<CExtFileDlg*>(w);
            QVERIFY(dlg);
            QCOMPARE(SelectedFilterIndex(*dlg), 8);
            QCOMPARE(dlg->directory().absolutePath(), dir_.path());
            dlg->selectNameFilter(dlg->nameFilters().at(6));
            dlg->setCodeIndex(2);
            dlg->setReadOnly(true);
            TypeNames(*dlg, "\"a.txt\" \"日本語.txt\"");
            static_cast<QDialog*>(dlg)->accept();
        });
        auto choice = RunOpenFileDialog(nullptr, profile, box, 2, dir_.path(), "*.c;*.h");
        QVERIFY(choice);
        QCOMPARE(choice->paths, (QStringList{dir_.filePath("a.txt"), dir_.filePath("日本語.txt")}));
        QCOMPARE(choice->code, 2);
        QVERIFY(choice->readOnly);
        QCOMPARE(profile.GetProfileInt("Current", "FilterIndex", 0), 7);
    }

    void openRefusesMissingFilesAndCancelKeepsTheIndex() {
        CExtFileDlg dlg(CExtFileDlg::Variant::Open);
        dlg.setDirectory(dir_.path());
        TypeNames(dlg, "missing.txt");
        dlg.show();
        // A missing file is refused with Qt's own warning box; close it.
        WhenModal([](QWidget* w) { if (auto* m = qobject_cast<QMessageBox*>(w)) m->accept(); }, &dlg);
        static_cast<QDialog&>(dlg).accept();
        QVERIFY(dlg.result() != QDialog::Accepted);
        dlg.reject();

        MemoryProfile profile;
        profile.WriteProfileInt("Current", "FilterIndex", 3);
        fakes::FakeMessageBox box;
        WhenModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
        QVERIFY(!RunOpenFileDialog(nullptr, profile, box, 4, dir_.path(), ""));
        QCOMPARE(profile.GetProfileInt("Current", "FilterIndex", 0), 3);
    }

    void saveVariantReturnsPathAndCode() {
        CExtFileDlg probe(CExtFileDlg::Variant::Save);
        QCOMPARE(probe.acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(probe.defaultSuffix(), QString("txt"));
        QCOMPARE(probe.nameFilters(), QStringList{"全てのﾌｧｲﾙ(*.*) (*)"});
        QVERIFY(!probe.testOption(QFileDialog::DontConfirmOverwrite));
        QVERIFY(!probe.readOnlyBox());
        QCOMPARE(ComboItems(probe.codeCombo()),
                 (QStringList{"自動識別", "SHIFT-JIS(CR/LF)", "SHIFT-JIS(LF)", "EUC(CR/LF)", "EUC(LF)",
                              "JIS(CR/LF)", "JIS(LF)", "UTF-8(CR/LF)", "UTF-8(LF)"}));

        // A new name gets the default suffix.
        WhenModal([this](QWidget* w) {
            auto* dlg = qobject_cast<CExtFileDlg*>(w);
            QVERIFY(dlg);
            QCOMPARE(dlg->directory().absolutePath(), dir_.path());
            QCOMPARE(dlg->findChild<QLineEdit*>("fileNameEdit")->text(), QString("a.txt"));
            dlg->setCodeIndex(4);
            TypeNames(*dlg, "new");
            static_cast<QDialog*>(dlg)->accept();
        });
        auto choice = RunSaveTypeDialog(nullptr, dir_.filePath("a.txt"));
        QVERIFY(choice);
        QCOMPARE(choice->path, dir_.filePath("new.txt"));
        QCOMPARE(choice->codeIndex, 4);
        QCOMPARE(ApplySaveCodeChoice(choice->codeIndex, {1, 0}), (CodeAndLineEnd{2, 1}));
    }

    void saveOverAnExistingFileAsksFirst() {
        bool asked = false;
        WhenModal([&](QWidget* w) {
            auto* dlg = qobject_cast<CExtFileDlg*>(w);
            QVERIFY(dlg);
            WhenModal([&](QWidget* m) {
                auto* box = qobject_cast<QMessageBox*>(m);
                QVERIFY(box);
                asked = true;
                box->button(QMessageBox::No)->click();
                QTimer::singleShot(0, dlg, &QDialog::reject);
            }, dlg);
            static_cast<QDialog*>(dlg)->accept();
        });
        QVERIFY(!RunSaveTypeDialog(nullptr, dir_.filePath("a.txt")));
        QVERIFY(asked);
    }

    void pathButtonsShowRegisteredFolders() {
        MemoryProfile profile;
        profile.WriteProfileString("FileDialog", "Path1", dir_.filePath("sub").toStdString());
        profile.WriteProfileInt("FileDialog", "Flag1", 1);
        profile.WriteProfileString("FileDialog", "Path3", "/no/such/folder");
        fakes::FakeMessageBox box;
        CMyFileDlg dlg(profile, box, true);
        QCOMPARE(dlg.fileMode(), QFileDialog::ExistingFiles);
        QCOMPARE(dlg.nameFilters().size(), 8);
        QCOMPARE(dlg.pathButton(0)->toolTip(), dir_.filePath("sub"));  // the label may be elided
        QVERIFY(dlg.pathButton(0)->isEnabled());
        QCOMPARE(dlg.pathButton(1)->text(), QString("未登録"));
        QVERIFY(!dlg.pathButton(1)->isEnabled());
        QVERIFY(dlg.pathButton(2)->isEnabled());

        // An invalid folder is reported and nothing moves.
        dlg.setDirectory(dir_.path());
        dlg.pathButton(2)->click();
        QCOMPARE(box.shown.size(), size_t(1));
        QCOMPARE(QString::fromStdString(box.shown[0].text), QString("このパスは無効です\n/no/such/folder"));
        QCOMPARE(QString::fromStdString(box.shown[0].caption), QString("パス切り換え"));
        QCOMPARE(dlg.directory().absolutePath(), dir_.path());

        // A valid one moves there, keeps the typed name and takes the flag.
        TypeNames(dlg, "typed.txt");
        dlg.pathButton(0)->click();
        QCOMPARE(dlg.directory().absolutePath(), dir_.filePath("sub"));
        auto* edit = dlg.findChild<QLineEdit*>("fileNameEdit");
        QCOMPARE(edit->text(), QString("typed.txt"));
        QCOMPARE(edit->selectedText(), QString("typed.txt"));
        QVERIFY(dlg.readOnly());
        QCOMPARE(dlg.windowTitle(), "ファイルを開く - \"" + dir_.filePath("sub") + "\"");
    }

    void pathDialogReturnsSelectionAndWritesFoldersBack() {
        MemoryProfile profile;
        profile.WriteProfileString("FileDialog", "Path2", dir_.path().toStdString());
        fakes::FakeMessageBox box;
        WhenModal([](QWidget* w) {
            auto* dlg = qobject_cast<CMyFileDlg*>(w);
            QVERIFY(dlg);
            dlg->setReadOnly(true);
            // The code choice is there whatever "FileDlgType" asks for.
            QCOMPARE(ComboItems(dlg->codeCombo()), (QStringList{"自動識別", "SHIFT-JIS", "EUC", "JIS", "UTF-8"}));
            dlg->codeCombo()->setCurrentIndex(4);
            TypeNames(*dlg, "\"a.txt\" \"b.c\"");
            static_cast<QDialog*>(dlg)->accept();
        });
        auto choice = RunOpenFileDialog(nullptr, profile, box, 1, dir_.path(), "");
        QVERIFY(choice);
        QCOMPARE(choice->paths, (QStringList{dir_.filePath("a.txt"), dir_.filePath("b.c")}));
        QCOMPARE(choice->code, 4);
        QVERIFY(choice->readOnly);
        QCOMPARE(profile.GetProfileInt("Current", "FilterIndex", 0), 1);
        QVERIFY(profile.Has("FileDialog", "Path10"));
        QVERIFY(profile.Has("FileDialog", "Flag1"));
        QCOMPARE(QString::fromStdString(profile.GetProfileString("FileDialog", "Path2")), dir_.path());
    }

    void oldStyleKeepsItsTitle() {
        MemoryProfile profile;
        fakes::FakeMessageBox box;
        CMyFileDlg dlg(profile, box, false);
        dlg.setDirectory(dir_.path());
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QString("ファイルを開く"));
        dlg.reject();
    }

    void registrationEditsAndSwitches() {
        PathHistory h;
        h.SetPath(0, "/first");
        h.SetPath(1, dir_.filePath("sub").toStdString());
        CPathSwitchDlg dlg(h, dir_.path());
        QCOMPARE(dlg.windowTitle(), QString("パス切り換え"));
        QCOMPARE(dlg.list()->count(), 10);
        QCOMPARE(dlg.list()->item(0)->text(), QString("1  /first"));
        QCOMPARE(dlg.list()->item(9)->text(), QString("0  未登録"));
        for (const char* name : {"setCurrentButton", "browseButton", "deleteButton", "upButton",
                                 "downButton", "switchButton"})
            QVERIFY2(dlg.findChild<QPushButton*>(name), name);
        QCOMPARE(dlg.findChild<QPushButton*>("switchButton")->text(), QString("切り換え(&C)"));

        dlg.setCurrentIndex(2);
        dlg.setCurrentPath();
        QCOMPARE(dlg.list()->item(2)->text(), "3  " + dir_.path());
        dlg.readOnlyBox()->setChecked(true);
        dlg.moveUp();
        QCOMPARE(dlg.currentIndex(), 1);
        QCOMPARE(QString::fromStdString(dlg.history().Entry(1).path), dir_.path());
        QVERIFY(dlg.history().Entry(1).readOnly);
        QVERIFY(dlg.readOnlyBox()->isChecked());
        dlg.moveDown();
        QCOMPARE(dlg.currentIndex(), 2);
        dlg.setCurrentIndex(0);
        QVERIFY(!dlg.readOnlyBox()->isChecked());
        dlg.remove();
        QCOMPARE(dlg.list()->item(0)->text(), QString("1  未登録"));
        QCOMPARE(dlg.switchIndex(), -1);
        dlg.setCurrentIndex(1);
        dlg.switchToCurrent();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.switchIndex(), 1);
    }

    void registrationFromThePathDialog() {
        MemoryProfile profile;
        fakes::FakeMessageBox box;
        CMyFileDlg dlg(profile, box, true);
        dlg.setDirectory(dir_.filePath("sub"));
        WhenModal([](QWidget* w) {
            auto* reg = qobject_cast<CPathSwitchDlg*>(w);
            QVERIFY(reg);
            reg->setCurrentIndex(4);
            reg->setCurrentPath();
            reg->readOnlyBox()->setChecked(true);
            reg->switchToCurrent();
        });
        dlg.findChild<QPushButton*>("registerButton")->click();
        QCOMPARE(dlg.pathButton(4)->toolTip(), dir_.filePath("sub"));
        QVERIFY(dlg.pathButton(4)->isEnabled());
        QVERIFY(dlg.readOnly());
        QCOMPARE(dlg.directory().absolutePath(), dir_.filePath("sub"));
        dlg.reject();
        QCOMPARE(QString::fromStdString(profile.GetProfileString("FileDialog", "Path5")),
                 dir_.filePath("sub"));
        QCOMPARE(profile.GetProfileInt("FileDialog", "Flag5", 0), 1);
    }

    void messageBoxMapsIconsButtonsAndAnswers() {
        QtMessageBox mb(nullptr);
        WhenModal([](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            QCOMPARE(box->icon(), QMessageBox::Critical);
            QCOMPARE(box->windowTitle(), QString("パス切り換え"));
            QCOMPARE(box->text(), QString("このパスは無効です\n/x"));
            QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
            box->button(QMessageBox::Ok)->click();
        });
        QCOMPARE(mb.Show("このパスは無効です\n/x", "パス切り換え", MbIcon::Stop, MbButtons::Ok), MbResult::Ok);
        WhenModal([](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            QCOMPARE(box->icon(), QMessageBox::Question);
            QCOMPARE(box->standardButtons(),
                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(mb.Show("q", "c", MbIcon::Question, MbButtons::YesNoCancel), MbResult::No);
    }

private:
    QTemporaryDir dir_;
};

QTEST_MAIN(FileDialogsTest)
#include "file_dialogs_test.moc"
