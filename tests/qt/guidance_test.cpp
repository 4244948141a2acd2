// The function guidance on Qt: the guidance window opened from the keys over
// a small dictionary, its buttons, incremental search, copy and the place it
// keeps; the chooser; a missing dictionary; and the help index handed to
// the browser.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "app/key_code.h"
#include "frame/commands.h"
#include "lang/guidance_window.h"
#include "platform/cp932.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "qt/document_window.h"
#include "qt/main_window.h"
#include "qt/view_widget.h"
#include "settings/settings.h"
#include "support/fake_message_box.h"
#include "support/qt_files.h"
#include "support/when_modal.h"

using namespace qz;
using qz::fakes::WhenModal;

class GuidanceTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    fakes::FakeMessageBox boxes_;

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        fakes::WriteAll(path, bytes);
        return path;
    }
    static QByteArray Sjis(const char* utf8) { return QByteArray::fromStdString(Utf8ToSjis(utf8)); }
    QString Dictionary() {
        return Write("c.dic", ".fopen\r\n" + Sjis("ファイルを開く") + "\r\n.fprintf\r\n" + Sjis("書式付き出力") +
                                  "\r\n.strcpy\r\n" + Sjis("文字列の複写") + "\r\n.strlen\r\n" + Sjis("長さ") + "\r\n");
    }
    std::unique_ptr<QzedMainWindow> Window(MemoryProfile& p, const QByteArray& text) {
        auto w = std::make_unique<QzedMainWindow>(p, nullptr, &boxes_);
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get())) return nullptr;
        w->Documents().Open(Write("a.c", text).toStdString());
        return w;
    }
    template <typename T>
    static T* Find(QWidget* d, const char* name) { return d->findChild<T*>(name); }

