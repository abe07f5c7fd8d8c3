// The window's layouts, placement and system menu on the headless desktop.
#include "WindowFixture.h"

#include <algorithm>

namespace {

using Ids = std::vector<UINT_PTR>;

TEST_F(WindowTest, ConstructionThenWindowedGivesCentredHiddenExactClientArea)
{
    DisplayWindow& w = create();
    ASSERT_NE(w.handle, nullptr);
    const RECT before = headless::windowRect(w.handle);
    EXPECT_EQ(width(before), 400);
    EXPECT_EQ(height(before), 300);

    w.enterWindowed(400, 300);
    const RECT client = headless::clientRect(w.handle);
    const RECT outer = headless::windowRect(w.handle);
    EXPECT_EQ(width(client), 400);
    EXPECT_EQ(height(client), 300);
    EXPECT_EQ(outer.left, (1920 - width(outer)) >> 1);
    EXPECT_EQ(outer.top, (1080 - height(outer)) >> 1);
    EXPECT_FALSE(headless::visible(w.handle));
    EXPECT_EQ(headless::style(w.handle), static_cast<DWORD>(WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(headless::cursor(), w.arrowCursor);
    EXPECT_TRUE(w.centered);
    EXPECT_EQ(w.windowedMode, 1);
}

TEST_F(WindowTest, OwnedMenuItemsFollowTheScreenSize)
{
    struct Case {
        int screenWidth, screenHeight;
        Ids beforeCenter, afterCenter;
    };
    const Case cases[] = {
        {1920, 1080, {1, 2, 3, 6, 8, 9, 10}, {1, 2, 3, 6, 8}},        // 4 x 300 = 1200 is not below 1080
        {1600, 1200, {1, 2, 3, 6, 8, 9, 10}, {1, 2, 3, 6, 8}},        // 4 x 400 = 1600 is not below 1600
        {3840, 2400, {1, 2, 3, 4, 6, 8, 9, 10}, {1, 2, 3, 4, 6, 8}},  // 8x never fits here
        {800, 600, {1, 2, 6, 8, 9, 10}, {1, 2, 6, 8}},                // 2x is not strictly below
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.screenWidth << " x " << c.screenHeight);
        headless::reset(c.screenWidth, c.screenHeight);
        create();
        EXPECT_EQ(ownedItems(), c.beforeCenter);
        window->center();
        EXPECT_EQ(ownedItems(), c.afterCenter);
        TearDown();
        window.reset();
    }
}

TEST_F(WindowTest, OwnedItemsCarryTheirTexts)
{
    create();
    std::vector<headless::MenuEntry> owned;
    for (const headless::MenuEntry& e : headless::menuItems(window->handle)) {
        if (e.id != 0 && e.id < 0xF000) owned.push_back(e);
    }
    const std::vector<headless::MenuEntry> expected = {
        {1, true, ""},  {2, false, "Original Size"}, {3, false, "2x Zoom"}, {6, true, ""},
        {8, false, "Fullscreen"}, {9, true, ""},     {10, false, "Center"},
    };
    EXPECT_EQ(owned, expected);
}

TEST_F(WindowTest, FullscreenCoversTheScreenOrTheLargerDisplay)
{
    DisplayWindow& w = create(2000, 1000);
    w.enterFullscreen(2000, 1000);
    const RECT r = headless::windowRect(w.handle);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(width(r), 2000);
    EXPECT_EQ(height(r), 1080);
    EXPECT_EQ(headless::style(w.handle), static_cast<DWORD>(0x80880000L | WS_VISIBLE));
    EXPECT_TRUE(headless::visible(w.handle));
    EXPECT_EQ(headless::activeWindow(), w.handle);
    EXPECT_TRUE(w.active);  // WM_ACTIVATE arrived inside enterFullscreen
    EXPECT_TRUE(headless::cursorHidden());
    EXPECT_EQ(w.windowedMode, 0);
    EXPECT_EQ(ownedItems(), (Ids{6, 7}));
    EXPECT_EQ(headless::menuItems(w.handle).back().text, "Windowed");
}

TEST_F(WindowTest, MaximizedOrMinimizedWindowDropsTheZoomItems)
{
    for (const bool maximize : {true, false}) {
        SCOPED_TRACE(maximize ? "maximized" : "minimized");
        headless::reset(1920, 1080);
        openWindowed();
        if (maximize) {
            headless::clickMaximize(window->handle);
        } else {
            headless::clickMinimize(window->handle);
        }
        window->pumpMessages();
        EXPECT_EQ(ownedItems(), (Ids{6, 8}));  // centred, so no "Center"
        headless::clickRestore(window->handle);
        window->pumpMessages();
        EXPECT_EQ(ownedItems(), (Ids{1, 2, 3, 6, 8}));
        TearDown();
        window.reset();
    }
}

TEST_F(WindowTest, CenteringAMaximizedWindowKeepsItMaximized)
{
    openWindowed();
    headless::dragCaption(window->handle, 10, 10);
    headless::clickMaximize(window->handle);
    window->pumpMessages();
    EXPECT_EQ(ownedItems(), (Ids{6, 8, 9, 10}));
    SendMessageA(window->handle, WM_SYSCOMMAND, 10, 0);
    EXPECT_TRUE(IsZoomed(window->handle));
    EXPECT_EQ(headless::windowRect(window->handle).left, 0);
    EXPECT_EQ(ownedItems(), (Ids{6, 8}));
}

TEST_F(WindowTest, RebuildingKeepsOneCopyOfEachItemAndTheSystemItems)
{
    create();
    const std::vector<headless::MenuEntry> system = systemItems();
    ASSERT_EQ(system.size(), 7u);
    for (int i = 0; i < 50; ++i) {
        window->updateSystemMenu();
    }
    window->enterFullscreen(400, 300);
    window->enterWindowed(400, 300);
    headless::dragCaption(window->handle, 10, 10);
    for (int i = 0; i < 5; ++i) {
        window->updateSystemMenu();
    }
    EXPECT_EQ(ownedItems(), (Ids{1, 2, 3, 6, 8, 9, 10}));
    EXPECT_EQ(systemItems(), system);
    EXPECT_EQ(headless::menuItems(window->handle).size(), system.size() + 7);
}

TEST_F(WindowTest, CenterClampsAtTheTopLeftAndRoundsDown)
{
    struct Case {
        int w, h, x, y;
    };
    const Case cases[] = {
        {2000, 1200, 0, 0},               // larger than the screen
        {1920 - 101, 1080 - 101, 50, 50}, // odd difference
        {1920 - 100, 1080 - 100, 50, 50},
    };
    create();
    for (const Case& c : cases) {
        SetWindowPos(window->handle, nullptr, 7, 9, c.w, c.h, SWP_NOZORDER);
        window->center();
        const RECT r = headless::windowRect(window->handle);
        EXPECT_EQ(r.left, c.x) << c.w;
        EXPECT_EQ(r.top, c.y) << c.h;
        EXPECT_EQ(width(r), c.w);
        EXPECT_EQ(height(r), c.h);
    }
}

TEST_F(WindowTest, ZoomNearTheTopLeftGrowsRightAndDown)
{
    openWindowed();
    SetWindowPos(window->handle, nullptr, 0, 0, 408, 328, SWP_NOZORDER);
    window->zoom(2.0f);
    RECT r = headless::windowRect(window->handle);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(width(headless::clientRect(window->handle)), 800);
    EXPECT_EQ(height(headless::clientRect(window->handle)), 600);

    window->zoom(8.0f);  // past the screen edges
    r = headless::windowRect(window->handle);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(width(headless::clientRect(window->handle)), 3200);
    EXPECT_GT(r.right, 1920);
}

TEST_F(WindowTest, OriginalSizeAfterBorderDragKeepsTheCentre)
{
    openWindowed();
    headless::dragBorder(window->handle, WMSZ_BOTTOMRIGHT, 101, 51);
    const RECT dragged = headless::windowRect(window->handle);
    ASSERT_EQ(width(headless::clientRect(window->handle)), 501);
    EXPECT_EQ(events, (std::vector<std::string>{"paint"}));  // WM_SIZING repaints

    window->zoom(1.0f);
    const RECT r = headless::windowRect(window->handle);
    const RECT client = headless::clientRect(window->handle);
    EXPECT_EQ(width(client), 400);
    EXPECT_EQ(height(client), 300);
    EXPECT_EQ(r.left, (dragged.left + dragged.right) / 2 - width(r) / 2);
    EXPECT_EQ(r.top, (dragged.top + dragged.bottom) / 2 - height(r) / 2);
}

TEST_F(WindowTest, ZoomCommandResizesAndRebuildsTheMenu)
{
    openWindowed();
    headless::dragCaption(window->handle, -300, -200);
    ASSERT_EQ(ownedItems(), (Ids{1, 2, 3, 6, 8, 9, 10}));
    headless::chooseMenuItem(window->handle, 3);
    window->pumpMessages();
    EXPECT_EQ(width(headless::clientRect(window->handle)), 800);
    EXPECT_EQ(height(headless::clientRect(window->handle)), 600);
    EXPECT_EQ(ownedItems(), (Ids{1, 2, 3, 6, 8, 9, 10}));  // zoom leaves "centered" alone

    headless::chooseMenuItem(window->handle, 10);
    window->pumpMessages();
    EXPECT_TRUE(window->centered);
    EXPECT_EQ(ownedItems(), (Ids{1, 2, 3, 6, 8}));
}

TEST_F(WindowTest, OnlyTheUsersDragBringsCenterBack)
{
    openWindowed();
    ASSERT_TRUE(window->centered);
    SetWindowPos(window->handle, nullptr, 10, 10, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    window->pumpMessages();
    EXPECT_TRUE(window->centered);
    EXPECT_EQ(ownedItems(), (Ids{1, 2, 3, 6, 8}));

    headless::dragCaption(window->handle, 25, 5);
    EXPECT_FALSE(window->centered);
    EXPECT_EQ(ownedItems(), (Ids{1, 2, 3, 6, 8, 9, 10}));
}

TEST_F(WindowTest, MenuSwitchCommandsReachTheCallbacks)
{
    openWindowed();
    headless::chooseMenuItem(window->handle, 8);
    headless::chooseMenuItem(window->handle, 7);
    headless::chooseMenuItem(window->handle, 6);  // a separator: nothing
    window->pumpMessages();
    EXPECT_EQ(events, (std::vector<std::string>{"fullscreen", "windowed"}));
}

TEST_F(WindowTest, SecondWindowOfTheSameTitleGetsNoHandle)
{
    create();
    DisplayWindow second(&display, &callbacks, "tovi", 400, 300);
    EXPECT_EQ(second.handle, nullptr);
    EXPECT_NE(second.blankCursor, nullptr);
    second.pumpMessages();  // harmless without a handle
    DestroyCursor(second.blankCursor);
}

}  // namespace
