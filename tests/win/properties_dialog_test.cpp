#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "filter/win/properties/caption_file_dialog.h"
#include "resources/filter/resource.h"
#include "tests/win/properties_fixture.h"

namespace qucap::test {
namespace {

using Texts = std::vector<std::u16string>;
using namespace std::chrono_literals;

std::u16string fromWide(const wchar_t* text) { return std::u16string(reinterpret_cast<const char16_t*>(text)); }

// What the driver saw of the open-file dialog.
struct SeenDialog {
    bool found = false;
    Texts filters;
    LRESULT filterSelected = CB_ERR;
    std::u16string folder;
};

// Waits on its own thread for the caption-file dialog of this process, reads
// its filter list and current folder, then types `answer` into the name
// field and presses OK, or cancels when the answer is empty.
class FileDialogDriver {
public:
    explicit FileDialogDriver(std::u16string answer) : answer_(std::move(answer)), thread_([this] { drive(); }) {}
    ~FileDialogDriver() {
        stop_ = true;
        thread_.join();
    }
    SeenDialog seen() {
        std::lock_guard<std::mutex> guard(lock_);
        return seen_;
    }

private:
    static BOOL CALLBACK visit(HWND window, LPARAM found) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t title[128] = {};
        GetWindowTextW(window, title, int(std::size(title)));
        if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
            std::wstring(title) == kCaptionFileDialogTitle) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    void drive() {
        HWND dialog = nullptr;
        const auto until = std::chrono::steady_clock::now() + 20s;
        while (!stop_ && !dialog && std::chrono::steady_clock::now() < until) {
            EnumWindows(visit, reinterpret_cast<LPARAM>(&dialog));
            if (!dialog) std::this_thread::sleep_for(20ms);
        }
        if (!dialog) return;
        std::this_thread::sleep_for(200ms);  // let the dialog fill its controls
        SeenDialog seen;
        seen.found = true;
        const LRESULT count = SendDlgItemMessageW(dialog, cmb1, CB_GETCOUNT, 0, 0);
        for (LRESULT at = 0; at < count; ++at) {
            wchar_t item[128] = {};
            SendDlgItemMessageW(dialog, cmb1, CB_GETLBTEXT, WPARAM(at), LPARAM(item));
            seen.filters.push_back(fromWide(item));
        }
        seen.filterSelected = SendDlgItemMessageW(dialog, cmb1, CB_GETCURSEL, 0, 0);
        wchar_t folder[MAX_PATH] = {};
        SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, LPARAM(folder));
        seen.folder = fromWide(folder);
        {
            std::lock_guard<std::mutex> guard(lock_);
            seen_ = seen;
        }
        if (answer_.empty()) {
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return;
        }
        const wchar_t* path = reinterpret_cast<const wchar_t*>(answer_.c_str());
        for (int field : {cmb13, edt1})
            if (HWND name = GetDlgItem(dialog, field)) SetWindowTextW(name, path);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        // If the dialog refused the name it is still there: cancel it.
        const auto closing = std::chrono::steady_clock::now() + 3s;
        while (IsWindow(dialog) && std::chrono::steady_clock::now() < closing) std::this_thread::sleep_for(20ms);
        if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }

    std::u16string answer_;
    std::atomic<bool> stop_{false};
    std::mutex lock_;
    SeenDialog seen_;
    std::thread thread_;
};

class CaptionFileDialogTest : public PropertyPageHost {};

// One test on purpose: the folder the dialog remembers lives as long as the
// module, so the steps depend on each other's order.
TEST_F(CaptionFileDialogTest, OpensInTheDocumentsFolderThenWhereTheLastFileWasChosen) {
    open();
    const Texts filters = {u"カンマ区切りﾌｧｲﾙ (*.csv)", u"すべてのﾌｧｲﾙ (*.*)"};
    {
        FileDialogDriver cancel(u"");
        click(IDC_CAPTION_BROWSE);
        const SeenDialog seen = cancel.seen();
        ASSERT_TRUE(seen.found) << "the dialog titled 字幕情報ﾌｧｲﾙを開く did not appear";
        EXPECT_EQ(seen.filters, filters);
        EXPECT_EQ(seen.filterSelected, 0);
        std::u16string documents = personalFolder();
        if (!documents.empty() && documents.back() == u'\\') documents.pop_back();
        EXPECT_EQ(seen.folder, documents);
    }
    EXPECT_EQ(text(IDC_CAPTION_PATH), u"C:\\proj\\字幕情報.csv");
    EXPECT_FALSE(dirty());

    const std::u16string chosen = folder / u"選んだ字幕.csv";
    putFile(chosen, "");
    {
        FileDialogDriver choose(chosen);
        click(IDC_CAPTION_BROWSE);
        ASSERT_TRUE(choose.seen().found);
    }
    EXPECT_EQ(text(IDC_CAPTION_PATH), chosen);
    EXPECT_TRUE(dirty());

    {
        FileDialogDriver cancel(u"");
        click(IDC_CAPTION_BROWSE);
        EXPECT_EQ(cancel.seen().folder, folder.path());
    }
    EXPECT_EQ(text(IDC_CAPTION_PATH), chosen);
    ASSERT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(filter.calls.at(0), u"SetCaptionPath " + chosen);
}

}  // namespace
}  // namespace qucap::test
