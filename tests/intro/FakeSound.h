#pragma once

#include <string>
#include <vector>

// A stand-in for the sound library: answers as told and logs every call.
struct FakeSound {
    float version = 3.75f;
    bool initSucceeds = true;
    bool loadSucceeds = true;
    std::vector<std::string> calls;
};

extern FakeSound fakeSound;
