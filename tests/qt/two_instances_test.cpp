// Two real editor processes: the second start hands its file to the first
// and ends; the first opens it.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TwoInstancesTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;

    QString Editor() const { return QCoreApplication::applicationDirPath() + "/../bin/qzed32"; }

    // Both processes share a scratch home, temporary and runtime folder, so
    // they find each other and nothing else.
    QProcessEnvironment Env() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        // The editor's own folder holds its language files.
        env.remove("QZED_HOME");
        env.insert("XDG_CONFIG_HOME", dir_.filePath("config"));
        env.insert("XDG_RUNTIME_DIR", dir_.filePath("run"));
        env.insert("TMPDIR", dir_.filePath("tmp"));
        return env;
    }

    // Whether process pid holds path open (the editor keeps a locked file open).
    static bool HoldsOpen(qint64 pid, const QString& path) {
        const QDir fds(QString("/proc/%1/fd").arg(pid));
        for (const QString& fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
            if (QFile::symLinkTarget(fds.filePath(fd)) == path) return true;
        return false;
    }

private slots:
    void secondStartHandsItsFileToTheFirst() {
        QVERIFY(dir_.isValid());
        if (!QFile::exists(Editor())) QSKIP("the editor is not built");
        for (const char* sub : {"config/Tobarin", "run", "tmp", "work"}) QVERIFY(QDir(dir_.path()).mkpath(sub));
        QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        QFile::setPermissions(dir_.filePath("run"), owner);
        // Locked files stay open, which is what the test looks for.
        QFile ini(dir_.filePath("config/Tobarin/QZ32 Editor.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Environ]\nExclusiveMode=1\n");
        ini.close();
        const QString file = dir_.filePath("work/handed.txt");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("handed over\r\n");
        f.close();

        QProcess first;
        first.setProcessEnvironment(Env());
        first.setWorkingDirectory(dir_.path());
        first.start(Editor(), {});
        QVERIFY(first.waitForStarted());
        // The first start is the running instance once its socket exists.
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(dir_.filePath("tmp")).entryList({"qz32editor-*"}, QDir::System).isEmpty(),
                                 20000);

        QProcess second;
        second.setProcessEnvironment(Env());
        second.setWorkingDirectory(dir_.filePath("work"));
        second.start(Editor(), {"handed.txt"});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        // The name was relative to the second start's folder.
        QTRY_VERIFY_WITH_TIMEOUT(HoldsOpen(first.processId(), file), 10000);
        QCOMPARE(first.state(), QProcess::Running);

        first.terminate();
        if (!first.waitForFinished(5000)) first.kill();
    }
};

QTEST_MAIN(TwoInstancesTest)
#include "two_instances_test.moc"
