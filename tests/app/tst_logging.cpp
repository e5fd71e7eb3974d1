#include "../BlockingGuard.h"
#include "LogRules.h"
#include "RotatingLogFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace zyne;

class LoggingTest : public QObject {
    Q_OBJECT
private slots:
    void rulesDecideWhatStderrGets_data();
    void rulesDecideWhatStderrGets();
    void fileStartsOverPastItsLimit();
    void failedRotationStopsTheFileOnce();
    void linkOrFifoInTheLogsPlace_data();
    void linkOrFifoInTheLogsPlace();
    void linkAsThePreviousLog();
};

void LoggingTest::rulesDecideWhatStderrGets_data() {
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("category");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("asked");

    QTest::newRow("no rules") << ""
                              << ""
                              << "zyne.plus" << int(QtDebugMsg) << false;
    QTest::newRow("wildcard tail") << "zyne.*=true"
                                   << ""
                                   << "zyne.plus" << int(QtDebugMsg) << true;
    QTest::newRow("wildcard other area") << "zyne.*=true"
                                         << ""
                                         << "qt.qpa" << int(QtDebugMsg) << false;
    QTest::newRow("one level") << "zyne.plus.info=true"
                               << ""
                               << "zyne.plus" << int(QtDebugMsg) << false;
    QTest::newRow("one level matches") << "zyne.plus.info=true"
                                       << ""
                                       << "zyne.plus" << int(QtInfoMsg) << true;
    QTest::newRow("later rule wins") << "zyne.*=true;zyne.plus.debug=false"
                                     << ""
                                     << "zyne.plus" << int(QtDebugMsg) << false;
    QTest::newRow("wildcard head") << " *.plus = true "
                                   << ""
                                   << "zyne.plus" << int(QtDebugMsg) << true;
    QTest::newRow("both ends") << "*plu*=true"
                               << ""
                               << "zyne.plus" << int(QtDebugMsg) << true;
    QTest::newRow("everything") << "*=true"
                                << ""
                                << "default" << int(QtDebugMsg) << true;
    QTest::newRow("malformed") << "zyne.plus=yes;=true;zyne.plus"
                               << ""
                               << "zyne.plus" << int(QtDebugMsg) << false;
    QTest::newRow("file rules") << ""
                                << "[Rules]\r\nzyne.hid.debug=true\n"
                                << "zyne.hid" << int(QtDebugMsg) << true;
    QTest::newRow("file outside [Rules]") << ""
                                          << "[Other]\nzyne.hid.debug=true\n"
                                          << "zyne.hid" << int(QtDebugMsg) << false;
    QTest::newRow("environment over file") << "zyne.hid.debug=false"
                                           << "[Rules]\nzyne.*=true\n"
                                           << "zyne.hid" << int(QtDebugMsg) << false;
}

void LoggingTest::rulesDecideWhatStderrGets() {
    QFETCH(QString, environment);
    QFETCH(QString, file);
    QFETCH(QString, category);
    QFETCH(int, type);
    QFETCH(bool, asked);
    LogRules rules;
    rules.addRules(file, LogRules::Form::File);
    rules.addRules(environment, LogRules::Form::Environment);
    QCOMPARE(rules.asksFor(category, static_cast<QtMsgType>(type)), asked);
}

void LoggingTest::fileStartsOverPastItsLimit() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("logs/ZynePlus.log"));
    RotatingLogFile log(path, 100);
    QString problem;
    QVERIFY(log.open(&problem));
    const QByteArray line(30, 'a');
    for (int i = 0; i < 4; ++i)
        QVERIFY(log.append(line + '\n').isEmpty());
    QCOMPARE(QFileInfo(path + QStringLiteral(".1")).size(), qint64(4 * 31));
    QCOMPARE(QFileInfo(path).size(), qint64(0));
    QVERIFY(log.append("b\n").isEmpty());
    QCOMPARE(QFileInfo(path).size(), qint64(2));
}

void LoggingTest::failedRotationStopsTheFileOnce() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ZynePlus.log"));
    // A <name>.1 that can be neither removed nor replaced.
    QVERIFY(QDir().mkpath(path + QStringLiteral(".1/kept")));
    RotatingLogFile log(path, 100);
    QString problem;
    QVERIFY(log.open(&problem));
    QStringList warnings;
    for (int i = 0; i < 1000; ++i) {
        const QString warning = log.append(QByteArray(30, 'a') + '\n');
        if (!warning.isEmpty())
            warnings << warning;
    }
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings.first().contains(QStringLiteral("rotation failed")), qPrintable(warnings.first()));
    QVERIFY(!log.isOpen());
    QVERIFY(QFileInfo(path).size() <= 100 + 31);
    QVERIFY(QFileInfo(path + QStringLiteral(".1/kept")).isDir());
}

void LoggingTest::linkOrFifoInTheLogsPlace_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("link to another file") << "link";
    QTest::newRow("dangling link") << "dangling";
    QTest::newRow("FIFO") << "fifo";
}

void LoggingTest::linkOrFifoInTheLogsPlace() {
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ZynePlus.log"));
    const QString target = dir.filePath(QStringLiteral("target.txt"));
    if (kind == QLatin1String("link")) {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("kept\n") == 5);
        file.close();
        QVERIFY(QFile::link(target, path));
    } else if (kind == QLatin1String("dangling")) {
        QVERIFY(QFile::link(target, path));
    } else {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
    const bool targetExisted = QFile::exists(target);
    // Named in the log, by what it was.
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("ZynePlus.log was a (symbolic link|FIFO)")));
    RotatingLogFile log(path, 100);
    bool opened = false;
    QString problem;
    QVERIFY(zyne::testing::returnsWithoutBlocking([&] { opened = log.open(&problem); }, path));
    QVERIFY2(opened, qPrintable(problem));
    // Lines go to a regular file of the log's own, also after it starts over.
    for (int i = 0; i < 5; ++i)
        QVERIFY(log.append(QByteArray(30, 'a') + '\n').isEmpty());
    const QFileInfo written(path);
    QVERIFY(written.isFile() && !written.isSymLink());
    QVERIFY(QFileInfo(path + QStringLiteral(".1")).isFile());
    QCOMPARE(QFileInfo::exists(target), targetExisted);
    if (targetExisted) {
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("kept\n"));
    }
}

void LoggingTest::linkAsThePreviousLog() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ZynePlus.log"));
    const QString target = dir.filePath(QStringLiteral("target.txt"));
    QFile file(target);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("kept\n") == 5);
    file.close();
    QVERIFY(QFile::link(target, path + QStringLiteral(".1")));
    RotatingLogFile log(path, 100);
    QString problem;
    QVERIFY(log.open(&problem));
    for (int i = 0; i < 5; ++i)
        QVERIFY(log.append(QByteArray(30, 'a') + '\n').isEmpty());
    QVERIFY(!QFileInfo(path + QStringLiteral(".1")).isSymLink());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("kept\n"));
}

QTEST_GUILESS_MAIN(LoggingTest)
#include "tst_logging.moc"
