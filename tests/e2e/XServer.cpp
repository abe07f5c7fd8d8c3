#include "tests/e2e/XServer.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace e2e {

namespace {

bool onPath(const std::string& program)
{
    int code = -1;
    run({"sh", "-c", "command -v " + program}, {}, &code);
    return code == 0;
}

} // namespace

bool XServer::available()
{
    return onPath("Xvfb") && onPath("xdotool") && onPath("xwininfo") && onPath("import");
}

XServer::XServer(int width, int height) : width_(width), height_(height)
{
    int number = 90 + static_cast<int>(getpid() % 100);
    for (int tries = 0; tries < 100; ++tries, ++number) {
        const std::string n = std::to_string(number);
        if (!std::filesystem::exists("/tmp/.X11-unix/X" + n) && !std::filesystem::exists("/tmp/.X" + n + "-lock")) {
            break;
        }
    }
    display_ = ":" + std::to_string(number);
    server = std::make_unique<Process>(
        std::vector<std::string>{"Xvfb", display_, "-screen", "0",
                                 std::to_string(width) + "x" + std::to_string(height) + "x24", "-nolisten", "tcp"},
        std::map<std::string, std::string>{});
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end && server->running()) {
        int code = -1;
        run({"xdpyinfo"}, {{"DISPLAY", display_}}, &code);
        if (code == 0) {
            ready_ = true;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

std::vector<std::string> XTools::windows(const std::string& title, double seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(static_cast<int>(seconds * 1000));
    for (;;) {
        std::istringstream ids(
            run({"xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"}, {{"DISPLAY", display}}));
        std::vector<std::string> found;
        for (std::string id; ids >> id;) {
            found.push_back(id);
        }
        if (!found.empty() || std::chrono::steady_clock::now() >= end) {
            return found;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

Geometry XTools::geometry(const std::string& window)
{
    Geometry g;
    std::istringstream info(run({"xwininfo", "-id", window}, {{"DISPLAY", display}}));
    for (std::string line; std::getline(info, line);) {
        const auto value = [&line](const char* key, int& out) {
            const auto at = line.find(key);
            if (at != std::string::npos) {
                out = std::atoi(line.c_str() + at + std::string(key).size());
            }
        };
        value("Absolute upper-left X:", g.x);
        value("Absolute upper-left Y:", g.y);
        value("Width:", g.width);
        value("Height:", g.height);
        if (line.find("Map State: IsViewable") != std::string::npos) {
            g.viewable = true;
        }
    }
    return g;
}

void XTools::key(const std::string& window, const std::string& keys)
{
    run({"xdotool", "windowfocus", "--sync", window}, {{"DISPLAY", display}});
    run({"xdotool", "key", "--clearmodifiers", keys}, {{"DISPLAY", display}});
}

void XTools::altEnter(const std::string& window)
{
    const std::map<std::string, std::string> environment{{"DISPLAY", display}};
    run({"xdotool", "windowfocus", "--sync", window}, environment);
    run({"xdotool", "keydown", "alt"}, environment);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    run({"xdotool", "key", "Return"}, environment);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    run({"xdotool", "keyup", "alt"}, environment);
}

std::optional<Screenshot> XTools::screenshot()
{
    const std::string file = std::filesystem::temp_directory_path() /
                             ("tovi-e2e-" + std::to_string(getpid()) + ".ppm");
    int code = -1;
    run({"import", "-window", "root", "-depth", "8", "ppm:" + file}, {{"DISPLAY", display}}, &code);
    std::ifstream in(file, std::ios::binary);
    std::string magic;
    Screenshot shot;
    int maximum = 0;
    in >> magic >> shot.width >> shot.height >> maximum;
    in.get();
    if (code != 0 || magic != "P6" || maximum != 255 || shot.width <= 0 || shot.height <= 0) {
        std::filesystem::remove(file);
        return std::nullopt;
    }
    shot.rgb.resize(static_cast<std::size_t>(shot.width) * shot.height * 3);
    in.read(reinterpret_cast<char*>(shot.rgb.data()), static_cast<std::streamsize>(shot.rgb.size()));
    std::filesystem::remove(file);
    return in ? std::optional<Screenshot>(shot) : std::nullopt;
}

bool XTools::screenshotTo(const std::string& file, const Geometry& area)
{
    int code = -1;
    const std::string crop = std::to_string(area.width) + "x" + std::to_string(area.height) + "+" +
                             std::to_string(area.x) + "+" + std::to_string(area.y);
    run({"import", "-window", "root", "-crop", crop, "+repage", file}, {{"DISPLAY", display}}, &code);
    return code == 0;
}

} // namespace e2e
