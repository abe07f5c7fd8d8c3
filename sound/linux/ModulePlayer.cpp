#include "sound/linux/ModulePlayer.h"

#include "sound/linux/ModuleCompleteness.h"

#include <libopenmpt/libopenmpt.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace sound {
namespace {

// Far beyond any tracker module; a file this big is not read into memory.
constexpr std::uintmax_t largestFile = 256u * 1024u * 1024u;

} // namespace

std::unique_ptr<ModulePlayer> ModulePlayer::fromMemory(std::span<const std::uint8_t> bytes, int mixRate) {
    if (mixRate < minimumRate || mixRate > maximumRate || bytes.empty() || isTruncatedProTracker(bytes))
        return nullptr;
    int error = 0;
    openmpt_module* module = openmpt_module_create_from_memory2(
        bytes.data(), bytes.size(), openmpt_log_func_silent, nullptr, openmpt_error_func_ignore, nullptr,
        &error, nullptr, nullptr);
    if (module == nullptr)
        return nullptr;
    // A song without a single order has nothing to play.
    if (openmpt_module_get_num_orders(module) <= 0) {
        openmpt_module_destroy(module);
        return nullptr;
    }
    // Play on from the start when the song ends, for as long as it is held.
    openmpt_module_set_repeat_count(module, -1);
    return std::unique_ptr<ModulePlayer>(new ModulePlayer(module, mixRate));
}

std::unique_ptr<ModulePlayer> ModulePlayer::fromFile(const std::string& path, int mixRate) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return nullptr;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size == 0 || size > largestFile)
        return nullptr;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return nullptr;
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return nullptr;
    return fromMemory(bytes, mixRate);
}

ModulePlayer::ModulePlayer(openmpt_module* module, int mixRate) : module(module), rate(mixRate) {}

ModulePlayer::~ModulePlayer() { openmpt_module_destroy(module); }

void ModulePlayer::render(float* interleavedStereo, std::size_t frames) {
    std::size_t done = 0;
    while (done < frames) {
        const std::size_t got =
            openmpt_module_read_interleaved_float_stereo(module, rate, frames - done, interleavedStereo + 2 * done);
        if (got == 0)
            break;
        done += got;
    }
    if (done < frames)
        std::memset(interleavedStereo + 2 * done, 0, (frames - done) * 2 * sizeof(float));
}

void ModulePlayer::rewind() { openmpt_module_set_position_order_row(module, 0, 0); }

double ModulePlayer::durationSeconds() const { return openmpt_module_get_duration_seconds(module); }

double ModulePlayer::positionSeconds() const { return openmpt_module_get_position_seconds(module); }

int ModulePlayer::channelCount() const { return openmpt_module_get_num_channels(module); }

} // namespace sound
