// One classic fan view driven by mouse clicks: the command lists and colours it emits, and how the
// engine's state comes back into it without echoing anything.
#include "ZyneRGBFanView.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

using namespace zyne::ui;

namespace {
QAbstractButton* button(ZyneRGBFanView& view, const char* name) {
    return view.findChild<QAbstractButton*>(QLatin1String(name));
}

void click(ZyneRGBFanView& view, const char* name) {
    QAbstractButton* b = button(view, name);
    QVERIFY2(b, name);
    QTest::mouseClick(b, Qt::LeftButton);
}

QSlider* slider(ZyneRGBFanView& view, const char* name) {
    return view.findChild<QSlider*>(QLatin1String(name));
}

QString speedText(ZyneRGBFanView& view) {
    return view.findChild<QLabel*>(QStringLiteral("RPM"))->text();
}

QList<QStringList> lists(const QSignalSpy& spy) {
    QList<QStringList> all;
    for (const auto& call : spy)
        all << call.at(0).toStringList();
    return all;
}

ClassicViewState state(int lightMode, int speed, bool pwm) {
    ClassicViewState s;
    s.lightMode = lightMode;
    s.red = 200;
    s.green = 100;
    s.blue = 50;
    s.bright = 1.0F;
    s.speed = speed;
    s.pwm = pwm;
    return s;
}

struct Shown {
    explicit Shown(int fan) : view(fan) { view.show(); }
    ZyneRGBFanView view;
};
} // namespace

class ClassicViewTest : public QObject {
    Q_OBJECT
private slots:
    void lightModeButtonsExcludeEachOther();
    void copyAndTurnOffAndMonitor();
    void brightnessSliderRunsFromFullToDark_data();
    void brightnessSliderRunsFromFullToDark();
    void speedTextsFollowThePwmSwitch_data();
    void speedTextsFollowThePwmSwitch();
    void presetsMoveTheSliderAndCantUncheckThemselves();
    void pickingAColourLeavesTheCycle();
    void pressesOutsideTheWheelPickNothing();
    void engineStateEmitsNothing();
};

void ClassicViewTest::lightModeButtonsExcludeEachOther() {
    Shown s(1);
    QSignalSpy spy(&s.view, &ZyneRGBFanView::sendData);
    click(s.view, "Off");
    click(s.view, "RGB");
    click(s.view, "Blink");
    click(s.view, "Blink");
    QCOMPARE(lists(spy), (QList<QStringList>{{"btn_turnoff", "1", "1"},
                                             {"btn_done", "1", "1"},
                                             {"btn_done", "1", "2"},
                                             {"btn_done", "1", "0"}}));
    // Choosing a mode lights the fan again and leaves the other mode.
    QVERIFY(!button(s.view, "Off")->isChecked());
    QVERIFY(!button(s.view, "RGB")->isChecked());
    QVERIFY(!s.view.isTurnedOff());
}

void ClassicViewTest::copyAndTurnOffAndMonitor() {
    Shown s(2);
    s.view.setState(state(2, 3, false));
    s.view.showFanSpeed(0, true);
    QVERIFY(s.view.findChild<QLabel*>(QStringLiteral("stallIndicator"))->isVisible());
    QSignalSpy spy(&s.view, &ZyneRGBFanView::sendData);
    click(s.view, "btn_Copy");
    click(s.view, "Off");
    click(s.view, "Off");
    click(s.view, "btn_fanNum");
    QCOMPARE(lists(spy), (QList<QStringList>{{"btn_copy", "2", "2"},
                                             {"btn_turnoff", "2", "1"},
                                             {"btn_turnoff", "2", "0"},
                                             {"pushMonitor", "2", "0"}}));
    // An unwatched fan shows no stall mark, even while it stands.
    QVERIFY(!s.view.findChild<QLabel*>(QStringLiteral("stallIndicator"))->isVisible());
    // Fan 1 is the one the others copy: it has nothing to copy from.
    ZyneRGBFanView first(0);
    QVERIFY(!button(first, "btn_Copy")->isEnabled());
}

