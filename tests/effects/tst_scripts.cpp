// Reading user lighting scripts: the INI text, the frames' JSON, and finding a script by name.
#include "ScriptFiles.h"
#include "ScriptReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace zyne;

namespace {
QByteArray script(int count, int frequency, const QList<QByteArray>& jsonFrames, int firstIndex = 0) {
    QByteArray ini = "[Config]\nCount=" + QByteArray::number(count) +
                     "\nFrequency=" + QByteArray::number(frequency) + "\n\n[Data]\n";
    for (int i = 0; i < jsonFrames.size(); ++i)
        ini += QByteArray::number(firstIndex + i) + "=" + jsonFrames[i].toBase64() + "\n";
    return ini;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

class ScriptsTest : public QObject {
    Q_OBJECT
private slots:
    void framesComeInIndexOrder();
    void countBoundsTheFrames_data();
    void countBoundsTheFrames();
    void frameFansAndColours();
    void outOfRangeControllersAndFans();
    void unreadableFrames();
    void safeNames_data();
    void safeNames();
    void lookupByName();
};

void ScriptsTest::framesComeInIndexOrder() {
    // Written out of order, with CRLF line ends and a padded Base64 value holding "=".
    QByteArray ini = "[Data]\r\n2=" + QByteArray("{\"n\":2}").toBase64() +
                     "\r\n10=" + QByteArray("{\"n\":10}").toBase64() +
                     "\r\n0=" + QByteArray("{\"n\":0}").toBase64() +
                     "\r\n[Config]\r\nFrequency=120\r\nCount=11\r\n";
    const ScriptText text = readScriptText(ini);
    QCOMPARE(text.frames, (QStringList{"{\"n\":0}", "{\"n\":2}", "{\"n\":10}"}));
    QCOMPARE(text.frequency, 120);
    QCOMPARE(text.count, 11);
    QCOMPARE(text.skipped, 8);
}

void ScriptsTest::countBoundsTheFrames_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("frames");
    const QList<QByteArray> three{"{}", "{}", "{}"};
    QTest::newRow("count as written") << script(3, 50, three) << 3;
    QTest::newRow("count below the frames") << script(2, 50, three) << 2;
    QTest::newRow("count beyond the frames") << script(2147483647, 50, three) << 3;
    QTest::newRow("negative count") << script(-3, 50, three) << 0;
    QTest::newRow("no count") << QByteArray("[Data]\n0=e30=\n") << 0;
    QTest::newRow("count not a number") << QByteArray("[Config]\nCount=lots\n[Data]\n0=e30=\n") << 0;
    QTest::newRow("keys that are not plain numbers")
        << QByteArray("[Config]\nCount=9\n[Data]\n01=e30=\n+1=e30=\n1x=e30=\n-1=e30=\n1=e30=\n") << 1;
    QTest::newRow("not an INI file") << QByteArray("\x00\xff[[[=\n", 7) << 0;
}

void ScriptsTest::countBoundsTheFrames() {
    QFETCH(QByteArray, ini);
    QFETCH(int, frames);
    QCOMPARE(readScriptText(ini).frames.size(), frames);
}

void ScriptsTest::frameFansAndColours() {
    // "Fan2" alone: one fan entry, port index 2. Short lists read 0 past their end, values outside
    // 0..255 are clamped, anything but a number reads 0; "Br" 0 is kept as written.
    const ParsedScriptFrame parsed = parseScriptFrame(QStringLiteral(
        R"({"Controller":[{"ControllerNum":1,"Fan2":{"R":[1,2,3],"G":[300,-5,"x",7.9],"B":[],"Br":[0]}}]})"));
    QCOMPARE(parsed.status, ParsedScriptFrame::Ok);
    QCOMPARE(parsed.frame.size(), std::size_t(1));
    QCOMPARE(parsed.frame[0].boxIndex, 1);
    QCOMPARE(parsed.frame[0].fans.size(), std::size_t(1));
    const UserScriptData& fan = parsed.frame[0].fans[0];
    QCOMPARE(fan.fanIndex, 2);
    QCOMPARE(fan.rColor, (std::array<int, 12>{1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    QCOMPARE(fan.gColor, (std::array<int, 12>{255, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0, 0}));
    QCOMPARE(fan.bColor, (std::array<int, 12>{}));
    QCOMPARE(fan.brColor, (std::array<int, 12>{}));
}

void ScriptsTest::outOfRangeControllersAndFans() {
    const ParsedScriptFrame parsed = parseScriptFrame(QStringLiteral(R"({"Controller":[
        {"ControllerNum":16,"Fan0":{"R":[1]}}, {"ControllerNum":-1,"Fan0":{"R":[1]}},
        {"ControllerNum":"3","Fan0":{"R":[1]}}, {"ControllerNum":2.5,"Fan0":{"R":[1]}}, 7,
        {"ControllerNum":1e300,"Fan0":{"R":[1]}},
        {"ControllerNum":15,"Fan5":{"R":[1]},"Fan0":{},"Fan1":[1],"Fan4":{"R":[4]}},
        {"ControllerNum":15,"Fan4":{"R":[5]},"Fan3":{"R":[3]}}]})"));
    QCOMPARE(parsed.skippedControllers, 6);
    // Box 15 named twice: one entry, its second "Fan4" replacing the first.
    QCOMPARE(parsed.frame.size(), std::size_t(1));
    QCOMPARE(parsed.frame[0].boxIndex, 15);
    QCOMPARE(parsed.frame[0].fans.size(), std::size_t(2));
    QCOMPARE(parsed.frame[0].fans[0].fanIndex, 4);
    QCOMPARE(parsed.frame[0].fans[0].rColor[0], 5);
    QCOMPARE(parsed.frame[0].fans[1].fanIndex, 3);
}

void ScriptsTest::unreadableFrames() {
    QCOMPARE(parseScriptFrame(QStringLiteral("{\"Controller\":")).status, ParsedScriptFrame::ParseError);
    QCOMPARE(parseScriptFrame(QString()).status, ParsedScriptFrame::ParseError);
    QCOMPARE(parseScriptFrame(QStringLiteral("[1,2]")).status, ParsedScriptFrame::NotAnObject);
    const ParsedScriptFrame noArray =
        parseScriptFrame(QStringLiteral(R"({"Controller":{"ControllerNum":0}})"));
    QCOMPARE(noArray.status, ParsedScriptFrame::Ok);
    QVERIFY(noArray.frame.empty());
}

void ScriptsTest::safeNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("safe");
    QTest::newRow("letters") << "Rainbow" << true;
    QTest::newRow("blanks, digits, - and _") << "my show-2_b" << true;
    QTest::newRow("letters of other scripts") << QStringLiteral("Grün 彩虹") << true;
    QTest::newRow("parent folder") << "../Rainbow" << false;
    QTest::newRow("dots") << ".." << false;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("backslash") << "a\\b" << false;
    QTest::newRow("NUL") << QString::fromUtf16(u"a\u0000b", 3) << false;
    QTest::newRow("extension given") << "Rainbow.ini" << false;
    QTest::newRow("newline") << "a\nb" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks only") << "   " << false;
    QTest::newRow("too long") << QString(65, QLatin1Char('a')) << false;
}

void ScriptsTest::safeNames() {
    QFETCH(QString, name);
    QFETCH(bool, safe);
    QCOMPARE(isSafeScriptName(name), safe);
}

void ScriptsTest::lookupByName() {
    QTemporaryDir root;
    const QString user = root.filePath(QStringLiteral("user"));
    const QString program = root.filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(user) && QDir().mkpath(program));
    const QByteArray one = script(1, 20, {"{}"});
    QVERIFY(writeFile(user + "/Both.ini", one) && writeFile(program + "/Both.ini", one));
    QVERIFY(writeFile(program + "/Only Here.ini", one));
    QVERIFY(writeFile(user + "/NoExtension", one));
    QVERIFY(QDir().mkpath(user + "/Folder.ini"));
    QVERIFY(writeFile(root.filePath("Outside.ini"), one));
    const QStringList folders{user, program};

    QCOMPARE(findScriptByName("Both", folders), user + "/Both.ini");
    QCOMPARE(findScriptByName("Only Here", folders), program + "/Only Here.ini");
    QVERIFY(findScriptByName("NoExtension", folders).isEmpty());
    QVERIFY(findScriptByName("Folder", folders).isEmpty());
    QVERIFY(findScriptByName("../Outside", folders).isEmpty());
    QVERIFY(findScriptByName("Missing", folders).isEmpty());

    const std::optional<ScriptText> read = readScriptFile(user + "/Both.ini");
    QVERIFY(read.has_value());
    QCOMPARE(read->frames.size(), 1);
    QCOMPARE(read->frequency, 20);
    QVERIFY(!readScriptFile(user + "/Missing.ini"));
    QVERIFY(!readScriptFile(user + "/Folder.ini"));
}

QTEST_GUILESS_MAIN(ScriptsTest)
#include "tst_scripts.moc"
