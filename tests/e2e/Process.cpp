#include "tests/e2e/Process.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace e2e {

Process::Process(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment,
                 const std::string& directory)
{
    int fds[2];
    if (pipe(fds) != 0) {
        return;
    }
    pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        const int null = open("/dev/null", O_RDONLY);
        if (null >= 0) {
            dup2(null, STDIN_FILENO);
        }
        for (const auto& [name, value] : environment) {
            if (value.empty()) {
                unsetenv(name.c_str());
            } else {
                setenv(name.c_str(), value.c_str(), 1);
            }
        }
        if (!directory.empty() && chdir(directory.c_str()) != 0) {
            _exit(126);
        }
        std::vector<char*> args;
        for (const auto& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(fds[1]);
    outputPipe = fds[0];
    fcntl(outputPipe, F_SETFL, O_NONBLOCK);
}

Process::~Process()
{
    stop();
    if (outputPipe >= 0) {
        close(outputPipe);
    }
}

void Process::drain()
{
    if (outputPipe < 0) {
        return;
    }
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(outputPipe, buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        captured.append(buffer, static_cast<std::size_t>(got));
    }
}

bool Process::running()
{
    if (pid <= 0 || status) {
        return false;
    }
    int raw = 0;
    if (waitpid(pid, &raw, WNOHANG) == pid) {
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        drain();
        return false;
    }
    return true;
}

std::optional<int> Process::wait(std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (running()) {
        drain();
        if (std::chrono::steady_clock::now() >= end) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return status;
}

std::string Process::output()
{
    drain();
    return captured;
}

void Process::stop()
{
    // Politely first, so that a server removes its lock and socket.
    if (running()) {
        kill(pid, SIGTERM);
        wait(std::chrono::milliseconds(2000));
    }
    if (running()) {
        kill(pid, SIGKILL);
        wait(std::chrono::milliseconds(2000));
    }
}

std::string run(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment,
                int* code)
{
    Process process(argv, environment);
    const std::optional<int> status = process.wait(std::chrono::milliseconds(10000));
    if (code != nullptr) {
        *code = status.value_or(-1);
    }
    return process.output();
}

} // namespace e2e
