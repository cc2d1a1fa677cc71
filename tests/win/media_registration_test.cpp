// Registering the caption filter module with the system's regsvr32, the
// filter's property page shown between a registration and an
// unregistration (the frame closed by a watcher thread), and the refusals
// when the module is missing.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "app/core/media/filter_registration.h"
#include "app/media/com_apartment.h"
#include "app/media/encoders.h"
#include "app/media/filter_registration.h"
#include "app/media/preview_graphs.h"
#include "tests/support/platform_shiftjis.h"
#include "tests/support/recording_ui.h"
#include "tests/win/filter_module.h"
#include "tests/win/message_box_watcher.h"
#include "tests/win/temp_folder.h"
#include "tests/win/test_media.h"
#include "win32/win32_file_system.h"

namespace qucap::test {
namespace {

// Closes every top-level window of this process whose title holds `name`
// (the property frame is captioned with the filter's name) with Cancel, so
// nothing is applied, and records the titles.
class PropertyFrameWatcher {
public:
    explicit PropertyFrameWatcher(std::u16string name) : name_(std::move(name)), thread_([this] { watch(); }) {}
    ~PropertyFrameWatcher() {
        stop_ = true;
        thread_.join();
    }
    std::vector<std::u16string> titles() const {
        std::lock_guard<std::mutex> guard(lock_);
        return titles_;
    }

private:
    void watch() {
        while (!stop_) {
            EnumWindows(visit, reinterpret_cast<LPARAM>(this));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    static BOOL CALLBACK visit(HWND window, LPARAM self) {
        reinterpret_cast<PropertyFrameWatcher*>(self)->closeIfOurs(window);
        return TRUE;
    }
    void closeIfOurs(HWND window) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return;
        wchar_t text[512] = {};
        GetWindowTextW(window, text, int(std::size(text)));
        const std::u16string title(reinterpret_cast<const char16_t*>(text));
        if (title.find(name_) == std::u16string::npos) return;
        std::lock_guard<std::mutex> guard(lock_);
        if (std::find(closing_.begin(), closing_.end(), window) != closing_.end() && IsWindow(window)) return;
        titles_.push_back(title);
        closing_.push_back(window);
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }

    std::u16string name_;
    std::atomic<bool> stop_{false};
    mutable std::mutex lock_;
    std::vector<std::u16string> titles_;
    std::vector<HWND> closing_;
    std::thread thread_;
};

HRESULT createRegistered(ComPtr<IBaseFilter>& filter) {
    return CoCreateInstance(kClsidQucapsyf, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, filter.putVoid());
}

struct FilterRegistration : ::testing::Test {
    ComApartment com;
    Win32FileSystem files;
    RecordingUi ui;
    Io io{files, ui, platformShiftJis()};
    TempFolder folder;
    FilterModule missing{folder / u"Qucapsyf.ax", false};
    FilterModule built{builtFilterModule(), false};
    FilterGraph graph;

    void SetUp() override { ASSERT_TRUE(com.ready()); }
    void TearDown() override { unregisterFilter(io, built, nullptr); }

