#include "spreadsheet/shared_strings.h"

#include "spreadsheet/xml_text.h"

#include <pugixml.hpp>

#include <algorithm>
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
        if (!si.child("r") && indexOfPlain(texts_.back()) < 0)
            addPlain(texts_.back(), int32_t(texts_.size() - 1));
    }
}

const std::string& SharedStrings::text(int32_t index) const {
    static const std::string empty;
    return index >= 0 && size_t(index) < texts_.size() ? texts_[size_t(index)] : empty;
}

namespace {

uint32_t hashOf(std::string_view text) {
    // FNV-1a: short texts, hashed in one pass without a call.
    uint32_t h = 2166136261u;
    for (unsigned char c : text)
        h = (h ^ c) * 16777619u;
    return h;
}

} // namespace

int32_t SharedStrings::indexOfPlain(std::string_view text) const {
    if (slots_.empty())
        return -1;
    const uint32_t hash = hashOf(text);
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        uint64_t slot = slots_[i];
        if (slot == 0)
            return -1;
        if (uint32_t(slot >> 32) == hash) {
            int32_t index = int32_t(uint32_t(slot) - 1);
            if (texts_[size_t(index)] == text)
                return index;
        }
    }
}

void SharedStrings::addPlain(std::string_view text, int32_t index) {
    if ((plainCount_ + 1) * 2 > slots_.size())
        grow();
    const uint32_t hash = hashOf(text);
    const size_t mask = slots_.size() - 1;
    size_t i = hash & mask;
    while (slots_[i] != 0)
        i = (i + 1) & mask;
    slots_[i] = (uint64_t(hash) << 32) | uint32_t(index + 1);
    ++plainCount_;
}

void SharedStrings::grow() {
    std::vector<uint64_t> old(std::max<size_t>(1024, slots_.size() * 2), 0);
    old.swap(slots_);
    const size_t mask = slots_.size() - 1;
    for (uint64_t slot : old) {
        if (slot == 0)
            continue;
        size_t i = size_t(slot >> 32) & mask;
        while (slots_[i] != 0)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

int32_t SharedStrings::indexOf(std::string_view text) {
    int32_t found = indexOfPlain(text);
    if (found >= 0)
        return found;
    texts_.emplace_back(text);
    int32_t index = int32_t(texts_.size() - 1);
    addPlain(text, index);
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
