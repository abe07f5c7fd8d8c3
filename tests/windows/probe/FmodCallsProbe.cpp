// Test builds only: the six calls of our fmod.dll as a program sees them,
// run under Wine from a folder holding the module. Prints one line per check
// and ends with status 1 if any failed.
#include "sound/FmodApi.h"

#include <cstdio>

namespace {

int failures = 0;

void check(bool ok, const char* what)
{
    std::printf("%s %s\n", ok ? "ok:  " : "FAIL:", what);
    if (!ok) {
        ++failures;
    }
}

} // namespace

int main()
{
    check(FSOUND_GetVersion() == 3.75f, "version 3.75");
    check(FMUSIC_LoadSong("rezov_ud_ari.mod") == nullptr, "no song before FSOUND_Init");
    check(!FMUSIC_PlaySong(nullptr), "PlaySong(null) before FSOUND_Init refused");
    FSOUND_Close(); // closing what never started does nothing

    check(!FSOUND_Init(1000, 32, 0), "a mix rate of 1000 refused");
    check(FSOUND_Init(32000, 32, 0), "FSOUND_Init(32000, 32, 0)");
    check(FSOUND_Init(32000, 32, 0), "a second FSOUND_Init is harmless");

    if (std::FILE* file = std::fopen("not-a-module.mod", "wb")) {
        std::fputs("this is not a module", file);
        std::fclose(file);
    }
    if (std::FILE* in = std::fopen("rezov_ud_ari.mod", "rb")) {
        static char bytes[1 << 20];
        const std::size_t size = std::fread(bytes, 1, sizeof bytes, in);
        std::fclose(in);
        if (std::FILE* out = std::fopen("cut-short.mod", "wb")) {
            std::fwrite(bytes, 1, size > 0 ? size - 1 : 0, out);
            std::fclose(out);
        }
    }
    check(FMUSIC_LoadSong("cut-short.mod") == nullptr, "a module one byte short: null");
    check(FMUSIC_LoadSong("missing.mod") == nullptr, "missing file: null");
    check(FMUSIC_LoadSong("not-a-module.mod") == nullptr, "invalid file: null");
    check(FMUSIC_LoadSong(nullptr) == nullptr, "null name: null");

    FMUSIC_MODULE* song = FMUSIC_LoadSong("rezov_ud_ari.mod");
    check(song != nullptr, "rezov_ud_ari.mod loads");
    check(!FMUSIC_PlaySong(nullptr), "PlaySong(null) refused");
    check(FMUSIC_PlaySong(song), "PlaySong");
    check(FMUSIC_PlaySong(song), "PlaySong again starts it over");
    check(!FMUSIC_FreeSong(reinterpret_cast<FMUSIC_MODULE*>(&failures)), "FreeSong of a foreign pointer refused");
    check(FMUSIC_FreeSong(song), "FreeSong");
    check(!FMUSIC_FreeSong(song), "a second FreeSong refused");
    check(!FMUSIC_PlaySong(song), "PlaySong of a freed song refused");

    FMUSIC_MODULE* again = FMUSIC_LoadSong("rezov_ud_ari.mod");
    check(again != nullptr && FMUSIC_PlaySong(again), "load and play once more");
    FSOUND_Close(); // frees the song in play
    check(!FMUSIC_FreeSong(again), "songs are gone after FSOUND_Close");
    FSOUND_Close();
    check(FSOUND_Init(44100, 32, 0), "FSOUND_Init after FSOUND_Close");
    FSOUND_Close();

    std::printf("fmod calls: %d failure(s)\n", failures);
    return failures == 0 ? 0 : 1;
}
