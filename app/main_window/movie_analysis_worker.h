#pragma once
// The analyses of the loaded project's movie (its cuts, then its sound's
// peaks) on a worker thread, with the progress on the message line. The
// program has one worker thread at a time: the analysis starts only while
// nothing plays or is synthesised, stops before a preview or a synthesis
// starts, and goes on once it has ended. The results land in app().cuts and
// app().soundPeaks; a second load of the project reads them from the cache
// files beside it.
#include <windows.h>

#include <string>

namespace qucap {

inline constexpr UINT kAnalysisProgressMessage = 0x806A;  // wParam: what is analysed (0 cuts, 1 sound, 2 both), lParam: percent
inline constexpr UINT kAnalysisEndedMessage = 0x806B;     // lParam: the results, the receiver's to delete

// The message-line text while an analysis runs, and once both are done.
std::u16string analysisProgressText(int analysis, int percent);
std::u16string analysisDoneText(std::size_t cuts);

// After a project load: the results of the last project go, the analysis starts.
void startMovieAnalysisForProject();
// Starts the analysis when a result is missing and nothing plays; nothing else.
void resumeMovieAnalysis();
// Stops the worker and waits for it (messages are dispatched meanwhile).
void stopMovieAnalysis();
// "ﾂｰﾙ → 動画の解析を止める": stopped until the next load of a project, and said so.
void stopMovieAnalysisByUser();
inline constexpr std::u16string_view kAnalysisStopped =
    u"動画の解析を止めました。プロジェクトを読み込み直すと、また始まります";

// The main window's handling of the two messages.
void movieAnalysisProgress(WPARAM analysis, LPARAM percent);
void movieAnalysisEnded(LPARAM results);

}  // namespace qucap
