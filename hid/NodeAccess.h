#pragma once

#include "HidBackend.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace zyne {

// Whether this process may open a listed HID interface.
enum class NodeAccess {
    Allowed,
    // Listed by the system, but the node's permissions keep this user out (no udev rule).
    Denied,
    // Gone between listing and opening, or failed for another reason (see the error text).
    Failed,
    // Not a device node (the simulated rig): nothing to check.
    NotANode,
};

struct ListedNode {
    HidDeviceInfo info;
    NodeAccess access = NodeAccess::Failed;
    // The system's error text when access isn't Allowed or NotANode.
    QString error;
};

// Tries to open the node for reading and writing, without blocking and without any I/O, and
// closes it again at once.
NodeAccess nodeAccess(const QString& path, QString* error = nullptr);

// "yes", "no: permission denied", ... for reports.
QString nodeAccessText(const ListedNode& node);

} // namespace zyne
