// The pure parts of the remote links: frames, command checks, replies and the power-supply
// application's messages.
#include "DeviceSettings.h"
#include "MobileCommand.h"
#include "MobileFrames.h"
#include "MobileReplies.h"
#include "PowerSupplyApp.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

using namespace zyne;

namespace {
QByteArray frameOf(const QByteArray& text) {
    return text.toBase64();
}

QVariantMap object(const QByteArray& json) {
    return QJsonDocument::fromJson(json).object().toVariantMap();
}

QJsonObject decodedMessage(const QString& framed) {
    const QByteArray text = framed.toLatin1();
    return QJsonDocument::fromJson(QByteArray::fromBase64(text.left(text.size() - 1))).object();
}
} // namespace

class MobileProtocolTest : public QObject {
    Q_OBJECT
private slots:
    void musicLevelTexts_data();
    void musicLevelTexts();
    void framesThatAreSkipped_data();
    void framesThatAreSkipped();
    void commandTenAsNumberOrText();
    void framesWithLineBreaksAndBlanks_data();
    void framesWithLineBreaksAndBlanks();
    void readerKeepsSplitFramesAndBoundsThem();
    void greetingCarriesThePasswordOnlyWhenLocked();

    void commandsChecked_data();
    void commandsChecked();
    void masksSelectTheirPorts();
    void fanTypeFilter();

    void deviceListWithNoControllers();
    void profileRecord();
    void voiceNames_data();
    void voiceNames();

    void powerTypeAnnouncements_data();
    void powerTypeAnnouncements();
    void powerSupplyMessages();
    void mobileServerSetting();
};

void MobileProtocolTest::musicLevelTexts_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("volume");
    QTest::addColumn<bool>("classic");
    QTest::newRow("stop") << QByteArray("07 @@") << "0" << QString() << false;
    QTest::newRow("level 85") << QByteArray("07 85") << "1"
                              << "85" << false;
    QTest::newRow("classic level 85") << QByteArray("08 85") << "1"
                                      << "85" << true;
    QTest::newRow("level 05") << QByteArray("07 05") << "1"
                              << "5" << false;
}

void MobileProtocolTest::musicLevelTexts() {
    QFETCH(QByteArray, text);
    QFETCH(QString, status);
    QFETCH(QString, volume);
    QFETCH(bool, classic);
    const MobileFrame frame = decodeFrame(frameOf(text));
    QCOMPARE(frame.kind, MobileFrame::Command);
    const QVariantMap data = frame.command.value("Data").toMap();
    QCOMPARE(frame.command.value("command").toString(), QString("7"));
    QCOMPARE(data.value("Status").toString(), status);
    QCOMPARE(data.contains("Volume"), !volume.isEmpty());
    QCOMPARE(data.value("Volume").toString(), volume);
    QCOMPARE(frame.command.contains("DeviceType"), classic);
    // The checked command sees the same thing.
    QString error;
    const auto command = parseMobileCommand(frame.command, &error);
    QVERIFY2(command, qPrintable(error));
    QCOMPARE(command->classic, classic);
    QCOMPARE(command->value("Volume", -1), volume.isEmpty() ? -1 : volume.toInt());
}

void MobileProtocolTest::framesThatAreSkipped_data() {
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("not Base64") << QByteArray("@@not base64@@");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not JSON") << frameOf("{\"command\": ");
    QTest::newRow("array") << frameOf("[1, 2]");
    QTest::newRow("music level without digits") << frameOf("07 x5");
    QTest::newRow("music level too short") << frameOf("07 8");
}

void MobileProtocolTest::framesThatAreSkipped() {
    QFETCH(QByteArray, frame);
    const MobileFrame decoded = decodeFrame(frame);
    QCOMPARE(decoded.kind, MobileFrame::Invalid);
    QVERIFY(!decoded.error.isEmpty());
}

void MobileProtocolTest::commandTenAsNumberOrText() {
    QCOMPARE(decodeFrame(frameOf("{\"command\":10}")).kind, MobileFrame::BoxListRequest);
    QCOMPARE(decodeFrame(frameOf("{\"command\":\"10\"}")).kind, MobileFrame::BoxListRequest);
    QCOMPARE(decodeFrame(frameOf("{\"command\":10.5}")).kind, MobileFrame::Command);
}

