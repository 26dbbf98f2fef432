#pragma once

#include "spreadsheet/package.h"
#include "spreadsheet/shared_strings.h"
#include "spreadsheet/style_sheet.h"
#include "spreadsheet/worksheet.h"

#include <QString>

#include <pugixml.hpp>

#include <memory>
#include <string>
#include <vector>

namespace zorvel {

// What a Workbook holds; its sheets reach the style sheet and string table through it.
struct WorkbookData {
    Package package;
    std::unique_ptr<StyleSheet> styles;
    SharedStrings strings;
    bool modified = false;

    pugi::xml_document contentTypes;
    pugi::xml_document workbook;
    pugi::xml_document relationships; // of the workbook part
    std::string workbookPart;
    std::string relationshipsPart;
    std::string stylesPart;
    std::string sharedStringsPart;

    std::vector<std::unique_ptr<Worksheet>> sheets;
    std::vector<pugi::xml_node> sheetEntries; // <sheet> elements of workbook.xml, one per sheet
    QString name;
    QString path;
};

} // namespace zorvel
