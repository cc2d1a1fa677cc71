#include "app/ruby/ruby_completion.h"

#include <algorithm>
#include <span>

#include "captiondata/markup/ruby_groups.h"

namespace qucap {
namespace {

constexpr std::size_t kNone = std::u16string_view::npos;

std::span<const RubyGroupSpan> groupsOf(const RubyGroupSpans& scanned) {
    return {scanned.spans.data(), std::size_t(scanned.count)};
}

// Whether the span overlaps a base the user gave a reading.
bool overlaps(const RubySpan& span, const RubyGroupSpans& user) {
    const auto groups = groupsOf(user);
    return std::any_of(groups.begin(), groups.end(), [&](const RubyGroupSpan& group) {
        return group.close > group.open + 1 && group.anchor != kNone &&
               span.offset < group.anchor + (group.open - group.start) && group.anchor < span.offset + span.base.size();
    });
}

// A span that can be written as a group at all.
bool writable(const RubySpan& span) {
    return !span.base.empty() && span.base.size() <= kMaxRubyBaseLength &&
           span.base.find_first_of(u"()$") == std::u16string::npos;
}

// Puts the proposal's groups into the gaps between the user's groups, in
// body order, keeping the search position the groups are read with.
class Merger {
public:
    Merger(std::u16string_view plainBody, std::size_t length, std::size_t groups, std::size_t capacity)
        : plainBody_(plainBody), length_(length), groups_(groups), capacity_(capacity) {}

    // Writes at `at` the spans from `next` on that start before `limit`.
    void fillGap(const std::vector<RubySpan>& spans, std::size_t& next, std::size_t limit, std::size_t at,
                 std::vector<RubyInsertion>& out) {
        std::u16string text;
        for (; !full_ && next < spans.size() && spans[next].offset < limit; ++next) {
            const RubySpan& span = spans[next];
            if (span.offset < search_) continue;
            const RubyFillers fillers = rubyFillers(plainBody_, span.base, search_, span.offset);
            const std::u16string piece = fillers.text + span.base + u"(" + span.reading + u")";
            if (groups_ + std::size_t(fillers.groups) + 1 > std::size_t(kMaxRubyGroups) ||
                length_ + text.size() + piece.size() > capacity_) {
                full_ = true;
                break;
            }
            text += piece;
            groups_ += std::size_t(fillers.groups) + 1;
            search_ = span.offset + 1;
        }
        if (text.empty()) return;
        length_ += text.size();
        out.push_back({at, std::move(text)});
    }
    // The user's group is read next: the search goes on after its base.
    void passGroup(const RubyGroupSpan& group) {
        if (group.anchor != kNone) search_ = group.anchor + 1;
    }

private:
    std::u16string_view plainBody_;
    std::size_t length_, groups_, capacity_;
    std::size_t search_ = 0;
    bool full_ = false;
};

}  // namespace

RubyCompletion completeRuby(std::u16string_view plainBody, std::u16string_view ruby, const std::vector<RubySpan>& spans,
                            std::size_t capacity) {
    const RubyGroupSpans scanned = scanRubyGroups(ruby, plainBody);
    const auto user = groupsOf(scanned);
    std::vector<RubySpan> open;
    for (const RubySpan& span : spans)
        if (writable(span) && !overlaps(span, scanned)) open.push_back(span);
    std::stable_sort(open.begin(), open.end(), [](const RubySpan& a, const RubySpan& b) { return a.offset < b.offset; });

    RubyCompletion completion;
    Merger merger(plainBody, ruby.size(), user.size(), capacity);
    std::size_t next = 0;
    for (std::size_t i = 0; i < user.size(); ++i) {
        // A group goes before the user's next found base, so that base is
        // still the first one the search meets; before an empty base (found
        // wherever the search stands) nothing may go.
        std::size_t limit = kNone;
        for (std::size_t j = i; j < user.size() && limit == kNone; ++j) limit = user[j].anchor;
        if (user[i].open == user[i].start) limit = 0;
        merger.fillGap(open, next, limit, user[i].start, completion.insertions);
        merger.passGroup(user[i]);
    }
    // Text after the user's last group stays last.
    merger.fillGap(open, next, kNone, user.empty() ? 0 : user.back().close + 1, completion.insertions);

    std::size_t copied = 0;
    for (const RubyInsertion& insertion : completion.insertions) {
        completion.ruby.append(ruby.substr(copied, insertion.at - copied)).append(insertion.text);
        copied = insertion.at;
    }
    completion.ruby.append(ruby.substr(copied));
    return completion;
}

}  // namespace qucap
