#include "tools/capture/FrameList.h"

#include <algorithm>
#include <charconv>
#include <cstddef>

namespace {

// One frame number: digits only, 1 to maxCaptureFrame.
bool parseFrame(std::string_view text, int& frame, std::string& error)
{
    const bool digitsOnly =
        !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digitsOnly) {
        error = "not a frame number: \"" + std::string(text) + "\"";
        return false;
    }
    long long value = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (status != std::errc() || end != text.data() + text.size() || value > maxCaptureFrame) {
        error = "frame number too large: " + std::string(text) + " (at most " + std::to_string(maxCaptureFrame) + ")";
        return false;
    }
    if (value < 1) {
        error = "frames are counted from 1, not " + std::string(text);
        return false;
    }
    frame = static_cast<int>(value);
    return true;
}

// One item: a frame "N" or an ascending range "A-B".
bool parseItem(std::string_view item, std::vector<int>& frames, std::string& error)
{
    if (item.empty()) {
        error = "empty item in the frame list";
        return false;
    }
    if (item.front() == '-') {
        error = "frames are counted from 1, not " + std::string(item);
        return false;
    }
    const std::size_t dash = item.find('-');
    if (dash == std::string_view::npos) {
        int frame = 0;
        if (!parseFrame(item, frame, error)) {
            return false;
        }
        frames.push_back(frame);
        return true;
    }
    int first = 0;
    int last = 0;
    if (!parseFrame(item.substr(0, dash), first, error) || !parseFrame(item.substr(dash + 1), last, error)) {
        return false;
    }
    if (last < first) {
        error = "range runs backwards: " + std::string(item);
        return false;
    }
    for (int frame = first; frame <= last; ++frame) {
        frames.push_back(frame);
    }
    return true;
}

} // namespace

std::vector<int> parseFrameList(std::string_view list, std::string& error)
{
    if (list.empty()) {
        error = "no frames given";
        return {};
    }
    std::vector<int> frames;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string_view item =
            list.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        if (!parseItem(item, frames, error)) {
            return {};
        }
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    std::sort(frames.begin(), frames.end());
    frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
    return frames;
}
