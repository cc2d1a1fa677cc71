#include "captiondata/markup/ruby_groups.h"

#include <algorithm>

namespace qucap {
namespace {

// The first index j >= from where `body` continues with `base`, or npos.
std::size_t findBase(std::u16string_view body, std::u16string_view base, std::size_t from) {
    if (base.size() > kMaxRubyBaseLength || base.size() > body.size()) return std::u16string_view::npos;
    for (std::size_t j = from; j <= body.size() - base.size(); ++j)
        if (body.substr(j, base.size()) == base) return j;
    return std::u16string_view::npos;
}

}  // namespace

RubyGroupSpans scanRubyGroups(std::u16string_view ruby, std::u16string_view plainBody) {
    RubyGroupSpans scanned;
    std::size_t scan = 0;
    std::size_t search = 0;
    while (scanned.count < kMaxRubyGroups) {
        const std::size_t open = ruby.find(u'(', scan);
        if (open == std::u16string_view::npos) break;
        const std::size_t close = ruby.find(u')', open + 1);
        if (close == std::u16string_view::npos) break;
        const std::size_t anchor = findBase(plainBody, ruby.substr(scan, open - scan), search);
        if (anchor != std::u16string_view::npos) search = anchor + 1;
        scanned.spans[std::size_t(scanned.count++)] = {scan, open, close, anchor};
        scan = close + 1;
    }
    return scanned;
}

RubyGroups buildRubyGroups(std::u16string_view ruby, std::u16string_view plainBody) {
    RubyGroups result;
    const RubyGroupSpans scanned = scanRubyGroups(ruby, plainBody);
    for (int number = 1; number <= scanned.count; ++number) {
        const RubyGroupSpan& span = scanned.spans[std::size_t(number - 1)];
        if (span.anchor == std::u16string_view::npos) continue;
        RubyGroup& group = result.groups[std::size_t(number - 1)];
        group.base = std::u16string(ruby.substr(span.start, span.open - span.start));
        group.ruby = std::u16string(ruby.substr(span.open + 1, std::min(span.close - span.open - 1, kMaxRubyReadingLength)));
        group.anchor = int32_t(span.anchor);
        result.count = number;
    }
    return result;
}

RubyFillers rubyFillers(std::u16string_view plainBody, std::u16string_view base, std::size_t from, std::size_t anchor) {
    RubyFillers fillers;
    for (std::size_t at = findBase(plainBody, base, from); at < anchor; at = findBase(plainBody, base, at + 1)) {
        fillers.text += std::u16string(base) + u"()";
        ++fillers.groups;
    }
    return fillers;
}

}  // namespace qucap
