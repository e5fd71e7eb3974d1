// The device views of the selected box: the Plus carousel, the three classic fan views and the
// coupler view, and which of them the box kind shows.
#include "MainView.h"

#include "CouplerPlusView.h"
#include "ErrorLine.h"
#include "InSeries.h"
#include "PlusCarousel.h"

#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>

Q_DECLARE_LOGGING_CATEGORY(lcMainView)

namespace zyne::ui {

RainbowFan* MainView::plusView(int port) const {
    return m_carousel->view(port);
}

ZyneRGBFanView* MainView::classicView(int fan) const {
    return fan >= 0 && fan < kClassicViewCount ? m_classicViews[static_cast<std::size_t>(fan)] : nullptr;
}

void MainView::buildClassicViews() {
    for (int fan = 0; fan < kClassicViewCount; ++fan) {
        auto* view = new ZyneRGBFanView(fan, this);
        view->move(20 + 329 * fan, 105);
        view->hide();
        connect(view, &ZyneRGBFanView::sendData, this, &MainView::receiveZyneData);
        connect(view, &ZyneRGBFanView::sendRGBData, this, &MainView::receiveZyneRGBData);
        m_classicViews[static_cast<std::size_t>(fan)] = view;
    }
}

// The coupler has no carousel: its view stands in the front slot and acts through port 0's view.
void MainView::buildCoupler() {
    m_coupler = new CouplerPlusView(m_carousel->view(0), this);
    m_coupler->setGeometry(carouselSlotRect(1));
    m_coupler->hide();
}

void MainView::setBoxType(int kind) {
    qCDebug(lcMainView) << "boxType:" << kind;
    m_boxType = kind;
    const bool plus = kind == kBoxKindPlus || kind == kBoxKindAwt;
    m_carousel->setVisible(plus);
    for (ZyneRGBFanView* classic : m_classicViews)
        classic->setVisible(kind == kBoxKindClassic);
    m_coupler->setVisible(kind == kBoxKindCoupler);
    if (kind == kBoxKindCoupler) {
        m_coupler->refresh();
        m_coupler->raise();
    }
    // The series effects run on Plus boxes.
    m_seriesButton->setVisible(plus);
    if (!plus)
        m_series->hide();
    if (plus) {
        for (RainbowFan* fan : m_carousel->views())
            fan->setBoxType(kind);
    }
    m_errorLine->raise();
}

} // namespace zyne::ui
