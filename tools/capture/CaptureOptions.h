#pragma once

#include <filesystem>
#include <string>
#include <vector>

// What intro_capture was asked to do.
struct CaptureOptions {
    bool help = false;
    std::vector<int> frames; // ascending, each once, counted from 1
    std::filesystem::path outDir;
    bool raw = false;
    bool png = false; // also set when neither format was asked for
};

// Reads the command line (without the program name). On bad arguments returns
// false and sets error to one line.
bool parseCaptureOptions(const std::vector<std::string>& arguments, CaptureOptions& options, std::string& error);

// The --help text.
const char* captureUsage();
