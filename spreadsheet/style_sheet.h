#pragma once

#include <QString>

#include <pugixml.hpp>

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace zorvel {

// The workbook's style sheet (xl/styles.xml). A cell's formatting change makes a derived cell format
// from the cell's current one; fonts, borders, number formats and cell formats already present are
// reused, so repeated formatting adds no duplicates.
class StyleSheet {
public:
    explicit StyleSheet(const std::string& xml);
    // A style sheet with the default font (Arial 10, Cyrillic) and nothing else.
    static std::string blankXml();
    std::string xml() const;

    using Edit = std::function<void(pugi::xml_node)>;
    // The cell format `xf` with its <xf> element changed by `editXf` (which may call the helpers below).
    uint32_t derive(uint32_t xf, const Edit& editXf);
    // Font and border ids of a changed copy of font / border `id`.
    uint32_t deriveFont(uint32_t id, const Edit& editFont);
    uint32_t deriveBorder(uint32_t id, const Edit& editBorder);
    uint32_t numberFormatId(const QString& code);

    QString numberFormat(uint32_t xf) const;
    // Read-only views of a cell format, its font and border.
    pugi::xml_node xf(uint32_t index) const;
    pugi::xml_node font(uint32_t index) const;
    pugi::xml_node border(uint32_t index) const;

private:
    uint32_t findOrAdd(pugi::xml_node list, std::vector<pugi::xml_node>& items,
                       std::unordered_map<std::string, uint32_t>& index, pugi::xml_node candidate);

    pugi::xml_document document_;
    pugi::xml_document scratch_;
    pugi::xml_node fonts_, borders_, cellXfs_, numFmts_;
    std::vector<pugi::xml_node> fontItems_, borderItems_, xfItems_;
    std::unordered_map<std::string, uint32_t> fontIndex_, borderIndex_, xfIndex_;
    std::unordered_map<int, QString> formatCodes_;
};

} // namespace zorvel
