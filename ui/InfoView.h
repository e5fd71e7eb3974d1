#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

namespace zyne::ui {

// The information window: program and firmware versions, the PC's address and every sensor reading
// of the last scan. Closing it only hides it.
class InfoView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 440;
    static constexpr int kHeight = 400;

    explicit InfoView(QWidget* parent = nullptr);

    void setVersions(const QString& versionText);
    void setAddress(const QString& address);
    void setReadings(const QStringList& readings);
    QStringList readings() const { return m_readings; }
    void retranslate();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void refreshReadings();

    QStringList m_readings;
    QPoint m_pressPosition;
    QLabel* m_title = nullptr;
    QLabel* m_versions = nullptr;
    QLabel* m_address = nullptr;
    QLabel* m_readingsCaption = nullptr;
    QListWidget* m_list = nullptr;
    QLabel* m_empty = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace zyne::ui
