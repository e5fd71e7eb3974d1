#include "AlertView.h"

#include "Pictures.h"
#include "UiTexts.h"

#include <QLabel>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

Q_LOGGING_CATEGORY(lcAlert, "zyne.ui.alert")

namespace zyne::ui {

AlertView::AlertView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("AlertView"));
    setWindowFlags(windowFlags() | Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kWidth, kHeight);

    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("label_caption"));
    m_caption->setGeometry(100, 26, 300, 30);
    m_caption->setStyleSheet(
        QStringLiteral("color: #ffb340; font-family: Arial; font-size: 20px; font-weight: bold;"));
    m_controller = new QLabel(this);
    m_controller->setObjectName(QStringLiteral("label_controller"));
    m_controller->setGeometry(100, 64, 300, 26);
    m_controller->setStyleSheet(
        QStringLiteral("color: white; font-family: Arial; font-size: 16px; font-weight: bold;"));
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("label_text"));
    m_text->setGeometry(100, 94, 304, 84);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setStyleSheet(QStringLiteral("color: #c8ced6; font-family: Arial; font-size: 13px;"));

    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("btn_fanAlertOK"));
    m_ok->setGeometry((kWidth - 80) / 2, 200, 80, 33);
    m_ok->setCursor(Qt::PointingHandCursor);
    m_ok->setStyleSheet(QStringLiteral("QPushButton {color: white; font-family: Arial; font-size: 14px;"
                                       " font-weight: bold; border: none; %1}"
                                       "QPushButton:pressed {%2}")
                            .arg(borderImage(QStringLiteral("btn_save.png")),
                                 borderImage(QStringLiteral("btn_save_h.png"))));
    connect(m_ok, &QPushButton::released, this, &AlertView::on_pushButton_clicked);
    retranslate();
}

void AlertView::setBoxNumber(int box) {
    m_box = box;
    m_controller->setText(controllerText());
}

QString AlertView::controllerText() const {
    return AlertViewText::tr("Controller No. ") + QString::number(m_box + 1);
}

void AlertView::retranslate() {
    m_caption->setText(AlertViewText::tr("Warning"));
    m_controller->setText(controllerText());
    m_text->setText(AlertViewText::tr("A monitored fan on this controller has stopped. Please check that it "
                                      "is connected and that nothing blocks its blades."));
    m_ok->setText(AlertViewText::tr("OK"));
}

void AlertView::on_pushButton_clicked() {
    qCDebug(lcAlert) << "close()";
    emit alertViewSendData(QStringLiteral("test"));
    hide();
}

void AlertView::changeEvent(QEvent* event) {
    // Not part of the main view: it follows a language change by itself.
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void AlertView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), picture(QStringLiteral("warn_background.png")));
}

void AlertView::mousePressEvent(QMouseEvent* event) {
    m_pressPosition = event->globalPos() - frameGeometry().topLeft();
    m_dragging = event->pos().y() < kDragAreaHeight;
    QWidget::mousePressEvent(event);
}

void AlertView::mouseMoveEvent(QMouseEvent* event) {
    // Only a drag that began on the upper part moves the panel.
    if (m_dragging && (event->buttons() & Qt::LeftButton) && event->pos().y() < kDragAreaHeight)
        move(event->globalPos() - m_pressPosition);
    QWidget::mouseMoveEvent(event);
}

} // namespace zyne::ui
