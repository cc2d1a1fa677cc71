#include "app/import/ttml_xml.h"

#include <algorithm>

namespace qucap {

QualifiedName splitName(std::string_view name) {
    const std::size_t colon = name.find(':');
    if (colon == std::string_view::npos) return {{}, name};
    return {name.substr(0, colon), name.substr(colon + 1)};
}

XmlScope::XmlScope(const XmlScope* parent, pugi::xml_node element) : parent_(parent) {
    for (const pugi::xml_attribute attribute : element.attributes()) {
        const std::string_view name = attribute.name();
        if (name == "xmlns")
            own_.emplace_back(std::string_view(), attribute.value());
        else if (name.starts_with("xmlns:"))
            own_.emplace_back(name.substr(6), attribute.value());
    }
}

std::string_view XmlScope::uri(std::string_view prefix) const {
    if (prefix == "xml") return kXmlNs;
    for (const XmlScope* scope = this; scope; scope = scope->parent_)
        for (const auto& [own, uri] : scope->own_)
            if (own == prefix) return uri;
    return {};
}

std::string_view XmlScope::elementNs(pugi::xml_node element) const {
    return uri(splitName(element.name()).prefix);
}

bool XmlScope::isElement(pugi::xml_node element, std::string_view ns, std::string_view local) const {
    return element.type() == pugi::node_element && splitName(element.name()).local == local &&
           elementNs(element) == ns;
}

std::string_view XmlScope::attributeNs(pugi::xml_attribute attribute) const {
    const QualifiedName name = splitName(attribute.name());
    return name.prefix.empty() ? std::string_view() : uri(name.prefix);
}

std::optional<std::string_view> XmlScope::attribute(pugi::xml_node element, std::string_view ns,
                                                    std::string_view local) const {
    for (const pugi::xml_attribute attribute : element.attributes())
        if (splitName(attribute.name()).local == local && attributeNs(attribute) == ns) return attribute.value();
    return std::nullopt;
}

LineIndex::LineIndex(std::string_view text) {
    starts_.push_back(0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        if (text[i] == '\r' || text[i] == '\n') starts_.push_back(i + 1);
    }
}

std::size_t LineIndex::lineOf(std::ptrdiff_t offset) const {
    if (offset < 0) return 0;
    return std::size_t(std::upper_bound(starts_.begin(), starts_.end(), std::size_t(offset)) - starts_.begin());
}

}  // namespace qucap
