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

RubyGroups buildRubyGroups(std::u16string_view ruby, std::u16string_view plainBody) {
    RubyGroups result;
    std::size_t scan = 0;
    std::size_t search = 0;
    for (int number = 1;; ++number) {
        const std::size_t open = ruby.find(u'(', scan);
        if (open == std::u16string_view::npos) break;
        const std::size_t close = ruby.find(u')', open + 1);
        if (close == std::u16string_view::npos) break;
        if (number > kMaxRubyGroups) break;

        const std::u16string_view base = ruby.substr(scan, open - scan);
        const std::size_t anchor = findBase(plainBody, base, search);
        if (anchor != std::u16string_view::npos) {
            RubyGroup& group = result.groups[std::size_t(number - 1)];
            group.base = std::u16string(base);
            group.ruby = std::u16string(ruby.substr(open + 1, std::min(close - open - 1, kMaxRubyReadingLength)));
            group.anchor = int32_t(anchor);
            result.count = number;
            search = anchor + 1;
        }
        scan = close + 1;
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
