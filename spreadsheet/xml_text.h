#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

// Small helpers for writing spreadsheet XML by hand, where the bulk of a workbook (cells, strings) is
// written without building a DOM.

namespace zorvel::xml {

// Appends text escaped for element content or an attribute value. Characters XML cannot carry (control
// characters other than tab and line feed) are written as _xHHHH_, as spreadsheets do.
void appendEscaped(std::string& out, std::string_view text);
// Undoes the _xHHHH_ escapes of a text read from a cell or a shared string.
std::string unescapeText(std::string_view text);
// The text of a string item (<si> or <is>): its <t>, or the <t> of every run, phonetic hints left out.
std::string itemText(const pugi::xml_node& item);
// Whether a <t> needs xml:space="preserve" (leading or trailing blanks, line feeds).
bool needsPreserve(std::string_view text);
// The document as text, without the declaration pugixml would add twice.
std::string serialize(const pugi::xml_document& document);
// Parses a part; throws SpreadsheetError naming the part when it is not well-formed XML.
void parse(pugi::xml_document& document, const std::string& text, const std::string& partName);
// Inserts `name` under `parent` at the place the schema's element order `order` requires, or
// returns the existing child.
pugi::xml_node orderedChild(pugi::xml_node parent, const char* name, const char* const* order);

} // namespace zorvel::xml
