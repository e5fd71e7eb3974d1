// One Plus device view driven by mouse clicks: the command lists and colour data it emits.
#include "FanNameLineEdit.h"
#include "RainbowFan.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

using namespace zyne::ui;

namespace {
QAbstractButton* button(RainbowFan& fan, const char* name) {
    return fan.findChild<QAbstractButton*>(QLatin1String(name));
}

void click(RainbowFan& fan, const char* name) {
    QAbstractButton* b = button(fan, name);
    QVERIFY2(b, name);
    QTest::mouseClick(b, Qt::LeftButton);
}

QStringList lastList(const QSignalSpy& spy) {
    return spy.isEmpty() ? QStringList() : spy.last().at(0).toStringList();
}

PortViewState state(int lightMode, int colorMode) {
    PortViewState s;
    s.lightMode = lightMode;
    s.colorMode = colorMode;
    s.lightSpeed = 2;
    s.bright.fill(1.0F);
    s.red.fill(10);
    s.green.fill(20);
    s.blue.fill(30);
    return s;
}

struct ShownFan {
    explicit ShownFan(int port) : fan(port) {
        fan.setFanLocation(1);
        fan.show();
    }
    RainbowFan fan;
};
} // namespace

class RainbowFanTest : public QObject {
    Q_OBJECT
private slots:
    void lightModeArrowsEmitByMode();
    void colorModeArrowsSelectLeds();
    void lightSpeedArrows();
    void fanSpeedSlidersShowTheirTexts();
    void brightnessNeedsASelectedLed();
    void deviceKindsFollowTheBox();
    void resetFromTheEngineEmitsNothing();
    void paletteGivesTheColourUnderTheCursor();
    void copyModeSendsNoColours();
    void fanNameIsCleaned();
    void backSlotClicksRotate();
};

void RainbowFanTest::lightModeArrowsEmitByMode() {
    ShownFan first(0);
    QSignalSpy sent(&first.fan, &RainbowFan::sendData);
    first.fan.resetFanView(state(6, 1));
    click(first.fan, "btn_LightModeRight");
    // Port 0 has no Copy: from Light straight to Music_1, colour mode back to RGB.
    QCOMPARE(lastList(sent), QStringList({"btn_music", "0", "8", "2", "0"}));

    ShownFan second(2);
    QSignalSpy sentSecond(&second.fan, &RainbowFan::sendData);
    second.fan.resetFanView(state(6, 1));
    click(second.fan, "btn_LightModeRight");
    QCOMPARE(lastList(sentSecond), QStringList({"btn_copy", "2", "7", "2", "0"}));
    click(second.fan, "btn_LightModeLeft");
    QCOMPARE(lastList(sentSecond), QStringList({"btn_done", "2", "6", "2", "0"}));

    // Picking a mode turns the port's LEDs back on.
    second.fan.resetFanView(state(0, 2));
    click(second.fan, "btn_turnoff");
    QCOMPARE(lastList(sentSecond), QStringList({"btn_turnoff", "2", "0", "2", "2"}));
    click(second.fan, "btn_LightModeLeft");
    QCOMPARE(lastList(sentSecond).first(), QStringLiteral("btn_done"));
    QVERIFY(!button(second.fan, "btn_turnoff")->isChecked());
}

void RainbowFanTest::colorModeArrowsSelectLeds() {
    ShownFan shown(1);
    RainbowFan& fan = shown.fan;
    QSignalSpy sent(&fan, &RainbowFan::sendData);
    fan.resetFanView(state(2, 0)); // Radar
    click(fan, "btn_ColorModeLeft");
    QCOMPARE(lastList(sent), QStringList({"btn_done", "1", "2", "2", "1"}));
    QCOMPARE(fan.selectLED(), QStringLiteral("111111111111"));

    fan.resetFanView(state(0, 0)); // Snake
    click(fan, "btn_ColorModeRight");
    QCOMPARE(fan.colorMode(), int(ColorOff));
    QCOMPARE(fan.selectLED(), QStringLiteral("000000000000"));

    fan.resetFanView(state(5, 1)); // Whirl
    click(fan, "btn_ColorModeLeft");
    QCOMPARE(fan.colorMode(), int(ColorRgb));

    // Blink toggles; entering RGB by the right arrow drops the selection.
    fan.resetFanView(state(3, 1));
    click(fan, "btn_ColorModeRight");
    QCOMPARE(fan.colorMode(), int(ColorRgb));
    QCOMPARE(fan.selectLED(), QStringLiteral("000000000000"));
}

