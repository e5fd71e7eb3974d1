#include "SensorsLog.h"

Q_LOGGING_CATEGORY(lcSensors, "zyne.sensors")
