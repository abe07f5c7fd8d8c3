// make_module: writes the intro's music, a four-channel ProTracker module
// whose instruments and patterns are all made here.
#include "tools/make_module/Composition.h"
#include "tools/make_module/ModuleFile.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

namespace {

void printHelp() {
    std::cout << "Usage: make_module OUTPUT.mod\n"
                 "Writes the tovi music: an original 4-channel ProTracker module (M.K., 31 samples)\n"
                 "with synthesised instruments, about a minute long before it loops.\n"
                 "The output is the same on every run.\n"
                 "  --help   show this text\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--help") {
        printHelp();
        return 0;
    }
    if (argc != 2 || argv[1][0] == '\0' || argv[1][0] == '-') {
        std::cerr << "make_module: expected one argument, the output file (see --help)\n";
        return 2;
    }
    const std::string path = argv[1];
    try {
        const auto bytes = make_module::serialise(make_module::composeModule());
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!out) {
            std::cerr << "make_module: cannot open \"" << path << "\" for writing\n";
            return 1;
        }
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::cerr << "make_module: cannot write \"" << path << "\"\n";
            std::remove(path.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << "make_module: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
