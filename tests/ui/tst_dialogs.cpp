// The alert and information windows as a user meets them: texts, buttons, dragging, closing.
#include "AlertView.h"
#include "InSeries.h"
#include "InfoView.h"
#include "MainView.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QtTest>

using namespace zyne::ui;

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void alertNamesTheBoxFromOne();
    void alertOkReportsAndHides();
    void alertDragsOnlyByItsUpperPart();
    void infoListsReadingsAndClosingOnlyHides();
    void seriesPickersWrap();
    void seriesLedsFollowTheColourMode();
};

void DialogsTest::alertNamesTheBoxFromOne() {
    AlertView alert;
    alert.setBoxNumber(0);
    QCOMPARE(alert.findChild<QLabel*>(QStringLiteral("label_controller"))->text(),
             QStringLiteral("Controller No. 1"));
    alert.setBoxNumber(15);
    QCOMPARE(alert.controllerText(), QStringLiteral("Controller No. 16"));
    QVERIFY(alert.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(alert.size(), QSize(428, 248));
    QCOMPARE(alert.findChild<QAbstractButton*>(QStringLiteral("btn_fanAlertOK"))->size(), QSize(80, 33));
}

void DialogsTest::alertOkReportsAndHides() {
    AlertView alert;
    alert.show();
    QSignalSpy spy(&alert, &AlertView::alertViewSendData);
    QTest::mouseClick(alert.findChild<QAbstractButton*>(QStringLiteral("btn_fanAlertOK")), Qt::LeftButton);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("test"));
    QVERIFY(alert.isHidden());
}

void DialogsTest::alertDragsOnlyByItsUpperPart() {
    AlertView alert;
    alert.move(100, 100);
    alert.show();
    QVERIFY(QTest::qWaitForWindowExposed(&alert));
    const QPoint start = alert.pos();
    // A press on the text part, then a move up into the drag area: the panel stays.
    QTest::mousePress(&alert, Qt::LeftButton, {}, QPoint(60, 200));
    QMouseEvent lower(QEvent::MouseMove, QPoint(90, 150), alert.mapToGlobal(QPoint(90, 150)), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&alert, &lower);
    QTest::mouseRelease(&alert, Qt::LeftButton, {}, QPoint(90, 150));
    QCOMPARE(alert.pos(), start);
    // A press near the top drags by the pointer's way.
    QTest::mousePress(&alert, Qt::LeftButton, {}, QPoint(60, 20));
    QMouseEvent upper(QEvent::MouseMove, QPoint(90, 60), alert.mapToGlobal(QPoint(90, 60)), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&alert, &upper);
    QCOMPARE(alert.pos(), start + QPoint(30, 40));
}

void DialogsTest::infoListsReadingsAndClosingOnlyHides() {
    MainView view;
    view.setProgramVersion(QStringLiteral("1.1.5"));
    view.setLocalAddress(QStringLiteral("pc IP Address:10.0.0.2"));
    InfoView* info = view.infoView();
    QVERIFY(info->isHidden());
    view.show();
    QSignalSpy sent(&view, &MainView::sendData);
    QTest::mouseClick(view.findChild<QAbstractButton*>(QStringLiteral("Info")), Qt::LeftButton);
    QVERIFY(info->isVisible());
    QCOMPARE(sent.last().at(0).toStringList(), (QStringList{"showInfo", "showInfo"}));
    QVERIFY(info->findChild<QLabel*>(QStringLiteral("label_noReadings"))->isVisible());
    info->setReadings({QStringLiteral("CPU Package: 41 \u00B0C"), QStringLiteral("Core #0: 39 \u00B0C")});
    QCOMPARE(info->findChild<QListWidget*>()->count(), 2);
    QVERIFY(!info->findChild<QLabel*>(QStringLiteral("label_noReadings"))->isVisible());
    QCOMPARE(info->findChild<QLabel*>(QStringLiteral("label_versions"))->text(),
             QStringLiteral("V 1.1.5 , F 0.0.0"));
    QTest::mouseClick(info->findChild<QAbstractButton*>(QStringLiteral("btn_infoClose")), Qt::LeftButton);
    QVERIFY(info->isHidden());
    // Shown again with what it held.
    view.showInfo();
    QVERIFY(info->isVisible());
    QCOMPARE(info->readings().size(), 2);
}

