#include "sdl2/SystemMenuOverlay.h"

#include "desktop/Desktop.h"
#include "sdl2/MenuFont.h"

#include <algorithm>
#include <string>

namespace sdlhost {

namespace {

constexpr int margin = 4;       // from the client area's corner
constexpr int padding = 6;      // around the texts
constexpr int itemHeight = 13;
constexpr int separatorHeight = 5;
constexpr int advance = glyphWidth + 1;

const desktop::Menu* menuOf(HWND window)
{
    desktop::Desktop& d = desktop::Desktop::instance();
    const desktop::Window* w = d.liveWindow(window);
    return w == nullptr ? nullptr : d.findMenu(w->systemMenu);
}

const desktop::MenuItem* itemOf(HWND window, int index)
{
    const desktop::Menu* menu = menuOf(window);
    if (menu == nullptr || index < 0 || index >= static_cast<int>(menu->items.size())) {
        return nullptr;
    }
    return &menu->items[static_cast<std::size_t>(index)];
}

bool isSeparator(const desktop::MenuItem& item)
{
    return (item.flags & MF_SEPARATOR) != 0;
}

// The text as shown: no mnemonic marks, the shortcut after a gap.
int shownLength(const std::string& text)
{
    int length = 0;
    for (char c : text) {
        length += c == '&' ? 0 : (c == '\t' ? 3 : 1);
    }
    return length;
}

void drawText(SDL_Renderer* renderer, const std::string& text, int x, int y)
{
    for (char c : text) {
        if (c == '&') {
            continue;
        }
        if (c == '\t') {
            x += 3 * advance;
            continue;
        }
        const std::uint8_t* glyph = glyphFor(c);
        for (int gy = 0; gy < glyphHeight; ++gy) {
            for (int gx = 0; gx < glyphWidth; ++gx) {
                if ((glyph[gy] >> (glyphWidth - 1 - gx)) & 1) {
                    SDL_RenderDrawPoint(renderer, x + gx, y + gy);
                }
            }
        }
        x += advance;
    }
}

}  // namespace

void SystemMenuOverlay::open(HWND window)
{
    window_ = window;
    selected_ = -1;
    step(1);
}

void SystemMenuOverlay::close()
{
    window_ = nullptr;
    selected_ = -1;
}

int SystemMenuOverlay::count() const
{
    const desktop::Menu* menu = menuOf(window_);
    return menu == nullptr ? 0 : static_cast<int>(menu->items.size());
}

SystemMenuOverlay::Row SystemMenuOverlay::row(int index) const
{
    int top = margin + padding / 2;
    for (int i = 0; i < index; ++i) {
        const desktop::MenuItem* item = itemOf(window_, i);
        top += item != nullptr && isSeparator(*item) ? separatorHeight : itemHeight;
    }
    const desktop::MenuItem* item = itemOf(window_, index);
    const bool separator = item != nullptr && isSeparator(*item);
    return Row{top, separator ? separatorHeight : itemHeight, separator};
}

int SystemMenuOverlay::widthInPixels() const
{
    int longest = 0;
    const desktop::Menu* menu = menuOf(window_);
    if (menu != nullptr) {
        for (const desktop::MenuItem& item : menu->items) {
            longest = std::max(longest, shownLength(item.text));
        }
    }
    return 2 * padding + longest * advance;
}

int SystemMenuOverlay::itemAt(int x, int y) const
{
    if (x < margin || x >= margin + widthInPixels()) {
        return -1;
    }
    for (int i = 0; i < count(); ++i) {
        const Row r = row(i);
        if (y >= r.top && y < r.top + r.height) {
            return r.separator ? -1 : i;
        }
    }
    return -1;
}

void SystemMenuOverlay::step(int direction)
{
    const int n = count();
    if (n == 0) {
        selected_ = -1;
        return;
    }
    int index = selected_;
    for (int tries = 0; tries < n; ++tries) {
        index = ((index < 0 && direction < 0 ? 0 : index) + direction + n) % n;
        const desktop::MenuItem* item = itemOf(window_, index);
        if (item != nullptr && !isSeparator(*item)) {
            selected_ = index;
            return;
        }
    }
}

UINT_PTR SystemMenuOverlay::chosen()
{
    const desktop::MenuItem* item = itemOf(window_, selected_);
    const UINT_PTR id = item != nullptr && !isSeparator(*item) ? item->id : 0;
    close();
    return id;
}

UINT_PTR SystemMenuOverlay::key(SDL_Scancode scancode)
{
    switch (scancode) {
    case SDL_SCANCODE_UP:
        step(-1);
        return 0;
    case SDL_SCANCODE_DOWN:
        step(1);
        return 0;
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER:
        return chosen();
    case SDL_SCANCODE_ESCAPE:
        close();
        return 0;
    default:
        return 0;
    }
}

UINT_PTR SystemMenuOverlay::click(int x, int y)
{
    const int index = itemAt(x, y);
    if (index < 0) {
        // A click on a separator keeps the menu open; anywhere else outside closes it.
        const bool inside = x >= margin && x < margin + widthInPixels() && y >= margin &&
                            y < row(count()).top + padding / 2;
        if (!inside) {
            close();
        }
        return 0;
    }
    selected_ = index;
    return chosen();
}

void SystemMenuOverlay::hover(int x, int y)
{
    const int index = itemAt(x, y);
    if (index >= 0) {
        selected_ = index;
    }
}

void SystemMenuOverlay::draw(SDL_Renderer* renderer, int originX, int originY) const
{
    const int n = count();
    if (window_ == nullptr || n == 0) {
        return;
    }
    const int width = widthInPixels();
    const int bottom = row(n).top + padding / 2;
    const SDL_Rect box{originX + margin, originY + margin, width, bottom - margin};
    SDL_SetRenderDrawColor(renderer, 212, 208, 200, 255);
    SDL_RenderFillRect(renderer, &box);
    SDL_SetRenderDrawColor(renderer, 64, 64, 64, 255);
    SDL_RenderDrawRect(renderer, &box);
    for (int i = 0; i < n; ++i) {
        const Row r = row(i);
        const desktop::MenuItem* item = itemOf(window_, i);
        if (item == nullptr) {
            continue;
        }
        if (r.separator) {
            SDL_SetRenderDrawColor(renderer, 128, 128, 128, 255);
            SDL_RenderDrawLine(renderer, originX + margin + 3, originY + r.top + 2, originX + margin + width - 4,
                               originY + r.top + 2);
            continue;
        }
        if (i == selected_) {
            const SDL_Rect bar{originX + margin + 2, originY + r.top, width - 4, r.height};
            SDL_SetRenderDrawColor(renderer, 10, 36, 106, 255);
            SDL_RenderFillRect(renderer, &bar);
            SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
        } else {
            SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        }
        drawText(renderer, item->text, originX + margin + padding, originY + r.top + (r.height - glyphHeight) / 2);
    }
}

}  // namespace sdlhost
