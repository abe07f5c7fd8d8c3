#include "intro/Effects.h"

void drawEffects()
{
}
