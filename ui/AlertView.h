#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;

namespace zyne::ui {

// The stalled-fan warning: a frameless panel naming the controller box, dragged by its upper part
// and closed with OK.
class AlertView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 428;
    static constexpr int kHeight = 248;
    // Presses below this line (the text and the button) never drag the panel.
    static constexpr int kDragAreaHeight = 180;

    explicit AlertView(QWidget* parent = nullptr);

    // The box index 0..15; the panel names it from 1.
    void setBoxNumber(int box);
    QString controllerText() const;
    void retranslate();

signals:
    void alertViewSendData(QString text);

public slots:
    void on_pushButton_clicked();

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    int m_box = 0;
    QPoint m_pressPosition;
    bool m_dragging = false;
    QLabel* m_caption = nullptr;
    QLabel* m_controller = nullptr;
    QLabel* m_text = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace zyne::ui
