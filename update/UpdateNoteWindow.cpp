#include "UpdateNoteWindow.h"

#include "Theme.h"
#include "UpdateProtocol.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zyne::update {

namespace {
struct Text {
    Q_DECLARE_TR_FUNCTIONS(AutoUpdate)
};

constexpr const char* kFrame =
    "#updateNote {background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #1f252c,"
    " stop:1 #14181d); border: 1px solid #03C6F7; border-radius: 8px;}";
constexpr const char* kNote = "QPlainTextEdit {color: #d8dde3; font-family: Arial; font-size: 11px;"
                              " background: #11151a; border: 1px solid #3a4450; border-radius: 5px;}";
constexpr const char* kLink = "QPushButton {color: #03C6F7; font-family: Arial; font-size: 11px;"
                              " text-decoration: underline; text-align: left; border: none;"
                              " background: transparent;}"
                              "QPushButton:hover {color: white;}";
} // namespace

UpdateNoteWindow::UpdateNoteWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("updateNote"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QLatin1String(kFrame));
    setGeometry(100, 100, 300, 300);
    setFixedSize(300, 300);

    m_title = new QLabel(Text::tr("Update Note:"), this);
    m_title->setGeometry(10, 5, 280, 15);
    m_title->setStyleSheet(
        QStringLiteral("color: %1; font-family: Arial; font-size: 12px; font-weight: bold;")
            .arg(QLatin1String(ui::theme::kAccent)));

    m_note = new QPlainTextEdit(this);
    m_note->setObjectName(QStringLiteral("noteText"));
    m_note->setReadOnly(true);
    m_note->setStyleSheet(QLatin1String(kNote));

    m_addressCaption = new QLabel(Text::tr("A new version can be downloaded from:"), this);
    m_addressCaption->setGeometry(10, 208, 280, 15);
    m_addressCaption->setStyleSheet(QLatin1String(ui::theme::kCaption));
    m_address = new QPushButton(this);
    m_address->setObjectName(QStringLiteral("downloadAddress"));
    m_address->setGeometry(10, 224, 280, 18);
    m_address->setCursor(Qt::PointingHandCursor);
    m_address->setStyleSheet(QLatin1String(kLink));
    connect(m_address, &QPushButton::clicked, this, &UpdateNoteWindow::openDownload);

    m_close = new QPushButton(Text::tr("Close"), this);
    m_close->setObjectName(QStringLiteral("closeNote"));
    m_close->setGeometry(110, 266, 80, 24);
    m_close->setStyleSheet(QLatin1String(ui::theme::kButton));
    connect(m_close, &QPushButton::released, this, &UpdateNoteWindow::closeRequested);
}

void UpdateNoteWindow::showNote(const QString& note, const QUrl& downloadUrl) {
    // Plain text: the note comes from the network and is never rendered as markup.
    m_note->setPlainText(note);
    m_downloadUrl = isAllowedServiceAddress(downloadUrl) ? downloadUrl : QUrl();
    const bool offered = !m_downloadUrl.isEmpty();
    m_note->setGeometry(10, 24, 280, offered ? 178 : 232);
    m_addressCaption->setVisible(offered);
    m_address->setVisible(offered);
    if (offered) {
        const QString text = m_downloadUrl.toDisplayString();
        m_address->setText(m_address->fontMetrics().elidedText(text, Qt::ElideMiddle, m_address->width()));
        m_address->setToolTip(text);
    }
    show();
    raise();
    activateWindow();
}

void UpdateNoteWindow::openDownload() {
    if (!m_downloadUrl.isEmpty())
        QDesktopServices::openUrl(m_downloadUrl);
}

void UpdateNoteWindow::mousePressEvent(QMouseEvent* event) {
    // Frameless: the window is moved by dragging it anywhere.
    m_dragOffset = event->globalPos() - frameGeometry().topLeft();
    QWidget::mousePressEvent(event);
}

void UpdateNoteWindow::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPos() - m_dragOffset);
    QWidget::mouseMoveEvent(event);
}

} // namespace zyne::update
