// Real keys of the SDL2 host arrive with the Win32 virtual-key codes.
#include "sdl2/SdlKeys.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(SdlKeysTest, PhysicalKeysMapToVirtualKeyCodes)
{
    const struct {
        SDL_Scancode scancode;
        int virtualKey;
    } cases[] = {
        {SDL_SCANCODE_A, 'A'},           {SDL_SCANCODE_Z, 'Z'},          {SDL_SCANCODE_1, '1'},
        {SDL_SCANCODE_0, '0'},           {SDL_SCANCODE_F1, VK_F1},       {SDL_SCANCODE_F12, VK_F12},
        {SDL_SCANCODE_RETURN, VK_RETURN}, {SDL_SCANCODE_ESCAPE, VK_ESCAPE}, {SDL_SCANCODE_SPACE, VK_SPACE},
        {SDL_SCANCODE_LEFT, VK_LEFT},    {SDL_SCANCODE_DOWN, VK_DOWN},   {SDL_SCANCODE_INSERT, VK_INSERT},
        {SDL_SCANCODE_DELETE, VK_DELETE}, {SDL_SCANCODE_MINUS, VK_OEM_MINUS}, {SDL_SCANCODE_EQUALS, VK_OEM_PLUS},
        {SDL_SCANCODE_SEMICOLON, VK_OEM_1}, {SDL_SCANCODE_COMMA, VK_OEM_COMMA}, {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD},
        {SDL_SCANCODE_SLASH, VK_OEM_2},  {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4}, {SDL_SCANCODE_BACKSLASH, VK_OEM_5},
        {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6}, {SDL_SCANCODE_LALT, VK_MENU}, {SDL_SCANCODE_RALT, VK_MENU},
        {SDL_SCANCODE_LSHIFT, VK_SHIFT}, {SDL_SCANCODE_RCTRL, VK_CONTROL}, {SDL_SCANCODE_KP_ENTER, VK_RETURN},
        {SDL_SCANCODE_UNKNOWN, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sdlhost::virtualKeyFor(c.scancode), c.virtualKey) << SDL_GetScancodeName(c.scancode);
    }
}

}  // namespace
