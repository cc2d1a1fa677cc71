#include "app/core/caption_list/filter_captions.h"

#include "captiondata/caption/caption_file.h"

namespace qucap {
namespace {

// Keeps the first message instead of showing it; questions are answered No.
class MessageKeeper : public Ui {
public:
    void messageBox(std::u16string_view text, std::u16string_view, MessageIcon) override {
        if (!message) message = std::u16string(text);
    }
    bool askYesNo(std::u16string_view, std::u16string_view) override { return false; }
    void setMessage(std::u16string_view) override {}
    std::optional<std::u16string> askSaveFileName(const SaveFileRequest&) override { return std::nullopt; }

    std::optional<std::u16string> message;
};

}  // namespace

std::optional<std::u16string> filterCaptionFault(const Io& io, std::u16string_view captionInfoPath) {
    MessageKeeper keeper;
    CaptionTable table;
    if (readCaptionInfoForFilter(Io{io.files, keeper, io.shiftJis}, captionInfoPath, table) == 0) return std::nullopt;
    return keeper.message;
}

}  // namespace qucap