void MobileProtocolTest::framesWithLineBreaksAndBlanks_data() {
    // The app's Base64 may wrap its lines or carry stray padding; the command inside still counts.
    const QByteArray json = R"({"command":0,"Data":{"BoxNum":"1000000000000000","FanNum":"11111",)"
                            R"("LightMode":3,"ColorMode":1,"Speed":2}})";
    const QByteArray plain = json.toBase64();
    QTest::addColumn<QByteArray>("frame");
    QByteArray wrapped;
    for (int i = 0; i < plain.size(); i += 76)
        wrapped += plain.mid(i, 76) + "\n";
    QTest::newRow("wrapped at 76 with a final line break") << wrapped;
    QTest::newRow("CR LF and blanks") << QByteArray(" ") + plain.left(8) + "\r\n" + plain.mid(8) + " ";
    QTest::newRow("a stray '=' and a line break at the end") << plain + "=\r\n";
}

void MobileProtocolTest::framesWithLineBreaksAndBlanks() {
    QFETCH(QByteArray, frame);
    const MobileFrame decoded = decodeFrame(frame);
    QCOMPARE(decoded.kind, MobileFrame::Command);
    QCOMPARE(decoded.command.value("Data").toMap().value("LightMode").toInt(), 3);
}

void MobileProtocolTest::readerKeepsSplitFramesAndBoundsThem() {
    FrameReader reader;
    QVERIFY(reader.append("AAA&BB"));
    QCOMPARE(reader.nextFrame(), std::optional<QByteArray>("AAA"));
    QCOMPARE(reader.nextFrame(), std::nullopt);
    QVERIFY(reader.append("B&&C"));
    QCOMPARE(reader.nextFrame(), std::optional<QByteArray>("BBB"));
    QCOMPARE(reader.nextFrame(), std::optional<QByteArray>(""));
    QCOMPARE(reader.nextFrame(), std::nullopt);

    // An unfinished frame may grow to 64 KiB, not past it, however it arrives.
    FrameReader bounded;
    QVERIFY(bounded.append(QByteArray(kMaxUnfinishedFrame - 1, 'x')));
    QVERIFY(bounded.append("x"));
    QVERIFY(!bounded.append("x"));
    FrameReader afterFrames;
    QVERIFY(!afterFrames.append("ok&" + QByteArray(kMaxUnfinishedFrame + 1, 'x')));
    QVERIFY(afterFrames.append("ok&" + QByteArray(kMaxUnfinishedFrame, 'x')));
}

void MobileProtocolTest::greetingCarriesThePasswordOnlyWhenLocked() {
    QCOMPARE(greeting("1.1.5", "pc", false, "5173"), QByteArray("VxRainbowFan#Ver.1.1.5!pc&"));
    QCOMPARE(greeting("1.1.5", "pc", true, "5173"), QByteArray("VxRainbowFan#Ver.1.1.5!pc!5173&"));
}

