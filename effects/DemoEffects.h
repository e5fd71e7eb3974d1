#pragma once

#include "DemoEffect.h"

namespace zyne {

// The nine built-in shows, by number 0..8 (demoEffectFrames).
class HelloVX : public DemoEffect {
public:
    HelloVX();
};
class HelloIntel : public DemoEffect {
public:
    HelloIntel();
};
class HelloAMD : public DemoEffect {
public:
    HelloAMD();
};
class HelloNvidia : public DemoEffect {
public:
    HelloNvidia();
};
class HelloASUSROG : public DemoEffect {
public:
    HelloASUSROG();
};
class HelloGigabyte : public DemoEffect {
public:
    HelloGigabyte();
};
class HelloMSI : public DemoEffect {
public:
    HelloMSI();
};
class WelcomeToCES : public DemoEffect {
public:
    WelcomeToCES();
};
class VXNumberOne : public DemoEffect {
public:
    VXNumberOne();
};

} // namespace zyne