namespace {
QAbstractButton* seriesButton(InSeries& series, const char* name) {
    return series.findChild<QAbstractButton*>(QLatin1String(name));
}
} // namespace

void DialogsTest::seriesPickersWrap() {
    MainView view;
    InSeries& series = *view.seriesView();
    view.show();
    QTest::mouseClick(view.findChild<QAbstractButton*>(QStringLiteral("btn_series")), Qt::LeftButton);
    QVERIFY(series.isVisible());
    QSignalSpy speeds(&series, &InSeries::sendSeriesLightSpeed);
    QSignalSpy modes(&series, &InSeries::sendSeriesLightMode);
    QSignalSpy colours(&series, &InSeries::sendSeriesColorMode);
    // Speed 0 is the fastest: right goes from 0 round to 3, left from 3 round to 0.
    QTest::mouseClick(seriesButton(series, "btn_seriesLightSpeedRight"), Qt::LeftButton);
    QCOMPARE(series.lightSpeed(), 3);
    QTest::mouseClick(seriesButton(series, "btn_seriesLightSpeedLeft"), Qt::LeftButton);
    QCOMPARE(series.lightSpeed(), 0);
    QCOMPARE(speeds.size(), 2);
    QTest::mouseClick(seriesButton(series, "btn_seriesLightModeLeft"), Qt::LeftButton);
    QCOMPARE(series.lightMode(), 3);
    QTest::mouseClick(seriesButton(series, "btn_seriesLightModeRight"), Qt::LeftButton);
    QTest::mouseClick(seriesButton(series, "btn_seriesLightModeRight"), Qt::LeftButton);
    QCOMPARE(modes.size(), 3);
    QCOMPARE(modes.last().at(0).toInt(), 1);
    QTest::mouseClick(seriesButton(series, "btn_seriesColorModeLeft"), Qt::LeftButton);
    QCOMPARE(colours.last().at(0).toInt(), 1);
    // Closing ends the running effect and hides the panel.
    QTest::mouseClick(seriesButton(series, "btn_closeSeries"), Qt::LeftButton);
    QCOMPARE(modes.last().at(0).toInt(), 0);
    QCOMPARE(series.lightMode(), 0);
    QVERIFY(series.isHidden());
    // Only Plus boxes run series effects.
    view.setBoxType(kBoxKindClassic);
    QVERIFY(!view.findChild<QAbstractButton*>(QStringLiteral("btn_series"))->isVisible());
}

void DialogsTest::seriesLedsFollowTheColourMode() {
    InSeries series;
    series.show();
    QAbstractButton* led = seriesButton(series, "5");
    QTest::mouseClick(led, Qt::LeftButton);
    QVERIFY(led->isChecked());
    QCOMPARE(led->size(), QSize(34, 34));
    const QPoint centre = led->geometry().center();
    QTest::mouseClick(led, Qt::LeftButton);
    QCOMPARE(led->size(), QSize(20, 20));
    QVERIFY((led->geometry().center() - centre).manhattanLength() <= 1);
    // One colour for the whole fan selects every LED, and they stay selected.
    QTest::mouseClick(seriesButton(series, "btn_seriesColorModeRight"), Qt::LeftButton);
    for (int i = 1; i <= 12; ++i)
        QVERIFY(seriesButton(series, QByteArray::number(i).constData())->isChecked());
    QTest::mouseClick(led, Qt::LeftButton);
    QVERIFY(led->isChecked());
    QTest::mouseClick(seriesButton(series, "btn_seriesColorModeRight"), Qt::LeftButton);
    QVERIFY(!led->isChecked());
}

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
