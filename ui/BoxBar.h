#pragma once

#include <QScrollArea>

class QButtonGroup;
class QPushButton;

namespace zyne::ui {

// The scrolling bar of the 16 controller-box buttons ("0" … "15", captions "1" … "16").
class BoxBar : public QScrollArea {
    Q_OBJECT
public:
    explicit BoxBar(QWidget* parent = nullptr);

    QPushButton* button(int box) const;
    QButtonGroup* group() const { return m_group; }
    void setPresent(int box, bool present);
    bool isPresent(int box) const;
    void select(int box);
    int position() const;
    void setPosition(int position);

private:
    QButtonGroup* m_group;
};

} // namespace zyne::ui