void MobileProtocolTest::commandsChecked_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("accepted");
    const QByteArray masks = R"("BoxNum":"1000000000000000","FanNum":"10000")";
    QTest::newRow("command 0") << R"({"command":0,"Data":{)" + masks +
                                      R"(,"LightMode":3,"ColorMode":0,"Speed":2}})"
                               << true;
    QTest::newRow("numbers as text") << R"({"command":"0","Data":{)" + masks +
                                            R"(,"LightMode":"3","ColorMode":"0","Speed":"2"}})"
                                     << true;
    QTest::newRow("command as object") << QByteArray(R"({"command":{}})") << false;
    QTest::newRow("no command") << QByteArray(R"({"Data":{}})") << false;
    QTest::newRow("huge command") << QByteArray(R"({"command":1e300})") << false;
    QTest::newRow("Data not an object") << QByteArray(R"({"command":0,"Data":[1]})") << false;
    QTest::newRow("DeviceType text") << QByteArray(R"({"command":5,"DeviceType":"classic"})") << false;
    QTest::newRow("mask too short") << QByteArray(R"({"command":15,"Data":{"BoxNum":"100"}})") << false;
    QTest::newRow("mask with other characters")
        << QByteArray(R"({"command":15,"Data":{"BoxNum":"100000000000000x"}})") << false;
    QTest::newRow("mask as number") << QByteArray(R"({"command":5,"Data":{"FanNum":10000,"Status":1}})")
                                    << false;
    // Keys a command doesn't read are not its business.
    QTest::newRow("device list with a short BoxNum")
        << QByteArray(R"({"command":9,"Data":{"BoxNum":"100","Profile":0}})") << true;
    QTest::newRow("device list with Data not an object") << QByteArray(R"({"command":9,"Data":"x"})") << true;
    QTest::newRow("profile record with Profile 0")
        << QByteArray(R"({"command":15,"Data":{"BoxNum":"1000000000000000","Profile":0}})") << true;
    QTest::newRow("light mode with a stale Bright")
        << R"({"command":0,"Data":{)" + masks + R"(,"LightMode":3,"ColorMode":0,"Speed":2,"Bright":50}})"
        << true;
    QTest::newRow("classic light with a classic-only stray key")
        << QByteArray(R"({"command":1,"DeviceType":0,"Data":{"FanNum":"101","LightMode":2,"isTurnOff":0,)"
                      R"("Voice":7,"Bright":9}})")
        << true;
    QTest::newRow("voice with Rainbow 2") << QByteArray(R"({"command":19,"Data":{"Rainbow":2}})") << false;
    QTest::newRow("voice with Bright 0.5") << QByteArray(R"({"command":19,"Data":{"Bright":0.5}})") << false;
    QTest::newRow("missing key") << R"({"command":0,"Data":{)" + masks + R"(,"LightMode":3,"ColorMode":0}})"
                                 << false;
    QTest::newRow("mode out of range")
        << R"({"command":0,"Data":{)" + masks + R"(,"LightMode":21,"ColorMode":0,"Speed":2}})" << false;
    QTest::newRow("speed out of range")
        << R"({"command":0,"Data":{)" + masks + R"(,"LightMode":2,"ColorMode":0,"Speed":4}})" << false;
    QTest::newRow("fraction") << R"({"command":0,"Data":{)" + masks +
                                     R"(,"LightMode":2.5,"ColorMode":0,"Speed":1}})"
                              << false;
    QTest::newRow("NaN text") << R"({"command":0,"Data":{)" + masks +
                                     R"(,"LightMode":"NaN","ColorMode":0,"Speed":1}})"
                              << false;
    QTest::newRow("colour above 255") << R"({"command":1,"Data":{)" + masks +
                                             R"(,"RColor":256,"GColor":0,"BColor":0,"LED1":"111111111111"}})"
                                      << false;
    QTest::newRow("colour without LED1")
        << R"({"command":1,"Data":{)" + masks + R"(,"RColor":255,"GColor":0,"BColor":0}})" << false;
    QTest::newRow("single-colour brightness needs no LED1")
        << R"({"command":4,"Data":{)" + masks + R"(,"Bright":5,"ColorMode":1}})" << true;
    QTest::newRow("bright above 10") << R"({"command":4,"Data":{)" + masks + R"(,"Bright":11,"ColorMode":1}})"
                                     << false;
    QTest::newRow("music stop needs nothing else")
        << QByteArray(R"({"command":7,"Data":{"Status":"0"}})") << true;
    QTest::newRow("music for ports needs its modes")
        << R"({"command":7,"Data":{)" + masks + R"(,"Status":1,"Volume":50}})" << false;
    QTest::newRow("profile 6") << R"({"command":12,"Data":{)" + masks + R"(,"Profile":6}})" << false;
    QTest::newRow("voice as number") << QByteArray(R"({"command":18,"Data":{"Voice":3}})") << false;
    QTest::newRow("voice percent brightness") << QByteArray(R"({"command":19,"Data":{"Bright":80}})") << true;
    QTest::newRow("classic 3-port mask")
        << QByteArray(
               R"({"command":6,"DeviceType":0,"Data":{"BoxNum":"0010000000000000","FanNum":"101","FanSpeed":5}})")
        << true;
    QTest::newRow("classic speed 6")
        << QByteArray(R"({"command":6,"DeviceType":0,"Data":{"FanNum":"101","FanSpeed":6}})") << false;
    const QByteArray classicColour =
        R"({"command":2,"DeviceType":"0","Data":{"BoxNum":"1000000000000000","FanNum":"111","RColor":1,
            "GColor":2,"BColor":3,"LightMode":0,"isTurnOff":0,"Bright":)";
    QTest::newRow("classic brightness factor") << classicColour + "0.5}}" << true;
    QTest::newRow("classic brightness as text") << classicColour + R"("1"}})" << true;
    QTest::newRow("classic brightness above 1") << classicColour + "5}}" << false;
    QTest::newRow("classic brightness infinite") << classicColour + R"("inf"}})" << false;
    QTest::newRow("classic music level alone")
        << QByteArray(R"({"command":7,"DeviceType":0,"Data":{"Status":"1",
        "Volume":"85"}})")
        << true;
    QTest::newRow("unknown command") << QByteArray(R"({"command":42})") << true;
}

