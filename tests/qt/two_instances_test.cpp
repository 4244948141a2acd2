// Two real editor processes: the second start hands its file to the first
// and ends; the first opens it. A first editor that is slow to answer is
// waited for, never replaced.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

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
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        // The editor's own folder holds its language files.
        env.remove("QZED_HOME");
        env.insert("HOME", dir_.path());
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

    QString WriteFile(const QString& name) {
        const QString file = dir_.filePath("work/" + name);
        QFile f(file);
        if (f.open(QIODevice::WriteOnly)) f.write("handed over\r\n");
        return file;
    }

    // The pid written in the instance's mark (a lock file: pid on its first line).
    QString MarkHolder() const {
        const QStringList marks = QDir(dir_.filePath("run")).entryList({"qz32editor-*.owner"}, QDir::Files);
        if (marks.isEmpty()) return {};
        QFile f(dir_.filePath("run/" + marks.first()));
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readLine().trimmed()) : QString();
    }

    // The first editor, running once it holds the instance's mark.
    void StartFirst(QProcess& first) {
        first.setProcessEnvironment(Env());
        first.setWorkingDirectory(dir_.path());
        first.start(Editor(), {});
        QVERIFY(first.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(MarkHolder(), QString::number(first.processId()), 20000);
    }

    void StartSecond(QProcess& second, const QString& name) {
        second.setProcessEnvironment(Env());
        second.setWorkingDirectory(dir_.filePath("work"));
        second.start(Editor(), {name});
        QVERIFY(second.waitForStarted());
    }

    static void Stop(QProcess& p) {
        p.terminate();
        if (!p.waitForFinished(5000)) p.kill();
        p.waitForFinished(5000);
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        if (!QFile::exists(Editor())) QSKIP("the editor is not built");
        for (const char* sub : {"config/Tobarin", "run", "tmp", "work"}) QVERIFY(QDir(dir_.path()).mkpath(sub));
        QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        QFile::setPermissions(dir_.filePath("run"), owner);
        // Locked files stay open, which is what the test looks for.
        QFile ini(dir_.filePath("config/Tobarin/QZ32 Editor.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Environ]\nExclusiveMode=1\n");
    }

    void secondStartHandsItsFileToTheFirst() {
        const QString file = WriteFile("handed.txt");
        QProcess first;
        StartFirst(first);
        QProcess second;
        StartSecond(second, "handed.txt");
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        // The name was relative to the second start's folder.
        QTRY_VERIFY_WITH_TIMEOUT(HoldsOpen(first.processId(), file), 10000);
        QCOMPARE(first.state(), QProcess::Running);
        Stop(first);
    }

    void aStoppedFirstEditorIsWaitedForNotReplaced() {
        const QString file = WriteFile("late.txt");
        QProcess first;
        StartFirst(first);
        // Longer than any single wait of the hand-over: the first does not
        // answer, but it lives, so the second keeps waiting.
        ::kill(static_cast<pid_t>(first.processId()), SIGSTOP);
        QProcess second;
        StartSecond(second, "late.txt");
        QVERIFY(!second.waitForFinished(7000));
        QVERIFY(!HoldsOpen(second.processId(), file));
        ::kill(static_cast<pid_t>(first.processId()), SIGCONT);
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(HoldsOpen(first.processId(), file), 10000);
        Stop(first);
    }
};

QTEST_MAIN(TwoInstancesTest)
#include "two_instances_test.moc"