    void expectOnlyTheMissingModuleMessage() {
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, u"カブレン字幕合成フィルタが見つかりません");
        EXPECT_EQ(ui.messages[0].title, u"カブレン字幕付加システム");
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
        EXPECT_TRUE(ui.questions.empty());
    }
};

TEST_F(FilterRegistration, AMissingModuleIsToldAndNothingRuns) {
    EXPECT_EQ(registerFilter(io, missing, nullptr), -1);
    expectOnlyTheMissingModuleMessage();
    ui.messages.clear();
    EXPECT_EQ(unregisterFilter(io, missing, nullptr), -1);
    expectOnlyTheMissingModuleMessage();
}

TEST_F(FilterRegistration, ThePropertyButtonWithoutTheModuleShowsOnlyTheMissingModuleMessage) {
    ASSERT_EQ(graph.createGraph(), 0);
    ASSERT_EQ(addCaptionFilter(graph, captionFilterMaker(windowsPathOf(QUCAP_PROGRAM_DIR)), graph.captionFilter()),
              S_OK);
    EXPECT_EQ(showFilterProperties(io, missing, graph, captionFilterMaker(folder.path()), nullptr), -1);
    expectOnlyTheMissingModuleMessage();
    EXPECT_TRUE(graph.captionFilter()) << "the held caption filter stays";
    EXPECT_EQ(graph.filterNames(), std::vector<std::u16string>{u"Kavren Caption Synthesize Filter"});
}

TEST_F(FilterRegistration, TheToolRegistersAndUnregistersTheModule) {
    ComPtr<IBaseFilter> filter;
    ASSERT_EQ(registerFilter(io, built, nullptr), 0);
    EXPECT_EQ(createRegistered(filter), S_OK) << "the class is registered";
    filter.reset();
    ASSERT_EQ(unregisterFilter(io, built, nullptr), 0);
    EXPECT_EQ(createRegistered(filter), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(unregisterFilter(io, built, nullptr), 0) << "unregistering again succeeds";
    EXPECT_TRUE(ui.messages.empty());
}

// Wine's shell runs "runas" as "open" (there is no elevation prompt), so the
// verb of newer systems must start the tool as well.
TEST_F(FilterRegistration, TheElevatingVerbRunsTheToolToo) {
    const FilterModule elevated{built.path, true};
    ComPtr<IBaseFilter> filter;
    ASSERT_EQ(registerFilter(io, elevated, nullptr), 0);
    EXPECT_EQ(createRegistered(filter), S_OK);
    filter.reset();
    ASSERT_EQ(unregisterFilter(io, elevated, nullptr), 0);
    EXPECT_EQ(createRegistered(filter), REGDB_E_CLASSNOTREG);
}

TEST_F(FilterRegistration, EncoderPropertiesOpenAFrameForTheFilterOfThatName) {
    ASSERT_EQ(registerFilter(io, built, nullptr), 0);  // the page's class must be registered for the frame
    ASSERT_EQ(graph.createGraph(), 0);
    MessageBoxWatcher filterBoxes;  // closes any box the filter shows, so nothing waits on one
    ComPtr<IBaseFilter> filter;
    ASSERT_EQ(addCaptionFilter(graph, captionFilterMaker(windowsPathOf(QUCAP_PROGRAM_DIR)), filter), S_OK);
    PropertyFrameWatcher frames(u"Kavren Caption Synthesize Filter");
    EXPECT_EQ(showEncoderProperties(graph, u"Kavren Caption Synthesize"), 0) << "the whole name must match";
    EXPECT_EQ(showEncoderProperties(graph, u"Kavren Caption Synthesize Filter"), 1);
    EXPECT_EQ(frames.titles().size(), 1u);
    EXPECT_TRUE(filterBoxes.texts().empty());
}

TEST_F(FilterRegistration, ThePropertyPageIsShownAndCaptionedGraphsStillWorkAfterwards) {
    std::optional<std::u16string> movie = testMovie("yuy2.avi");
    if (!movie) GTEST_SKIP() << "QUCAP_TEST_MEDIA names no sample movies (tools/make_test_media.sh)";
    const FilterMaker maker = captionFilterMaker(windowsPathOf(QUCAP_PROGRAM_DIR));
    MessageBoxWatcher filterBoxes;  // a box the filter shows would stop the test: closed and kept
    ASSERT_EQ(buildCaptionPreview(graph, *movie, maker), PreviewBuild::Built);
    {
        PropertyFrameWatcher frames(u"Kavren Caption Synthesize Filter");
        EXPECT_EQ(showFilterProperties(io, built, graph, maker, nullptr), 0);
        ASSERT_EQ(frames.titles().size(), 1u) << "one property frame was shown";
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(graph.captionFilter()) << "the held caption filter was let go";
    for (const std::u16string& name : graph.filterNames()) EXPECT_NE(name, u"Kavren Caption Synthesize Filter");
    ComPtr<IBaseFilter> filter;
    EXPECT_EQ(createRegistered(filter), REGDB_E_CLASSNOTREG) << "the module is unregistered again";
    // The next captioned preview makes the filter from the module in the program folder.
    ASSERT_EQ(buildCaptionPreview(graph, *movie, maker), PreviewBuild::Built);
    EXPECT_TRUE(graph.captionFilter());
    EXPECT_TRUE(filterBoxes.texts().empty()) << "the filter had nothing to complain of";
}

// On a machine where the filter was registered for other programs, the
// property button leaves that registration as it was.
TEST_F(FilterRegistration, ThePropertyPageLeavesAnEarlierRegistrationInPlace) {
    ASSERT_EQ(registerFilter(io, built, nullptr), 0);
    ASSERT_EQ(graph.createGraph(), 0);
    MessageBoxWatcher filterBoxes;
    {
        PropertyFrameWatcher frames(u"Kavren Caption Synthesize Filter");
        EXPECT_EQ(showFilterProperties(io, built, graph, captionFilterMaker(windowsPathOf(QUCAP_PROGRAM_DIR)), nullptr),
                  0);
        EXPECT_EQ(frames.titles().size(), 1u);
    }
    ComPtr<IBaseFilter> filter;
    EXPECT_EQ(createRegistered(filter), S_OK) << "still registered";
    filter.reset();
    ASSERT_EQ(unregisterFilter(io, built, nullptr), 0);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace qucap::test
