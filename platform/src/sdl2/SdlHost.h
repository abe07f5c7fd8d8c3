#pragma once

// The real desktop on Linux: each Win32 window of the model is an SDL window
// that follows its client rectangle, style and visibility, and real keys,
// mouse, focus, moving, sizing and the close button come back as the Win32
// messages they are on Windows. Alt+Space opens the system menu, drawn over
// the client area (SystemMenuOverlay); its Move and Size work with the arrow keys.

#include "desktop/Desktop.h"
#include "sdl2/SystemMenuOverlay.h"

#include <SDL.h>

#include <map>
#include <vector>

namespace sdlhost {

class SdlHost final : public desktop::Host {
public:
    SdlHost() = default;
    ~SdlHost() override;
    SdlHost(const SdlHost&) = delete;
    SdlHost& operator=(const SdlHost&) = delete;

    SIZE screenSize() const override;
    bool canCreateWindows() override { return videoReady(); }
    void pollInput() override;
    void windowChanged(const desktop::Window& window) override;
    void windowDestroyed(const desktop::Window& window) override;
    void windowPresented(const desktop::Window& window) override;
    void cursorChanged(const desktop::Cursor* cursor) override;
    void captureChanged(HWND capture) override;
    void systemMenuRequested(const desktop::Window& window) override;

private:
    struct Surface {
        SDL_Window* window = nullptr;
        SDL_Renderer* renderer = nullptr;
        SDL_Texture* texture = nullptr;
        int textureWidth = 0;
        int textureHeight = 0;
        SDL_Rect applied{0, 0, 0, 0};  // the geometry last given to SDL
        bool shown = false;
        bool bordered = true;
        bool resizable = true;
        // Positions and sizes we set ourselves: their events are echoes, not the user.
        std::vector<SDL_Point> echoPositions;
        std::vector<SDL_Point> echoSizes;
    };

    bool videoReady() const;
    HWND windowFor(Uint32 id) const;
    void render(HWND handle);
    void handleWindowEvent(const SDL_WindowEvent& event);
    void handleKey(const SDL_KeyboardEvent& event, bool down);
    void handleMouse(HWND handle, int x, int y, UINT message, int button, bool down);

    mutable int video_ = 0;  // 0 not tried, 1 ready, -1 unavailable
    bool polling_ = false;
    std::map<HWND, Surface> surfaces_;
    SystemMenuOverlay menu_;
};

}  // namespace sdlhost
