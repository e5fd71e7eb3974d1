// The update check against a stand-in service (tests/update/update_service.py) through the real
// network stack: what the service receives, the files left in the update folder, the updater
// started and the note window shown.
#include "AutoUpdate.h"
#include "UpdateFolder.h"
#include "UpdateNoteWindow.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkInterface>
#include <QNetworkReply>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

using namespace zyne::update;

namespace {
const QString kUuid = QStringLiteral("3f2504e0-4f89-11d3-9a0c-0305e82c3301");

QByteArray reply(const char* code, const char* version,
                 const char* url = "https://example.com/vx-1.1.6.run") {
    return QJsonDocument(QJsonObject{{"Result_Code", code},
                                     {"Data", QJsonObject{{"version", version},
                                                          {"url", url},
                                                          {"note", "Faster fans.\nNew colours."}}}})
        .toJson(QJsonDocument::Compact);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// One stand-in service, stopped with the test.
class Service {
public:
    explicit Service(const QJsonArray& replies, const QString& bind = QStringLiteral("127.0.0.1")) {
        QVERIFY(m_dir.isValid());
        QVERIFY(writeFile(m_dir.filePath("replies.json"), QJsonDocument(replies).toJson()));
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        QVERIFY2(!python.isEmpty(), "python3 is needed (tools/install-deps.sh installs it)");
        m_process.start(python, {QStringLiteral(ZYNE_UPDATE_SERVICE), m_dir.filePath("replies.json"),
                                 m_dir.filePath("requests.log"), bind});
        QVERIFY(m_process.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(m_process.canReadLine(), 20000);
        const QByteArray line = m_process.readLine().trimmed();
        QVERIFY2(line.startsWith("PORT "), line.constData());
        m_port = line.mid(5).toInt();
    }
    ~Service() {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    int port() const { return m_port; }
    QString address(const QString& host = QStringLiteral("127.0.0.1")) const {
        return QStringLiteral("http://%1:%2").arg(host).arg(m_port);
    }
    // Every line the service logged; a request line's body decoded to its JSON object under "json".
    QList<QJsonObject> log() const {
        QList<QJsonObject> entries;
        for (const QByteArray& line : readLines()) {
            QJsonObject entry = QJsonDocument::fromJson(line).object();
            const QByteArray body = entry.value("body").toString().toLatin1();
            if (body.startsWith("ActiveData="))
                entry.insert("json", QJsonDocument::fromJson(QByteArray::fromBase64(body.mid(11))).object());
            entries << entry;
        }
        return entries;
    }
    QList<QJsonObject> requests() const {
        QList<QJsonObject> found;
        for (const QJsonObject& entry : log())
            if (entry.contains("path"))
                found << entry;
        return found;
    }

private:
    QList<QByteArray> readLines() const {
        QFile file(m_dir.filePath("requests.log"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll().split('\n').mid(0, -1).toVector().toList();
    }

    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
};

// A checker with its own update and program folders.
struct Checker {
    QTemporaryDir updateDir;
    QTemporaryDir programDir;
    std::unique_ptr<AutoUpdate> checker;
    std::unique_ptr<QSignalSpy> finished;

    explicit Checker(const QString& address, int language = 3, int timeoutMs = 10000) {
        AutoUpdate::Setup setup;
        setup.serverAddress = address;
        setup.updateFolder = updateDir.filePath("RGBZynePlus");
        setup.programFolder = programDir.path();
        setup.language = language;
        setup.timeoutMs = timeoutMs;
        checker = std::make_unique<AutoUpdate>(setup);
        checker->setupVersion(QStringLiteral("1.1.5"));
        finished = std::make_unique<QSignalSpy>(checker->findChild<QNetworkAccessManager*>(),
                                                &QNetworkAccessManager::finished);
    }
    QString file(const char* name) const { return updateDir.filePath(QStringLiteral("RGBZynePlus/") + name); }
    QString programFile(const char* name) const { return programDir.filePath(QLatin1String(name)); }
    bool hasFile(const char* name) const { return QFileInfo::exists(file(name)); }
    int requestsUnderWay() const { return checker->findChildren<QNetworkReply*>().size(); }
    bool noteShown() const { return checker->noteWindow() && checker->noteWindow()->isVisible(); }
};

// An updater that writes down how it was started.
void installUpdater(const Checker& c) {
    const QString updater = c.programFile("ZentravoltaUpdate");
    QVERIFY(writeFile(updater, "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/updater-args.txt\"\n"));
    QVERIFY(QFile::setPermissions(updater, QFile::permissions(updater) | QFile::ExeOwner));
}

QString screenshotFolder() {
    return QStringLiteral(ZYNE_SCREENSHOT_DIR);
}
} // namespace

class UpdateCheckTest : public QObject {
    Q_OBJECT
public slots:
    void openedUrl(const QUrl& url) { m_opened << url; }

private slots:
    void initTestCase() { qRegisterMetaType<QNetworkReply*>(); }
    void newVersionIsHandedToTheUpdater();
    void newVersionWithoutUpdaterShowsTheDownloadAddress();
    void unsafeDownloadAddressIsRefused();
    void sameVersionAsksNothingMore();
    void aReplyLeadsToOneFurtherRequestAtMost();
    void installationIsReportedOnce();
    void repliesThatAreNoAnswer_data();
    void repliesThatAreNoAnswer();
    void oversizedReplyIsCutOff();
    void serviceDownOnlyLogs();
    void silentServiceTimesOut();
    void noAddressSendsNothing();
    void addressOnTheNetworkOverPlainHttpIsRefused();
    void installationUuid();
    void filesInTheFolderAreNotWrittenThroughLinks();
    void noteWindow();

private:
    QList<QUrl> m_opened;
};

void UpdateCheckTest::newVersionIsHandedToTheUpdater() {
    Service service({QJsonObject{{"body", QString(reply("002", "V1.1.6"))}},
                     QJsonObject{{"body", QString(reply("001", "V1.1.6"))}}});
    Checker c(service.address());
    installUpdater(c);
    QVERIFY(writeFile(c.file("UUID.txt"), "{" + kUuid.toLatin1() + "}"));
    c.checker->getVersion();
    QTRY_COMPARE_WITH_TIMEOUT(c.finished->count(), 2, 20000);

    const QList<QJsonObject> requests = service.requests();
    QCOMPARE(requests.size(), 2);
    for (const QJsonObject& request : requests) {
        QCOMPARE(request.value("path").toString(), QString("/download/getVersionV1"));
        QCOMPARE(request.value("content_type").toString(), QString("application/x-www-form-urlencoded"));
    }
    QCOMPARE(requests[0].value("json").toObject(), (QJsonObject{{"getUrl", 1}, {"command_type", "Vx010"}}));
    QCOMPARE(requests[1].value("json").toObject(),
             (QJsonObject{{"UUID", "%7B" + kUuid + "%7D"}, {"command_type", "Vx010"}}));
    QCOMPARE(readFile(c.file("Version.txt")), QByteArray("1.1.5"));
    QCOMPARE(readFile(c.file("fileUrl.txt")), QByteArray("https://example.com/vx-1.1.6.run"));
    QTRY_COMPARE(readFile(c.programFile("updater-args.txt")), QByteArray("RGBZynePlus;DE;1.1.5\n"));
    QVERIFY(!c.noteShown());
}

void UpdateCheckTest::newVersionWithoutUpdaterShowsTheDownloadAddress() {
    Service service({QJsonObject{{"body", QString(reply("002", "V1.2.0"))}},
                     QJsonObject{{"body", QString(reply("001", "V1.2.0"))}}});
    Checker c(service.address());
    c.checker->getVersion();
    QTRY_COMPARE_WITH_TIMEOUT(c.finished->count(), 2, 20000);
    QVERIFY(c.noteShown());
    UpdateNoteWindow* window = c.checker->noteWindow();
    QCOMPARE(window->findChild<QPlainTextEdit*>("noteText")->toPlainText(),
             QString("Faster fans.\nNew colours."));
    QCOMPARE(window->downloadUrl(), QUrl("https://example.com/vx-1.1.6.run"));
    // Recorded, so the next start after a manual installation reports it.
    QCOMPARE(readFile(c.file("Version.txt")), QByteArray("1.1.5"));

    // A click hands the address to the desktop's browser.
    QDesktopServices::setUrlHandler("https", this, "openedUrl");
    m_opened.clear();
    QTest::mouseClick(window->findChild<QAbstractButton*>("downloadAddress"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(m_opened, QList<QUrl>{QUrl("https://example.com/vx-1.1.6.run")});

    QTest::mouseClick(window->findChild<QAbstractButton*>("closeNote"), Qt::LeftButton);
    QVERIFY(!c.noteShown());
}

void UpdateCheckTest::unsafeDownloadAddressIsRefused() {
    Service service({QJsonObject{{"body", QString(reply("002", "V1.2.0"))}},
                     QJsonObject{{"body", QString(reply("001", "V1.2.0", "http://example.com/vx.run"))}}});
    Checker c(service.address());
    installUpdater(c);
    c.checker->getVersion();
    QTRY_COMPARE_WITH_TIMEOUT(c.finished->count(), 2, 20000);
    QTest::qWait(200);
    QVERIFY(!QFileInfo::exists(c.programFile("updater-args.txt")));
    QVERIFY(!c.hasFile("Version.txt"));
    QVERIFY(!c.hasFile("fileUrl.txt"));
    QVERIFY(!c.noteShown());
}

void UpdateCheckTest::sameVersionAsksNothingMore() {
    Service service({QJsonObject{{"body", QString(reply("002", "V1.1.5"))}}});
    Checker c(service.address());
    installUpdater(c);
    c.checker->getVersion();
    QTRY_COMPARE_WITH_TIMEOUT(c.finished->count(), 1, 20000);
    QCOMPARE(c.requestsUnderWay(), 0);
    QCOMPARE(service.requests().size(), 1);
    QVERIFY(!c.hasFile("Version.txt"));
    QVERIFY(!c.noteShown());
}

void UpdateCheckTest::aReplyLeadsToOneFurtherRequestAtMost() {
    // A service that answers every query with "002" and a newer version.
    Service service({QJsonObject{{"body", QString(reply("002", "V1.1.6"))}}});
    Checker c(service.address());
    installUpdater(c);
    c.checker->getVersion();
    QTRY_COMPARE_WITH_TIMEOUT(c.finished->count(), 2, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(c.requestsUnderWay(), 0, 20000);
    QCOMPARE(c.finished->count(), 2);
    const QList<QJsonObject> requests = service.requests();
    QCOMPARE(requests.size(), 2);
    QCOMPARE(requests[0].value("json").toObject().value("getUrl").toInt(), 1);
    QVERIFY(requests[1].value("json").toObject().contains("UUID"));
    QVERIFY(!c.hasFile("Version.txt"));
    QVERIFY(!QFileInfo::exists(c.programFile("updater-args.txt")));
}

void UpdateCheckTest::installationIsReportedOnce() {
    Service service({QJsonObject{{"body", QString(reply("003", ""))}}});
    Checker c(service.address());
    QVERIFY(writeFile(c.file("UUID.txt"), kUuid.toLatin1()));
    QVERIFY(writeFile(c.file("Version.txt"), "1.1.4"));
    QVERIFY(writeFile(c.file("VX_update.exe"), "MZ"));
    c.checker->getVersion();
    QTRY_COMPARE_WITH_TIMEOUT(c.finished->count(), 1, 20000);
    QCOMPARE(service.requests().value(0).value("json").toObject(), (QJsonObject{{"UUID", kUuid},
                                                                                {"command_type", "Vx010"},
                                                                                {"currentVersion", "1.1.4"},
                                                                                {"updateVersion", "1.1.5"},
                                                                                {"status", "ok"}}));
    QVERIFY(!c.hasFile("Version.txt"));
    QVERIFY(!c.hasFile("VX_update.exe"));

    // The next start asks for a new version.
    c.checker->getVersion();
    QTRY_COMPARE_WITH_TIMEOUT(c.finished->count(), 2, 20000);
    QCOMPARE(service.requests().value(1).value("json").toObject().value("getUrl").toInt(), 1);
}

void UpdateCheckTest::repliesThatAreNoAnswer_data() {
    QTest::addColumn<QString>("body");
    QTest::newRow("HTML") << "<html><body>502 Bad Gateway</body></html>";
    QTest::newRow("JSON cut short") << QString(reply("002", "V1.1.6").chopped(2));
    QTest::newRow("JSON array") << R"([{"Result_Code":"002"}])";
    QTest::newRow("no Data") << R"({"Result_Code":"002"})";
    QTest::newRow("unknown code") << QString(reply("007", "V9.0.0"));
    QTest::newRow("empty") << "";
}

void UpdateCheckTest::repliesThatAreNoAnswer() {
    QFETCH(QString, body);
    Service service({QJsonObject{{"body", body}}});
    Checker c(service.address());
    installUpdater(c);
    c.checker->getVersion();
    QTRY_COMPARE_WITH_TIMEOUT(c.finished->count(), 1, 20000);
    QCOMPARE(c.requestsUnderWay(), 0);
    QCOMPARE(service.requests().size(), 1);
    QVERIFY(!c.hasFile("Version.txt"));
    QVERIFY(!c.noteShown());
}

void UpdateCheckTest::oversizedReplyIsCutOff() {
    // 16 GiB without a length up front: the reading has to stop on its own, and the connection
    // has to close rather than be read to the end.
    Service service({QJsonObject{{"big", 16.0 * 1024 * 1024 * 1024}}});
    Checker c(service.address());
    c.checker->getVersion();
    QTRY_COMPARE_WITH_TIMEOUT(c.finished->count(), 1, 30000);
    QCOMPARE(c.requestsUnderWay(), 0);
    QVERIFY(!c.noteShown());
    // How soon the connection goes is Qt's network thread's business (it may drain an aborted
    // reply for a while on a loaded machine): reported, not asserted.
    for (const QJsonObject& entry : service.log()) {
        if (entry.contains("big_sent"))
            qInfo() << "the service had written" << entry.value("big_sent").toDouble()
                    << "bytes when the check hung up";
    }
}

void UpdateCheckTest::serviceDownOnlyLogs() {
    QTcpServer placeholder;
    QVERIFY(placeholder.listen(QHostAddress::LocalHost));
    const quint16 port = placeholder.serverPort();
    placeholder.close();
    Checker c(QStringLiteral("http://127.0.0.1:%1").arg(port));
    installUpdater(c);
    c.checker->getVersion();
    QTRY_COMPARE_WITH_TIMEOUT(c.finished->count(), 1, 20000);
    QCOMPARE(c.requestsUnderWay(), 0);
    QVERIFY(!c.hasFile("Version.txt"));
    QVERIFY(!c.noteShown());
}

void UpdateCheckTest::silentServiceTimesOut() {
    Service service({QJsonObject{{"silent", true}}});
    Checker c(service.address(), 0, 500);
    c.checker->getVersion();
    QTRY_COMPARE_WITH_TIMEOUT(c.finished->count(), 1, 20000);
    QCOMPARE(c.requestsUnderWay(), 0);
    QCOMPARE(service.requests().size(), 1);
}

void UpdateCheckTest::noAddressSendsNothing() {
    Checker c{QString()};
    QVERIFY(writeFile(c.file("Version.txt"), "1.1.4"));
    c.checker->getVersion();
    QCOMPARE(c.requestsUnderWay(), 0);
    // The report waits for a start that has a service to tell.
    QVERIFY(c.hasFile("Version.txt"));
}

void UpdateCheckTest::addressOnTheNetworkOverPlainHttpIsRefused() {
    QHostAddress lan;
    for (const QHostAddress& address : QNetworkInterface::allAddresses())
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
            lan = address;
    if (lan.isNull())
        QSKIP("no network address besides loopback");
    // The service listens there and would answer: only the rule keeps the check away.
    Service service({QJsonObject{{"body", QString(reply("002", "V1.1.6"))}}}, QStringLiteral("0.0.0.0"));
    Checker c(service.address(lan.toString()));
    c.checker->getVersion();
    QCOMPARE(c.requestsUnderWay(), 0);
    QTest::qWait(300);
    QCOMPARE(service.requests().size(), 0);
}

void UpdateCheckTest::filesInTheFolderAreNotWrittenThroughLinks() {
    QTemporaryDir dir;
    UpdateFolder folder(dir.filePath("update"));
    QVERIFY(folder.create());
    const QString target = dir.filePath("target.txt");
    QVERIFY(writeFile(target, "kept"));
    for (const char* name : {"UUID.txt", "Version.txt", "fileUrl.txt"})
        QVERIFY(QFile::link(target, folder.path() + '/' + name));
    QVERIFY(folder.writeUuidFile(kUuid));
    QVERIFY(folder.writeRecordedVersion("1.1.5"));
    QVERIFY(folder.writeFileUrl("https://example.com/vx-1.1.6.run"));
    QCOMPARE(readFile(target), QByteArray("kept"));
    for (const char* name : {"UUID.txt", "Version.txt", "fileUrl.txt"}) {
        const QFileInfo written(folder.path() + '/' + name);
        QVERIFY2(written.isFile() && !written.isSymLink(), name);
    }
    QCOMPARE(folder.readUuidFile(), kUuid);
    QCOMPARE(folder.readRecordedVersion(), QString("1.1.5"));
    QCOMPARE(readFile(folder.path() + "/fileUrl.txt"), QByteArray("https://example.com/vx-1.1.6.run"));
}

void UpdateCheckTest::installationUuid() {
    Checker c{QString()};
    // Nothing stored anywhere: a fresh bare UUID, kept.
    const QString fresh = c.checker->readUUID();
    QVERIFY(!QUuid::fromString(fresh).isNull());
    QVERIFY(!fresh.contains('{'));
    QCOMPARE(readFile(c.file("UUID.txt")), fresh.toUtf8());
    QCOMPARE(c.checker->readUUID(), fresh);

    // A braced one goes out as %7B…%7D.
    QVERIFY(writeFile(c.file("UUID.txt"), "{" + kUuid.toLatin1() + "}\n"));
    QCOMPARE(c.checker->readUUID(), "%7B" + kUuid + "%7D");

    // One shipped beside the program is taken, and kept with the settings.
    QVERIFY(QFile::remove(c.file("UUID.txt")));
    QVERIFY(writeFile(c.programFile("UUID.txt"), kUuid.toLatin1()));
    QCOMPARE(c.checker->readUUID(), kUuid);
    QCOMPARE(readFile(c.file("UUID.txt")), kUuid.toLatin1());

    // A file that holds no UUID is replaced, never sent.
    QVERIFY(writeFile(c.file("UUID.txt"), "not a uuid&x=1"));
    QVERIFY(QFile::remove(c.programFile("UUID.txt")));
    const QString replaced = c.checker->readUUID();
    QVERIFY(!QUuid::fromString(replaced).isNull());
    QCOMPARE(readFile(c.file("UUID.txt")), replaced.toUtf8());
}

namespace {
void saveShot(QWidget& window, const QString& name) {
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QDir().mkpath(screenshotFolder());
    const qreal ratio = qApp->devicePixelRatio();
    const QString suffix = ratio > 1.0 ? QStringLiteral("@2x") : QString();
    const QImage image = window.grab().toImage();
    QCOMPARE(image.width(), qRound(window.width() * ratio));
    QVERIFY(image.save(screenshotFolder() + QLatin1Char('/') + name + suffix + QStringLiteral(".png")));
}
} // namespace

void UpdateCheckTest::noteWindow() {
    UpdateNoteWindow window;
    window.showNote(QStringLiteral("Version 1.2.0\n- Quieter fan curves\n- Two new light effects\n"
                                   "- <b>markup</b> is shown as text"),
                    QUrl("https://download.example.com/vx-zyne-plus-rgb/1.2.0/vx-zyne-plus-rgb-1.2.0.run"));
    QCOMPARE(window.geometry(), QRect(100, 100, 300, 300));
    QVERIFY(window.findChild<QAbstractButton*>("downloadAddress")->isVisible());
    saveShot(window, QStringLiteral("update-note"));

    // A note alone, and an address the program would not open: no link.
    window.showNote(QStringLiteral("Maintenance tonight."), QUrl("file:///usr/bin/xterm"));
    QVERIFY(!window.findChild<QAbstractButton*>("downloadAddress")->isVisible());
    QVERIFY(window.downloadUrl().isEmpty());

    // The texts come from the catalogues beside the program.
    QTranslator german;
    QVERIFY(german.load(QCoreApplication::applicationDirPath() + QStringLiteral("/Language/de.qm")));
    QCoreApplication::installTranslator(&german);
    UpdateNoteWindow translated;
    translated.showNote(QStringLiteral("Version 1.2.0\n- Leisere Lüfterkurven"),
                        QUrl("https://download.example.com/vx-zyne-plus-rgb-1.2.0.run"));
    QCOMPARE(translated.findChild<QAbstractButton*>("closeNote")->text(), QString("Schließen"));
    saveShot(translated, QStringLiteral("update-note-de"));
    QCoreApplication::removeTranslator(&german);
}

QTEST_MAIN(UpdateCheckTest)
#include "tst_updatecheck.moc"
