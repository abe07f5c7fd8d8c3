// The display window on a real X server (Xvfb) through the SDL2 host: the
// window shows with the right client size at the centred position, and a key
// sent by xdotool reaches the listener with its key code, and the system
// menu opens with Alt+Space and delivers its choice.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

constexpr int screenWidth = 1280;
constexpr int screenHeight = 1024;

bool onPath(const std::string& program)
{
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

bool exists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// A child process that is stopped and reaped when the object goes.
class Child {
public:
    // captureFd: the child's descriptor whose output readLine reads (-1: none).
    Child(const std::vector<std::string>& args, const std::vector<std::string>& extraEnvironment, int captureFd)
    {
        const bool captureOutput = captureFd >= 0;
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        std::vector<std::string> env;
        for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
        for (const std::string& e : extraEnvironment) env.push_back(e);
        std::vector<char*> envp;
        for (std::string& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        int pipeFds[2] = {-1, -1};
        if (captureOutput && ::pipe(pipeFds) == 0) {
            // Both ends above the descriptors the child is given, and closed in
            // it on exec: only the duplicate at captureFd remains there.
            for (int& fd : pipeFds) {
                const int high = ::fcntl(fd, F_DUPFD_CLOEXEC, 10);
                ::close(fd);
                fd = high;
            }
            posix_spawn_file_actions_adddup2(&actions, pipeFds[1], captureFd);
        }
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (captureFd != STDOUT_FILENO) {
            posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        }
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        if (pipeFds[1] >= 0) ::close(pipeFds[1]);
        output_ = pipeFds[0];
    }
    ~Child()
    {
        if (pid_ > 0) {
            // Asked politely first; a child that does not end in two seconds is killed.
            ::kill(pid_, SIGTERM);
            int status = 0;
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
            while (::waitpid(pid_, &status, WNOHANG) == 0) {
                if (std::chrono::steady_clock::now() >= end) {
                    ::kill(pid_, SIGKILL);
                    ::waitpid(pid_, &status, 0);
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
        if (output_ >= 0) ::close(output_);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool started() const { return pid_ > 0; }

    // The next line of output, or nothing within the time.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout)
    {
        const auto end = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            const auto newline = buffer_.find('\n');
            if (newline != std::string::npos) {
                std::string line = buffer_.substr(0, newline);
                buffer_.erase(0, newline + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0 || output_ < 0) return std::nullopt;
            pollfd p{output_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) return std::nullopt;
            char chunk[256];
            const ssize_t n = ::read(output_, chunk, sizeof chunk);
            if (n <= 0) return std::nullopt;
            buffer_.append(chunk, static_cast<std::size_t>(n));
        }
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string buffer_;
};

std::string run(const std::string& command)
{
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char chunk[512];
        std::size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, p)) > 0) out.append(chunk, n);
        ::pclose(p);
    }
    return out;
}

long field(const std::string& text, const std::string& name)
{
    const auto at = text.find(name);
    return at == std::string::npos ? -1 : std::strtol(text.c_str() + at + name.size(), nullptr, 10);
}

std::string programPath(const std::string& name)
{
    for (const std::string dir : {"/usr/bin/", "/usr/local/bin/", "/bin/"}) {
        if (exists(dir + name)) return dir + name;
    }
    return name;
}

TEST(RealWindowTest, WindowShowsCentredAndKeysArrive)
{
    for (const char* tool : {"Xvfb", "xdotool", "xwininfo"}) {
        if (!onPath(tool)) {
            GTEST_SKIP() << tool << " is not installed (Debian packages xvfb, xdotool, x11-utils); skipping the X11 window test";
        }
    }
    // Xvfb picks a free display itself and names it on descriptor 3 once it
    // accepts clients, so tests running side by side never collide.
    Child server({programPath("Xvfb"), "-displayfd", "3", "-screen", "0",
                  std::to_string(screenWidth) + "x" + std::to_string(screenHeight) + "x24", "-nolisten", "tcp"},
                 {}, 3);
    ASSERT_TRUE(server.started());
    const std::optional<std::string> number = server.readLine(std::chrono::seconds(10));
    ASSERT_TRUE(number.has_value() && !number->empty()) << "Xvfb did not start";
    const std::string display = ":" + *number;

    Child probe({TOVI_WINDOW_PROBE}, {"DISPLAY=" + display}, STDOUT_FILENO);
    ASSERT_TRUE(probe.started());
    const std::optional<std::string> ready = probe.readLine(std::chrono::seconds(10));
    ASSERT_TRUE(ready.has_value()) << "the probe showed no window";
    std::istringstream in(*ready);
    std::string word;
    long x = 0, y = 0, w = 0, h = 0;
    in >> word >> x >> y >> w >> h;
    ASSERT_EQ(word, "ready");
    EXPECT_EQ(w, 400);
    EXPECT_EQ(h, 300);

    // Without a window manager the X window is exactly the client area.
    std::string info;
    for (int attempt = 0; attempt < 50; ++attempt) {
        info = run("xwininfo -display " + display + " -name tovi-probe 2>/dev/null");
        if (field(info, "Map State: ") != -1 && info.find("IsViewable") != std::string::npos) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_NE(info.find("IsViewable"), std::string::npos) << info;
    EXPECT_EQ(field(info, "Width: "), 400) << info;
    EXPECT_EQ(field(info, "Height: "), 300) << info;
    EXPECT_EQ(field(info, "Absolute upper-left X: "), x) << info;
    EXPECT_EQ(field(info, "Absolute upper-left Y: "), y) << info;
    // The outer window (client plus our frame metrics) is centred on the screen.
    const long outerWidth = 400 + 8;
    const long outerHeight = 300 + 28;
    EXPECT_EQ(x - 4, (screenWidth - outerWidth) >> 1);
    EXPECT_EQ(y - 24, (screenHeight - outerHeight) >> 1);

    run("DISPLAY=" + display + " xdotool search --sync --name tovi-probe windowfocus --sync key --delay 50 a 2>/dev/null");
    std::optional<std::string> line;
    do {
        line = probe.readLine(std::chrono::seconds(5));
    } while (line && *line != "key 65");
    EXPECT_EQ(line.value_or("nothing"), "key 65");

    // Alt+Space opens the system menu drawn in the window; Up wraps from its
    // first item to its last, "Fullscreen", and Enter chooses it.
    run("DISPLAY=" + display + " xdotool key --delay 100 alt+space Up Return 2>/dev/null");
    do {
        line = probe.readLine(std::chrono::seconds(5));
    } while (line && *line != "fullscreen");
    EXPECT_EQ(line.value_or("nothing"), "fullscreen");
}

}  // namespace
