// The XDG autostart entry that starts the program at log-in.
#include "../BlockingGuard.h"
#include "AutoStart.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace zyne;

class AutoStartTest : public QObject {
    Q_OBJECT
private slots:
    void execValueIsQuoted_data() {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/usr/bin/vx-zyne-plus-rgb"
                               << "\"/usr/bin/vx-zyne-plus-rgb\" --hidden";
        QTest::newRow("blank") << "/opt/VX Zyne/vx-zyne-plus-rgb"
                               << "\"/opt/VX Zyne/vx-zyne-plus-rgb\" --hidden";
        QTest::newRow("quote, dollar, backslash")
            << "/home/a\"b$c\\d/vx-zyne-plus-rgb"
            << "\"/home/a\\\\\"b\\\\$c\\\\\\\\d/vx-zyne-plus-rgb\" --hidden";
    }
    void execValueIsQuoted() {
        QFETCH(QString, executable);
        QFETCH(QString, exec);
        QCOMPARE(desktopExecValue(executable), exec);
    }

    void registersOnceAndUnregisters() {
        QTemporaryDir config;
        AutoStart entry(QStringLiteral("/opt/VX Zyne/vx-zyne-plus-rgb"), config.path());
        QCOMPARE(entry.entryPath(), config.path() + "/autostart/vx-zyne-plus-rgb.desktop");
        QVERIFY(!entry.isRegistered());
        QVERIFY(entry.unregisterEntry()); // nothing there: nothing to do
        QVERIFY(entry.registerEntry());
        QVERIFY(entry.isRegistered());
        QFile file(entry.entryPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        QVERIFY(text.contains("\nExec=\"/opt/VX Zyne/vx-zyne-plus-rgb\" --hidden\n"));
        QVERIFY(entry.unregisterEntry());
        QVERIFY(!QFile::exists(entry.entryPath()));
    }

    // An entry written by an earlier release marks the start in the environment: it is still ours,
    // so it is neither written a second time nor left behind when autorun goes off.
    void earlierReleasesEntryStaysOurs() {
        QTemporaryDir config;
        AutoStart entry(QStringLiteral("/usr/bin/vx-zyne-plus-rgb"), config.path());
        QVERIFY(QDir().mkpath(config.path() + "/autostart"));
        const QByteArray earlier = "[Desktop Entry]\nType=Application\n"
                                   "Exec=env VX_ZYNE_STARTED_AT_LOGIN=1 \"/usr/bin/vx-zyne-plus-rgb\"\n";
        QFile file(entry.entryPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(earlier);
        file.close();
        QVERIFY(entry.isRegistered());
        QVERIFY(entry.registerEntry());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), earlier);
        file.close();
        QVERIFY(entry.unregisterEntry());
        QVERIFY(!QFile::exists(entry.entryPath()));
    }

    void anotherProgramsEntryIsLeftAlone() {
        QTemporaryDir config;
        AutoStart entry(QStringLiteral("/usr/bin/vx-zyne-plus-rgb"), config.path());
        QVERIFY(QDir().mkpath(config.path() + "/autostart"));
        QFile file(entry.entryPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Desktop Entry]\nExec=/usr/bin/vx-zyne-plus-rgb-helper\n");
        file.close();
        QVERIFY(!entry.isRegistered());
        QVERIFY(!entry.unregisterEntry());
        QVERIFY(QFile::exists(entry.entryPath()));
    }

    // What sits in the entry's place is replaced, never written through, and never blocks.
    void linkOrFifoInTheEntrysPlace_data() {
        QTest::addColumn<bool>("fifo");
        QTest::newRow("link to another file") << false;
        QTest::newRow("FIFO") << true;
    }
    void linkOrFifoInTheEntrysPlace() {
        QFETCH(bool, fifo);
        QTemporaryDir config;
        AutoStart entry(QStringLiteral("/usr/bin/vx-zyne-plus-rgb"), config.path());
        QVERIFY(QDir().mkpath(config.path() + "/autostart"));
        const QString target = config.filePath(QStringLiteral("target.txt"));
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("kept\n") == 5);
        file.close();
        if (fifo)
            QCOMPARE(::mkfifo(QFile::encodeName(entry.entryPath()).constData(), 0600), 0);
        else
            QVERIFY(QFile::link(target, entry.entryPath()));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                               "vx-zyne-plus-rgb.desktop was a (symbolic link|FIFO)")));
        bool registered = false;
        QVERIFY(zyne::testing::returnsWithoutBlocking([&] { registered = entry.registerEntry(); },
                                                      entry.entryPath()));
        QVERIFY(registered);
        QVERIFY(entry.isRegistered());
        QVERIFY(QFileInfo(entry.entryPath()).isFile() && !QFileInfo(entry.entryPath()).isSymLink());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("kept\n"));
    }
};

QTEST_GUILESS_MAIN(AutoStartTest)
#include "tst_autostart.moc"
