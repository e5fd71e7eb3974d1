#include "DeviceTest.h"
#include "ExchangeTest.h"

#include <QtTest>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int failures = 0;
    ExchangeTest exchange;
    failures += QTest::qExec(&exchange, argc, argv);
    DeviceTest devices;
    failures += QTest::qExec(&devices, argc, argv);
    return failures == 0 ? 0 : 1;
}
