#include "InfoView.h"

#include "Pictures.h"
#include "Theme.h"
#include "UiTexts.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

Q_LOGGING_CATEGORY(lcInfo, "zyne.ui.info")

namespace zyne::ui {

namespace {
QLabel* label(QWidget* parent, const char* name, QRect geometry, const char* style) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setStyleSheet(QLatin1String(style));
    return l;
}
} // namespace

InfoView::InfoView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("InfoView"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kWidth, kHeight);

    auto* icon = new QLabel(this);
    icon->setGeometry(20, 14, 28, 28);
    icon->setPixmap(picture(QStringLiteral("info_icon.png")));
    icon->setScaledContents(true);
    m_title = label(this, "label_title", QRect(58, 14, 300, 28),
                    "color: white; font-family: Arial; font-size: 17px; font-weight: bold;");
    m_close = new QPushButton(this);
    m_close->setObjectName(QStringLiteral("btn_infoClose"));
    m_close->setGeometry(kWidth - 40, 16, 22, 22);
    m_close->setCursor(Qt::PointingHandCursor);
    m_close->setStyleSheet(QStringLiteral("QPushButton {border: none; %1}").arg(borderImage(QStringLiteral("btn_close.png"))));
    connect(m_close, &QPushButton::released, this, &QWidget::close);

    m_versions = label(this, "label_versions", QRect(20, 62, 400, 20),
                       "color: #d8dde3; font-family: Arial; font-size: 13px;");
    m_address = label(this, "label_address", QRect(20, 84, 400, 20),
                      "color: #8a94a0; font-family: Arial; font-size: 12px;");
    m_readingsCaption = label(this, "label_readings", QRect(20, 116, 400, 18), theme::kCaption);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("list_readings"));
    m_list->setGeometry(20, 138, 400, 242);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setStyleSheet(QStringLiteral(
        "QListWidget {color: #d8dde3; background: #14181d; border: 1px solid #2f3740; border-radius: 8px;"
        " font-family: Arial; font-size: 12px; padding: 6px;}"
        "QListWidget::item {padding: 3px 4px; border-bottom: 1px solid #20262d;}"
        "QScrollBar:vertical {width: 8px; background: transparent;}"
        "QScrollBar::handle:vertical {background: #3a4450; border-radius: 4px; min-height: 24px;}"
        "QScrollBar::add-line, QScrollBar::sub-line {height: 0;}"));
    m_empty = label(this, "label_noReadings", QRect(30, 240, 380, 40),
                    "color: #6a737d; font-family: Arial; font-size: 13px;");
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setWordWrap(true);
    retranslate();
}

void InfoView::setVersions(const QString& versionText) {
    m_versions->setText(versionText);
}

void InfoView::setAddress(const QString& address) {
    m_address->setText(address);
}

void InfoView::setReadings(const QStringList& readings) {
    m_readings = readings;
    refreshReadings();
}

void InfoView::refreshReadings() {
    m_list->clear();
    m_list->addItems(m_readings);
    m_empty->setVisible(m_readings.isEmpty());
    m_empty->raise();
}

void InfoView::retranslate() {
    m_title->setText(InfoViewText::tr("Information"));
    m_readingsCaption->setText(InfoViewText::tr("SENSOR READINGS"));
    m_empty->setText(InfoViewText::tr("No sensor readings. The hardware monitors of this PC could not be read."));
    refreshReadings();
}

void InfoView::closeEvent(QCloseEvent* event) {
    // The window is made once and shown again from the main view: closing only hides it.
    qCDebug(lcInfo) << "InfoView--WM_CLOSE";
    hide();
    event->ignore();
}

void InfoView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), picture(QStringLiteral("info_background.png")));
}

void InfoView::mousePressEvent(QMouseEvent* event) {
    m_pressPosition = event->globalPos() - frameGeometry().topLeft();
    QWidget::mousePressEvent(event);
}

void InfoView::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) && event->pos().y() < 52)
        move(event->globalPos() - m_pressPosition);
    QWidget::mouseMoveEvent(event);
}

} // namespace zyne::ui
