// The views' decisions without widgets: picker cycles, colour-mode rules, captions, geometry.
#include "DeviceKinds.h"
#include "UiTexts.h"
#include "ViewRules.h"

#include <QtTest>

using namespace zyne::ui;

class ViewRulesTest : public QObject {
    Q_OBJECT
private slots:
    void lightModeCycle_data();
    void lightModeCycle();
    void lightModeCycleVisitsEveryOfferedModeOnce();
    void colorModeRules_data();
    void colorModeRules();
    void colorModeSelection();
    void lightSpeedSteps();
    void sliderCaptions_data();
    void sliderCaptions();
    void temperatureTruncates_data();
    void temperatureTruncates();
    void boxBarArrows_data();
    void boxBarArrows();
    void ledRingOfTheFan();
    void carouselRotation();
    void deviceKindsPerBox();
    void couplerModesRoundTrip();
    void selectionToggles();
    void errorLine();
};

void ViewRulesTest::lightModeCycle_data() {
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("right");
    QTest::addColumn<int>("to");
    QTest::newRow("port 0 skips Copy") << 0 << 6 << true << 8;
    QTest::newRow("port 0 back over Copy") << 0 << 8 << false << 6;
    QTest::newRow("port 1 offers Copy") << 1 << 6 << true << 7;
    QTest::newRow("music to temperature") << 2 << 10 << true << 14;
    QTest::newRow("cross to shooting star") << 3 << 15 << true << 17;
    QTest::newRow("aurora wraps to snake") << 4 << 19 << true << 0;
    QTest::newRow("snake left to aurora") << 0 << 0 << false << 19;
    QTest::newRow("app-only mode 12 steps on") << 1 << 12 << true << 14;
    QTest::newRow("app-only mode 20 steps back") << 1 << 20 << false << 19;
    QTest::newRow("app-only mode 20 wraps") << 1 << 20 << true << 0;
}

void ViewRulesTest::lightModeCycle() {
    QFETCH(int, port);
    QFETCH(int, from);
    QFETCH(bool, right);
    QFETCH(int, to);
    QCOMPARE(stepLightMode(port, from, right), to);
}

void ViewRulesTest::lightModeCycleVisitsEveryOfferedModeOnce() {
    for (int port : {0, 1}) {
        QList<int> seen;
        int mode = 0;
        do {
            seen << mode;
            mode = stepLightMode(port, mode, true);
        } while (mode != 0 && seen.size() < 30);
        QCOMPARE(seen.size(), port == 0 ? 15 : 16);
        for (int never : {11, 12, 13, 16, 20})
            QVERIFY(!seen.contains(never));
        // Left is the exact reverse.
        for (int m : seen)
            QCOMPARE(stepLightMode(port, stepLightMode(port, m, true), false), m);
    }
}

void ViewRulesTest::colorModeRules_data() {
    QTest::addColumn<int>("lightMode");
    QTest::addColumn<int>("colorMode");
    QTest::addColumn<bool>("right");
    QTest::addColumn<int>("expected");
    QTest::newRow("radar right") << 2 << 0 << true << 1;
    QTest::newRow("radar left") << 2 << 2 << false << 1;
    QTest::newRow("snake") << 0 << 0 << true << 2;
    QTest::newRow("cycle") << 1 << 1 << false << 2;
    QTest::newRow("whirl") << 5 << 1 << true << 0;
    QTest::newRow("blink toggles") << 3 << 0 << true << 1;
    QTest::newRow("blink toggles back") << 3 << 1 << false << 0;
    QTest::newRow("music toggles") << 9 << 1 << true << 0;
    QTest::newRow("temperature right") << 14 << 1 << true << 0;
    QTest::newRow("temperature left keeps") << 14 << 1 << false << 1;
    QTest::newRow("aurora right") << 19 << 2 << true << 0;
    QTest::newRow("cross keeps") << 15 << 1 << true << 1;
}

void ViewRulesTest::colorModeRules() {
    QFETCH(int, lightMode);
    QFETCH(int, colorMode);
    QFETCH(bool, right);
    QFETCH(int, expected);
    QCOMPARE(stepColorMode(lightMode, colorMode, right), expected);
}

void ViewRulesTest::colorModeSelection() {
    const QString some = QStringLiteral("100000000001");
    QCOMPARE(selectionForColorMode(ColorSingle, some, false), QStringLiteral("111111111111"));
    QCOMPARE(selectionForColorMode(ColorOff, some, true), QStringLiteral("000000000000"));
    QCOMPARE(selectionForColorMode(ColorRgb, some, true), QStringLiteral("000000000000"));
    QCOMPARE(selectionForColorMode(ColorRgb, some, false), some);
}

