// Runs a fuzz target over every file of the folders or files named on the
// command line, without the fuzzing engine; a crash fails the test.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

int replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    int count = 0;
    // The empty input first: every reader must take it.
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(""), 0);
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
                if (entry.is_regular_file()) count += replay(entry.path());
        } else if (std::filesystem::exists(path)) {
            count += replay(path);
        }
    }
    std::printf("replayed %d inputs\n", count);
    return 0;
}