void ClassicViewTest::brightnessSliderRunsFromFullToDark_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("factor");
    QTest::addColumn<QColor>("shown");
    QTest::newRow("left end") << 0 << "1" << QColor(200, 100, 50);
    QTest::newRow("a quarter") << 25 << "0.75" << QColor(150, 75, 37);
    QTest::newRow("right end") << 100 << "0" << QColor(0, 0, 0);
}

void ClassicViewTest::brightnessSliderRunsFromFullToDark() {
    QFETCH(int, position);
    QFETCH(QString, factor);
    QFETCH(QColor, shown);
    Shown s(0);
    s.view.setState(state(0, 3, false));
    slider(s.view, "slider_Light_Fan")->setValue(50);
    QSignalSpy spy(&s.view, &ZyneRGBFanView::sendData);
    slider(s.view, "slider_Light_Fan")->setValue(position);
    QCOMPARE(lists(spy), (QList<QStringList>{{"changeSliderLight", "0", factor}}));
    QCOMPARE(s.view.shownColour(), shown);
}

void ClassicViewTest::speedTextsFollowThePwmSwitch_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("withoutPwm");
    QTest::addColumn<QString>("withPwm");
    QTest::newRow("silent") << 0 << "Silent  0 %" << "Silent  50 %";
    QTest::newRow("1") << 1 << "20 %" << "60 %";
    QTest::newRow("3") << 3 << "60 %" << "80 %";
    QTest::newRow("performance") << 5 << "Performance\n100 %" << "Performance\n100 %";
}

void ClassicViewTest::speedTextsFollowThePwmSwitch() {
    QFETCH(int, level);
    QFETCH(QString, withoutPwm);
    QFETCH(QString, withPwm);
    Shown s(0);
    s.view.setState(state(0, level == 2 ? 4 : 2, false));
    QSignalSpy spy(&s.view, &ZyneRGBFanView::sendData);
    slider(s.view, "slider_RPM_Fan")->setValue(level);
    QCOMPARE(speedText(s.view), withoutPwm);
    click(s.view, "PWM");
    QCOMPARE(speedText(s.view), withPwm);
    click(s.view, "PWM");
    QCOMPARE(speedText(s.view), withoutPwm);
    QCOMPARE(lists(spy), (QList<QStringList>{{"changeSliderFanSpeed", "0", QString::number(level)},
                                             {"btn_pwm", "0", "1"},
                                             {"btn_pwm", "0", "0"}}));
    QCOMPARE(button(s.view, "Performance")->isChecked(), level == 5);
    QCOMPARE(button(s.view, "Silent")->isChecked(), level == 0);
}

void ClassicViewTest::presetsMoveTheSliderAndCantUncheckThemselves() {
    Shown s(1);
    s.view.setState(state(0, 3, false));
    QSignalSpy spy(&s.view, &ZyneRGBFanView::sendData);
    click(s.view, "Performance");
    QCOMPARE(slider(s.view, "slider_RPM_Fan")->value(), 5);
    click(s.view, "Performance");
    QVERIFY(button(s.view, "Performance")->isChecked());
    click(s.view, "Silent");
    QVERIFY(!button(s.view, "Performance")->isChecked());
    QVERIFY(button(s.view, "Silent")->isChecked());
    QCOMPARE(slider(s.view, "slider_RPM_Fan")->value(), 0);
    // The level goes to the engine with the slider; the second press sends nothing.
    QCOMPARE(lists(spy), (QList<QStringList>{{"changeSliderFanSpeed", "1", "5"},
                                             {"btn_performance", "1"},
                                             {"changeSliderFanSpeed", "1", "0"},
                                             {"btn_silent", "1"}}));
}

