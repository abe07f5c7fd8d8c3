// intro_capture: runs the intro's frame steps headless, exactly as the frame
// loop runs them but without window, sound or sleep, and writes chosen frames.
#include "intro/Frame.h"
#include "intro/IntroState.h"
#include "tools/capture/CaptureOptions.h"
#include "tools/capture/FrameFiles.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int badArguments = 2;
constexpr int writeFailed = 1;

int fail(const std::string& message, int status)
{
    std::cerr << "intro_capture: " << message << "\n";
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    CaptureOptions options;
    std::string error;
    if (!parseCaptureOptions(arguments, options, error)) {
        return fail(error, badArguments);
    }
    if (options.help) {
        std::cout << captureUsage();
        return 0;
    }
    if (!prepareOutputFolder(options.outDir, error)) {
        return fail(error, badArguments);
    }

    auto wanted = options.frames.begin();
    while (wanted != options.frames.end()) {
        advanceFrame();
        if (frameCount != *wanted) {
            continue;
        }
        const std::string stem = "frame_" + std::to_string(frameCount);
        if (options.png) {
            const auto file = options.outDir / (stem + ".png");
            if (!writePngFrame(file, frameBuffer, introWidth, introHeight, error)) {
                return fail(error, writeFailed);
            }
            std::cout << "frame " << frameCount << " png " << file.string() << std::endl;
        }
        if (options.raw) {
            const auto file = options.outDir / (stem + ".f32");
            if (!writeRawFrame(file, frameBuffer, introPixelCount, error)) {
                return fail(error, writeFailed);
            }
            std::cout << "frame " << frameCount << " raw " << file.string() << std::endl;
        }
        ++wanted;
    }
    return 0;
}
