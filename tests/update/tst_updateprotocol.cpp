// The update service's request and reply formats and the decisions taken on them.
#include "IniHelper.h"
#include "UpdateProtocol.h"

#include <QJsonDocument>
#include <QtTest>

using namespace zyne::update;

class UpdateProtocolTest : public QObject {
    Q_OBJECT
private slots:
    void versionComparison_data();
    void versionComparison();
    void installationIsReportedOnlyAfterAnOlderProgramHandedOver();
    void uuidForService_data();
    void uuidForService();
    void requestsAreIndentedJsonInBase64();
    void replyParsing_data();
    void replyParsing();
    void serviceAddresses_data();
    void serviceAddresses();
    void updaterArgument();
    void serverAddressSurvivesSettingsWrites();
};

void UpdateProtocolTest::versionComparison_data() {
    QTest::addColumn<QString>("candidate");
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("newer");
    QTest::newRow("patch above") << "V1.1.6"
                                 << "1.1.5" << true;
    QTest::newRow("equal") << "V1.1.5"
                           << "1.1.5" << false;
    QTest::newRow("major wins over lower minor and patch") << "V2.0.0"
                                                           << "1.9.9" << true;
    QTest::newRow("lower minor, higher patch") << "V1.0.9"
                                               << "1.1.0" << false;
    QTest::newRow("numbers, not text: 10 above 9") << "V1.1.10"
                                                   << "1.1.9" << true;
    QTest::newRow("older") << "V1.1.4"
                           << "1.1.5" << false;
    QTest::newRow("missing parts count 0") << "V1.2"
                                           << "1.1.9" << true;
    QTest::newRow("missing parts count 0, equal") << "V1"
                                                  << "1.0.0" << false;
    QTest::newRow("garbage part counts 0") << "V1.x.9"
                                           << "1.0.8" << true;
    QTest::newRow("no V prefix") << "1.1.6"
                                 << "1.1.5" << true;
    QTest::newRow("negative is not a number") << "V1.1.-1"
                                              << "1.1.0" << false;
    QTest::newRow("empty") << ""
                           << "1.1.5" << false;
    QTest::newRow("against empty") << "V0.0.1"
                                   << "" << true;
    QTest::newRow("beyond int range counts 0") << "V1.1.99999999999"
                                               << "1.1.5" << false;
}

void UpdateProtocolTest::versionComparison() {
    QFETCH(QString, candidate);
    QFETCH(QString, current);
    QFETCH(bool, newer);
    QCOMPARE(isNewerVersion(candidate, current), newer);
}

void UpdateProtocolTest::installationIsReportedOnlyAfterAnOlderProgramHandedOver() {
    QVERIFY(reportsInstallation(QStringLiteral("1.1.4"), QStringLiteral("1.1.5")));
    QVERIFY(reportsInstallation(QStringLiteral("1.1.4\n"), QStringLiteral("1.1.5")));
    QVERIFY(!reportsInstallation(QStringLiteral("1.1.5"), QStringLiteral("1.1.5")));
    QVERIFY(!reportsInstallation(QStringLiteral("1.2.0"), QStringLiteral("1.1.5")));
    // No Version.txt: nothing was handed over, so the start asks for a new version instead.
    QVERIFY(!reportsInstallation(QString(), QStringLiteral("1.1.5")));
    QVERIFY(!reportsInstallation(QStringLiteral("  "), QStringLiteral("1.1.5")));
}

void UpdateProtocolTest::uuidForService_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("sent");
    const QString bare = QStringLiteral("3f2504e0-4f89-11d3-9a0c-0305e82c3301");
    QTest::newRow("braced") << "{" + bare + "}"
                            << "%7B" + bare + "%7D";
    QTest::newRow("braced, line end") << "{" + bare + "}\r\n"
                                      << "%7B" + bare + "%7D";
    QTest::newRow("bare") << bare << bare;
    QTest::newRow("upper case kept") << bare.toUpper() << bare.toUpper();
    QTest::newRow("one brace") << "{" + bare << QString();
    QTest::newRow("trailing text") << bare + "x" << QString();
    QTest::newRow("not a uuid") << "hello" << QString();
    QTest::newRow("a query sneaking in") << bare + "&getUrl=1" << QString();
    QTest::newRow("empty") << QString() << QString();
}

