#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// A child process this test started; killed (by its own id) if still running
// when the object goes.
class Process {
public:
    // argv[0] is a path. Variables in `environment` are set (empty value:
    // removed) on top of this process's environment. Standard output is kept.
    Process(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment,
            const std::string& directory = "");
    ~Process();

    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool started() const { return pid > 0; }
    bool running();
    // The exit status, or none if the process still runs after `timeout`.
    // A process ended by a signal reports 128 + the signal.
    std::optional<int> wait(std::chrono::milliseconds timeout);
    // What it wrote to standard output so far (read after it ended).
    std::string output();
    void stop();

private:
    void drain();

    pid_t pid = -1;
    int outputPipe = -1;
    std::optional<int> status;
    std::string captured;
};

// Runs a command to its end and returns its standard output; status in *code.
std::string run(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment,
                int* code = nullptr);

} // namespace e2e
