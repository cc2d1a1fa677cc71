// The shared control block on real named file mappings: the filter's side
// (create, per-sample read, the once-only failure rule) and the program's
// write, under Wine.
#include "filter/win/shared_block.h"

#include <gtest/gtest.h>

#include <cstring>

#include "filter/core/shared_block_text.h"
#include "tests/support/recording_ui.h"
#include "win32/shared_block_writer.h"

namespace qucap {
namespace {

using test::RecordingUi;

const wchar_t kName[] = L"qucap";

std::vector<std::u16string> texts(const RecordingUi& ui) {
    std::vector<std::u16string> result;
    for (const auto& m : ui.messages) result.push_back(m.text);
    return result;
}

// Writes 24 bytes straight into the block, as another writer might.
void writeRaw(const SharedBlockUnits& units) {
    HANDLE block = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, kName);
    ASSERT_NE(block, nullptr);
    void* view = MapViewOfFile(block, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    ASSERT_NE(view, nullptr);
    std::memcpy(view, units.data(), kSharedBlockBytes);
    UnmapViewOfFile(view);
    CloseHandle(block);
}

// Mapping calls that fail for chosen access modes and count the attempts.
int g_mapAttempts = 0;
DWORD g_failingAccess = 0;
LPVOID WINAPI mapFailingFor(HANDLE handle, DWORD access, DWORD high, DWORD low, SIZE_T bytes) {
    ++g_mapAttempts;
    if (access == g_failingAccess) return nullptr;
    return MapViewOfFile(handle, access, high, low, bytes);
}

FileMappingCalls failingMapFor(DWORD access) {
    g_mapAttempts = 0;
    g_failingAccess = access;
    FileMappingCalls calls;
    calls.map = mapFailingFor;
    return calls;
}

// The view mapped at the first read is kept: every later read sees the
// program's last write without a mapping call of its own.
TEST(FilterSharedBlock, FreshBlockIsZeroAndReadsWhatTheProgramWrites) {
    RecordingUi ui;
    SharedControlBlock block(ui, failingMapFor(0));
    ASSERT_TRUE(block.isOpen());
    EXPECT_EQ(block.seekOffset(), 0);
    EXPECT_EQ(writeSharedBlock(3'600'000), SharedBlockWrite::Written);
    EXPECT_EQ(block.seekOffset(), 3'600'000);
    EXPECT_EQ(writeSeekPosition(ui, 65'250), 0);
    EXPECT_EQ(block.seekOffset(), 65'250);
    EXPECT_EQ(g_mapAttempts, 2);  // the clearing at creation and the first read
    EXPECT_TRUE(ui.messages.empty());
}

TEST(FilterSharedBlock, CreatingClearsTheBlockAndTwelveUnitsWithoutEndReadAsZero) {
    RecordingUi ui;
    SharedControlBlock first(ui);
    writeSharedBlock(5'000);
    SharedControlBlock second(ui);  // a new filter object starts at 0
    EXPECT_EQ(first.seekOffset(), 0);
    SharedBlockUnits full;
    full.fill(u'1');
    writeRaw(full);
    EXPECT_EQ(second.seekOffset(), 0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(FilterSharedBlock, ProgramWithoutTheBlockSaysSoAndWritesNothing) {
    RecordingUi ui;
    EXPECT_EQ(writeSharedBlock(1'000), SharedBlockWrite::NotFound);
    EXPECT_EQ(writeSeekPosition(ui, 1'000), -1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, u"共有メモリが見つかりません");
    EXPECT_EQ(ui.messages[0].title, u"カブレン字幕付加システム");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
}

TEST(FilterSharedBlock, ProgramThatCannotMapTheBlockSaysSoAndWritesNothing) {
    RecordingUi ui;
    SharedControlBlock block(ui);
    writeSharedBlock(7'000);
    EXPECT_EQ(writeSeekPosition(ui, 1'000, failingMapFor(FILE_MAP_ALL_ACCESS).map), -1);
    EXPECT_EQ(block.seekOffset(), 7'000);
    ASSERT_EQ(texts(ui), std::vector<std::u16string>{u"共有メモリマッピング失敗"});
    EXPECT_EQ(ui.messages[0].title, u"カブレン字幕付加システム");
}

TEST(FilterSharedBlock, CreationFailureIsReportedOnceAndGivesZero) {
    HANDLE other = CreateMutexW(nullptr, FALSE, kName);  // the name taken by another kind of object
    ASSERT_NE(other, nullptr);
    RecordingUi ui;
    {
        SharedControlBlock block(ui);
        EXPECT_FALSE(block.isOpen());
        EXPECT_EQ(block.seekOffset(), 0);
        EXPECT_EQ(block.seekOffset(), 0);
    }
    CloseHandle(other);
    ASSERT_EQ(texts(ui), std::vector<std::u16string>{u"共有メモリ作成失敗"});
    EXPECT_EQ(ui.messages[0].title, u"カブレン字幕合成フィルタ");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
}

TEST(FilterSharedBlock, FirstMappingFailureClosesTheBlock) {
    RecordingUi ui;
    SharedControlBlock block(ui, failingMapFor(FILE_MAP_ALL_ACCESS));
    EXPECT_FALSE(block.isOpen());
    EXPECT_EQ(writeSharedBlock(1'000), SharedBlockWrite::NotFound);  // the handle is closed
    EXPECT_EQ(block.seekOffset(), 0);
    EXPECT_EQ(g_mapAttempts, 1);  // never read afterwards
    EXPECT_EQ(texts(ui), std::vector<std::u16string>{u"共有メモリマッピング失敗(Make)"});
}

TEST(FilterSharedBlock, ReadMappingFailureIsReportedOnceThenTheBlockIsNotRead) {
    RecordingUi ui;
    SharedControlBlock block(ui, failingMapFor(FILE_MAP_READ));
    ASSERT_TRUE(block.isOpen());
    writeSharedBlock(2'000);
    EXPECT_EQ(block.seekOffset(), 0);
    EXPECT_FALSE(block.isOpen());
    EXPECT_EQ(block.seekOffset(), 0);
    EXPECT_EQ(block.seekOffset(), 0);
    EXPECT_EQ(g_mapAttempts, 2);  // the clearing at creation and the one failed read
    ASSERT_EQ(texts(ui), std::vector<std::u16string>{u"共有メモリマッピング失敗(Read)"});
    EXPECT_EQ(ui.messages[0].title, u"カブレン字幕合成フィルタ");
}

}  // namespace
}  // namespace qucap
