#include "ProgramUnderTest.h"

#include <QJsonArray>
#include <QtTest>

namespace {
QByteArray profileGroup(int lightMode, int red) {
    const QByteArray reds = (QByteArray::number(red) + ",").repeated(12) + "0";
    return "RColor=\"" + reds +
           "\"\nGColor=\"0,0,0,0,0,0,0,0,0,0,0,0,0\"\nBColor=\"0,0,0,0,0,0,0,0,0,0,0,0,0\"\n" +
           "Bright=\"1,1,1,1,1,1,1,1,1,1,1,1,1\"\nSpeed_Per=5\nSpeed_Num=6\nSpeedMode=0\nPWM=0\ncolorMode="
           "0\n" +
           "lightMode=" + QByteArray::number(lightMode) + "\nlightSpeed=1\nisTurnOffLed=0\n";
}

// Lighting reports (32 52 port mode) the program wrote to box 0, as hex of their first 8 bytes.
QStringList lightingHeads(const QVector<SimTraceEvent>& events) {
    QStringList heads;
    for (const auto& event : events) {
        if (event.dev == QLatin1String("264a:1fa5") && event.dir == QLatin1String("out") &&
            event.bytes.startsWith(QByteArray("\x00\x32\x52", 3)))
            heads << QString::fromLatin1(event.bytes.left(8).toHex());
    }
    return heads;
}
} // namespace

class ProfilesSystemTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithTheSavedProfile();
};

void ProfilesSystemTest::startsWithTheSavedProfile() {
    ProgramUnderTest program;
    program.setRig(
        QJsonObject{{QStringLiteral("plus"), QJsonArray{QJsonObject{{QStringLiteral("index"), 0}}}}});
    QVERIFY(program.writeSettingsFile(QStringLiteral("Device.ini"),
                                      "[Device0]\nBoxType=1\nProfile=2\n[Main]\nisAutoRun=0\nLanguage=3\n"));
    QVERIFY(program.writeSettingsFile(QStringLiteral("ZynePlus/Profile2.ini"),
                                      "[Fan0]\n" + profileGroup(6, 200) + "[Fan1]\n" + profileGroup(3, 100) +
                                          "[Fan2]\n" + profileGroup(4, 90) + "[Fan3]\n" +
                                          profileGroup(5, 80) + "[Fan4]\n" + profileGroup(0, 70)));
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));

    QString error;
    const QStringList heads = lightingHeads(program.trace(&error));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    // Light (0x18) with red 200 sent green first, Blink/Breath/Whirl at speed 1, Snake at speed 1:
    // once when the engine starts and twice more once the window is wired.
    const QStringList expected({QStringLiteral("003252011800c800"), QStringLiteral("003252020d006400"),
                                QStringLiteral("0032520311005a00"), QStringLiteral("0032520415005000"),
                                QStringLiteral("0032520501000000")});
    QCOMPARE(heads, expected + expected + expected);
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

QTEST_MAIN(ProfilesSystemTest)
#include "tst_profiles.moc"
