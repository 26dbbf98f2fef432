#include "spreadsheet/shared_strings.h"

#include "spreadsheet/xml_text.h"

#include <pugixml.hpp>

#include <cstring>
#include <sstream>

namespace zorvel {

void SharedStrings::load(const std::string& text) {
    pugi::xml_document document;
    xml::parse(document, text, "xl/sharedStrings.xml");
    for (pugi::xml_node si : document.child("sst").children("si")) {
        std::ostringstream raw;
        si.print(raw, "", pugi::format_raw);
        std::string plain = xml::itemText(si);
        // Only plain items can stand for a text the engine writes; rich ones keep their runs.
        if (!si.child("r"))
            plainIndex_.emplace(plain, int32_t(texts_.size()));
        texts_.push_back(std::move(plain));
        items_.push_back(raw.str());
    }
}

const std::string& SharedStrings::text(int32_t index) const {
    static const std::string empty;
    return index >= 0 && size_t(index) < texts_.size() ? texts_[size_t(index)] : empty;
}

int32_t SharedStrings::indexOf(const std::string& text) {
    auto [it, added] = plainIndex_.emplace(text, int32_t(texts_.size()));
    if (added) {
        std::string item = xml::needsPreserve(text) ? "<si><t xml:space=\"preserve\">" : "<si><t>";
        xml::appendEscaped(item, text);
        item += "</t></si>";
        texts_.push_back(text);
        items_.push_back(std::move(item));
    }
    return it->second;
}

std::string SharedStrings::xml(size_t references) const {
    std::string out = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
                      "\n"
                      R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count=")" +
                      std::to_string(references) + "\" uniqueCount=\"" + std::to_string(items_.size()) +
                      "\">";
    for (const std::string& item : items_)
        out += item;
    out += "</sst>";
    return out;
}

} // namespace zorvel