void ClassicViewTest::pickingAColourLeavesTheCycle() {
    Shown s(2);
    s.view.setState(state(1, 3, false));
    slider(s.view, "slider_Light_Fan")->setValue(20);
    QSignalSpy lists_(&s.view, &ZyneRGBFanView::sendData);
    QSignalSpy colours(&s.view, &ZyneRGBFanView::sendRGBData);
    // Right of the centre of the wheel: saturated colour, not the white middle.
    const QPoint at = s.view.paletteRect().center() + QPoint(60, 0);
    QTest::mouseClick(&s.view, Qt::LeftButton, {}, at);
    QCOMPARE(colours.size(), 1);
    const QColor picked(colours.at(0).at(0).toInt(), colours.at(0).at(1).toInt(), colours.at(0).at(2).toInt());
    QVERIFY2(picked.saturation() > 150, qPrintable(picked.name()));
    QCOMPARE(colours.at(0).at(3).toFloat(), 0.8F);
    QCOMPARE(colours.at(0).at(4).toInt(), 2);
    QCOMPARE(lists(lists_), (QList<QStringList>{{"btn_done", "2", "0"}}));
    QCOMPARE(s.view.lightMode(), 0);
    QVERIFY(!button(s.view, "RGB")->isChecked());
    QCOMPARE(s.view.colour(), picked);

    // In Blink the picked colour blinks.
    click(s.view, "Blink");
    QTest::mouseClick(&s.view, Qt::LeftButton, {}, s.view.paletteRect().center() + QPoint(0, 60));
    QCOMPARE(lists(lists_).last(), (QStringList{"btn_done", "2", "2"}));
}

void ClassicViewTest::pressesOutsideTheWheelPickNothing() {
    Shown s(0);
    QSignalSpy colours(&s.view, &ZyneRGBFanView::sendRGBData);
    const QRect wheel = s.view.paletteRect();
    // The square's corner lies outside the circle; so does the fan picture beside it.
    QTest::mouseClick(&s.view, Qt::LeftButton, {}, wheel.topLeft() + QPoint(4, 4));
    QTest::mouseClick(&s.view, Qt::LeftButton, {}, wheel.center() + QPoint(0, 76));
    QTest::mouseClick(&s.view, Qt::LeftButton, {}, QPoint(233, 269));
    QCOMPARE(colours.size(), 0);
}

void ClassicViewTest::engineStateEmitsNothing() {
    Shown s(1);
    QSignalSpy spy(&s.view, &ZyneRGBFanView::sendData);
    QSignalSpy colours(&s.view, &ZyneRGBFanView::sendRGBData);
    ClassicViewState reported = state(2, 5, true);
    reported.bright = 0.25F;
    reported.isTurnOff = true;
    reported.monitor = false;
    s.view.setState(reported);
    QVERIFY(spy.isEmpty());
    QVERIFY(colours.isEmpty());
    QVERIFY(button(s.view, "Blink")->isChecked());
    QVERIFY(!button(s.view, "RGB")->isChecked());
    QVERIFY(button(s.view, "Off")->isChecked());
    QVERIFY(!button(s.view, "btn_fanNum")->isChecked());
    QVERIFY(button(s.view, "PWM")->isChecked());
    QVERIFY(button(s.view, "Performance")->isChecked());
    QCOMPARE(slider(s.view, "slider_Light_Fan")->value(), 75);
    QCOMPARE(slider(s.view, "slider_RPM_Fan")->value(), 5);
    QCOMPARE(speedText(s.view), QStringLiteral("Performance\n100 %"));
    // Values out of range from a damaged profile are held to what the controls can show.
    reported.red = 999;
    reported.bright = 7.0F;
    reported.speed = -3;
    s.view.setState(reported);
    QCOMPARE(s.view.colour().red(), 255);
    QCOMPARE(s.view.bright(), 1.0F);
    QCOMPARE(slider(s.view, "slider_RPM_Fan")->value(), 0);
    QVERIFY(spy.isEmpty());
}

QTEST_MAIN(ClassicViewTest)
#include "tst_classicview.moc"
