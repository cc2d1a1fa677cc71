#pragma once
// The analyser on MeCab with the IPADIC dictionary of a folder
// (sys.dic, matrix.bin, char.bin, unk.dic, dicrc), created once and kept.
#include <memory>
#include <string>
#include <string_view>

#include "app/ruby/morphemes.h"

namespace qucap {

struct MecabTagger;

class MecabAnalyser final : public MorphemeAnalyser {
public:
    // The analyser of the dictionary in `folder`, or nothing with `error`
    // set to a message for the user. `shownFolder` is how the message names
    // the folder (the program says dic\ipadic, wherever it is installed).
    static std::unique_ptr<MecabAnalyser> open(std::u16string_view folder, std::u16string_view shownFolder,
                                               std::u16string& error);
    ~MecabAnalyser() override;

    // The reading is the dictionary's reading field (読み), not its
    // pronunciation (発音, which writes は as ワ).
    std::vector<Morpheme> morphemes(std::u16string_view text) override;

private:
    explicit MecabAnalyser(MecabTagger* tagger) : tagger_(tagger) {}
    MecabTagger* tagger_;
};

}  // namespace qucap
