#pragma once

// A DisplayWindow on the headless desktop, with callbacks and a listener that
// write what they are told into one ordered event list.

#include "display/DisplayBase.h"
#include "display/DisplayListener.h"
#include "display/win32/DisplayWindow.h"
#include "display/win32/WindowCallbacks.h"
#include "headless/HeadlessDesktop.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class RecordingCallbacks : public WindowCallbacks {
public:
    explicit RecordingCallbacks(std::vector<std::string>& events) : events_(events) {}
    bool paint() override { events_.push_back("paint"); return true; }
    bool fullscreen() override { events_.push_back("fullscreen"); return true; }
    bool windowed() override { events_.push_back("windowed"); return true; }
    void requestToggle() override { events_.push_back("requestToggle"); }
    void requestClose() override { events_.push_back("requestClose"); }

private:
    std::vector<std::string>& events_;
};

class RecordingListener : public DisplayListener {
public:
    explicit RecordingListener(std::vector<std::string>& events) : events_(events) {}
    void onKeyDown(DisplayInterface* d, int key) override { record(d, "keyDown " + std::to_string(key)); }
    void onKeyPressed(DisplayInterface* d, int key) override { record(d, "keyPressed " + std::to_string(key)); }
    void onKeyUp(DisplayInterface* d, int key) override { record(d, "keyUp " + std::to_string(key)); }
    void onMouseButtonDown(DisplayInterface* d, Mouse m) override { mouse(d, "mouseDown", m); }
    void onMouseButtonUp(DisplayInterface* d, Mouse m) override { mouse(d, "mouseUp", m); }
    void onMouseMove(DisplayInterface* d, Mouse m) override { mouse(d, "mouseMove", m); }
    void onActivate(DisplayInterface* d, bool active) override { record(d, active ? "activate 1" : "activate 0"); }
    bool onClose(DisplayInterface* d) override { record(d, "close"); return closeResult; }

    std::vector<std::pair<std::string, Mouse>> mice;
    std::vector<DisplayInterface*> displays;
    bool closeResult = true;

private:
    void record(DisplayInterface* d, std::string event)
    {
        displays.push_back(d);
        events_.push_back(std::move(event));
    }
    void mouse(DisplayInterface* d, const char* name, Mouse m)
    {
        mice.emplace_back(name, m);
        record(d, name);
    }
    std::vector<std::string>& events_;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { headless::reset(1920, 1080); }

    void TearDown() override
    {
        if (window) {
            // What the owning display does on close.
            DestroyWindow(window->handle);
            window->handle = nullptr;
            DestroyCursor(window->blankCursor);
        }
    }

    DisplayWindow& create(int width = 400, int height = 300)
    {
        window = std::make_unique<DisplayWindow>(&display, &callbacks, "tovi", width, height);
        window->listener = &listener;
        return *window;
    }

    // Windowed, shown and active, as after the display's first refresh.
    DisplayWindow& openWindowed(int width = 400, int height = 300)
    {
        create(width, height);
        window->enterWindowed(width, height);
        ShowWindow(window->handle, SW_SHOW);
        window->pumpMessages();
        events.clear();
        return *window;
    }

    // The items the window owns (identifiers 1 to 10), in menu order.
    std::vector<UINT_PTR> ownedItems() const
    {
        std::vector<UINT_PTR> ids;
        for (const headless::MenuEntry& e : headless::menuItems(window->handle)) {
            if (e.id != 0 && e.id < 0xF000) {
                ids.push_back(e.id);
            }
        }
        return ids;
    }

    std::vector<headless::MenuEntry> systemItems() const
    {
        std::vector<headless::MenuEntry> items;
        for (const headless::MenuEntry& e : headless::menuItems(window->handle)) {
            if (e.id == 0 || e.id >= 0xF000) {
                items.push_back(e);
            }
        }
        return items;
    }

    static LONG width(const RECT& r) { return r.right - r.left; }
    static LONG height(const RECT& r) { return r.bottom - r.top; }

    std::vector<std::string> events;
    RecordingCallbacks callbacks{events};
    RecordingListener listener{events};
    DisplayBase display;
    std::unique_ptr<DisplayWindow> window;
};
