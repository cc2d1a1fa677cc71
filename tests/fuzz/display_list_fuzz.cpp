// Display-item list files: any bytes load without crashing, and the names
// read survive a save and a second load.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/core/display_items/display_list.h"
#include "tests/support/test_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qucap;
    test::TestIo t;
    auto& files = t.files;
    const Io& io = t.io;
    files.addDirectory(u"C:\\q");
    DisplayLists lists(u"C:\\q");
    files.addFile(lists.path(DisplayListKind::Fonts), std::string(reinterpret_cast<const char*>(data), size));
    lists.load(io, DisplayListKind::Fonts, {});
    const auto names = lists.names(DisplayListKind::Fonts);
    lists.save(io, DisplayListKind::Fonts, names);
    // Names without line-end characters come back unchanged.
    bool plain = true;
    for (const auto& name : names)
        if (name.find_first_of(u"\r\n\x1A") != std::u16string::npos) plain = false;
    if (plain && lists.names(DisplayListKind::Fonts) != names) std::abort();
    return 0;
}
