#include "display/win32/Direct3DDisplay.h"

#include "d3d9/Direct3DControl.h"
#include "desktop/Desktop.h"
#include "display/DisplayListener.h"
#include "display/PixelConverter.h"
#include "headless/HeadlessDesktop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The Direct3D display on the headless desktop with our Direct3D 9: opening,
// frames reaching the client area, requests, switches and closing, and that
// nothing of the platform is left behind.
namespace {

constexpr int frameWidth = 40;
constexpr int frameHeight = 30;

struct Recorder final : DisplayListener {
    void onKeyDown(DisplayInterface* d, int key) override { add(d, "down " + std::to_string(key)); }
    void onOpen(DisplayInterface* d) override { add(d, "open"); }
    void add(DisplayInterface* d, const std::string& event)
    {
        events.push_back(event);
        displays.push_back(d);
    }
    std::vector<std::string> events;
    std::vector<DisplayInterface*> displays;
};

class Direct3DDisplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::reset(1920, 1080);
        d3d9::resetControl();
        for (int i = 0; i < frameWidth * frameHeight; ++i) {
            const float v = static_cast<float>(i % 97) / 96.0f;
            frame[i] = FloatPixel{0.0f, v, 1.0f - v, static_cast<float>(i % 7) / 6.0f};
        }
    }
    void TearDown() override
    {
        EXPECT_EQ(d3d9::liveObjectReport(), "");
        d3d9::resetControl();
    }

    static std::vector<HWND> windows() { return desktop::Desktop::instance().windows(); }
    static HWND theWindow()
    {
        const std::vector<HWND> live = windows();
        return live.size() == 1 ? live.front() : nullptr;
    }
    bool openWindowed(Direct3DDisplay& display)
    {
        return display.open("tovi", frameWidth, frameHeight, OutputWindowed, ModeFloat);
    }
    bool update(Direct3DDisplay& display) { return display.update(frame); }

    // The frame as the client area should show it: converted to X8R8G8B8.
    std::vector<std::uint32_t> converted(const FloatPixel* pixels) const
    {
        std::vector<std::uint32_t> out(frameWidth * frameHeight);
        PixelConverter* converter = findConverter(XBGRFFFF, XRGB8888);
        for (int y = 0; y < frameHeight; ++y) {
            converter->convert(pixels + y * frameWidth, out.data() + y * frameWidth, frameWidth);
        }
        return out;
    }

    FloatPixel frame[frameWidth * frameHeight];
};

TEST_F(Direct3DDisplayTest, OpenChoosesTheOutputAndTriesTheFloatBackBufferFirst)
{
    struct Case {
        OutputMode requested;
        OutputMode opened;
        BOOL windowedDevice;
        bool visibleAfterOpen;
    };
    for (const Case& c : {Case{OutputDefault, OutputWindowed, TRUE, false}, Case{OutputWindowed, OutputWindowed, TRUE, false},
                          Case{OutputFullscreen, OutputFullscreen, FALSE, true}}) {
        SCOPED_TRACE(c.requested);
        d3d9::createDeviceCalls().clear();
        Direct3DDisplay display;
        ASSERT_TRUE(display.open("tovi", frameWidth, frameHeight, c.requested, ModeFloat));
        EXPECT_TRUE(display.isOpen());
        EXPECT_EQ(display.output(), c.opened);
        const auto& calls = d3d9::createDeviceCalls();
        ASSERT_EQ(calls.size(), 7u);
        EXPECT_EQ(calls.front().parameters.BackBufferFormat, D3DFMT_A32B32G32R32F);
        EXPECT_EQ(calls.back().parameters.Windowed, c.windowedDevice);
        EXPECT_TRUE(calls.back().succeeded);
        EXPECT_EQ(headless::visible(theWindow()), c.visibleAfterOpen);
    }
}

TEST_F(Direct3DDisplayTest, FirstFrameShowsTheHiddenWindowWithTheConvertedFrame)
{
    Direct3DDisplay display;
    ASSERT_TRUE(openWindowed(display));
    const HWND window = theWindow();
    ASSERT_FALSE(headless::visible(window));
    const RECT client = headless::clientRect(window);
    EXPECT_EQ(client.right - client.left, frameWidth);
    EXPECT_EQ(client.bottom - client.top, frameHeight);

    EXPECT_TRUE(update(display));
    EXPECT_TRUE(headless::visible(window));
    const headless::Pixels shown = headless::clientPixels(window);
    ASSERT_EQ(shown.width, frameWidth);
    ASSERT_EQ(shown.height, frameHeight);
    EXPECT_EQ(shown.data, converted(frame));
}

