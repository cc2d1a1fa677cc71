#pragma once
// Names in a TTML document parsed by pugixml, which knows no namespaces:
// elements and attributes are matched by their namespace's URI through the
// declarations in scope, so any prefix (or none) works.
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include <pugixml.hpp>

namespace qucap {

inline constexpr std::string_view kTtmlNs = "http://www.w3.org/ns/ttml";
inline constexpr std::string_view kTtmlStylingNs = "http://www.w3.org/ns/ttml#styling";
inline constexpr std::string_view kTtmlParameterNs = "http://www.w3.org/ns/ttml#parameter";
inline constexpr std::string_view kXmlNs = "http://www.w3.org/XML/1998/namespace";

// A name split at its prefix.
struct QualifiedName {
    std::string_view prefix, local;
};
QualifiedName splitName(std::string_view name);

// The namespace declarations in scope at one element: its own and its
// ancestors' (the parent scope must outlive this one).
class XmlScope {
public:
    XmlScope(const XmlScope* parent, pugi::xml_node element);

    // The URI of a prefix ("" for the default namespace); "" when undeclared.
    std::string_view uri(std::string_view prefix) const;
    // Whether the element of this scope, or a child read in it, is `local` in `ns`.
    bool isElement(pugi::xml_node element, std::string_view ns, std::string_view local) const;
    std::string_view elementNs(pugi::xml_node element) const;
    // An attribute's namespace: none for an unprefixed one, as XML says.
    std::string_view attributeNs(pugi::xml_attribute attribute) const;
    // The value of the attribute `local` in `ns` ("" for no namespace).
    std::optional<std::string_view> attribute(pugi::xml_node element, std::string_view ns,
                                              std::string_view local) const;

private:
    const XmlScope* parent_;
    std::vector<std::pair<std::string_view, std::string_view>> own_;  // prefix, URI
};

// The line of a byte offset in the parsed text, 1 for the first; lines end
// as the line-based readers end them (CR LF, LF or CR).
class LineIndex {
public:
    explicit LineIndex(std::string_view text);
    std::size_t lineOf(std::ptrdiff_t offset) const;

private:
    std::vector<std::size_t> starts_;
};

}  // namespace qucap
