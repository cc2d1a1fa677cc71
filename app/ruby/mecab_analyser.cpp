#include "app/ruby/mecab_analyser.h"

#include <mecab.h>

#include <array>
#include <filesystem>
#include <system_error>
#include <vector>

#include "captiondata/text/u16.h"

namespace qucap {
namespace {

constexpr std::array<std::u16string_view, 5> kDictionaryFiles{u"sys.dic", u"matrix.bin", u"char.bin", u"unk.dic",
                                                               u"dicrc"};
// IPADIC's features: part of speech (4 fields), conjugation (2), base form, reading, pronunciation.
constexpr std::size_t kReadingField = 7;

bool hasDictionary(const std::filesystem::path& folder) {
    std::error_code error;
    for (const std::u16string_view file : kDictionaryFiles)
        if (!std::filesystem::is_regular_file(folder / file, error)) return false;
    return true;
}

// MeCab takes UTF-8 paths on every system (on Windows it widens them itself).
std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::u16string readingOf(const char* feature) {
    std::string_view rest(feature);
    for (std::size_t field = 0; field < kReadingField; ++field) {
        const std::size_t comma = rest.find(',');
        if (comma == std::string_view::npos) return {};
        rest.remove_prefix(comma + 1);
    }
    const std::string_view reading = rest.substr(0, rest.find(','));
    return reading == "*" ? std::u16string() : fromUtf8(reading);
}

}  // namespace

struct MecabTagger {
    mecab_t* mecab;
};

std::unique_ptr<MecabAnalyser> MecabAnalyser::open(std::u16string_view folder, std::u16string_view shownFolder,
                                                   std::u16string& error) {
    const std::filesystem::path dictionary(std::u16string{folder});
    if (!hasDictionary(dictionary)) {
        error = u"ルビ候補の辞書（" + std::u16string(shownFolder) + u"）が見つかりません";
        return nullptr;
    }
    // The argument-vector form takes paths with spaces as they are; the
    // resource file is the dictionary's own dicrc, so MeCab never looks for
    // another installation in the environment or the registry.
    std::vector<std::string> args{"qucap", "-r", utf8Of(dictionary / "dicrc"), "-d", utf8Of(dictionary)};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    mecab_t* mecab = mecab_new(int(argv.size()), argv.data());
    if (!mecab) {
        error = u"ルビ候補の辞書（" + std::u16string(shownFolder) + u"）を開けません：" + fromUtf8(mecab_strerror(nullptr));
        return nullptr;
    }
    return std::unique_ptr<MecabAnalyser>(new MecabAnalyser(new MecabTagger{mecab}));
}

MecabAnalyser::~MecabAnalyser() {
    mecab_destroy(tagger_->mecab);
    delete tagger_;
}

std::vector<Morpheme> MecabAnalyser::morphemes(std::u16string_view text) {
    const std::string utf8 = toUtf8(text);
    std::vector<Morpheme> out;
    for (const mecab_node_t* node = mecab_sparse_tonode2(tagger_->mecab, utf8.data(), utf8.size()); node;
         node = node->next) {
        if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE) continue;
        out.push_back({fromUtf8(std::string_view(node->surface, node->length)),
                       node->stat == MECAB_UNK_NODE ? std::u16string() : readingOf(node->feature)});
    }
    return out;
}

}  // namespace qucap
