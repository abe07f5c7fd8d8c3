#include "tools/capture/FrameFiles.h"

#include "display/PixelConverter.h"

#include <png.h>
#include <unistd.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A name in the same folder, so that the final rename cannot cross devices.
fs::path temporaryName(const fs::path& file)
{
    return file.parent_path() / ("." + file.filename().string() + ".tmp" + std::to_string(::getpid()));
}

// Runs write on a temporary file and renames it to file when write succeeded.
bool writeAtomically(const fs::path& file, const std::function<bool(const fs::path&, std::string&)>& write,
                     std::string& error)
{
    const fs::path temporary = temporaryName(file);
    if (!write(temporary, error)) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    std::error_code failure;
    fs::rename(temporary, file, failure);
    if (failure) {
        error = "cannot rename into " + file.string() + ": " + failure.message();
        fs::remove(temporary, failure);
        return false;
    }
    return true;
}

bool writeBytes(const fs::path& file, const std::vector<unsigned char>& bytes, std::string& error)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        error = "cannot write " + file.string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

void appendLittleEndian(std::vector<unsigned char>& bytes, float value)
{
    const auto word = std::bit_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<unsigned char>(word >> shift));
    }
}

} // namespace

bool prepareOutputFolder(const fs::path& folder, std::string& error)
{
    std::error_code failure;
    fs::create_directories(folder, failure);
    if (failure) {
        error = "cannot create folder " + folder.string() + ": " + failure.message();
        return false;
    }
    if (!fs::is_directory(folder, failure)) {
        error = "not a folder: " + folder.string();
        return false;
    }
    // Checked before any frame is run, so that a long run cannot fail at its end.
    const fs::path probe = temporaryName(folder / "probe");
    {
        std::ofstream out(probe, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = "cannot write into folder " + folder.string() + ": " + std::strerror(errno);
            return false;
        }
    }
    fs::remove(probe, failure);
    return true;
}

bool writeRawFrame(const fs::path& file, const FloatPixel* pixels, int count, std::string& error)
{
    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<std::size_t>(count) * sizeof(FloatPixel));
    for (int n = 0; n < count; ++n) {
        appendLittleEndian(bytes, pixels[n].unused);
        appendLittleEndian(bytes, pixels[n].blue);
        appendLittleEndian(bytes, pixels[n].green);
        appendLittleEndian(bytes, pixels[n].red);
    }
    return writeAtomically(
        file, [&](const fs::path& temporary, std::string& failure) { return writeBytes(temporary, bytes, failure); },
        error);
}

bool writePngFrame(const fs::path& file, const FloatPixel* pixels, int width, int height, std::string& error)
{
    const PixelConverter* converter = findConverter(XBGRFFFF, RGB888);
    if (converter == nullptr) {
        error = "the display library has no float to RGB converter";
        return false;
    }
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    std::vector<unsigned char> rgb(stride * static_cast<std::size_t>(height));
    converter->begin();
    for (int y = 0; y < height; ++y) {
        converter->convert(pixels + static_cast<std::size_t>(y) * width, rgb.data() + stride * y,
                           static_cast<std::uint32_t>(width));
    }
    converter->end();

    return writeAtomically(
        file,
        [&](const fs::path& temporary, std::string& failure) {
            png_image image;
            std::memset(&image, 0, sizeof image);
            image.version = PNG_IMAGE_VERSION;
            image.width = static_cast<png_uint_32>(width);
            image.height = static_cast<png_uint_32>(height);
            image.format = PNG_FORMAT_RGB;
            const bool written = png_image_write_to_file(&image, temporary.c_str(), 0, rgb.data(),
                                                         static_cast<png_int_32>(stride), nullptr) != 0;
            if (!written) {
                failure = "cannot write " + temporary.string() + ": " + image.message;
            }
            png_image_free(&image);
            return written;
        },
        error);
}
