// Hand-over between two starts, and what a malformed request does.
#include <QLocalSocket>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>
#include <thread>

#include "qt/single_instance.h"

using namespace qz;

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void noRunningInstance() {
        SingleInstance second("qz32test-none-" + QString::number(QCoreApplication::applicationPid()));
        QCOMPARE(second.HandOver("/tmp", {"a.txt"}, 200), SingleInstance::HandOverResult::NoInstance);
        // Finding none, the start holds the mark and may listen.
        QVERIFY(second.Listen());
    }

    void aLivingInstanceIsNeverReplaced() {
        // The first instance holds the mark but does not answer (busy, or
        // stopped): a second start waits and gives up, and never takes the
        // name over.
        const QString name = "qz32test-busy-" + QString::number(QCoreApplication::applicationPid());
        SingleInstance first(name);
        QVERIFY(!first.OtherInstanceAlive());
        SingleInstance::HandOverResult result{};
        bool alive = false, listened = true;
        std::thread other([&] {
            SingleInstance second(name);
            result = second.HandOver("/", {"a.txt"}, 700);
            alive = second.OtherInstanceAlive();
            listened = second.Listen();
        });
        other.join();
        QCOMPARE(result, SingleInstance::HandOverResult::Unreachable);
        QVERIFY(alive);
        QVERIFY(!listened);
        QVERIFY(first.Listen());
    }

    void namesArePerDisplay() {
        const QByteArray saved = qgetenv("DISPLAY");
        const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
        qputenv("DISPLAY", ":0");
        const QString zero = SingleInstance::DefaultName();
        qputenv("DISPLAY", "host/x:1.0");
        const QString one = SingleInstance::DefaultName();
        qputenv("DISPLAY", saved);
        if (!wayland.isEmpty()) qputenv("WAYLAND_DISPLAY", wayland);
        QVERIFY(zero != one);
        QVERIFY(!one.contains('/'));
        // The socket lives in the user's runtime folder, not the shared /tmp.
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        SingleInstance instance(zero);
        if ((runtime + "/" + zero).toLocal8Bit().size() < 100)
            QCOMPARE(instance.ServerName(), runtime + "/" + zero);
        else
            QVERIFY(instance.ServerName().toLocal8Bit().size() < 100);
    }

    void handOverReachesTheRunningInstance() {
        const QString name = "qz32test-" + QString::number(QCoreApplication::applicationPid());
        SingleInstance first(name);
        QVERIFY(first.AcquireStartLock());
        QVERIFY(first.Listen());
        first.ReleaseStartLock();
        QSignalSpy spy(&first, &SingleInstance::handOverReceived);

        bool accepted = false;
        std::thread client([&] {
            SingleInstance second(name);
            accepted = second.HandOver("/home/u/日本語", {"-10", "a b.txt", ""}) ==
                       SingleInstance::HandOverResult::Done;
        });
        QTRY_COMPARE(spy.count(), 1);
        client.join();
        QVERIFY(accepted);
        QCOMPARE(spy.at(0).at(0).toString(), QString("/home/u/日本語"));
        QCOMPARE(spy.at(0).at(1).toStringList(), (QStringList{"-10", "a b.txt", ""}));

        // An empty argument list is a request too: it brings the window up.
        std::thread empty([&] { SingleInstance(name).HandOver("/", {}); });
        QTRY_COMPARE(spy.count(), 2);
        empty.join();
        QVERIFY(spy.at(1).at(1).toStringList().isEmpty());

        // Garbage is dropped without a signal.
        QLocalSocket junk;
        junk.connectToServer(first.ServerName());
        QVERIFY(junk.waitForConnected(1000));
        QByteArray bad;
        QDataStream stream(&bad, QIODevice::WriteOnly);
        stream << QByteArray("not a request");
        junk.write(bad);
        junk.flush();
        QTest::qWait(100);
        QCOMPARE(spy.count(), 2);
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