void RainbowFanTest::lightSpeedArrows() {
    ShownFan shown(3);
    QSignalSpy sent(&shown.fan, &RainbowFan::sendData);
    shown.fan.resetFanView(state(4, 0));
    click(shown.fan, "btn_LightSpeedLeft");
    QCOMPARE(lastList(sent), QStringList({"btn_done", "3", "4", "3", "0"}));
    click(shown.fan, "btn_LightSpeedLeft");
    QCOMPARE(shown.fan.lightSpeed(), 0);
    click(shown.fan, "btn_LightSpeedRight");
    QCOMPARE(shown.fan.lightSpeed(), 3);
}

void RainbowFanTest::fanSpeedSlidersShowTheirTexts() {
    ShownFan shown(4);
    RainbowFan& fan = shown.fan;
    QSignalSpy sent(&fan, &RainbowFan::sendData);
    auto* percent = fan.findChild<QSlider*>(QStringLiteral("slider_FanSpeed_Per"));
    auto* rpm = fan.findChild<QSlider*>(QStringLiteral("slider_FanSpeed_Num"));
    auto* caption = fan.findChild<QLabel*>(QStringLiteral("label_FanSpeed"));
    percent->setValue(3);
    QCOMPARE(lastList(sent), QStringList({"slider_FanSpeed_Per", "4", "3"}));
    QCOMPARE(caption->text(), QStringLiteral("80 %"));

    click(fan, "btn_pwm");
    QCOMPARE(lastList(sent), QStringList({"btn_pwm", "4", "1"}));
    QVERIFY(rpm->isVisible());
    QVERIFY(!percent->isVisible());
    rpm->setValue(3);
    QCOMPARE(caption->text(), QStringLiteral("30 %"));
    // The performance preset tops the active slider, which the engine hears as its level.
    click(fan, "btn_performance");
    QCOMPARE(sent.at(sent.count() - 2).at(0).toStringList(), QStringList({"btn_performance", "4"}));
    QCOMPARE(lastList(sent), QStringList({"slider_FanSpeed_Num", "4", "10"}));
    QCOMPARE(caption->text(), QStringLiteral("Performance\n100 %"));
}

void RainbowFanTest::brightnessNeedsASelectedLed() {
    ShownFan shown(1);
    RainbowFan& fan = shown.fan;
    fan.resetFanView(state(3, 0));
    QSignalSpy sent(&fan, &RainbowFan::sendData);
    auto* slider = fan.findChild<QSlider*>(QStringLiteral("slider_Light"));
    slider->setValue(4);
    QVERIFY(sent.isEmpty());

    click(fan, "led2");
    QCOMPARE(lastList(sent), QStringList({"selectLEDBtn", "1", "001000000000"}));
    QCOMPARE(fan.findChild<QAbstractButton*>(QStringLiteral("led2"))->width(), 34);
    slider->setValue(3);
    const QStringList brightness = lastList(sent);
    QCOMPARE(brightness.mid(0, 5), QStringList({"slider_Light", "1", "3", "2", "0"}));
    QCOMPARE(brightness.at(5), QStringLiteral("1,1,0.3,1,1,1,1,1,1,1,1,1,1"));
}

void RainbowFanTest::deviceKindsFollowTheBox() {
    ShownFan shown(0);
    RainbowFan& fan = shown.fan;
    auto* selector = fan.findChild<QComboBox*>(QStringLiteral("SelectType"));
    QCOMPARE(selector->count(), 7);
    fan.setBoxType(kBoxKindAwt);
    QCOMPARE(selector->count(), 2);
    QCOMPARE(selector->itemText(1), QStringLiteral("Vela Plus"));
    QSignalSpy sent(&fan, &RainbowFan::sendData);
    selector->setCurrentIndex(1);
    emit selector->activated(1);
    QCOMPARE(lastList(sent), QStringList({"selectFanType", "0", "7"}));
    QCOMPARE(fan.deviceKind(), 7);
    fan.setBoxType(3);
    QCOMPARE(selector->count(), 0);
}

