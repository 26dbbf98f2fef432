#include "spreadsheet/style_sheet.h"

#include "spreadsheet/number_format.h"
#include "spreadsheet/spreadsheet_error.h"
#include "spreadsheet/xml_text.h"

#include <algorithm>
#include <cstring>

namespace zorvel {

namespace {

const char* const styleSheetOrder[] = {"numFmts",      "fonts",   "fills",      "borders",
                                       "cellStyleXfs", "cellXfs", "cellStyles", "dxfs",
                                       "tableStyles",  "colors",  "extLst",     nullptr};

// Equal elements give equal keys whatever the order of their attributes.
void canonicalKey(const pugi::xml_node& node, std::string& key) {
    key += '<';
    key += node.name();
    std::vector<std::pair<std::string, std::string>> attributes;
    for (pugi::xml_attribute a : node.attributes())
        attributes.emplace_back(a.name(), a.value());
    std::sort(attributes.begin(), attributes.end());
    for (const auto& [name, value] : attributes)
        key += ' ' + name + '=' + value;
    key += '>';
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_element)
            canonicalKey(child, key);
        else if (child.type() == pugi::node_pcdata)
            key += child.value();
    }
    key += "</>";
}

std::string keyOf(const pugi::xml_node& node) {
    std::string key;
    canonicalKey(node, key);
    return key;
}

void index(pugi::xml_node list, const char* itemName, std::vector<pugi::xml_node>& items,
           std::unordered_map<std::string, uint32_t>& keys) {
    for (pugi::xml_node item : list.children(itemName)) {
        keys.emplace(keyOf(item), uint32_t(items.size()));
        items.push_back(item);
    }
}

} // namespace

std::string StyleSheet::blankXml() {
    return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
           R"(<fonts count="1"><font><sz val="10"/><name val="Arial"/><family val="2"/><charset val="204"/></font></fonts>)"
           R"(<fills count="2"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill></fills>)"
           R"(<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>)"
           R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>)"
           R"(<cellXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/></cellXfs>)"
           R"(<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>)"
           R"(</styleSheet>)";
}

StyleSheet::StyleSheet(const std::string& xml) {
    xml::parse(document_, xml, "xl/styles.xml");
    pugi::xml_node root = document_.child("styleSheet");
    if (!root)
        throw SpreadsheetError(QStringLiteral("Книга повреждена: нет таблицы стилей"));
    fonts_ = xml::orderedChild(root, "fonts", styleSheetOrder);
    borders_ = xml::orderedChild(root, "borders", styleSheetOrder);
    cellXfs_ = xml::orderedChild(root, "cellXfs", styleSheetOrder);
    numFmts_ = root.child("numFmts");
    // A style sheet must hold at least one font, border and cell format for index 0 to mean anything.
    if (!fonts_.child("font")) {
        pugi::xml_node font = fonts_.append_child("font");
        font.append_child("sz").append_attribute("val") = "10";
        font.append_child("name").append_attribute("val") = "Arial";
    }
    if (!borders_.child("border"))
        borders_.append_child("border");
    if (!cellXfs_.child("xf")) {
        pugi::xml_node xf = cellXfs_.append_child("xf");
        for (const char* a : {"numFmtId", "fontId", "fillId", "borderId"})
            xf.append_attribute(a) = "0";
    }
    for (pugi::xml_node list : {fonts_, borders_, cellXfs_})
        if (!list.attribute("count"))
            list.append_attribute("count");
    index(fonts_, "font", fontItems_, fontIndex_);
    index(borders_, "border", borderItems_, borderIndex_);
    index(cellXfs_, "xf", xfItems_, xfIndex_);
    for (pugi::xml_node f : numFmts_.children("numFmt"))
        formatCodes_[f.attribute("numFmtId").as_int()] = QString::fromUtf8(f.attribute("formatCode").value());
}

std::string StyleSheet::xml() const {
    // Counts are rewritten since derived entries were appended.
    fonts_.attribute("count").set_value(unsigned(fontItems_.size()));
    borders_.attribute("count").set_value(unsigned(borderItems_.size()));
    cellXfs_.attribute("count").set_value(unsigned(xfItems_.size()));
    return xml::serialize(document_);
}

uint32_t StyleSheet::findOrAdd(pugi::xml_node list, std::vector<pugi::xml_node>& items,
                               std::unordered_map<std::string, uint32_t>& keys, pugi::xml_node candidate) {
    std::string key = keyOf(candidate);
    auto it = keys.find(key);
    if (it != keys.end())
        return it->second;
    pugi::xml_node added = list.append_copy(candidate);
    if (!list.attribute("count"))
        list.append_attribute("count");
    uint32_t id = uint32_t(items.size());
    items.push_back(added);
    keys.emplace(std::move(key), id);
    return id;
}

uint32_t StyleSheet::derive(uint32_t xfId, const Edit& editXf) {
    scratch_.reset();
    pugi::xml_node copy = scratch_.append_copy(xf(xfId));
    editXf(copy);
    return findOrAdd(cellXfs_, xfItems_, xfIndex_, copy);
}

uint32_t StyleSheet::deriveFont(uint32_t id, const Edit& editFont) {
    pugi::xml_document scratch;
    pugi::xml_node copy = scratch.append_copy(font(id));
    editFont(copy);
    return findOrAdd(fonts_, fontItems_, fontIndex_, copy);
}

uint32_t StyleSheet::deriveBorder(uint32_t id, const Edit& editBorder) {
    pugi::xml_document scratch;
    pugi::xml_node copy = scratch.append_copy(border(id));
    editBorder(copy);
    return findOrAdd(borders_, borderItems_, borderIndex_, copy);
}

uint32_t StyleSheet::numberFormatId(const QString& code) {
    for (int id = 0; id < 50; ++id)
        if (builtinNumberFormat(id) == code && id != 14 && id != 22)
            return uint32_t(id);
    for (const auto& [id, known] : formatCodes_)
        if (known == code)
            return uint32_t(id);
    int id = 164;
    for (const auto& entry : formatCodes_)
        id = std::max(id, entry.first + 1);
    if (!numFmts_) {
        numFmts_ = xml::orderedChild(document_.child("styleSheet"), "numFmts", styleSheetOrder);
        numFmts_.append_attribute("count");
    }
    pugi::xml_node f = numFmts_.append_child("numFmt");
    f.append_attribute("numFmtId") = id;
    f.append_attribute("formatCode") = code.toUtf8().constData();
    formatCodes_[id] = code;
    numFmts_.attribute("count").set_value(unsigned(formatCodes_.size()));
    return uint32_t(id);
}

QString StyleSheet::numberFormat(uint32_t xfId) const {
    int id = xf(xfId).attribute("numFmtId").as_int();
    auto it = formatCodes_.find(id);
    if (it != formatCodes_.end())
        return it->second;
    return builtinNumberFormat(id);
}

pugi::xml_node StyleSheet::xf(uint32_t index) const {
    return xfItems_[index < xfItems_.size() ? index : 0];
}

pugi::xml_node StyleSheet::font(uint32_t index) const {
    return fontItems_[index < fontItems_.size() ? index : 0];
}

pugi::xml_node StyleSheet::border(uint32_t index) const {
    return borderItems_[index < borderItems_.size() ? index : 0];
}

} // namespace zorvel
