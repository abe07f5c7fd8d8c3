// The window's message handling: keys, mouse, activation, close and pointer.
#include "WindowFixture.h"

#include "display/win32/KeyTable.h"

#include <algorithm>
#include <cmath>

namespace {

using Events = std::vector<std::string>;

class WindowInputTest : public WindowTest {
protected:
    // Zoomed 2x, so that client pixels are half display pixels.
    void openZoomed()
    {
        openWindowed();
        headless::chooseMenuItem(window->handle, 3);
        window->pumpMessages();
        events.clear();
    }

    int count(const std::string& entry) const
    {
        const std::vector<std::string> log = headless::callLog();
        return static_cast<int>(std::count_if(log.begin(), log.end(),
                                               [&](const std::string& e) { return e.rfind(entry, 0) == 0; }));
    }

    static std::string buttons(const Mouse& m)
    {
        return std::string(m.left ? "L" : "") + (m.middle ? "M" : "") + (m.right ? "R" : "");
    }
};

TEST_F(WindowInputTest, ClickAtTwiceZoomReportsDisplayPixels)
{
    openZoomed();
    headless::mouseButton(window->handle, 0, true, 100, 50);
    headless::mouseButton(window->handle, 0, false, 100, 50);
    window->pumpMessages();
    ASSERT_EQ(listener.mice.size(), 2u);
    const auto& [downName, down] = listener.mice[0];
    const auto& [upName, up] = listener.mice[1];
    EXPECT_EQ(downName, "mouseDown");
    EXPECT_TRUE(down.left);
    EXPECT_EQ(down.x, 50.0f);
    EXPECT_EQ(down.y, 25.0f);
    EXPECT_EQ(upName, "mouseUp");
    EXPECT_FALSE(up.left);
    EXPECT_EQ(up.x, 50.0f);
    EXPECT_EQ(up.y, 25.0f);
}

TEST_F(WindowInputTest, CapturedMouseOutsideTheClientAreaGoesNegative)
{
    openZoomed();
    headless::mouseButton(window->handle, 0, true, 100, 50);
    window->pumpMessages();  // the window takes the capture while handling the press
    headless::mouseMove(window->handle, -20, 50);
    headless::mouseMove(window->handle, 900, 700);
    window->pumpMessages();
    ASSERT_EQ(listener.mice.size(), 3u);
    EXPECT_EQ(listener.mice[1].second.x, -10.0f);
    EXPECT_EQ(listener.mice[1].second.y, 25.0f);
    EXPECT_EQ(listener.mice[2].second.x, 450.0f);
    EXPECT_EQ(listener.mice[2].second.y, 350.0f);

    // Without capture, a move outside the client area does not arrive.
    headless::mouseButton(window->handle, 0, false, 100, 50);
    window->pumpMessages();
    EXPECT_EQ(headless::capture(), nullptr);
    headless::mouseMove(window->handle, -20, 50);
    window->pumpMessages();
    EXPECT_EQ(listener.mice.size(), 4u);
}

TEST_F(WindowInputTest, CaptureIsHeldWhileAnyButtonIsDown)
{
    openWindowed();
    headless::startLog();
    const HWND h = window->handle;
    std::vector<HWND> captures;
    headless::mouseButton(h, 0, true, 10, 10);
    window->pumpMessages();
    captures.push_back(headless::capture());
    headless::mouseButton(h, 1, true, 10, 10);
    window->pumpMessages();
    captures.push_back(headless::capture());
    headless::mouseButton(h, 0, false, 10, 10);
    window->pumpMessages();
    captures.push_back(headless::capture());
    headless::mouseButton(h, 1, false, 10, 10);
    window->pumpMessages();
    captures.push_back(headless::capture());

    EXPECT_EQ(captures, (std::vector<HWND>{h, h, h, nullptr}));
    EXPECT_EQ(count("SetCapture"), 1);
    EXPECT_EQ(count("ReleaseCapture"), 1);
    std::vector<std::string> states;
    for (const auto& [name, m] : listener.mice) states.push_back(buttons(m));
    EXPECT_EQ(states, (std::vector<std::string>{"L", "LR", "R", ""}));
}

TEST_F(WindowInputTest, ZeroSizedClientAreaReportsZero)
{
    openWindowed();
    headless::clickMinimize(window->handle);
    window->pumpMessages();
    ASSERT_TRUE(IsIconic(window->handle));
    SendMessageA(window->handle, WM_MOUSEMOVE, 0, MAKELPARAM(5, 7));
    ASSERT_EQ(listener.mice.size(), 1u);
    EXPECT_EQ(listener.mice[0].second.x, 0.0f);
    EXPECT_EQ(listener.mice[0].second.y, 0.0f);
}

TEST_F(WindowInputTest, WithoutListenerRequestsAndStateStillWork)
{
    openWindowed();
    window->listener = nullptr;
    const HWND h = window->handle;
    headless::mouseButton(h, 0, true, 10, 10);
    window->pumpMessages();
    EXPECT_EQ(headless::capture(), h);
    headless::mouseButton(h, 0, false, 10, 10);
    headless::keyDown('A');
    window->pumpMessages();
    EXPECT_EQ(headless::capture(), nullptr);
    EXPECT_TRUE(window->keyDown['A']);

    headless::keyDown(VK_ESCAPE);
    headless::keyDown(VK_MENU);
    headless::keyDown(VK_RETURN);
    window->pumpMessages();
    headless::clickClose(h);
    window->pumpMessages();
    EXPECT_EQ(events, (Events{"requestClose", "requestToggle", "requestClose"}));
    EXPECT_FALSE(IsWindow(h));  // the default processing destroyed it
}

TEST_F(WindowInputTest, CloseButtonClosesWhateverTheListenerAnswers)
{
    openWindowed();
    listener.closeResult = false;
    headless::clickClose(window->handle);
    window->pumpMessages();
    EXPECT_EQ(events, (Events{"close", "requestClose", "activate 0"}));
    EXPECT_FALSE(IsWindow(window->handle));
}

TEST_F(WindowInputTest, AltF4ClosesThroughTheDefaultProcessing)
{
    openWindowed();
    headless::keyDown(VK_MENU);
    headless::keyDown(VK_F4);
    window->pumpMessages();
    EXPECT_EQ(events, (Events{"keyDown 18", "keyPressed 18", "keyDown 115", "keyPressed 115", "close", "requestClose",
                              "activate 0"}));
}

TEST_F(WindowInputTest, HeldKeyGivesOneDownManyPressedOneUp)
{
    openWindowed();
    headless::keyDown('A', 2);
    headless::keyUp('A');
    window->pumpMessages();
    EXPECT_EQ(events, (Events{"keyDown 65", "keyPressed 65", "keyPressed 65", "keyPressed 65", "keyUp 65"}));
}

TEST_F(WindowInputTest, EscapeRequestsCloseBetweenDownAndPressed)
{
    openWindowed();
    headless::keyDown(VK_ESCAPE, 1);
    window->pumpMessages();
    EXPECT_EQ(events, (Events{"keyDown 27", "requestClose", "keyPressed 27", "keyPressed 27"}));
}

TEST_F(WindowInputTest, AltEnterTogglesAndHidesEnterFromTheListener)
{
    openWindowed();
    headless::keyDown(VK_MENU);
    window->pumpMessages();
    events.clear();
    headless::keyDown(VK_RETURN, 1);
    headless::keyUp(VK_RETURN);
    window->pumpMessages();
    EXPECT_EQ(events, (Events{"requestToggle", "requestToggle", "keyUp 10"}));
    EXPECT_FALSE(window->keyDown[VK_RETURN]);
}

TEST_F(WindowInputTest, KeyReleasedElsewhereStaysDown)
{
    for (const int key : {int{'A'}, VK_ESCAPE}) {
        SCOPED_TRACE(key);
        headless::reset(1920, 1080);
        openWindowed();
        headless::keyDown(key);
        window->pumpMessages();
        headless::focusOtherWindow();
        headless::keyUp(key);  // goes to the other window
        ShowWindow(window->handle, SW_SHOW);
        window->pumpMessages();
        events.clear();
        headless::keyDown(key);
        window->pumpMessages();
        EXPECT_EQ(events, (Events{"keyPressed " + std::to_string(key)}));
        TearDown();
        window.reset();
    }
}

TEST_F(WindowInputTest, KeyTableHasTwelveExceptions)
{
    std::int32_t table[256];
    fillKeyTable(table);
    const std::pair<int, int> exceptions[] = {{13, 10},  {45, 155}, {46, 127}, {186, 59}, {187, 61}, {188, 44},
                                              {189, 108}, {190, 46}, {191, 47}, {219, 91}, {220, 92}, {221, 93}};
    int changed = 0;
    for (int k = 0; k < 256; ++k) {
        const auto it = std::find_if(std::begin(exceptions), std::end(exceptions), [k](auto e) { return e.first == k; });
        EXPECT_EQ(table[k], it == std::end(exceptions) ? k : it->second) << k;
        changed += table[k] != k;
    }
    EXPECT_EQ(changed, 12);

    openWindowed();
    for (const int vk : {VK_RETURN, VK_OEM_MINUS, VK_INSERT, VK_DELETE}) {
        headless::keyDown(vk);
        headless::keyUp(vk);
    }
    window->pumpMessages();
    EXPECT_EQ(events, (Events{"keyDown 10", "keyPressed 10", "keyUp 10", "keyDown 108", "keyPressed 108", "keyUp 108",
                              "keyDown 155", "keyPressed 155", "keyUp 155", "keyDown 127", "keyPressed 127",
                              "keyUp 127"}));
}

TEST_F(WindowInputTest, ActivationTestsTheWholeWParam)
{
    openWindowed();
    ASSERT_TRUE(window->active);
    headless::focusOtherWindow();
    EXPECT_FALSE(window->active);
    SendMessageA(window->handle, WM_ACTIVATE, 0x10000, 0);  // only the high word set
    EXPECT_TRUE(window->active);
    EXPECT_EQ(events, (Events{"activate 0", "activate 1"}));
}

TEST_F(WindowInputTest, MessageFieldsAreReadAsTheirRulesSay)
{
    // Keys index the table by the low 8 bits only; menu commands compare the
    // whole wParam; WM_QUIT is taken as a close request.
    struct Case {
        UINT message;
        WPARAM wParam;
        Events expected;
    };
    const Case cases[] = {
        {WM_KEYDOWN, 0x1BE, {"keyDown 46", "keyPressed 46"}},  // the period key, 190
        {WM_KEYUP, 0x1BE, {"keyUp 46"}},
        {WM_SYSCOMMAND, 0x10003, {}},  // not "2x Zoom"
        {WM_QUIT, 0, {"close", "requestClose"}},
    };
    openWindowed();
    const RECT before = headless::windowRect(window->handle);
    for (const Case& c : cases) {
        events.clear();
        SendMessageA(window->handle, c.message, c.wParam, 0);
        EXPECT_EQ(events, c.expected) << c.message << " " << c.wParam;
    }
    EXPECT_EQ(width(headless::windowRect(window->handle)), width(before));
    EXPECT_FALSE(window->keyDown[0xBE]);
}

TEST_F(WindowInputTest, ListenersSeeTheWrapperWhenThereIsOne)
{
    openWindowed();
    listener.displays.clear();
    DisplayBase wrapper;
    headless::keyDown('B');
    window->pumpMessages();
    display.setWrapper(&wrapper);
    headless::keyUp('B');
    window->pumpMessages();
    EXPECT_EQ(listener.displays,
              (std::vector<DisplayInterface*>{&display, &display, static_cast<DisplayInterface*>(&wrapper)}));
    display.setWrapper(nullptr);
}

TEST_F(WindowInputTest, SetCursorOverClientAndFrame)
{
    struct Case {
        bool fullscreen;
        WORD hit;
        bool hidden;
    };
    const Case cases[] = {
        {false, HTCLIENT, false},  // the arrow
        {true, HTCLIENT, true},    // the blank pointer
        {true, HTCAPTION, false},  // the frame's pointer, from the default processing
        {false, HTLEFT, false},
    };
    create();
    for (const Case& c : cases) {
        if (c.fullscreen) {
            window->enterFullscreen(400, 300);
        } else {
            window->enterWindowed(400, 300);
        }
        SetCursor(c.hidden ? window->arrowCursor : window->blankCursor);  // start from the other one
        SendMessageA(window->handle, WM_SETCURSOR, reinterpret_cast<WPARAM>(window->handle),
                     MAKELPARAM(c.hit, WM_MOUSEMOVE));
        EXPECT_EQ(headless::cursorHidden(), c.hidden) << c.fullscreen << " " << c.hit;
    }
}

TEST_F(WindowInputTest, FullscreenPumpHidesThePointerWhileActive)
{
    create();
    window->enterFullscreen(400, 300);
    SetCursor(window->arrowCursor);
    window->pumpMessages();
    EXPECT_TRUE(headless::cursorHidden());
    headless::focusOtherWindow();
    SetCursor(window->arrowCursor);
    window->pumpMessages();
    EXPECT_FALSE(headless::cursorHidden());
}

TEST_F(WindowInputTest, PaintMessagesAskTheOwnerToPaint)
{
    openWindowed();
    InvalidateRect(window->handle, nullptr, FALSE);
    window->pumpMessages();
    // The fake owner does not validate; the default processing does, so one paint.
    EXPECT_EQ(events, (Events{"paint"}));
}

}  // namespace
