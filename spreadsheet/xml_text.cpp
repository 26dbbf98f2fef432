#include "spreadsheet/xml_text.h"

#include "spreadsheet/spreadsheet_error.h"

#include <cstdio>
#include <cstring>
#include <sstream>

namespace zorvel::xml {

void appendEscaped(std::string& out, std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        // Runs of ordinary characters go in whole: most texts need no escape at all.
        size_t plain = i;
        while (plain < text.size()) {
            unsigned char u = static_cast<unsigned char>(text[plain]);
            if (u == '&' || u == '<' || u == '>' || u == '"' || u == '_' ||
                (u < 0x20 && u != '\t' && u != '\n'))
                break;
            ++plain;
        }
        if (plain > i) {
            out.append(text.data() + i, plain - i);
            i = plain - 1;
            continue;
        }
        char c = text[i];
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '_':
            // A literal "_x0041_" would read back as "A" unless its underscore is escaped.
            if (i + 6 < text.size() && text[i + 1] == 'x' && text[i + 6] == '_')
                out += "_x005F_";
            else
                out += c;
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "_x%04X_", unsigned(static_cast<unsigned char>(c)));
                out += buffer;
            } else {
                out += c;
            }
        }
    }
}

std::string unescapeText(std::string_view text) {
    if (text.find("_x") == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && text[i + 6] == '_') {
            unsigned code = 0;
            bool hex = true;
            for (size_t k = i + 2; k < i + 6; ++k) {
                char h = text[k];
                hex = hex && std::isxdigit(static_cast<unsigned char>(h));
                code =
                    code * 16 +
                    unsigned(std::isdigit(static_cast<unsigned char>(h)) ? h - '0' : (h | 0x20) - 'a' + 10);
            }
            if (hex) {
                if (code < 0x80) {
                    out += char(code);
                } else if (code < 0x800) {
                    out += char(0xC0 | (code >> 6));
                    out += char(0x80 | (code & 0x3F));
                } else {
                    out += char(0xE0 | (code >> 12));
                    out += char(0x80 | ((code >> 6) & 0x3F));
                    out += char(0x80 | (code & 0x3F));
                }
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string itemText(const pugi::xml_node& item) {
    std::string text;
    for (pugi::xml_node child : item.children()) {
        if (std::strcmp(child.name(), "t") == 0)
            text += child.text().get();
        else if (std::strcmp(child.name(), "r") == 0)
            text += child.child("t").text().get();
    }
    return unescapeText(text);
}

bool needsPreserve(std::string_view text) {
    return !text.empty() &&
           (text.front() == ' ' || text.back() == ' ' || text.find('\n') != std::string_view::npos ||
            text.find('\t') != std::string_view::npos);
}

std::string serialize(const pugi::xml_document& document) {
    std::ostringstream out;
    out << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        << "\n";
    document.save(out, "", pugi::format_raw | pugi::format_no_declaration);
    return out.str();
}

void parse(pugi::xml_document& document, const std::string& text, const std::string& partName) {
    pugi::xml_parse_result result =
        document.load_buffer(text.data(), text.size(), pugi::parse_default | pugi::parse_ws_pcdata_single);
    if (!result)
        throw SpreadsheetError(
            QStringLiteral("Книга повреждена: часть %1 не читается (%2)")
                .arg(QString::fromStdString(partName), QString::fromUtf8(result.description())));
}

pugi::xml_node orderedChild(pugi::xml_node parent, const char* name, const char* const* order) {
    if (pugi::xml_node existing = parent.child(name))
        return existing;
    int rank = -1;
    for (int i = 0; order[i]; ++i)
        if (std::strcmp(order[i], name) == 0)
            rank = i;
    for (pugi::xml_node child : parent.children()) {
        if (child.type() != pugi::node_element)
            continue;
        for (int i = rank + 1; order[i]; ++i)
            if (std::strcmp(order[i], child.name()) == 0)
                return parent.insert_child_before(name, child);
    }
    return parent.append_child(name);
}

} // namespace zorvel::xml