void RainbowFanTest::resetFromTheEngineEmitsNothing() {
    ShownFan shown(2);
    QSignalSpy sent(&shown.fan, &RainbowFan::sendData);
    QSignalSpy colours(&shown.fan, &RainbowFan::sendRGBData);
    PortViewState s = state(14, 1);
    s.pwm = true;
    s.speedNum = 7;
    s.speedPer = 2;
    s.fanType = 2;
    s.isTurnOffLed = true;
    s.fanName = QStringLiteral("Radiator");
    shown.fan.resetFanView(s);
    QVERIFY(sent.isEmpty());
    QVERIFY(colours.isEmpty());
    QCOMPARE(shown.fan.deviceKind(), 2);
    QVERIFY(button(shown.fan, "btn_turnoff")->isChecked());
    QCOMPARE(shown.fan.findChild<QLabel*>(QStringLiteral("label_FanSpeed"))->text(), QStringLiteral("70 %"));
    QCOMPARE(shown.fan.findChild<QLabel*>(QStringLiteral("label_editFanNameLine"))->text(),
             QStringLiteral("Radiator"));
}

void RainbowFanTest::paletteGivesTheColourUnderTheCursor() {
    ShownFan shown(1);
    RainbowFan& fan = shown.fan;
    fan.resetFanView(state(3, 1)); // Single: the whole fan takes the colour
    QSignalSpy sent(&fan, &RainbowFan::sendData);
    QSignalSpy colours(&fan, &RainbowFan::sendRGBData);
    const QPoint centre = paletteCentre();
    // Closed colour panel: no picking.
    QTest::mouseClick(&fan, Qt::LeftButton, {}, centre + QPoint(0, -68));
    QVERIFY(colours.isEmpty());

    click(fan, "btn_showColor");
    // Near the rim straight up: red, fully saturated.
    QTest::mouseClick(&fan, Qt::LeftButton, {}, centre + QPoint(0, -68));
    QCOMPARE(colours.count(), 1);
    const QStringList red = colours.last().at(0).toStringList();
    const QStringList green = colours.last().at(1).toStringList();
    const QStringList blue = colours.last().at(2).toStringList();
    QCOMPARE(red.size(), 13);
    QVERIFY2(red.at(12).toInt() > 220 && green.at(12).toInt() < 80 && blue.at(12).toInt() < 80,
             qPrintable(red.at(12) + "," + green.at(12) + "," + blue.at(12)));
    // The centre is white.
    QTest::mouseClick(&fan, Qt::LeftButton, {}, centre);
    QVERIFY(colours.last().at(1).toStringList().at(12).toInt() > 235);
    QCOMPARE(lastList(sent).first(), QStringLiteral("btn_done"));
    // Outside the circle nothing is picked.
    const int before = colours.count();
    QTest::mouseClick(&fan, Qt::LeftButton, {}, centre + QPoint(70, 70));
    QCOMPARE(colours.count(), before);

    // Typed values go to the selected LEDs in RGB mode.
    ShownFan other(2);
    other.fan.resetFanView(state(3, 0));
    QSignalSpy typed(&other.fan, &RainbowFan::sendRGBData);
    click(other.fan, "led0");
    click(other.fan, "btn_showColor");
    other.fan.findChild<QSpinBox*>(QStringLiteral("colorFieldR"))->setValue(1);
    other.fan.findChild<QSpinBox*>(QStringLiteral("colorFieldG"))->setValue(2);
    other.fan.findChild<QSpinBox*>(QStringLiteral("colorFieldB"))->setValue(3);
    click(other.fan, "btn_colorLabel_OK");
    QCOMPARE(typed.count(), 1);
    QCOMPARE(typed.last().at(0).toStringList().mid(0, 2), QStringList({"1", "10"}));
    QCOMPARE(typed.last().at(2).toStringList().mid(0, 2), QStringList({"3", "30"}));
    QCOMPARE(typed.last().at(4).toInt(), 2);
    QCOMPARE(typed.last().at(5).toString(), QStringLiteral("100000000000"));
}

