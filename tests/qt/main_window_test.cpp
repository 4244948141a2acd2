// The first window: its title, load-all at creation and save-all at close,
// and the QSettings profile it writes.
#include <QFile>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/profile.h"
#include "qt/document_window.h"
#include "qt/main_window.h"
#include "qt/view_widget.h"
#include "support/fake_message_box.h"
#include "qt/qsettings_profile.h"
#include "settings/settings.h"

using namespace qz;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void titleAndCloseSaveEverything() {
        MemoryProfile p;
        p.WriteProfileInt("Environ", "AsinMode", 2);
        p.WriteProfileInt("Environ-Type1", "Tabs", 7);
        {
            QzedMainWindow w(p);
            QCOMPARE(w.windowTitle(), QString("QZ32 Editor  Version 1.49  ［ＳＬＡＴＥ風］"));
            QVERIFY(w.mdiArea() != nullptr);
            QCOMPARE(TheSettings().Type(1).Tabs, 7);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QVERIFY(w.close());
        }
        QCOMPARE(p.GetProfileInt("App-System", "AppVersion", 0), 149);
        QCOMPARE(p.GetProfileInt("Environ-Type1", "Tabs", 0), 7);
        QVERIFY(p.Has("Printer-8", "HD_lfFaceName"));
        QVERIFY(p.Has("Current", "Directory"));
        QVERIFY(p.Has("WindowSize", "Frame_right"));
    }

    void settingsAreSavedEvenWhenASaveQuestionIsCancelled() {
        MemoryProfile p;
        fakes::FakeMessageBox boxes;
        QTemporaryDir dir;
        QzedMainWindow w(p, nullptr, &boxes);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = w.Documents().NewDocument(dir.path().toStdString());
        QTest::keyClicks(child->ViewWidget()->Canvas(), "x");
        TheSettings().env.MRUCount = 7;
        boxes.answers = {MbResult::Cancel};
        QVERIFY(!w.close());
        QCOMPARE(boxes.shown.size(), size_t(1));
        QCOMPARE(p.GetProfileInt("Environ", "MRUCount", 0), 7);
        child->Doc().SetModifiedFlag(false);
    }

    void theWindowComesBackWhereItWasAtTheSameSize() {
        MemoryProfile p;
        QRect saved;
        {
            QzedMainWindow w(p);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.setGeometry(40, 50, 700, 500);
            saved = w.geometry();
            QVERIFY(w.close());
        }
        for (int run = 0; run < 2; ++run) {
            QzedMainWindow w(p);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QCOMPARE(w.geometry(), saved);
            QVERIFY(w.close());
        }
    }

    void defaultSchemeTitle() {
        MemoryProfile p;
        QzedMainWindow w(p);
        QCOMPARE(w.windowTitle(), QString("QZ32 Editor  Version 1.49  ［ＫＯＭ風＋ＳＬＡＴＥ風］"));
    }

    void qsettingsProfileRoundTrip() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
        QString file;
        {
            QSettingsProfile p;
            file = p.FileName();
            QVERIFY(file.startsWith(dir.path()));
            QVERIFY(file.endsWith("Tobarin/QZ32 Editor.ini"));
            Settings s;
            LoadAll(s, p, 1024, 768);
            SaveAll(s, p, false, false);
            p.WriteProfileString("Recent File", "File1", "1 /tmp/日本語 名前.txt");
            p.Sync();
        }
        QVERIFY(QFile::exists(file));
        QSettingsProfile again;
        QCOMPARE(again.GetProfileString("Recent File", "File1"), std::string("1 /tmp/日本語 名前.txt"));
        QCOMPARE(again.GetProfileInt("Environ-Type2", "Comment", 0), 260);
        QCOMPARE(again.GetProfileString("Environ-Type1", "FileTitle"), std::string("Ｃ／Ｃ＋＋言語ファイル"));
        QCOMPARE(again.GetProfileInt("Environ", "NoSuchValue", -5), -5);
        Settings s;
        LoadAll(s, again, 1024, 768);
        Settings fresh;
        MemoryProfile empty;
        LoadAll(fresh, empty, 1024, 768);
        QCOMPARE(s.Type(3).FileExt, fresh.Type(3).FileExt);
        QVERIFY(s.env == fresh.env);
        QVERIFY(s.printers == fresh.printers);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
