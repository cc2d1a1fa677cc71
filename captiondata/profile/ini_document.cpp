#include "captiondata/profile/ini_document.h"

#include "captiondata/text/u16.h"
#include "captiondata/text/utf16_writer.h"

namespace qucap {

namespace {

constexpr auto npos = std::u16string_view::npos;

// The white space the profile functions trim around names and values.
bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f'; }

std::u16string_view trim(std::u16string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

enum class LineKind { Other, Section, Key };

struct LineParts {
    LineKind kind = LineKind::Other;
    std::u16string_view name;
    std::u16string_view value;
};

// "[name]" opens a section (text after "]" is ignored), "name=value" sets a
// key, ";" starts a comment; anything else is kept but means nothing.
LineParts classify(std::u16string_view line) {
    const auto text = trim(line);
    if (text.empty() || text.front() == u';') return {};
    if (text.front() == u'[') {
        if (const auto close = text.find(u']'); close != npos)
            return {LineKind::Section, trim(text.substr(1, close - 1)), {}};
    }
    const auto equals = text.find(u'=');
    if (equals == npos) return {};
    return {LineKind::Key, trim(text.substr(0, equals)), trim(text.substr(equals + 1))};
}

bool matches(std::u16string_view name, std::u16string_view wanted) {
    return !wanted.empty() && equalsIgnoringAsciiCase(name, wanted);
}

bool holdsLineBreak(std::u16string_view text) { return text.find_first_of(u"\r\n") != npos; }

// A name that, written out, reads back as itself.
bool isStorableName(std::u16string_view name) {
    return !name.empty() && !holdsLineBreak(name) && trim(name).size() == name.size();
}

bool isStorableKey(std::u16string_view key) {
    return isStorableName(key) && key.find(u'=') == npos && key.front() != u'[' && key.front() != u';';
}

bool isStorableSection(std::u16string_view section) {
    return isStorableName(section) && section.find(u']') == npos;
}

std::u16string keyLine(std::u16string_view key, std::u16string_view value) {
    std::u16string line(key);
    line += u'=';
    line += value;
    return line;
}

}  // namespace

IniDocument IniDocument::parse(std::u16string_view text) {
    IniDocument document;
    std::u16string current;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char16_t c = text[at];
        if (c == u'\r' || c == u'\n') {
            document.lines_.push_back(std::move(current));
            current.clear();
            if (c == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n') ++at;
        } else {
            current += c;
        }
    }
    if (!current.empty()) document.lines_.push_back(std::move(current));
    return document;
}

namespace {

// Lines [first, end) of the first section named `section`; first is the header.
struct SectionSpan {
    std::size_t first;
    std::size_t end;
};

std::optional<SectionSpan> findSection(const std::vector<std::u16string>& lines, std::u16string_view section) {
    for (std::size_t at = 0; at < lines.size(); ++at) {
        const LineParts header = classify(lines[at]);
        if (header.kind != LineKind::Section || !matches(header.name, section)) continue;
        std::size_t end = at + 1;
        while (end < lines.size() && classify(lines[end]).kind != LineKind::Section) ++end;
        return SectionSpan{at, end};
    }
    return std::nullopt;
}

// Index of the first line of the span that sets `key`, or npos.
std::size_t findKey(const std::vector<std::u16string>& lines, SectionSpan span, std::u16string_view key) {
    for (std::size_t at = span.first + 1; at < span.end; ++at) {
        const LineParts parts = classify(lines[at]);
        if (parts.kind == LineKind::Key && matches(parts.name, key)) return at;
    }
    return npos;
}

}  // namespace

bool IniDocument::hasSection(std::u16string_view section) const { return findSection(lines_, section).has_value(); }

std::optional<std::u16string> IniDocument::find(std::u16string_view section, std::u16string_view key) const {
    const auto span = findSection(lines_, section);
    if (!span) return std::nullopt;
    const std::size_t at = findKey(lines_, *span, key);
    if (at == npos) return std::nullopt;
    return std::u16string(classify(lines_[at]).value);
}

std::u16string IniDocument::readString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view fallback) const {
    auto value = find(section, key);
    return value ? std::move(*value) : std::u16string(fallback);
}

int32_t IniDocument::readInt(std::u16string_view section, std::u16string_view key, int32_t fallback) const {
    const auto value = find(section, key);
    if (!value || value->empty()) return fallback;
    return readLeadingInt(*value);
}

bool IniDocument::set(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    if (!isStorableSection(section) || !isStorableKey(key) || holdsLineBreak(value)) return false;

    const auto span = findSection(lines_, section);
    if (!span) {
        if (!lines_.empty() && !lines_.back().empty()) lines_.emplace_back();
        lines_.push_back(u"[" + std::u16string(section) + u"]");
        lines_.push_back(keyLine(key, value));
        return true;
    }
    if (const std::size_t at = findKey(lines_, *span, key); at != npos) {
        // The key keeps the spelling it has in the file.
        lines_[at] = keyLine(classify(lines_[at]).name, value);
        return true;
    }
    std::size_t insertAt = span->first + 1;
    for (std::size_t at = span->first + 1; at < span->end; ++at)
        if (classify(lines_[at]).kind == LineKind::Key) insertAt = at + 1;
    lines_.insert(lines_.begin() + std::ptrdiff_t(insertAt), keyLine(key, value));
    return true;
}

std::string IniDocument::bytes() const {
    Utf16FileBuilder builder;
    for (const auto& line : lines_) builder.line(line);
    return builder.bytes();
}

}  // namespace qucap
