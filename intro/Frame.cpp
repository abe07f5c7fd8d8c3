#include "intro/Frame.h"

#include "intro/Background.h"
#include "intro/Effects.h"
#include "intro/IntroState.h"
#include "intro/Scroller.h"

namespace {
constexpr float timeStep = 0.08f;
}

void advanceFrame()
{
    ++frameCount;
    introTime = introTime + timeStep;
    addNoise();
    copyBackground();
    drawScroller();
    drawEffects();
}