// Back buffers whose memory order differs from our layouts of the same name
// still show red as red.
TEST_F(Direct3DDisplayTest, ChannelOrderSurvivesEveryAcceptedBackBufferFormat)
{
    for (D3DFORMAT format : {D3DFMT_A32B32G32R32F, D3DFMT_X8R8G8B8, D3DFMT_R8G8B8, D3DFMT_R5G6B5}) {
        SCOPED_TRACE(format);
        d3d9::policy().windowedFormats = {format};
        d3d9::createDeviceCalls().clear();
        for (FloatPixel& pixel : frame) {
            pixel = FloatPixel{0.0f, 0.0f, 0.5f, 1.0f};
        }
        Direct3DDisplay display;
        ASSERT_TRUE(openWindowed(display));
        ASSERT_EQ(d3d9::createDeviceCalls().back().parameters.BackBufferFormat, format);
        ASSERT_TRUE(update(display));
        // Green 0.5 is 128 in 8 bits and 32 of 63 in 6 bits, shown as 130.
        const std::uint32_t expected = format == D3DFMT_R5G6B5 ? 0x00FF8200u : 0x00FF8000u;
        const headless::Pixels shown = headless::clientPixels(theWindow());
        EXPECT_EQ(shown.data, std::vector<std::uint32_t>(shown.data.size(), expected));
    }
}

TEST_F(Direct3DDisplayTest, BothRequestsPendingCloseWithoutSwitching)
{
    Direct3DDisplay display;
    ASSERT_TRUE(openWindowed(display));
    const std::size_t calls = d3d9::createDeviceCalls().size();
    display.requestToggle();
    display.requestClose();
    EXPECT_FALSE(update(display));
    EXPECT_FALSE(display.isOpen());
    EXPECT_EQ(d3d9::createDeviceCalls().size(), calls);
    EXPECT_TRUE(windows().empty());
}

TEST_F(Direct3DDisplayTest, AToggleIsCarriedOutOnce)
{
    Direct3DDisplay display;
    ASSERT_TRUE(openWindowed(display));
    ASSERT_TRUE(update(display));
    const std::size_t windowedCalls = d3d9::createDeviceCalls().size();
    EXPECT_TRUE(display.windowed());
    EXPECT_EQ(d3d9::createDeviceCalls().size(), windowedCalls);
    EXPECT_EQ(display.output(), OutputWindowed);
    display.requestToggle();
    EXPECT_TRUE(update(display));
    EXPECT_EQ(display.output(), OutputFullscreen);
    EXPECT_EQ(headless::style(theWindow()) & WS_POPUP, DWORD(WS_POPUP));
    const std::size_t calls = d3d9::createDeviceCalls().size();
    EXPECT_TRUE(update(display));
    EXPECT_EQ(display.output(), OutputFullscreen);
    EXPECT_EQ(d3d9::createDeviceCalls().size(), calls);
    // Switching to the output already in use makes no new device.
    EXPECT_TRUE(display.fullscreen());
    EXPECT_EQ(d3d9::createDeviceCalls().size(), calls);
}

TEST_F(Direct3DDisplayTest, EscapesFrameIsStillPresentedAndTheNextRefreshCloses)
{
    Direct3DDisplay display;
    ASSERT_TRUE(openWindowed(display));
    ASSERT_TRUE(update(display));
    const HWND window = theWindow();
    ASSERT_EQ(headless::activeWindow(), window);

    frame[0] = FloatPixel{0.0f, 1.0f, 1.0f, 1.0f};
    headless::keyDown(VK_ESCAPE);
    EXPECT_TRUE(update(display));
    EXPECT_EQ(headless::clientPixels(window).data, converted(frame));
    EXPECT_TRUE(display.isOpen());
    EXPECT_FALSE(update(display));
    EXPECT_FALSE(display.isOpen());
}

TEST_F(Direct3DDisplayTest, PaintWithALostDeviceFillsTheClientAreaBlack)
{
    Direct3DDisplay display;
    ASSERT_TRUE(openWindowed(display));
    ASSERT_TRUE(update(display));
    const HWND window = theWindow();
    d3d9::loseDevices();
    EXPECT_TRUE(display.paint());
    const headless::Pixels shown = headless::clientPixels(window);
    ASSERT_EQ(shown.data.size(), std::size_t(frameWidth * frameHeight));
    EXPECT_EQ(shown.data, std::vector<std::uint32_t>(shown.data.size(), 0u));
    // The frame is dropped while the device is lost, and comes back after the reset.
    d3d9::restoreDevices();
    EXPECT_TRUE(update(display));
    EXPECT_EQ(headless::clientPixels(window).data, converted(frame));
}

