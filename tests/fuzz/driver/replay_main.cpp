// Runs a fuzz target over every file of the folders or files named on the
// command line, without the fuzzing engine; a crash fails the test. So does
// a named folder or file that is missing or holds no input: the fuzzing run
// starts from the same seeds and would stop there.
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
        int found = 0;
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
                if (entry.is_regular_file()) found += replay(entry.path());
        } else if (std::filesystem::is_regular_file(path)) {
            found += replay(path);
        }
        if (found == 0) {
            std::fprintf(stderr, "no seed inputs in %s\n", argv[i]);
            return 1;
        }
        count += found;
    }
    std::printf("replayed %d inputs\n", count);
    return 0;
}
