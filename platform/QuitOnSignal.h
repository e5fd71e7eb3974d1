#pragma once

#include <QObject>

namespace zyne {

// Turns SIGINT and SIGTERM into an orderly quit of the event loop, like the tray's "Exit".
class QuitOnSignal : public QObject {
    Q_OBJECT
public:
    explicit QuitOnSignal(QObject* parent = nullptr);
};

} // namespace zyne
