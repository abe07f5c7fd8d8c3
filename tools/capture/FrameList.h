#pragma once

#include <string>
#include <string_view>
#include <vector>

// Frame numbers are counted from 1, as frameCount counts them. The upper bound
// keeps a typing slip from asking for a run of days.
constexpr int maxCaptureFrame = 10000000;

// The frames a LIST such as "1,25,44,100-110" names, ascending and each once.
// On a malformed list returns an empty vector and sets error to one line.
std::vector<int> parseFrameList(std::string_view list, std::string& error);