void ViewRulesTest::lightSpeedSteps() {
    // Left: 0 → 1 → 2 → 3 → 0; right the other way.
    QCOMPARE(stepLightSpeed(0, false), 1);
    QCOMPARE(stepLightSpeed(2, false), 3);
    QCOMPARE(stepLightSpeed(3, false), 0);
    QCOMPARE(stepLightSpeed(0, true), 3);
    QCOMPARE(stepLightSpeed(1, true), 0);
    QCOMPARE(stepLightSpeed(3, true), 2);
}

void ViewRulesTest::sliderCaptions_data() {
    QTest::addColumn<bool>("rpm");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("speedMode");
    QTest::addColumn<QString>("text");
    QTest::newRow("percent 0") << false << 0 << int(SpeedSilent) << "Silent 50 %";
    QTest::newRow("percent 3") << false << 3 << int(SpeedCustom) << "80 %";
    QTest::newRow("percent 5") << false << 5 << int(SpeedPerformance) << "Performance\n100 %";
    QTest::newRow("rpm 0") << true << 0 << int(SpeedSilent) << "Silent 0 %";
    QTest::newRow("rpm 3") << true << 3 << int(SpeedCustom) << "30 %";
    QTest::newRow("rpm 9") << true << 9 << int(SpeedCustom) << "90 %";
    QTest::newRow("rpm 10") << true << 10 << int(SpeedPerformance) << "Performance\n100 %";
}

void ViewRulesTest::sliderCaptions() {
    QFETCH(bool, rpm);
    QFETCH(int, value);
    QFETCH(int, speedMode);
    QFETCH(QString, text);
    const QString silent = QStringLiteral("Silent");
    const QString performance = QStringLiteral("Performance");
    const SliderCaption caption =
        rpm ? rpmSliderCaption(value, silent, performance) : percentSliderCaption(value, silent, performance);
    QCOMPARE(caption.speedMode, speedMode);
    QCOMPARE(caption.text, text);
}

void ViewRulesTest::temperatureTruncates_data() {
    QTest::addColumn<int>("celsius");
    QTest::addColumn<QString>("text");
    QTest::newRow("30") << 30 << QStringLiteral(":30\u00B0C / 86\u00B0F");
    QTest::newRow("37 truncates 98.6") << 37 << QStringLiteral(":37\u00B0C / 98\u00B0F");
    QTest::newRow("0") << 0 << QStringLiteral(":0\u00B0C / 32\u00B0F");
}

void ViewRulesTest::temperatureTruncates() {
    QFETCH(int, celsius);
    QFETCH(QString, text);
    QCOMPARE(temperatureSuffix(celsius), text);
}

void ViewRulesTest::boxBarArrows_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("left");
    QTest::addColumn<int>("expected");
    QTest::newRow("right from 0") << 0 << false << 45;
    QTest::newRow("right stops at 495") << 450 << false << 495;
    QTest::newRow("right at the end") << 495 << false << 495;
    QTest::newRow("left from 30 to 0") << 30 << true << 0;
    QTest::newRow("left from 41 clamps to 0") << 41 << true << 0;
    QTest::newRow("left from 90") << 90 << true << 45;
}

void ViewRulesTest::boxBarArrows() {
    QFETCH(int, position);
    QFETCH(bool, left);
    QFETCH(int, expected);
    // Scroll bars clamp below 0, so what a user sees from 41 is 0.
    QCOMPARE(std::max(0, boxBarPositionAfterArrow(position, left)), std::max(0, expected));
}

void ViewRulesTest::ledRingOfTheFan() {
    const QPoint c = paletteCentre();
    QCOMPARE(c, QPoint(135, 221));
    // LED 2 at 0°, LED 5 at 270° (straight down), LED 8 at 180°, LED 11 at 90°: clockwise on screen.
    QCOMPARE(ledCentre(0, 2), QPoint(c.x() + 88, c.y()));
    QCOMPARE(ledCentre(0, 5), QPoint(c.x(), c.y() + 88));
    QCOMPARE(ledCentre(0, 8), QPoint(c.x() - 88, c.y()));
    QCOMPARE(ledCentre(0, 11), QPoint(c.x(), c.y() - 88));
    QCOMPARE(ledCentre(0, 0), QPoint(c.x() + 44, c.y() - 76));
    QCOMPARE(ledButtonSize(true), 34);
    QCOMPARE(ledButtonSize(false), 20);
    // Every kind keeps its 12 LEDs apart from each other.
    for (int kind = 0; kind < kDeviceKindCount; ++kind) {
        for (int a = 0; a < 12; ++a)
            for (int b = a + 1; b < 12; ++b)
                QVERIFY2((ledCentre(kind, a) - ledCentre(kind, b)).manhattanLength() >= 20,
                         qPrintable(QStringLiteral("kind %1 LEDs %2 and %3").arg(kind).arg(a).arg(b)));
    }
}

