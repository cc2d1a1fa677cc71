// The ruby proposal's accuracy on the evaluation set (tests/data/ruby/evaluation):
//   qucap_ruby_evaluation [--dic FOLDER] [--words] FILE...
// prints the editors' groups, how many the proposal read exactly, and
// every miss with its line, base, the editors' reading and the proposal's;
// with --words also the analyser's words of the missed line, to tell the
// analyser's cutting from the readings.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/ruby/mecab_analyser.h"
#include "captiondata/text/u16.h"
#include "tests/tools/ruby_evaluation_set.h"

int main(int argc, char** argv) {
    using namespace qucap;
    std::string dictionary = QUCAP_TEST_IPADIC;
    std::vector<std::string> files;
    bool words = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--dic" && i + 1 < argc)
            dictionary = argv[++i];
        else if (arg == "--words")
            words = true;
        else
            files.push_back(arg);
    }
    if (files.empty()) {
        std::fprintf(stderr, "使い方: qucap_ruby_evaluation [--dic 辞書フォルダー] 評価用ファイル...\n");
        return 2;
    }
    std::u16string error;
    const std::unique_ptr<MecabAnalyser> analyser = MecabAnalyser::open(fromUtf8(dictionary), fromUtf8(dictionary), error);
    if (!analyser) {
        std::fprintf(stderr, "%s\n", toUtf8(error).c_str());
        return 1;
    }
    EvaluationResult result;
    for (const std::string& file : files) {
        const std::optional<std::u16string> text = readUtf8File(file);
        if (!text) {
            std::fprintf(stderr, "%s を読めません\n", file.c_str());
            return 1;
        }
        evaluateText(*text, *analyser, result);
    }
    for (const EvaluationMiss& miss : result.misses) {
        std::printf("%s\n  %s《%s》 → %s\n", toUtf8(miss.line).c_str(), toUtf8(miss.group.base).c_str(),
                    toUtf8(miss.group.reading).c_str(),
                    miss.proposed ? toUtf8(*miss.proposed).c_str() : "（候補の区切りが基の外にはみ出す）");
        if (!words) continue;
        std::string cut = "   ";
        for (const Morpheme& word : analyser->morphemes(miss.line))
            cut += " " + toUtf8(word.surface) + "/" + (word.reading.empty() ? "-" : toUtf8(word.reading));
        std::printf("%s\n", cut.c_str());
    }
    std::printf("groups %zu, correct %zu, %.1f %%\n", result.groups, result.correct, result.percent());
    return 0;
}
