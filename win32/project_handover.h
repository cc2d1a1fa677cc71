#pragma once
// The caption filter finds its project through "Qucapadd.ini" beside it,
// which every run of the program and of the console tool rewrites. The
// stretch from writing that file (and the project's files) to the filter
// having read the project it names is held by one named mutex across
// processes, so two runs started together each hand their own project to
// their own filter. Held for a second or two; a mutex left by a process that
// died is taken over.
#include <windows.h>

#include <string_view>

namespace qucap {

inline constexpr wchar_t kProjectHandOverMutexName[] = L"qucapProjectHandOver";
inline constexpr std::u16string_view kProjectHandOverBusy =
    u"別の処理が字幕合成フィルタにプロジェクトを渡しています。しばらくしてからもう一度実行して下さい";

class ProjectHandOver {
public:
    // Waits for the stretch to be free, at most `waitMs`.
    explicit ProjectHandOver(DWORD waitMs = 60'000);
    ~ProjectHandOver();
    ProjectHandOver(const ProjectHandOver&) = delete;
    ProjectHandOver& operator=(const ProjectHandOver&) = delete;

    // Whether this process holds the stretch (false: the wait timed out or
    // the mutex could not be made).
    bool held() const { return held_; }
    // Ends the stretch before the object's end.
    void release();

private:
    HANDLE mutex_ = nullptr;
    bool held_ = false;
};

}  // namespace qucap
