// Runs a fuzz target over files and folders of inputs without libFuzzer, so that the ordinary
// builds (g++, with and without sanitizers) replay the seed corpora and the crash regressions.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/fuzz_check.h"

namespace fs = std::filesystem;

namespace {

int replay_file(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    LLVMFuzzerInitialize(&argc, &argv);
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        fs::path path(argv[i]);
        if (fs::is_directory(path)) {
            for (const fs::directory_entry& entry : fs::recursive_directory_iterator(path))
                if (entry.is_regular_file()) inputs += replay_file(entry.path());
        } else {
            inputs += replay_file(path);
        }
    }
    printf("replayed %d inputs\n", inputs);
    return inputs > 0 ? 0 : 1;
}