void UpdateProtocolTest::uuidForService() {
    QFETCH(QString, stored);
    QFETCH(QString, sent);
    QCOMPARE(zyne::update::uuidForService(stored), sent);
}

void UpdateProtocolTest::requestsAreIndentedJsonInBase64() {
    const QJsonObject report =
        installationReport(QStringLiteral("%7Babc%7D"), QStringLiteral("1.1.4"), QStringLiteral("1.1.5"));
    const QByteArray body = requestBody(report);
    QVERIFY(body.startsWith("ActiveData="));
    const QByteArray json = QByteArray::fromBase64(body.mid(int(qstrlen("ActiveData="))));
    QCOMPARE(json, requestJson(report));
    QVERIFY(json.contains("\n    \"UUID\": \"%7Babc%7D\""));
    const QJsonObject decoded = QJsonDocument::fromJson(json).object();
    QCOMPARE(decoded.value("command_type").toString(), QString("Vx010"));
    QCOMPARE(decoded.value("currentVersion").toString(), QString("1.1.4"));
    QCOMPARE(decoded.value("updateVersion").toString(), QString("1.1.5"));
    QCOMPARE(decoded.value("status").toString(), QString("ok"));
    QCOMPARE(addressQuery().value("getUrl").toInt(), 1);
    QCOMPARE(addressQuery().value("command_type").toString(), QString("Vx010"));
    QCOMPARE(versionQuery(QStringLiteral("u")).keys(), QStringList({"UUID", "command_type"}));
}

void UpdateProtocolTest::replyParsing_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("json");
    QTest::addColumn<int>("action");
    const auto reply = [](const char* code, const char* version) {
        return QByteArray("{\"Result_Code\":\"") + code + "\",\"Data\":{\"version\":\"" + version +
               "\",\"url\":\"https://example.com/u\",\"note\":\"n\"}}";
    };
    const int none = int(ReplyAction::None);
    QTest::newRow("002 newer") << reply("002", "V1.1.6") << true << int(ReplyAction::SendVersionQuery);
    QTest::newRow("002 same") << reply("002", "V1.1.5") << true << none;
    QTest::newRow("002 older") << reply("002", "V1.0.0") << true << none;
    QTest::newRow("001 newer") << reply("001", "V2.0.0") << true << int(ReplyAction::StartUpdater);
    QTest::newRow("001 same") << reply("001", "V1.1.5") << true << int(ReplyAction::ShowNote);
    QTest::newRow("001 without version")
        << QByteArray(R"({"Result_Code":"001","Data":{"note":"n"}})") << true << int(ReplyAction::ShowNote);
    QTest::newRow("other code") << reply("003", "V9.9.9") << true << none;
    QTest::newRow("code as number") << QByteArray(R"({"Result_Code":2,"Data":{"version":"V9.0.0"}})") << true
                                    << none;
    QTest::newRow("Data not an object")
        << QByteArray(R"({"Result_Code":"002","Data":"V9.0.0"})") << true << none;
    QTest::newRow("not JSON") << QByteArray("<html>502 Bad Gateway</html>") << false << none;
    QTest::newRow("cut short") << reply("002", "V1.1.6").chopped(3) << false << none;
    QTest::newRow("array") << QByteArray("[1,2]") << false << none;
    QTest::newRow("empty") << QByteArray() << false << none;
    QTest::newRow("NUL bytes") << QByteArray("{\"Result_Code\":\"0\0\x30\x32\"}", 20) << false << none;
}