void RainbowFanTest::copyModeSendsNoColours() {
    ShownFan shown(2);
    shown.fan.resetFanView(state(7, 0));
    QSignalSpy colours(&shown.fan, &RainbowFan::sendRGBData);
    click(shown.fan, "btn_default");
    QVERIFY(colours.isEmpty());
    QVERIFY(!button(shown.fan, "led0")->isEnabled());
}

void RainbowFanTest::fanNameIsCleaned() {
    QCOMPARE(FanNameLineEdit::cleaned(QStringLiteral("  Front\tfan\n ")), QStringLiteral("Frontfan"));
    QCOMPARE(FanNameLineEdit::cleaned(QString(40, QLatin1Char('x'))).size(), FanNameLineEdit::kMaxLength);
    QCOMPARE(FanNameLineEdit::cleaned(QStringLiteral("Top, rear")), QStringLiteral("Top, rear"));
    // What people type is kept: quotes, brackets, other scripts, emoji joined into one picture.
    const QString family = QString::fromUtf8("\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D"
                                             "\xF0\x9F\x91\xA7");
    for (const QString& kept : {QStringLiteral("\"Rear\" [top] {1}"), QStringLiteral("\u524D\u98A8\u6247 (\u0E1E\u0E31\u0E14)"),
                                family, QString::fromUtf8("\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA")})
        QCOMPARE(FanNameLineEdit::cleaned(kept), kept);
    // A direction override or a broken surrogate half never reaches the settings.
    QCOMPARE(FanNameLineEdit::cleaned(QStringLiteral("ab\u202Edc")), QStringLiteral("abdc"));
    QCOMPARE(FanNameLineEdit::cleaned(QString(QChar(0xD83D)) + QStringLiteral("x")), QStringLiteral("x"));
    // The limit counts what a reader sees: 23 letters and an emoji family is 24, kept whole; one more
    // letter before it cuts the emoji as a whole, never one of its halves.
    const QString long23 = QString(23, QLatin1Char('a'));
    QCOMPARE(FanNameLineEdit::cleaned(long23 + family), long23 + family);
    QCOMPARE(FanNameLineEdit::cleaned(long23 + QStringLiteral("b") + family), long23 + QStringLiteral("b"));
    QCOMPARE(FanNameLineEdit::characterCount(long23 + family), 24);

    ShownFan shown(3);
    QSignalSpy sent(&shown.fan, &RainbowFan::sendData);
    click(shown.fan, "btn_editFanName");
    auto* edit = shown.fan.findChild<FanNameLineEdit*>();
    QVERIFY(edit->isVisible());
    QVERIFY(edit->isEnabled());
    // Typing past the limit stops at a whole character.
    edit->clear();
    QTest::keyClicks(edit, QString(30, QLatin1Char('z')));
    QCOMPARE(edit->text(), QString(FanNameLineEdit::kMaxLength, QLatin1Char('z')));
    edit->setText(QStringLiteral("  Pump\u0007 "));
    emit edit->focussed(false);
    QCOMPARE(lastList(sent), QStringList({"finishEdit", "3", "Pump"}));
    // An empty name changes nothing.
    click(shown.fan, "btn_editFanName");
    edit->setText(QStringLiteral("   "));
    emit edit->focussed(false);
    QCOMPARE(sent.count(), 1);
}

void RainbowFanTest::backSlotClicksRotate() {
    RainbowFan fan(4);
    fan.show();
    QSignalSpy sent(&fan, &RainbowFan::sendData);
    QTest::mouseClick(&fan, Qt::LeftButton, {}, QPoint(10, 200));
    QCOMPARE(lastList(sent), QStringList({"counterClockwise", "4"}));
    fan.setFanLocation(3);
    QTest::mouseClick(&fan, Qt::LeftButton, {}, QPoint(10, 200));
    QCOMPARE(lastList(sent), QStringList({"clockwise", "4"}));
}

QTEST_MAIN(RainbowFanTest)
#include "tst_rainbowfan.moc"