TEST_F(Direct3DDisplayTest, ListenerSetOnAnOpenDisplayReachesTheWindow)
{
    Recorder recorder;
    Direct3DDisplay display;
    ASSERT_TRUE(openWindowed(display));
    ASSERT_TRUE(update(display));
    display.setListener(&recorder);
    headless::keyDown('A');
    EXPECT_TRUE(update(display));
    ASSERT_EQ(recorder.events, std::vector<std::string>{"down 65"});
    EXPECT_EQ(recorder.displays.front(), &display);
}

TEST_F(Direct3DDisplayTest, OpenOnAnOpenDisplayReplacesWindowAndDeviceAndReportsOpenAgain)
{
    Recorder recorder;
    Direct3DDisplay display;
    display.setListener(&recorder);
    ASSERT_TRUE(openWindowed(display));
    const HWND first = theWindow();
    ASSERT_TRUE(display.open("again", frameWidth, frameHeight, OutputFullscreen, ModeInteger));
    const HWND second = theWindow();
    EXPECT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"open", "open"}));
    EXPECT_EQ(d3d9::liveObjects().devices, 1);
    EXPECT_EQ(display.output(), OutputFullscreen);
}

TEST_F(Direct3DDisplayTest, ToggleWithoutADeviceClosesTheDisplay)
{
    Direct3DDisplay display;
    ASSERT_TRUE(openWindowed(display));
    ASSERT_TRUE(update(display));
    d3d9::policy().fullscreenFormats.clear();
    display.requestToggle();
    EXPECT_TRUE(update(display));
    EXPECT_FALSE(display.isOpen());
    EXPECT_TRUE(windows().empty());
}

TEST_F(Direct3DDisplayTest, CloseButtonDestroysTheWindowAndTheNextRefreshCloses)
{
    Direct3DDisplay display;
    ASSERT_TRUE(openWindowed(display));
    ASSERT_TRUE(update(display));
    const HWND window = theWindow();
    headless::clickClose(window);
    EXPECT_TRUE(update(display));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(display.isOpen());
    EXPECT_FALSE(update(display));
    EXPECT_FALSE(display.isOpen());
}

// Runs under AddressSanitizer in the sanitizer build: a use of the window
// object after the failing switch freed it would stop the test there.
TEST_F(Direct3DDisplayTest, FailingMenuSwitchClosesInsideTheWindowsOwnDispatch)
{
    Direct3DDisplay display;
    ASSERT_TRUE(openWindowed(display));
    ASSERT_TRUE(update(display));
    d3d9::policy().fullscreenFormats.clear();
    headless::chooseMenuItem(theWindow(), 8); // "Fullscreen"
    headless::keyDown('B');                   // more messages behind the command
    EXPECT_TRUE(update(display));
    EXPECT_FALSE(display.isOpen());
    EXPECT_TRUE(windows().empty());
    EXPECT_EQ(d3d9::liveObjectReport(), "1 IDirect3D9\n");
}

// Showing the fullscreen window activates it inside open; a listener that
// posts "Windowed" then has that command dispatched by the fullscreen
// switch's own pump, and with no windowed device the display closes there.
TEST_F(Direct3DDisplayTest, OpenDoesNotReportSuccessWhenItsFullscreenPumpClosedTheDisplay)
{
    struct PostsWindowed final : DisplayListener {
        void onActivate(DisplayInterface*, bool active) override
        {
            if (active && !posted) {
                posted = true;
                PostMessageA(theWindow(), WM_SYSCOMMAND, 7, 0); // "Windowed"
            }
        }
        void onOpen(DisplayInterface*) override { opened = true; }
        bool posted = false;
        bool opened = false;
    } listener;

    d3d9::policy().windowedFormats.clear();
    Direct3DDisplay display;
    display.setListener(&listener);
    EXPECT_FALSE(display.open("tovi", frameWidth, frameHeight, OutputFullscreen, ModeFloat));
    EXPECT_TRUE(listener.posted);
    EXPECT_FALSE(listener.opened);
    EXPECT_FALSE(display.isOpen());
    EXPECT_TRUE(windows().empty());
}

TEST_F(Direct3DDisplayTest, CloseAndDestructionLeaveNoPlatformObjectAlive)
{
    {
        Direct3DDisplay display;
        ASSERT_TRUE(openWindowed(display));
        ASSERT_TRUE(update(display));
        display.close();
        EXPECT_EQ(d3d9::liveObjectReport(), "1 IDirect3D9\n");
        EXPECT_TRUE(windows().empty());
        EXPECT_EQ(headless::capture(), nullptr);
    }
    EXPECT_EQ(d3d9::liveObjects().total(), 0);
}

} // namespace
