#pragma once

#include <QObject>

namespace zyne {

namespace update {
class AutoUpdate;
}

// The main window's part of the update check: with auto update on, one check at start-up against
// the service named in the Main settings.
class UpdateWiring : public QObject {
    Q_OBJECT
public:
    explicit UpdateWiring(QObject* parent);

    // Null while auto update is off (for the whole run).
    update::AutoUpdate* checker() const { return m_checker; }

private:
    update::AutoUpdate* m_checker = nullptr;
};

} // namespace zyne
