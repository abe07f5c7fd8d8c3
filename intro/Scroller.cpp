#include "intro/Scroller.h"

void drawScroller()
{
}
