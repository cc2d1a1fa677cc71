#include "app/core/media/avi_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace qucap {

void PrintTo(const AviVideoFrames& f, std::ostream* out) {
    static const char* const endings[] = {"Whole", "Cut", "Broken"};
    *out << "{stream " << f.stream << ", present " << f.present << ", claimed " << f.claimed << ", riff "
         << f.riffChunks << ", " << endings[int(f.ending)] << "}";
}

namespace {

// File bytes made of written pieces and runs of zeros between them, so a
// movie of gigabytes of frame data takes a few kilobytes of memory.
class Bytes {
public:
    Bytes() = default;
    Bytes(std::string text) : size_(text.size()) {
        if (!text.empty()) pieces_.push_back({0, std::move(text)});
    }
    static Bytes zeros(uint64_t count) {
        Bytes bytes;
        bytes.size_ = count;
        return bytes;
    }

    Bytes& operator+=(const Bytes& other) {
        for (const Piece& piece : other.pieces_) pieces_.push_back({size_ + piece.at, piece.text});
        size_ += other.size_;
        return *this;
    }
    friend Bytes operator+(Bytes a, const Bytes& b) { return a += b; }

    uint64_t size() const { return size_; }

    // The first `length` bytes.
    Bytes cutAt(uint64_t length) const {
        Bytes cut;
        cut.size_ = length;
        for (const Piece& piece : pieces_)
            if (piece.at < length) cut.pieces_.push_back({piece.at, piece.text.substr(0, length - piece.at)});
        return cut;
    }

