#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// Files for the loading tests, in a fresh folder removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        path = std::filesystem::temp_directory_path()
               / ("tovi-sound-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + "-"
                  + std::to_string(std::rand()));
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        const auto file = path / name;
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return file.string();
    }
    std::string folder() const { return path.string(); }

private:
    std::filesystem::path path;
};

inline std::vector<std::uint8_t> readMusicModule() {
    std::ifstream in(TOVI_MUSIC_MODULE_PATH, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Fixed-seed bytes that are no module.
inline std::vector<std::uint8_t> noiseBytes(std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    std::uint32_t state = 12345;
    for (auto& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
}
