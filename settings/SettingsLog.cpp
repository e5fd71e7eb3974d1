#include "SettingsLog.h"

Q_LOGGING_CATEGORY(lcSettings, "zyne.settings")