    void copy(uint64_t offset, char* data, std::size_t length) const {
        std::memset(data, 0, length);
        auto piece = std::upper_bound(pieces_.begin(), pieces_.end(), offset,
                                      [](uint64_t at, const Piece& p) { return at < p.at; });
        if (piece != pieces_.begin()) --piece;
        for (; piece != pieces_.end() && piece->at < offset + length; ++piece) {
            const uint64_t from = std::max(offset, piece->at), to = std::min(offset + length, piece->at + piece->text.size());
            if (from < to) std::memcpy(data + (from - offset), piece->text.data() + (from - piece->at), to - from);
        }
    }

private:
    struct Piece {
        uint64_t at;
        std::string text;
    };
    std::vector<Piece> pieces_;  // in file order, not overlapping
    uint64_t size_ = 0;
};

// Serves Bytes, counts the reads and fails the test on a read past the end.
class MemorySource : public ByteSource {
public:
    explicit MemorySource(Bytes bytes) : bytes_(std::move(bytes)) {}
    uint64_t size() const override { return bytes_.size(); }
    bool readAt(uint64_t offset, void* data, std::size_t length) const override {
        ++reads;
        EXPECT_LE(offset + length, bytes_.size()) << "read past the end at " << offset;
        if (offset > bytes_.size() || length > bytes_.size() - offset) return false;
        bytes_.copy(offset, static_cast<char*>(data), length);
        return true;
    }
    mutable int reads = 0;

private:
    Bytes bytes_;
};

// --- A small AVI builder -----------------------------------------------------

std::string le32(uint32_t value) {
    return {char(value), char(value >> 8), char(value >> 16), char(value >> 24)};
}

struct Sizes {
    std::optional<uint32_t> declared = {};  // a size field that lies
    bool padded = true;                // an odd-sized chunk gets its pad byte
};

Bytes chunk(const std::string& id, const Bytes& data, Sizes sizes = {}) {
    Bytes bytes = Bytes(id + le32(sizes.declared.value_or(uint32_t(data.size())))) + data;
    if (sizes.padded && data.size() % 2) bytes += Bytes::zeros(1);
    return bytes;
}
Bytes list(const std::string& type, const Bytes& body, Sizes sizes = {}) { return chunk("LIST", Bytes(type) + body, sizes); }
Bytes riff(const std::string& form, const Bytes& body, Sizes sizes = {}) { return chunk("RIFF", Bytes(form) + body, sizes); }

Bytes field32At(std::size_t at, uint32_t value, std::size_t size) {
    std::string bytes(size, '\0');
    bytes.replace(at, 4, le32(value));
    return bytes;
}

Bytes streamList(const std::string& type, const Bytes& more = {}) {
    return list("strl", chunk("strh", Bytes(type) + Bytes::zeros(52)) + chunk("strf", Bytes::zeros(40)) + more);
}

constexpr int64_t kNoOpenDmlTotal = -1;

// 'hdrl' with the main header's total and one stream list per type; an
// OpenDML total adds 'LIST odml'.
Bytes headers(uint32_t total, std::vector<std::string> types = {"vids"}, int64_t openDmlTotal = kNoOpenDmlTotal,
              const Bytes& videoIndex = {}) {
    Bytes body = chunk("avih", field32At(16, total, 56));
    for (const std::string& type : types) body += streamList(type, type == "vids" ? videoIndex : Bytes());
    if (openDmlTotal != kNoOpenDmlTotal) body += list("odml", chunk("dmlh", field32At(0, uint32_t(openDmlTotal), 248)));
    return list("hdrl", body);
}

Bytes frames(int count, const std::string& id = "00dc", uint64_t size = 100) {
    Bytes bytes;
    for (int i = 0; i < count; ++i) bytes += chunk(id, Bytes::zeros(size));
    return bytes;
}

Bytes index(int entries) { return chunk("idx1", Bytes::zeros(16 * uint64_t(entries))); }

Bytes plainAvi(int count, bool withIndex = true) {
    return riff("AVI ", headers(count) + list("movi", frames(count)) + (withIndex ? index(count) : Bytes()));
}

// An OpenDML movie: the first part's frames, then one 'RIFF AVIX' per further part.
Bytes openDmlAvi(std::vector<int> parts, uint64_t frameSize = 100, bool withTotal = true) {
    uint32_t total = 0;
    for (int n : parts) total += uint32_t(n);
    Bytes bytes = riff("AVI ", headers(uint32_t(parts[0]), {"vids"}, withTotal ? total : kNoOpenDmlTotal) +
                                   list("movi", frames(parts[0], "00dc", frameSize)) + index(parts[0]));
    for (std::size_t i = 1; i < parts.size(); ++i) bytes += riff("AVIX", list("movi", frames(parts[i], "00dc", frameSize)));
    return bytes;
}

std::string le16(uint16_t value) { return {char(value), char(value >> 8)}; }
std::string le64(uint64_t value) { return le32(uint32_t(value)) + le32(uint32_t(value >> 32)); }

constexpr uint64_t kFrameData = 100;  // the frames of the indexed builders

// A plain movie whose 'idx1' lists its frames (all of them, or the first
// `listed`) at offsets from the 'movi' fourcc, or from the file's start;
// `shift` moves the last entry, `lastSize` gives it another size.
struct LegacyIndex {
    int listed = -1;
    bool absolute = false;
    uint32_t shift = 0;
    uint32_t lastSize = kFrameData;
};
Bytes indexedAvi(int count, LegacyIndex index = {}) {
    const Bytes head = headers(uint32_t(count));
    const uint64_t movieFourCc = 12 + head.size() + 8;
    const int listed = index.listed < 0 ? count : index.listed;
    std::string entries;
    for (int i = 0; i < listed; ++i) {
        uint64_t offset = 4 + uint64_t(i) * (8 + kFrameData) + (index.absolute ? movieFourCc : 0);
        if (i == listed - 1) offset += index.shift;
        entries += "00dc" + le32(0x10) + le32(uint32_t(offset)) + le32(i == listed - 1 ? index.lastSize : kFrameData);
        entries += "01wb" + le32(0) + le32(uint32_t(offset)) + le32(7);  // another stream's entries are passed over
    }
    return riff("AVI ", head + list("movi", frames(count)) + chunk("idx1", Bytes(entries)));
}

// An OpenDML movie whose super index points at a standard index ahead of
// each part's frames.
Bytes indexedOpenDmlAvi(const std::vector<int>& parts) {
    uint32_t total = 0;
    for (int n : parts) total += uint32_t(n);
    const uint64_t superSize = 24 + 16 * parts.size();
    const uint64_t headSize = headers(uint32_t(parts[0]), {"vids"}, total, chunk("indx", Bytes::zeros(superSize))).size();
    std::string super = le16(4) + std::string{'\0', '\0'} + le32(uint32_t(parts.size())) + "00dc" + std::string(12, '\0');
    std::vector<Bytes> movies;
    uint64_t at = 12 + headSize;
    for (std::size_t p = 0; p < parts.size(); ++p) {
        at += (p > 0 ? 12 : 0) + 12;  // 'RIFF AVIX', 'LIST movi'
        const uint64_t ixSize = 32 + 8 * uint64_t(parts[p]), firstFrame = at + ixSize;
        std::string ix = le16(2) + std::string{'\0', '\1'} + le32(uint32_t(parts[p])) + "00dc" + le64(0) + le32(0);
        for (int i = 0; i < parts[p]; ++i) ix += le32(uint32_t(firstFrame + uint64_t(i) * (8 + kFrameData) + 8)) + le32(kFrameData);
        super += le64(at) + le32(uint32_t(ixSize)) + le32(uint32_t(parts[p]));
        movies.push_back(chunk("ix00", Bytes(ix)) + frames(parts[p]));
        at = firstFrame + uint64_t(parts[p]) * (8 + kFrameData);
    }
    Bytes bytes = riff("AVI ", headers(uint32_t(parts[0]), {"vids"}, total, chunk("indx", Bytes(super))) +
                                   list("movi", movies[0]));
    for (std::size_t p = 1; p < parts.size(); ++p) bytes += riff("AVIX", list("movi", movies[p]));
    return bytes;
}

Bytes nested(int depth, const Bytes& inner) { return depth == 0 ? inner : list("rec ", nested(depth - 1, inner)); }

// --- Cases ---------------------------------------------------------------------

constexpr int kStreamNumbers = 100;
constexpr auto kWhole = AviEnding::Whole, kCut = AviEnding::Cut, kBroken = AviEnding::Broken;
constexpr uint64_t kFrame = 8 + 100;  // a frame chunk of the builder
// Offsets in a file of the builder with one stream: the end of the video
// stream's 'strh' ('RIFF AVI ', 'LIST hdrl', 'avih', 'LIST strl', 'strh'),
// and the first frame (then 'strf' and 'LIST movi').
constexpr uint64_t kVideoHeaderEnd = 12 + 12 + 64 + 12 + 64;
constexpr uint64_t kFirstFrameAt = kVideoHeaderEnd + 48 + 12;

AviVideoFrames expected(int stream, uint64_t present, uint64_t claimed, uint64_t riffChunks, AviEnding ending) {
    return {stream, present, claimed, riffChunks, ending};
}

struct Case {
    const char* name;
    Bytes file;
    std::optional<AviVideoFrames> frames;
};

std::vector<Case> cases() {
    const Bytes five = plainAvi(5, false);
    const Bytes openDml = openDmlAvi({4, 3});
    const Bytes withRecord = riff("AVI ", headers(2) + list("movi", frames(1) + list("rec ", frames(1))));
    const Bytes audioThenVideo = headers(3, {"auds", "vids", "vids"});
    std::vector<std::string> manyStreams(kStreamNumbers, "auds");
    manyStreams.push_back("vids");
    return {
        {"plain with idx1", plainAvi(5), expected(0, 5, 5, 1, kWhole)},
        {"plain without idx1", five, expected(0, 5, 5, 1, kWhole)},
        {"no frames", plainAvi(0), expected(0, 0, 0, 1, kWhole)},
        {"odd 'db' chunks with pad bytes",
         riff("AVI ", headers(3) + list("movi", frames(3, "00db", 7))), expected(0, 3, 3, 1, kWhole)},
        {"video as stream 1 between audio chunks",
         riff("AVI ", audioThenVideo + list("movi", frames(1, "00wb") + frames(2, "01dc") + frames(1, "02dc") +
                                                        frames(1, "01db"))),
         expected(1, 3, 3, 1, kWhole)},
        {"'rec ' groups, one of them empty",
         riff("AVI ", audioThenVideo + list("movi", list("rec ", frames(1, "01dc") + frames(1, "00wb")) +
                                                        list("rec ", Bytes()) +
                                                        list("rec ", frames(2, "01dc") + frames(1, "00wb")))),
         expected(1, 3, 3, 1, kWhole)},
        {"other chunks and lists are not frames",
         riff("AVI ", chunk("JUNK", Bytes::zeros(9)) + headers(2) + list("INFO", chunk("ISFT", Bytes("q"))) +
                          list("movi", chunk("ix00", Bytes::zeros(32)) + frames(1) + frames(1, "00pc") +
                                           list("junk", frames(3)) + frames(1) + chunk("JUNK", Bytes()))),
         expected(0, 2, 2, 1, kWhole)},
        {"last chunk without a pad byte its sizes do not count",
         riff("AVI ", headers(2) + list("movi", frames(1) + chunk("00dc", Bytes::zeros(7), {.padded = false}),
                                         {.padded = false}),
              {.padded = false}),
         expected(0, 2, 2, 1, kWhole)},
        {"OpenDML: frames of every RIFF part", openDmlAvi({4, 3, 3}), expected(0, 10, 10, 3, kWhole)},
        {"odd-sized RIFF chunk with its pad byte before an extension",
         riff("AVI ", headers(1, {"vids"}, 2) + list("movi", frames(1)) + chunk("JUNK", Bytes("x"), {.padded = false})) +
             riff("AVIX", list("movi", frames(1))),
         expected(0, 2, 2, 2, kWhole)},
        {"OpenDML without 'dmlh' claims the first part", openDmlAvi({4, 3}, 100, false), expected(0, 7, 4, 2, kWhole)},
        {"OpenDML of 5 GB", openDmlAvi({1500, 1500, 1500}, 1'244'160), expected(0, 4500, 4500, 3, kWhole)},

        {"cut inside a frame", five.cutAt(five.size() - kFrame + 50), expected(0, 4, 5, 1, kCut)},
        {"cut between frames", five.cutAt(five.size() - kFrame), expected(0, 4, 5, 1, kCut)},
        {"cut inside a frame header", five.cutAt(five.size() - kFrame + 3), expected(0, 4, 5, 1, kCut)},
        {"cut inside a 'rec ' list header",
         withRecord.cutAt(withRecord.size() - kFrame - 12 + 6),
         expected(0, 1, 2, 1, kCut)},
        {"cut inside an extension", openDml.cutAt(openDml.size() - 20),
         expected(0, 6, 7, 2, kCut)},
        {"cut inside an extension's header", openDml + Bytes("RIFF\x10"), expected(0, 7, 7, 2, kCut)},
        {"cut in the headers after the video stream's", openDml.cutAt(kFirstFrameAt - 12 + 10), expected(0, 0, 4, 1, kCut)},
        {"cut inside a list that is not walked",
         riff("AVI ", headers(1) + list("movi", frames(1)) + list("INFO", Bytes::zeros(20))).cutAt(kFirstFrameAt + kFrame + 16),
         expected(0, 1, 1, 1, kCut)},
        {"cut in the headers before the video stream's", five.cutAt(kVideoHeaderEnd - 20), std::nullopt},
        {"RIFF claiming more bytes than the file holds",
         riff("AVI ", headers(5) + list("movi", frames(5)), {.declared = uint32_t(five.size() - 8 + 1000)}),
         expected(0, 5, 5, 1, kCut)},
        {"chunk claiming 4 GiB at the end", riff("AVI ", headers(2) + list("movi", frames(2)) + Bytes("00dc\xff\xff\xff\xff"), {.declared = 0xFFFFFFFF}),
         expected(0, 2, 2, 1, kCut)},

        {"frames after the RIFF chunk, in no extension", five + frames(3), expected(0, 5, 5, 1, kBroken)},
        {"a second 'RIFF AVI '", five + plainAvi(2), expected(0, 5, 5, 1, kBroken)},
        {"a stray byte after the RIFF chunk", five + Bytes(std::string(1, '\0')), expected(0, 5, 5, 1, kBroken)},
        {"LIST of size 0 in 'movi'",
         riff("AVI ", headers(4) + list("movi", frames(2) + chunk("LIST", Bytes()) + frames(2))),
         expected(0, 2, 4, 1, kBroken)},
        {"LIST of size 3 in the headers", riff("AVI ", list("hdrl", chunk("LIST", Bytes("str"))) + headers(1)),
         std::nullopt},
        {"frame running past its 'movi' list",
         riff("AVI ", headers(3) + list("movi", frames(3), {.declared = uint32_t(4 + 3 * kFrame - 10)}) + index(3)),
         expected(0, 2, 3, 1, kBroken)},
        {"chunk claiming 4 GiB inside its list",
         riff("AVI ", headers(3) + list("movi", frames(1) + Bytes("00dc\xff\xff\xff\xff") + frames(2))),
         expected(0, 1, 3, 1, kBroken)},
        {"header in the last bytes of a list",
         riff("AVI ", headers(2) + list("movi", frames(2) + Bytes("00dc"))), expected(0, 2, 2, 1, kBroken)},
        {"'rec ' lists nested too deep", riff("AVI ", headers(1) + list("movi", nested(10, frames(1)))),
         expected(0, 0, 1, 1, kBroken)},

        {"idx1 from the 'movi' fourcc", indexedAvi(5), expected(0, 5, 5, 1, kWhole)},
        {"idx1 from the file's start", indexedAvi(5, {.absolute = true}), expected(0, 5, 5, 1, kWhole)},
        {"idx1 listing fewer frames than claimed: the chunks are counted", indexedAvi(5, {.listed = 3}),
         expected(0, 5, 5, 1, kWhole)},
        {"idx1 whose last entry is not the chunk there: the chunks are counted", indexedAvi(5, {.lastSize = 98}),
         expected(0, 5, 5, 1, kWhole)},
        {"idx1 past its list: the chunks are counted", indexedAvi(5, {.shift = 1000}), expected(0, 5, 5, 1, kWhole)},
        {"idx1 cut short: the chunks are counted", indexedAvi(5).cutAt(indexedAvi(5).size() - 16),
         expected(0, 5, 5, 1, kCut)},
        {"OpenDML super index", indexedOpenDmlAvi({4, 3, 3}), expected(0, 10, 10, 3, kWhole)},
        {"OpenDML super index of a file cut in its last part",
         indexedOpenDmlAvi({4, 3, 3}).cutAt(indexedOpenDmlAvi({4, 3, 3}).size() - 50), expected(0, 9, 10, 3, kCut)},

        {"zero-length file", Bytes(), std::nullopt},
        {"text", Bytes("this is not a movie, only a line of text\r\n"), std::nullopt},
        {"RIFF WAVE", riff("WAVE", chunk("fmt ", Bytes::zeros(16))), std::nullopt},
        {"RIFF AVI without a video stream", riff("AVI ", headers(3, {"auds"}) + list("movi", frames(3, "00wb"))),
         std::nullopt},
        {"video as stream 100", riff("AVI ", headers(1, manyStreams) + list("movi", frames(1))), std::nullopt},
        {"RIFF header alone", Bytes(std::string("RIFF\x04\0\0\0AVI ", 12)), std::nullopt},
    };
}

TEST(AviFileTest, CountsTheVideoFramesTheFileHolds) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const MemorySource source(c.file);
        EXPECT_EQ(countAviVideoFrames(source), c.frames);
    }
}

