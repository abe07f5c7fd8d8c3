// The desktop model's Win32 behaviour that the display window relies on.
#include "desktop/Desktop.h"
#include "headless/HeadlessDesktop.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<UINT> received;
std::vector<WPARAM> activations;  // wParam of every WM_ACTIVATE

LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    received.push_back(message);
    if (message == WM_ACTIVATE) {
        activations.push_back(wParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class DesktopModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::reset(1920, 1080);
        received.clear();
        activations.clear();
        WNDCLASSEXA cls{};
        cls.cbSize = sizeof(cls);
        cls.lpfnWndProc = &recordingProcedure;
        cls.lpszClassName = "model";
        ASSERT_NE(RegisterClassExA(&cls), 0);
        window = CreateWindowExA(0, "model", "model", WS_OVERLAPPEDWINDOW, 10, 20, 300, 200, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        received.clear();
    }

    bool saw(UINT message) const
    {
        for (UINT m : received) {
            if (m == message) return true;
        }
        return false;
    }

    void pump()
    {
        MSG m;
        while (PeekMessageA(&m, window, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&m);
            if (m.message == WM_PAINT) break;  // the procedure validates; stop either way
        }
    }

    HWND window = nullptr;
};

TEST_F(DesktopModelTest, CloseCommandDestroysAndTheHandleFailsHarmlessly)
{
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    pump();
    EXPECT_EQ(received, (std::vector<UINT>{WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_FALSE(IsWindow(window));
    RECT r{};
    MSG m{};
    EXPECT_FALSE(ShowWindow(window, SW_SHOW));
    EXPECT_FALSE(GetWindowRect(window, &r));
    EXPECT_FALSE(SetWindowPos(window, nullptr, 0, 0, 10, 10, SWP_NOZORDER));
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_EQ(GetSystemMenu(window, FALSE), nullptr);
    EXPECT_FALSE(PeekMessageA(&m, window, 0, 0, PM_REMOVE));
    EXPECT_EQ(DefWindowProcA(window, WM_CLOSE, 0, 0), 0);
    // The class is free again once its window is gone.
    EXPECT_TRUE(UnregisterClassA("model", nullptr));
}

TEST_F(DesktopModelTest, SetWindowPosSendsSizeAndMoveInsideTheCall)
{
    SetWindowPos(window, nullptr, 10, 20, 400, 200, SWP_NOZORDER);
    EXPECT_EQ(received, (std::vector<UINT>{WM_SIZE}));
    received.clear();
    SetWindowPos(window, nullptr, 50, 20, 400, 200, SWP_NOZORDER);
    EXPECT_EQ(received, (std::vector<UINT>{WM_MOVE}));
    received.clear();
    SetWindowPos(window, nullptr, 50, 20, 400, 200, SWP_NOZORDER);
    EXPECT_TRUE(received.empty());
}

TEST_F(DesktopModelTest, ShowingActivatesAndHidingDeactivates)
{
    ShowWindow(window, SW_SHOW);
    EXPECT_TRUE(saw(WM_ACTIVATE));
    EXPECT_EQ(GetActiveWindow(), window);
    EXPECT_TRUE(IsWindowVisible(window));
    received.clear();
    ShowWindow(window, SW_HIDE);
    EXPECT_TRUE(saw(WM_ACTIVATE));
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(DesktopModelTest, ActivationCarriesTheMinimizedStateInTheHighWord)
{
    ShowWindow(window, SW_SHOW);
    SendMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    ShowWindow(window, SW_HIDE);
    EXPECT_EQ(activations, (std::vector<WPARAM>{MAKEWPARAM(WA_ACTIVE, 0), MAKEWPARAM(WA_INACTIVE, 1),
                                                MAKEWPARAM(WA_ACTIVE, 0), MAKEWPARAM(WA_INACTIVE, 0)}));
}

TEST_F(DesktopModelTest, PaintComesWhenTheQueueIsEmptyUntilValidated)
{
    MSG m{};
    EXPECT_FALSE(PeekMessageA(&m, window, 0, 0, PM_REMOVE));  // hidden: nothing to paint
    ShowWindow(window, SW_SHOW);
    PostMessageA(window, WM_USER, 0, 0);
    PostMessageA(nullptr, WM_USER + 1, 0, 0);  // a thread message stays behind the window filter
    ASSERT_TRUE(PeekMessageA(&m, window, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_USER));
    ASSERT_TRUE(PeekMessageA(&m, window, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_PAINT));
    ASSERT_TRUE(PeekMessageA(&m, window, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_PAINT));
    ValidateRect(window, nullptr);
    EXPECT_FALSE(PeekMessageA(&m, window, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_USER + 1));
}

TEST_F(DesktopModelTest, FrameMetricsMatchAdjustWindowRect)
{
    for (const DWORD style : {static_cast<DWORD>(WS_OVERLAPPEDWINDOW), static_cast<DWORD>(WS_POPUP | WS_BORDER | WS_SYSMENU),
                              static_cast<DWORD>(WS_POPUP)}) {
        SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(style));
        RECT wanted{100, 100, 500, 400};
        AdjustWindowRect(&wanted, style, FALSE);
        SetWindowPos(window, nullptr, wanted.left, wanted.top, wanted.right - wanted.left, wanted.bottom - wanted.top,
                     SWP_NOZORDER);
        const RECT client = headless::clientRect(window);
        EXPECT_EQ(client.left, 100) << std::hex << style;
        EXPECT_EQ(client.top, 100) << std::hex << style;
        EXPECT_EQ(client.right, 500) << std::hex << style;
        EXPECT_EQ(client.bottom, 400) << std::hex << style;
    }
    RECT border{0, 0, 10, 10};
    AdjustWindowRect(&border, WS_POPUP | WS_BORDER, FALSE);
    EXPECT_EQ(border.left, -1);
    EXPECT_EQ(border.right, 11);
    RECT framed{0, 0, 10, 10};
    AdjustWindowRect(&framed, WS_OVERLAPPEDWINDOW, FALSE);
    EXPECT_LT(framed.left, 0);
    EXPECT_LT(framed.top, framed.left);  // the caption is above
}

TEST_F(DesktopModelTest, AltSpaceOpensTheSystemMenuAltF4Closes)
{
    ShowWindow(window, SW_SHOW);
    headless::keyDown(VK_MENU);
    headless::keyDown(VK_SPACE);
    pump();
    EXPECT_EQ(headless::systemMenuOpened(), 1);
    EXPECT_TRUE(IsWindow(window));
    headless::keyDown(VK_F4);
    pump();
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(DesktopModelTest, SystemCommandsChangeTheWindow)
{
    ShowWindow(window, SW_SHOW);
    const RECT start = headless::windowRect(window);

    // Move and Size track the arrow keys as a user's move and size would.
    PostMessageA(window, WM_SYSCOMMAND, SC_MOVE, 0);
    pump();
    received.clear();
    headless::keyDown(VK_RIGHT);
    headless::keyDown(VK_RETURN);
    EXPECT_EQ(received, (std::vector<UINT>{WM_ENTERSIZEMOVE, WM_MOVING, WM_MOVE, WM_EXITSIZEMOVE}));
    EXPECT_EQ(headless::windowRect(window).left, start.left + 8);
    PostMessageA(window, WM_SYSCOMMAND, SC_SIZE, 0);
    pump();
    received.clear();
    headless::keyDown(VK_DOWN);
    headless::keyDown(VK_ESCAPE);
    EXPECT_EQ(received, (std::vector<UINT>{WM_ENTERSIZEMOVE, WM_SIZING, WM_SIZE, WM_EXITSIZEMOVE}));
    EXPECT_EQ(headless::windowRect(window).bottom, start.bottom + 8);

    const struct {
        WPARAM command;
        bool iconic, zoomed;
    } steps[] = {
        {SC_MAXIMIZE, false, true},
        {SC_MINIMIZE, true, false},
        {SC_RESTORE, false, true},  // back to the maximized state it was minimized from
        {SC_RESTORE, false, false},
        {SC_MINIMIZE, true, false},
        {SC_RESTORE, false, false},
    };
    for (const auto& step : steps) {
        SendMessageA(window, WM_SYSCOMMAND, step.command, 0);
        EXPECT_EQ(IsIconic(window) != FALSE, step.iconic) << step.command;
        EXPECT_EQ(IsZoomed(window) != FALSE, step.zoomed) << step.command;
    }
    // Restored to the size before maximizing.
    EXPECT_EQ(headless::clientRect(window).right - headless::clientRect(window).left, 300 - 8);
    EXPECT_TRUE(saw(WM_SIZE));
}

TEST_F(DesktopModelTest, MaximizedStateFollowsTheStyleBitNotThePlacement)
{
    ShowWindow(window, SW_SHOW);
    SendMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    SetWindowPos(window, nullptr, 0, 0, 500, 400, SWP_NOZORDER);
    EXPECT_TRUE(IsZoomed(window));
    EXPECT_EQ(headless::windowRect(window).right, 500);
    SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE));
    EXPECT_TRUE(IsZoomed(window));
    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(WS_OVERLAPPEDWINDOW));
    EXPECT_FALSE(IsZoomed(window));
}

TEST_F(DesktopModelTest, SystemMenuHoldsTheSystemItemsFirst)
{
    const HMENU menu = GetSystemMenu(window, FALSE);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(AppendMenuA(menu, MF_STRING, 2, "Mine"));
    EXPECT_FALSE(RemoveMenu(menu, 3, MF_BYCOMMAND));
    std::vector<UINT_PTR> ids;
    for (const headless::MenuEntry& e : headless::menuItems(window)) ids.push_back(e.id);
    EXPECT_EQ(ids, (std::vector<UINT_PTR>{SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, 0, SC_CLOSE, 2}));
    EXPECT_TRUE(RemoveMenu(menu, 2, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuItemCount(menu), 7);
}

TEST_F(DesktopModelTest, UserDataHoldsAWholePointer)
{
    const auto value = static_cast<LONG_PTR>(0x123456789ABCLL);
    SetWindowLongPtrA(window, GWLP_USERDATA, value);
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_USERDATA), value);
}

TEST_F(DesktopModelTest, ClassInUseCannotBeReplaced)
{
    WNDCLASSEXA cls{};
    cls.cbSize = sizeof(cls);
    cls.lpfnWndProc = &recordingProcedure;
    cls.lpszClassName = "model";
    EXPECT_FALSE(UnregisterClassA("model", nullptr));
    EXPECT_EQ(RegisterClassExA(&cls), 0);
}

TEST_F(DesktopModelTest, BlackRectangleFillsTheClientPixels)
{
    ShowWindow(window, SW_SHOW);
    const std::uint32_t white[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    ASSERT_TRUE(desktop::Desktop::instance().present(window, white, 2, 2, 8));
    EXPECT_EQ(headless::clientPixels(window).data.front(), 0x00FFFFFFu);
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dc, black);
    RECT client{};
    GetClientRect(window, &client);
    Rectangle(dc, 0, 0, client.right, client.bottom);
    SelectObject(dc, old);
    DeleteObject(black);
    ReleaseDC(window, dc);
    const headless::Pixels pixels = headless::clientPixels(window);
    EXPECT_EQ(pixels.width, client.right);
    EXPECT_EQ(pixels.height, client.bottom);
    EXPECT_EQ(std::count(pixels.data.begin(), pixels.data.end(), 0u), static_cast<long>(pixels.data.size()));
}

}  // namespace