private slots:
    void init() {
        TheSettings() = Settings();
        boxes_.shown.clear();
    }

    void windowFromTheKeysWithItsButtons() {
        MemoryProfile p;
        p.WriteProfileString("Environ", "HelpTitle1", "C");
        p.WriteProfileString("Environ", "HelpFile1", Dictionary().toStdString());
        auto w = Window(p, "strcpy(a, b);\n");
        QVERIFY(w);
        bool ran = false;
        WhenModal([&](QWidget* d) {
            ran = true;
            QCOMPARE(d->windowTitle(), QStringLiteral("C"));
            auto* headword = Find<QLineEdit>(d, "headword434");
            auto* body = Find<QPlainTextEdit>(d, "body256");
            auto* word = Find<QLineEdit>(d, "word255");
            QCOMPARE(word->text(), QStringLiteral("strcpy"));
            QCOMPARE(headword->text(), QStringLiteral("strcpy"));
            QCOMPARE(body->toPlainText(), QStringLiteral("文字列の複写\n"));
            QVERIFY(body->hasFocus());
            Find<QPushButton>(d, "nextButton260")->click();
            QCOMPARE(headword->text(), QStringLiteral("strlen"));
            Find<QPushButton>(d, "nextButton260")->click();
            QCOMPARE(headword->text(), QString());
            QCOMPARE(body->toPlainText(), QStringLiteral("見つかりません"));
            Find<QPushButton>(d, "previousButton262")->click();
            QCOMPARE(headword->text(), QStringLiteral("strlen"));
            // Typing searches at once only with the incremental switch.
            word->setText("FP");
            QCOMPARE(headword->text(), QStringLiteral("strlen"));
            Find<QCheckBox>(d, "incremental437")->setChecked(true);
            word->setText("fpr");
            QCOMPARE(headword->text(), QStringLiteral("fprintf"));
            word->setText("x");
            QCOMPARE(body->toPlainText(), QStringLiteral("見つかりません"));
            word->setText("fo");
            Find<QPushButton>(d, "copyButton261")->click();
            QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("ファイルを開く\n"));
            QVERIFY(!body->textCursor().hasSelection());
            d->resize(640, 420);
            static_cast<QDialog*>(d)->reject();
        });
        w->Frame().DispatchKey(Ctrl(KeyDigit(1)));
        QVERIFY(ran);
        QCOMPARE(p.GetProfileInt(kGuidanceSection, "RealSearch_Mode", -1), 1);
        const int width = p.GetProfileInt(kGuidanceSection, "Wndsize_right", 0) -
                          p.GetProfileInt(kGuidanceSection, "Wndsize_left", 0);
        QCOMPARE(width, 640);

        // The next window comes back at that size, with the switch set; an
        // unknown word beeps and leaves the focus in the word field.
        ActiveDoc(*w)->ViewWidget()->View().SetCaret(1, 8);  // "a"
        ran = false;
        WhenModal([&](QWidget* d) {
            ran = true;
            QCOMPARE(d->size(), QSize(640, 420));
            QVERIFY(Find<QCheckBox>(d, "incremental437")->isChecked());
            QVERIFY(Find<QLineEdit>(d, "word255")->hasFocus());
            QCOMPARE(Find<QPlainTextEdit>(d, "body256")->toPlainText(), QStringLiteral("見つかりません"));
            static_cast<QDialog*>(d)->reject();
        });
        w->Frame().Execute(cmdid::kHelpButton1);
        QVERIFY(ran);
    }

    void chooserPicksTheEntryAndTheKeyword() {
        MemoryProfile p;
        p.WriteProfileString("Environ", "HelpTitle1", "Missing");
        p.WriteProfileString("Environ", "HelpFile1", dir_.filePath("none.dic").toStdString());
        p.WriteProfileString("Environ", "HelpTitle2", "C");
        p.WriteProfileString("Environ", "HelpFile2", Dictionary().toStdString());
        auto w = Window(p, "x\n");
        QVERIFY(w);
        bool chose = false, shown = false;
        WhenModal([&](QWidget* chooser) {
            chose = true;
            auto* list = Find<QListWidget>(chooser, "list146");
            QCOMPARE(list->count(), 2);
            QCOMPARE(list->currentRow(), 0);
            QCOMPARE(Find<QLineEdit>(chooser, "edit102")->text(), QStringLiteral("x"));
            list->setCurrentRow(1);
            Find<QLineEdit>(chooser, "edit102")->setText("strl");
            WhenModal([&](QWidget* d) {
                shown = true;
                QCOMPARE(d->windowTitle(), QStringLiteral("C"));
                QCOMPARE(Find<QLineEdit>(d, "headword434")->text(), QStringLiteral("strlen"));
                static_cast<QDialog*>(d)->accept();
            }, chooser);
            static_cast<QDialog*>(chooser)->accept();
        });
        w->Frame().Execute(cmdid::kGuidance);
        QVERIFY(chose && shown);

        // The first entry's file is not there: said, and no window.
        WhenModal([&](QWidget* chooser) {
            QCOMPARE(Find<QListWidget>(chooser, "list146")->currentRow(), 1);  // the last choice
            Find<QListWidget>(chooser, "list146")->setCurrentRow(0);
            static_cast<QDialog*>(chooser)->accept();
        });
        w->Frame().Execute(cmdid::kGuidance);
        QCOMPARE(boxes_.shown.size(), size_t(1));
        QCOMPARE(boxes_.shown[0].text, std::string("ガイダンスファイルがありません"));
        QCOMPARE(boxes_.shown[0].caption, std::string("関数ガイダンス"));
    }

    void helpIndexGoesToTheBrowser() {
        // The data folder of this test is its own home ($QZED_HOME).
        const QString help = QString::fromStdString(DataFolder()) + "/help";
        QVERIFY(QDir().mkpath(help));
        QFile page(help + "/index.html");
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();
        const QString record = dir_.filePath("opened.txt");
        const QString browser =
            Write("browser.sh", QByteArray("#!/bin/sh\nprintf '%s' \"$1\" > ") + record.toUtf8() + "\n");
        QFile::setPermissions(browser, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        qputenv("BROWSER", browser.toUtf8());
        MemoryProfile p;
        auto w = Window(p, "x\n");
        QVERIFY(w);
        QVERIFY(w->Frame().Execute(cmdid::kHelpIndex));
        QTRY_VERIFY(QFileInfo(record).size() > 0);
        QFile opened(record);
        QVERIFY(opened.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(opened.readAll()), "file://" + help + "/index.html");
        QVERIFY(boxes_.shown.empty());
        qunsetenv("BROWSER");
    }

private:
    static CQzedChild* ActiveDoc(QzedMainWindow& w) { return w.Documents().Active(); }
};

QTEST_MAIN(GuidanceTest)
#include "guidance_test.moc"