void UpdateProtocolTest::replyParsing() {
    QFETCH(QByteArray, body);
    QFETCH(bool, json);
    QFETCH(int, action);
    const UpdateReply reply = parseUpdateReply(body);
    QCOMPARE(reply.isJsonObject, json);
    QCOMPARE(int(replyAction(reply, QStringLiteral("1.1.5"))), action);
    if (action == int(ReplyAction::StartUpdater)) {
        QCOMPARE(reply.url, QString("https://example.com/u"));
        QCOMPARE(reply.note, QString("n"));
    }
}

void UpdateProtocolTest::serviceAddresses_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("request");
    QTest::newRow("https") << "https://update.example.com"
                           << "https://update.example.com/download/getVersionV1";
    QTest::newRow("https, port and base path") << "https://example.com:8443/vx/"
                                               << "https://example.com:8443/vx/download/getVersionV1";
    QTest::newRow("query dropped") << "https://example.com/?a=b#c"
                                   << "https://example.com/download/getVersionV1";
    QTest::newRow("http loopback v4") << "http://127.0.0.1:8080"
                                      << "http://127.0.0.1:8080/download/getVersionV1";
    QTest::newRow("http loopback v4 range") << "http://127.0.0.2"
                                            << "http://127.0.0.2/download/getVersionV1";
    QTest::newRow("http loopback v6") << "http://[::1]:81"
                                      << "http://[::1]:81/download/getVersionV1";
    QTest::newRow("surrounding blanks") << "  https://example.com  "
                                        << "https://example.com/download/getVersionV1";
    QTest::newRow("http elsewhere") << "http://update.example.com" << QString();
    QTest::newRow("http by name, not address") << "http://localhost:8080" << QString();
    QTest::newRow("http LAN") << "http://192.168.1.2" << QString();
    QTest::newRow("ftp") << "ftp://example.com" << QString();
    QTest::newRow("file") << "file:///etc/passwd" << QString();
    QTest::newRow("no scheme") << "example.com" << QString();
    QTest::newRow("no host") << "https://" << QString();
    QTest::newRow("empty") << "" << QString();
    QTest::newRow("malformed") << "https://exa mple.com" << QString();
}

void UpdateProtocolTest::serviceAddresses() {
    QFETCH(QString, address);
    QFETCH(QString, request);
    QString refusal;
    const QUrl url = requestUrl(address, &refusal);
    QCOMPARE(url.toString(), request);
    QCOMPARE(refusal.isEmpty(), !request.isEmpty());
}

void UpdateProtocolTest::updaterArgument() {
    const QStringList tags{";en;", ";tc;", ";CN;", ";DE;", ";FR;", ";JP;", ";TH;"};
    for (int language = 0; language < tags.size(); ++language)
        QCOMPARE(languageTag(language), tags[language]);
    QCOMPARE(languageTag(7), QString(";EN;"));
    QCOMPARE(languageTag(-1), QString(";EN;"));
    QCOMPARE(zyne::update::updaterArgument(3, QStringLiteral("1.1.5")), QString("RGBZynePlus;DE;1.1.5"));
}

void UpdateProtocolTest::serverAddressSurvivesSettingsWrites() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QFile ini(folder.filePath("Device.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Main]\nAutoUpdate=1\nUpdateServer= https://update.example.com \n");
    ini.close();
    const zyne::IniHelper helper(folder.path());
    zyne::ApplicationSettingsValues values = zyne::applicationSettingsFrom(helper.readDeviceIni().main);
    QCOMPARE(values.updateServer, QString("https://update.example.com"));
    // A switch in the settings menu writes the whole Main group back: the address stays.
    values.language = 3;
    helper.writeDeviceIni(zyne::mainOnlyGroupMap(values));
    QCOMPARE(zyne::applicationSettingsFrom(helper.readDeviceIni().main).updateServer,
             QString("https://update.example.com"));
    // No Device.ini: no address.
    QVERIFY(zyne::applicationSettingsFrom(zyne::kDefaultMainSettings).updateServer.isEmpty());
}

QTEST_GUILESS_MAIN(UpdateProtocolTest)
#include "tst_updateprotocol.moc"
