// Writes gathered into aligned blocks: the calls that reach the file, the
// bytes it ends up holding, and a failed call that fails every write after.
#include "app/core/media/block_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace qucap {
namespace {

using Call = std::pair<uint64_t, std::size_t>;  // offset, size

// A file in memory whose call number `failingCall` (from 1) fails.
struct MemorySink : BlockSink {
    bool writeAt(uint64_t offset, const uint8_t* data, std::size_t size) override {
        calls.emplace_back(offset, size);
        if (int(calls.size()) == failingCall) return false;
        if (bytes.size() < offset + size) bytes.resize(offset + size, '_');
        bytes.replace(offset, size, reinterpret_cast<const char*>(data), size);
        return true;
    }
    int failingCall = 0;
    std::vector<Call> calls;
    std::string bytes;
};

struct Write {
    uint64_t offset;
    std::string bytes;
    bool accepted = true;
};

struct Case {
    const char* name;
    std::vector<Write> writes;
    std::vector<Call> calls;  // after the flush
    std::string file;
    int failingCall = 0;
};

TEST(BlockWriter, GathersWritesIntoAlignedBlocks) {
    const Case cases[] = {
        {"small pieces become whole blocks", {{0, "abc"}, {3, "def"}, {6, "ghi"}, {9, "jkl"}, {12, "mno"}, {15, "pqr"}},
         {{0, 8}, {8, 8}, {16, 2}}, "abcdefghijklmnopqr"},
        {"a start off a boundary is gathered up to the boundary", {{5, "0123456789"}}, {{5, 3}, {8, 7}},
         "_____0123456789"},
        {"whole blocks of one write go as they are", {{0, "ABCDEFGHIJKLMNOPQRST"}}, {{0, 16}, {16, 4}},
         "ABCDEFGHIJKLMNOPQRST"},
        {"a header written over: what was gathered goes first", {{0, "....data"}, {0, "RIFF"}, {8, "more"}},
         {{0, 8}, {0, 4}, {8, 4}}, "RIFFdatamore"},
        {"empty writes write nothing", {{4, ""}, {0, ""}}, {}, ""},
        {"a failed call fails that write, every one after and the flush",
         {{0, "abcdefgh"}, {8, "ijk"}, {64, "x", false}, {65, "y", false}}, {{0, 8}, {8, 3}}, "abcdefgh", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemorySink sink;
        sink.failingCall = c.failingCall;
        BlockWriter writer(sink, 8);  // small blocks keep the cases readable
        for (const Write& w : c.writes)
            EXPECT_EQ(writer.write(w.offset, reinterpret_cast<const uint8_t*>(w.bytes.data()), w.bytes.size()),
                      w.accepted);
        EXPECT_EQ(writer.flush(), c.failingCall == 0);
        EXPECT_EQ(writer.failed(), c.failingCall != 0);
        EXPECT_EQ(sink.calls, c.calls);
        EXPECT_EQ(sink.bytes, c.file);
    }
}

}  // namespace
}  // namespace qucap