void MobileProtocolTest::commandsChecked() {
    QFETCH(QByteArray, json);
    QFETCH(bool, accepted);
    QString error;
    const auto command = parseMobileCommand(object(json), &error);
    QCOMPARE(command.has_value(), accepted);
    QCOMPARE(error.isEmpty(), accepted);
}

void MobileProtocolTest::masksSelectTheirPorts() {
    QString error;
    const auto c = parseMobileCommand(
        object(R"({"command":4,"Data":{"BoxNum":"0100000000000001","FanNum":"10100","LED1":"100000000001",
                   "Bright":3,"ColorMode":2}})"),
        &error);
    QVERIFY2(c, qPrintable(error));
    QCOMPARE(c->boxes.to_ulong(), (1ul << 1) | (1ul << 15));
    QCOMPARE(c->ports.to_ulong(), (1ul << 0) | (1ul << 2));
    QCOMPARE(c->leds.to_ulong(), (1ul << 0) | (1ul << 11));
    QCOMPARE(c->value("Bright"), 3);
    QCOMPARE(c->value("ColorMode"), 2);
}

void MobileProtocolTest::fanTypeFilter() {
    QString error;
    const auto typeOne =
        parseMobileCommand(object(R"({"command":5,"Data":{"Status":1,"FanType":"1"}})"), &error);
    const auto typeZero =
        parseMobileCommand(object(R"({"command":5,"Data":{"Status":1,"FanType":"0"}})"), &error);
    const auto numberOne =
        parseMobileCommand(object(R"({"command":5,"Data":{"Status":1,"FanType":1}})"), &error);
    const auto none = parseMobileCommand(object(R"({"command":5,"Data":{"Status":1}})"), &error);
    QVERIFY(typeOne && typeZero && numberOne && none);
    QVERIFY(typeOne->passesFanType(1) && !typeOne->passesFanType(0) && !typeOne->passesFanType(3));
    QVERIFY(numberOne->passesFanType(1) && !numberOne->passesFanType(0));
    for (const auto& notOne : {typeZero, none})
        QVERIFY(!notOne->passesFanType(1) && notOne->passesFanType(0) && notOne->passesFanType(3));
    QVERIFY(!parseMobileCommand(object(R"({"command":5,"Data":{"Status":1,"FanType":[1]}})"), &error));
}

void MobileProtocolTest::deviceListWithNoControllers() {
    BoxFanTypes types{};
    types[2] = {1, 0, 3, 0, 0};
    const QJsonObject reply = deviceListReply(types, QString(16, '0'), "0010000000000000");
    QCOMPARE(reply.size(), 17);
    QCOMPARE(reply.value("ResType").toInt(), 9);
    QCOMPARE(reply.value("Box1").toObject().value("boxType").toString(), QString("0"));
    QCOMPARE(reply.value("Box3").toObject().value("boxType").toString(), QString("2"));
    QCOMPARE(reply.value("Box3").toObject().value("fanType").toString(), QString("10300"));
    QCOMPARE(reply.value("Box16").toObject().value("fanType").toString(), QString("00000"));
    const QJsonObject plus = deviceListReply(types, "1000000000000000", "1000000000000000");
    QCOMPARE(plus.value("Box1").toObject().value("boxType").toString(), QString("1"));
}

void MobileProtocolTest::profileRecord() {
    std::array<RainbowFanState, kPlusPortCount> ports{};
    ports[0].RColor.fill(7);
    ports[0].Bright.fill(1.0f);
    ports[0].Bright[12] = 0.5f;
    ports[0].lightMode = 4;
    ports[0].FanType = 2;
    ports[3].Monitor = false;
    const QJsonObject fan = profileReply(ports, 3, true).value("Fan1").toObject();
    QCOMPARE(fan.value("RColor").toString(), QString("7,7,7,7,7,7,7,7,7,7,7,7,7"));
    QCOMPARE(fan.value("Bright").toString(), QString("1,1,1,1,1,1,1,1,1,1,1,1,0.5"));
    QCOMPARE(fan.value("lightMode").toInt(), 4);
    QCOMPARE(fan.value("isTurnOffLed").toBool(), true);
    QCOMPARE(fan.value("fanType").toInt(), 2);
    QCOMPARE(fan.value("isOpenFan").toString(), QString("11101"));
    QCOMPARE(profileReply(ports, 3, true).value("Profile").toInt(), 3);
    QVERIFY(!profileReply(ports, 3, false).value("Fan1").toObject().contains("isOpenFan"));
}

