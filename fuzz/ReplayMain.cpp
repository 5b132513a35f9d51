// The main of a fuzz target built without libFuzzer: every file named on the command line, and
// every file in every folder named (in name order, so runs repeat), goes once through
// LLVMFuzzerTestOneInput. CTest runs each target over its corpus this way, so every input that
// once broke something stays a regression case. A run that finds no input fails.
#include "FuzzTarget.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        fs::path named = argv[i];
        if (fs::is_directory(named)) {
            std::vector<fs::path> found;
            for (const auto& entry : fs::recursive_directory_iterator(named))
                if (entry.is_regular_file())
                    found.push_back(entry.path());
            std::sort(found.begin(), found.end());
            inputs.insert(inputs.end(), found.begin(), found.end());
        } else {
            inputs.push_back(named);
        }
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "usage: %s FILE|FOLDER...: no inputs found\n", argv[0]);
        return 2;
    }
    LLVMFuzzerInitialize(&argc, &argv);
    for (const fs::path& input : inputs) {
        std::ifstream in(input, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", input.c_str());
            return 2;
        }
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::fprintf(stderr, "replaying %s (%zu bytes)\n", input.c_str(), bytes.size());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return 0;
}
