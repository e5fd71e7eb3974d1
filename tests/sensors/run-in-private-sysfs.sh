#!/bin/sh
# Runs a test with an empty tmpfs over /sys/class in a private mount namespace, so it can build the
# hwmon folders libsensors reads. Without root the test runs as it is and skips those cases.
if [ "$(id -u)" = 0 ] && unshare --mount --propagation private true 2>/dev/null; then
    exec unshare --mount --propagation private sh -c 'mount -t tmpfs zyne-sysfs /sys/class && exec "$@"' sh "$@"
fi
exec "$@"
