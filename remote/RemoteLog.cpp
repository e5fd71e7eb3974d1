#include "RemoteLog.h"

Q_LOGGING_CATEGORY(lcRemote, "zyne.remote")
