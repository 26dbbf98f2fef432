#include "spreadsheet/shared_strings.h"

#include "spreadsheet/xml_text.h"

#include <pugixml.hpp>

#include <memory>
#include <sstream>

namespace zorvel {

void SharedStrings::load(const std::string& text) {
    pugi::xml_document document;
    xml::parse(document, text, "xl/sharedStrings.xml");
    for (pugi::xml_node si : document.child("sst").children("si")) {
        std::ostringstream raw;
        si.print(raw, "", pugi::format_raw);
        texts_.push_back(xml::itemText(si));
        loadedItems_.push_back(raw.str());
        // Only plain items can stand for a text the engine writes; rich ones keep their runs.
        if (!si.child("r"))
            plainIndex_.emplace(texts_.back(), int32_t(texts_.size() - 1));
    }
}

const std::string& SharedStrings::text(int32_t index) const {
    static const std::string empty;
    return index >= 0 && size_t(index) < texts_.size() ? texts_[size_t(index)] : empty;
}

int32_t SharedStrings::indexOf(std::string_view text) {
    if (auto it = plainIndex_.find(text); it != plainIndex_.end())
        return it->second;
    texts_.emplace_back(text);
    int32_t index = int32_t(texts_.size() - 1);
    plainIndex_.emplace(texts_.back(), index);
    return index;
}

std::function<bool(std::string& out)> SharedStrings::writer(size_t references) const {
    auto next = std::make_shared<size_t>(0);
    return [this, references, next](std::string& out) {
        size_t& i = *next;
        if (i == 0)
            out += R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
                   "\n"
                   R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count=")" +
                   std::to_string(references) + "\" uniqueCount=\"" + std::to_string(texts_.size()) + "\">";
        for (; i < texts_.size() && out.size() < (1u << 20); ++i) {
            if (i < loadedItems_.size()) {
                out += loadedItems_[i];
                continue;
            }
            const std::string& text = texts_[i];
            out += xml::needsPreserve(text) ? "<si><t xml:space=\"preserve\">" : "<si><t>";
            xml::appendEscaped(out, text);
            out += "</t></si>";
        }
        if (i < texts_.size())
            return true;
        out += "</sst>";
        return false;
    };
}

} // namespace zorvel
