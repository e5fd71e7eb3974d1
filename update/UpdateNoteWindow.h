#pragma once

#include <QUrl>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zyne::update {

// The small frameless window with the update service's note and, when a new version can't be
// handed to an updater, its download address: a click opens it in the user's browser.
class UpdateNoteWindow : public QWidget {
    Q_OBJECT
public:
    explicit UpdateNoteWindow(QWidget* parent = nullptr);

    // downloadUrl: empty for a note alone. Only an address the service may use is offered.
    void showNote(const QString& note, const QUrl& downloadUrl);
    QUrl downloadUrl() const { return m_downloadUrl; }

signals:
    void closeRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void openDownload();

    QLabel* m_title;
    QPlainTextEdit* m_note;
    QLabel* m_addressCaption;
    QPushButton* m_address;
    QPushButton* m_close;
    QUrl m_downloadUrl;
    QPoint m_dragOffset;
};

} // namespace zyne::update
