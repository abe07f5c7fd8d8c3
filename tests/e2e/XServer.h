#pragma once

#include "tests/e2e/Process.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// A virtual X server (Xvfb) on a display number nobody uses, for the length of
// a test suite.
class XServer {
public:
    static bool available();
    XServer(int width, int height);

    bool ready() const { return ready_; }
    const std::string& display() const { return display_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    std::unique_ptr<Process> server;
    std::string display_;
    int width_;
    int height_;
    bool ready_ = false;
};

struct Geometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool viewable = false;
};

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb; // 3 bytes a pixel, rows top first
    const unsigned char* at(int x, int y) const { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

// Queries and input through the standard X tools, on the given display.
class XTools {
public:
    explicit XTools(std::string display) : display(std::move(display)) {}

    // The viewable windows titled exactly `title`, waiting up to `seconds`
    // for the first to appear.
    std::vector<std::string> windows(const std::string& title, double seconds);
    Geometry geometry(const std::string& window);
    void key(const std::string& window, const std::string& keys);
    // Alt held while Enter is pressed, at a person's pace: the program reads
    // Alt's state when the Enter message arrives.
    void altEnter(const std::string& window);
    std::optional<Screenshot> screenshot();
    bool screenshotTo(const std::string& file, const Geometry& area);

private:
    std::string display;
};

} // namespace e2e
