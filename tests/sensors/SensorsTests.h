#pragma once

// The sensors area runs as one test executable; each group runs through its own QTest::qExec.
int runLevelMeterTest(int argc, char** argv);
int runPulseMeterTest(int argc, char** argv);
int runHwinfoTest(int argc, char** argv);
