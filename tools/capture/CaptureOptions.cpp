#include "tools/capture/CaptureOptions.h"

#include "tools/capture/FrameList.h"

#include <cstddef>
#include <optional>
#include <utility>

namespace {

// The value of "--name VALUE" or "--name=VALUE" at position index, which is
// moved past what was used; nothing when argument is another option.
std::optional<std::string> optionValue(const std::vector<std::string>& arguments, std::size_t& index,
                                       const std::string& name, std::string& error)
{
    const std::string& argument = arguments[index];
    if (argument.size() > name.size() && argument.compare(0, name.size() + 1, name + "=") == 0) {
        return argument.substr(name.size() + 1);
    }
    if (argument != name) {
        return std::nullopt;
    }
    if (index + 1 >= arguments.size()) {
        error = name + " needs a value";
        return std::nullopt;
    }
    ++index;
    return arguments[index];
}

} // namespace

bool parseCaptureOptions(const std::vector<std::string>& arguments, CaptureOptions& options, std::string& error)
{
    options = CaptureOptions{};
    std::optional<std::string> frameList;
    std::optional<std::string> outDir;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            return true;
        }
        if (argument == "--raw") {
            options.raw = true;
            continue;
        }
        if (argument == "--png") {
            options.png = true;
            continue;
        }
        const std::pair<const char*, std::optional<std::string>*> valued[] = {{"--frames", &frameList},
                                                                               {"--out", &outDir}};
        bool known = false;
        for (const auto& [name, target] : valued) {
            error.clear();
            std::optional<std::string> value = optionValue(arguments, index, name, error);
            if (!error.empty()) {
                return false;
            }
            if (value) {
                if (*target) {
                    error = std::string(name) + " given twice";
                    return false;
                }
                *target = std::move(value);
                known = true;
                break;
            }
        }
        if (!known) {
            error = "unknown argument \"" + argument + "\" (see --help)";
            return false;
        }
    }
    if (!frameList) {
        error = "no frames given (--frames LIST)";
        return false;
    }
    options.frames = parseFrameList(*frameList, error);
    if (options.frames.empty()) {
        return false;
    }
    if (!outDir || outDir->empty()) {
        error = "no output folder given (--out DIR)";
        return false;
    }
    options.outDir = *outDir;
    if (!options.raw && !options.png) {
        options.png = true;
    }
    return true;
}

const char* captureUsage()
{
    return "usage: intro_capture --frames LIST --out DIR [--raw] [--png]\n"
           "Runs the intro's frames headless (no window, sound or sleep) from the first\n"
           "frame and writes the chosen ones.\n"
           "  --frames LIST  frame numbers and ranges, counted from 1: 1,25,44,100-110\n"
           "                 (at most 10000000)\n"
           "  --out DIR      folder for the files; created when missing\n"
           "  --png          DIR/frame_N.png: 400 x 300, 8-bit RGB (the default)\n"
           "  --raw          DIR/frame_N.f32: the whole frame buffer, 120000 pixels of\n"
           "                 4 little-endian floats (unused, blue, green, red), top row first\n"
           "  --help         show this text\n"
           "Prints one line per written file: frame N png|raw PATH.\n"
           "Bad arguments or an unwritable folder: one line on standard error, status 2.\n";
}
