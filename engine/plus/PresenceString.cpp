#include "PresenceString.h"

#include "FanRecords.h"

#include <algorithm>

namespace zyne {

PresenceString::PresenceString() : m_text(kBoxCount, QLatin1Char('0')) {}

QString PresenceString::text() const {
    std::lock_guard lock(m_mutex);
    return m_text;
}

bool PresenceString::isPresent(int box) const {
    std::lock_guard lock(m_mutex);
    return isBoxIndex(box) && m_text.at(box) != QLatin1Char('0');
}

void PresenceString::setPresent(int box, bool present) {
    if (!isBoxIndex(box))
        return;
    std::lock_guard lock(m_mutex);
    m_text[box] = present ? QLatin1Char('1') : QLatin1Char('0');
}

void PresenceString::setCount(int box, int count) {
    if (!isBoxIndex(box))
        return;
    std::lock_guard lock(m_mutex);
    m_text[box] = QLatin1Char(static_cast<char>('0' + std::clamp(count, 0, 9)));
}

PresenceString& checkControllerStr() {
    static PresenceString plus;
    return plus;
}

PresenceString& awtPresenceStr() {
    static PresenceString awt;
    return awt;
}

PresenceString& classicPresenceStr() {
    static PresenceString classic;
    return classic;
}

} // namespace zyne
