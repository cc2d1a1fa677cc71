#include "app/ruby/ruby_fill.h"

#include "app/core/caption_creation/caption_tab.h"
#include "app/ruby/ruby_completion.h"
#include "app/ruby/ruby_proposal.h"
#include "captiondata/markup/markup.h"
#include "captiondata/text/decode.h"
#include "captiondata/text/paths.h"
#include "captiondata/text/u16.h"

namespace qucap {

std::u16string dictionaryFolderIn(std::u16string_view programFolder) {
    return joinPath(programFolder, kDictionaryFolder);
}

RubyWordList loadRubyWordList(const Io& io, std::u16string_view projectFile) {
    const ReadResult read = io.files.readFile(joinPath(folderOf(projectFile), kRubyWordListName));
    if (read.status != ReadStatus::Ok) return {};
    return RubyWordList::parse(decodeText(read.bytes, io.shiftJis).text);
}

std::vector<FilledRuby> proposeEmptyRubies(const std::vector<CaptionFileRow>& rows, MorphemeAnalyser& analyser,
                                           const RubyWordList& words) {
    std::vector<FilledRuby> filled;
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const CaptionFileRow& row = rows[index];
        for (int ruby : {int(Line1Ruby), int(Line2Ruby)}) {
            if (!row.texts[std::size_t(ruby)].empty()) continue;
            const std::u16string plain = plainText(row.texts[std::size_t(ruby - 1)]);
            const RubyCompletion proposal =
                completeRuby(plain, u"", proposeSpans(plain, analyser, words), kProposalCapacity);
            if (!proposal.ruby.empty()) filled.push_back({int(index), ruby, proposal.ruby});
        }
    }
    return filled;
}

std::u16string rubyFillQuestion(std::size_t lines) {
    return u"ルビが空の" + toDecimal(int64_t(lines)) +
           u"か所にルビ候補を付けますか？\n字幕作成には元に戻す機能がないため、付けたルビは元に戻せません";
}

std::u16string rubyFilledMessage(std::size_t lines) {
    return toDecimal(int64_t(lines)) + u"か所にルビ候補を付けました";
}

std::u16string filledRubyLine(const FilledRuby& filled) {
    return toDecimal(int64_t(filled.row) + 1) + u"行目 " + std::u16string(kCaptionEditors[std::size_t(filled.textIndex)].name) +
           u" " + filled.ruby;
}

}  // namespace qucap
