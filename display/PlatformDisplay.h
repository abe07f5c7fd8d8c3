#pragma once

class DisplayInterface;

// Creates the implementation a Display forwards to; the caller owns it.
DisplayInterface* createPlatformDisplay();