// Never the frame data: the file's index in a few reads whatever the length,
// or, where the index lists no frames, one read per chunk header and a few
// for the header fields and the index.
TEST(AviFileTest, ReadsTheIndexOrTheChunkHeadersOnly) {
    const struct {
        const char* name;
        Bytes file;
        AviVideoFrames frames;
        int reads;
    } cases[] = {
        {"idx1", indexedAvi(18'000), expected(0, 18'000, 18'000, 1, kWhole), 40},
        {"OpenDML super index", indexedOpenDmlAvi({6000, 6000, 6000}), expected(0, 18'000, 18'000, 3, kWhole), 40},
        {"an index of no frames",
         riff("AVI ", headers(1800) + list("movi", frames(1800, "00dc", 691'200)) + index(1800)),
         expected(0, 1800, 1800, 1, kWhole), 1800 + 16},
    };
    for (const auto& c : cases) {
        const MemorySource source(c.file);
        EXPECT_EQ(countAviVideoFrames(source), c.frames) << c.name;
        EXPECT_LE(source.reads, c.reads) << c.name;
    }
}

// A file that cannot be read after its size is taken: what was read counts, the walk stops.
TEST(AviFileTest, AFailedReadEndsTheWalk) {
    class FailingSource : public MemorySource {
    public:
        FailingSource(Bytes bytes, uint64_t failAt) : MemorySource(std::move(bytes)), failAt_(failAt) {}
        bool readAt(uint64_t offset, void* data, std::size_t length) const override {
            return offset < failAt_ && MemorySource::readAt(offset, data, length);
        }

    private:
        uint64_t failAt_;
    };
    const uint64_t sixthFrame = kFirstFrameAt + 5 * kFrame;
    const Bytes plain = plainAvi(20), openDml = openDmlAvi({4, 3});
    const uint64_t extension = openDml.size() - 12 - 12 - 3 * kFrame;
    EXPECT_EQ(countAviVideoFrames(FailingSource(plain, sixthFrame)), expected(0, 5, 20, 1, kBroken));
    EXPECT_EQ(countAviVideoFrames(FailingSource(plain.cutAt(sixthFrame), sixthFrame)), expected(0, 5, 20, 1, kCut));
    EXPECT_EQ(countAviVideoFrames(FailingSource(openDml, extension)), expected(0, 4, 7, 1, kBroken));
    EXPECT_EQ(countAviVideoFrames(FailingSource(plain, 0)), std::nullopt);
}

// The sample movies of tools/make_test_media.sh, written by ffmpeg.
class FileSource : public ByteSource {
public:
    explicit FileSource(const std::string& path) : file_(path, std::ios::binary) {
        file_.seekg(0, std::ios::end);
        size_ = file_ ? uint64_t(file_.tellg()) : 0;
    }
    bool isOpen() const { return file_.is_open(); }
    uint64_t size() const override { return size_; }
    bool readAt(uint64_t offset, void* data, std::size_t length) const override {
        ++reads;
        file_.seekg(std::streamoff(offset));
        return bool(file_.read(static_cast<char*>(data), std::streamsize(length)));
    }
    mutable int reads = 0;

private:
    mutable std::ifstream file_;
    uint64_t size_ = 0;
};

TEST(AviFileTest, SampleMovies) {
    const char* folder = std::getenv("QUCAP_TEST_MEDIA");
    if (folder == nullptr) GTEST_SKIP() << "QUCAP_TEST_MEDIA is not set (tools/make_test_media.sh)";
    for (const auto& [name, count] : {std::pair{"yuy2.avi", 90}, std::pair{"rgb24.avi", 30}}) {
        const FileSource source(std::string(folder) + "/" + name);
        if (!source.isOpen()) GTEST_SKIP() << name << " is missing (tools/make_test_media.sh)";
        EXPECT_EQ(countAviVideoFrames(source), expected(0, count, count, 1, kWhole)) << name;
        EXPECT_LE(source.reads, 25) << name << ": counted from its index";
    }
}

}  // namespace
}  // namespace qucap
