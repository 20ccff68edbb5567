// Temporary folders and files for tests.
#include "support/temp_files.h"

#include <stdlib.h>
#include <time.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    static std::atomic<int> counter{0};
    fs::path base = fs::temp_directory_path();
    for (;;) {
        fs::path candidate = base / ("pelox-test-" + std::to_string(static_cast<long long>(clock())) + "-" +
                                     std::to_string(counter++) + "-" + std::to_string(rand()));
        if (fs::create_directory(candidate)) {
            path_ = candidate.string() + static_cast<char>(fs::path::preferred_separator);
            return;
        }
    }
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TempFolder::write(const std::string& name, const std::string& bytes) const
{
    std::string file = path_ + name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

std::string TempFolder::read(const std::string& name) const
{
    std::ifstream in(path_ + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int TempFolder::entries() const
{
    int n = 0;
    for (const auto& entry : fs::directory_iterator(path_)) n += !entry.path().empty();
    return n;
}
