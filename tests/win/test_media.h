#pragma once
// The sample movies of tools/make_test_media.sh for the Windows tests, and
// the frames an uncompressed AVI file stores, read straight from the file.
#include <optional>
#include <string>
#include <vector>

namespace qucap::test {

// The Windows path of a movie in the folder QUCAP_TEST_MEDIA names (a Linux
// path: Wine shows the Linux root as drive Z:). Nothing when the variable is
// not set or the file is missing.
std::optional<std::u16string> testMovie(const char* name);

// The payloads of the video chunks ("00db", "00dc") of the AVI file's movie
// list, in file order: frame by frame for an uncompressed movie.
std::vector<std::string> aviVideoChunks(const std::u16string& path);

}  // namespace qucap::test