void MobileProtocolTest::voiceNames_data() {
    QTest::addColumn<QString>("voice");
    QTest::addColumn<int>("effect");
    QTest::newRow("name") << "play VOICE3 now" << 3;
    QTest::newRow("phrase") << "hello intel" << 1;
    QTest::newRow("short phrase") << "MSI" << 6;
    QTest::newRow("number") << "one two three" << 7;
    QTest::newRow("unknown") << "Hello world" << -1;
    QTest::newRow("phrase inside other words") << "say MSI please" << -1;
}

void MobileProtocolTest::voiceNames() {
    QFETCH(QString, voice);
    QFETCH(int, effect);
    QCOMPARE(voiceDemoEffect(voice).value_or(-1), effect);
}

void MobileProtocolTest::powerTypeAnnouncements_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("type");
    QTest::newRow("ring with extra") << QByteArray("VxPower_12LED!anything&") << 2;
    QTest::newRow("plain") << QByteArray("VxPower&") << 1;
    QTest::newRow("only the first of two") << QByteArray("Other&VxPower&") << 0;
    QTest::newRow("first of two") << QByteArray("VxPower&VxPower_12LED&") << 1;
    QTest::newRow("unknown") << QByteArray("VxPowerX&") << 0;
}

void MobileProtocolTest::powerTypeAnnouncements() {
    QFETCH(QByteArray, text);
    QFETCH(int, type);
    QCOMPARE(powerTypeFromAnnouncement(text), type);
}

void MobileProtocolTest::powerSupplyMessages() {
    QVERIFY(powerSupplyColourMessage(1, 2, 3, 0.5f).endsWith('&'));
    const QJsonObject colour = decodedMessage(powerSupplyColourMessage(10, 20, 30, 0.5f));
    QCOMPARE(colour.value("command").toString(), QString("3"));
    const QJsonObject data = colour.value("Data").toObject();
    QCOMPARE(data.value("Brightness").toString(), QString("50"));
    QCOMPARE(data.value("rColor").toString(), QString("10"));
    QCOMPARE(data.value("bColor").toString(), QString("30"));
    QCOMPARE(decodedMessage(powerSupplyColourMessage(0, 0, 0, 0.7f))
                 .value("Data")
                 .toObject()
                 .value("Brightness")
                 .toString(),
             QString("70"));
    // One line: the indented form folded, keys sorted.
    const QByteArray text = QByteArray::fromBase64(powerSupplyDefaultMessage().toLatin1().chopped(1));
    QCOMPARE(text, QByteArray(R"({ "Data": { "setDefault": "00" }, "command": "3" })"));
    QCOMPARE(decodedMessage(powerSupplyLightMessage()).value("Data").toObject().value("Light").toString(),
             QString("0"));
    const QStringList modes{"1", "2", "4", "0", "0"};
    for (int mode = 0; mode < modes.size(); ++mode)
        QCOMPARE(decodedMessage(powerSupplyLightModeMessage(mode))
                     .value("Data")
                     .toObject()
                     .value("LightMode")
                     .toString(),
                 modes[mode]);
}

void MobileProtocolTest::mobileServerSetting() {
    const auto exposure = [](const char* text) {
        MainSettings main = kDefaultMainSettings;
        main.MobileServer = QString::fromLatin1(text);
        return applicationSettingsFrom(main).mobileServer;
    };
    QCOMPARE(exposure(""), 1);
    QCOMPARE(exposure("0"), 0);
    QCOMPARE(exposure("2"), 2);
    QCOMPARE(exposure("3"), 1);
    QCOMPARE(exposure("local"), 1);
    QCOMPARE(applicationSettingsFrom(kDefaultMainSettings).mobileServer, 1);
    // What is read is written back.
    ApplicationSettingsValues values;
    values.mobileServer = 2;
    QCOMPARE(mainGroup(values).value("MobileServer"), QString("2"));
}

QTEST_GUILESS_MAIN(MobileProtocolTest)
#include "tst_mobileprotocol.moc"
