#pragma once

#include "display/PixelTypes.h"

#include <filesystem>
#include <string>

// Writing captured frames. Every file is written under a temporary name in its
// folder and renamed into place only when complete, so an interrupted or failed
// write never leaves a half-written frame behind. Failures return false and set
// error to one line.

// Creates the folder when missing and checks that files can be made in it.
bool prepareOutputFolder(const std::filesystem::path& folder, std::string& error);

// The frame's floats as they are: count pixels of 4 little-endian floats.
bool writeRawFrame(const std::filesystem::path& file, const FloatPixel* pixels, int count, std::string& error);

// An 8-bit RGB PNG, each channel converted by the display library's rule.
bool writePngFrame(const std::filesystem::path& file, const FloatPixel* pixels, int width, int height,
                   std::string& error);
