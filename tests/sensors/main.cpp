#include "SensorsTests.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int failed = 0;
    for (auto run : {runLevelMeterTest, runPulseMeterTest, runHwinfoTest}) {
        failed += run(argc, argv) != 0 ? 1 : 0;
    }
    return failed;
}
