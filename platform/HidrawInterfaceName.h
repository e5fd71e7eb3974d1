#pragma once

#include <QString>
#include <QtGlobal>

namespace zyne {

// The Windows-form interface name of a hidraw node from its sysfs device path, e.g.
// /devices/.../0003:264A:1FA5.0001/hidraw/hidraw0 -> \\?\HID#VID_264A&PID_1FA5#hidraw0#{...}.
// The ids come from the path itself, so a node that is already gone is still named. Empty when
// the path holds no HID device of the form bus:vendor:product.instance.
QString hidrawInterfaceName(const QString& devpath);

// The vendor and product id of the HID device a sysfs path lies below; false when there is none.
bool hidIdsFromDevpath(const QString& devpath, quint16* vendorId, quint16* productId);

} // namespace zyne