void ViewRulesTest::carouselRotation() {
    QCOMPARE(carouselSlotRect(1), QRect(339, 149, 322, 427));
    QCOMPARE(slotAfterRotation(0, true), 4);
    QCOMPARE(slotAfterRotation(3, true), 2);
    QCOMPARE(slotAfterRotation(4, false), 0);
    QCOMPARE(slotAfterRotation(1, false), 2);
    // The front slot is raised last either way.
    QCOMPARE(raiseOrder(true).back(), 1);
    QCOMPARE(raiseOrder(false).back(), 1);
}

void ViewRulesTest::deviceKindsPerBox() {
    QCOMPARE(offeredKinds(kBoxKindPlus), QVector<int>({0, 1, 2, 3, 4, 5, 6}));
    QCOMPARE(offeredKinds(kBoxKindAwt), QVector<int>({0, 7}));
    QVERIFY(offeredKinds(0).isEmpty());
    QCOMPARE(kindNamed(QStringLiteral("Vela Plus")), 7);
    QCOMPARE(kindNamed(QStringLiteral("QV360 Plus")), 2);
    QCOMPARE(kindNamed(QStringLiteral("nothing")), -1);
    QCOMPARE(deviceKind(2).pickRadius, 64);
    QCOMPARE(deviceKind(0).pickRadius, 72);
}

void ViewRulesTest::couplerModesRoundTrip() {
    // Each button names a light mode the controller runs itself, and shows checked for it again.
    for (int button = 0; button < kCouplerButtonCount; ++button) {
        const int mode = couplerLightMode(button);
        QVERIFY(mode >= 0 && mode <= 6);
        QCOMPARE(couplerButtonFor(mode), button);
    }
    QCOMPARE(couplerLightMode(CouplerNone), 6);
    QCOMPARE(couplerButtonFor(6), static_cast<int>(CouplerNone));
    QCOMPARE(couplerButtonFor(7), static_cast<int>(CouplerNone));
    QCOMPARE(couplerLightMode(kCouplerButtonCount), 6);
}

void ViewRulesTest::selectionToggles() {
    QCOMPARE(toggledSelection(QStringLiteral("000000000000"), 3, true), QStringLiteral("000100000000"));
    QCOMPARE(toggledSelection(QStringLiteral("111111111111"), 11, false), QStringLiteral("111111111110"));
    // A malformed selection never grows into a malformed one.
    QCOMPARE(toggledSelection(QStringLiteral("1"), 0, true), QStringLiteral("100000000000"));
    QCOMPARE(toggledSelection(QStringLiteral("000000000000"), 12, true), QStringLiteral("000000000000"));
    QVERIFY(noLedSelected(QStringLiteral("000000000000")));
    QVERIFY(!noLedSelected(QStringLiteral("000000000010")));
    QCOMPARE(factorText(0.3F), QStringLiteral("0.3"));
    QCOMPARE(factorText(1.0F), QStringLiteral("1"));
}

void ViewRulesTest::errorLine() {
    // Without a catalogue the keys themselves show.
    QCOMPARE(errorLineText(0, 0), QStringLiteral("Error_Code_H_0x0001 (Error Code:H_0x0001)"));
    QCOMPARE(errorLineText(0, 3), QStringLiteral("Error_Code_H_0x0004 (Error Code:H_0x0004)"));
    QCOMPARE(errorLineText(1, 0), QStringLiteral("Error_Code_S_0x0002 (Error Code:S_0x0002)"));
    // Found, but access refused.
    QCOMPARE(errorLineText(0, 4), QStringLiteral("Error_Code_H_0x0005 (Error Code:H_0x0005)"));
    QVERIFY(errorLineText(0, 5).isEmpty());
    QVERIFY(errorLineText(2, 0).isEmpty());
    QCOMPARE(lightModeName(17), QStringLiteral("Shooting Start"));
    QVERIFY(lightModeName(21).isEmpty());
}

QTEST_GUILESS_MAIN(ViewRulesTest)
#include "tst_viewrules.moc"
