// Hand-over between two starts, and what a malformed request does.
#include <QLocalSocket>
#include <QSignalSpy>
#include <QtTest>
#include <thread>

#include "qt/single_instance.h"

using namespace qz;

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void noRunningInstance() {
        SingleInstance second("qz32test-none-" + QString::number(QCoreApplication::applicationPid()));
        QVERIFY(!second.HandOver("/tmp", {"a.txt"}, 200));
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
            accepted = second.HandOver("/home/u/日本語", {"-10", "a b.txt", ""});
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
        junk.connectToServer(name);
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
