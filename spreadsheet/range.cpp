#include "spreadsheet/range.h"

#include "spreadsheet/spreadsheet_error.h"
#include "spreadsheet/style_sheet.h"
#include "spreadsheet/workbook_data.h"
#include "spreadsheet/worksheet.h"
#include "spreadsheet/xml_text.h"

#include <pugixml.hpp>

#include <cstring>

namespace zorvel {

namespace {

const char* const xfOrder[] = {"alignment", "protection", "extLst", nullptr};
const char* const borderOrder[] = {"left",     "right",    "top",        "bottom",
                                   "diagonal", "vertical", "horizontal", nullptr};

pugi::xml_attribute attribute(pugi::xml_node node, const char* name) {
    pugi::xml_attribute a = node.attribute(name);
    return a ? a : node.append_attribute(name);
}

void setAlignment(pugi::xml_node xf, const char* name, const char* value) {
    pugi::xml_node alignment = xml::orderedChild(xf, "alignment", xfOrder);
    if (value)
        attribute(alignment, name).set_value(value);
    else
        alignment.remove_attribute(name);
    attribute(xf, "applyAlignment").set_value("1");
}

const char* lineName(int lineStyle) {
    switch (lineStyle) {
    case LineContinuous:
        return "thin";
    case LineNone:
        return nullptr;
    case -4115:
        return "dashed";
    case -4118:
        return "dotted";
    case -4119:
        return "double";
    case 4:
        return "dashDot";
    case 5:
        return "dashDotDot";
    default:
        throw SpreadsheetError(QStringLiteral("Неизвестный тип линии %1").arg(lineStyle));
    }
}

// The alignment names of the automation codes.
const char* horizontalAlignmentName(int alignment) {
    switch (alignment) {
    case HAlignGeneral:
        return "general";
    case HAlignLeft:
    case -4131:
        return "left";
    case HAlignCenter:
    case -4108:
        return "center";
    case HAlignRight:
    case -4152:
        return "right";
    case HAlignFill:
        return "fill";
    case HAlignJustify:
    case -4130:
        return "justify";
    case HAlignCenterAcrossSelection:
        return "centerContinuous";
    case -4117:
        return "distributed";
    default:
        throw SpreadsheetError(QStringLiteral("Неизвестное горизонтальное выравнивание %1").arg(alignment));
    }
}

const char* verticalAlignmentName(int alignment) {
    switch (alignment) {
    case VAlignTop:
    case -4160:
        return "top";
    case VAlignCenter:
    case -4108:
        return "center";
    case VAlignBottom:
    case -4107:
        return "bottom";
    case VAlignJustify:
    case -4130:
        return "justify";
    case -4117:
        return "distributed";
    default:
        throw SpreadsheetError(QStringLiteral("Неизвестное вертикальное выравнивание %1").arg(alignment));
    }
}

} // namespace

Range::Range(Worksheet& sheet, const RangePosition& position) : sheet_(&sheet), position_(position) {
    checkCell(position.firstRow, position.firstColumn);
    checkCell(position.lastRow, position.lastColumn);
}

Range& Range::merge() {
    sheet_->merge(position_);
    return *this;
}

Range& Range::setWrapText(bool on) {
    StyleSheet& styles = *sheet_->book()->styles;
    sheet_->restyle(position_, [&](uint32_t xf) {
        return styles.derive(
            xf, [&](pugi::xml_node node) { setAlignment(node, "wrapText", on ? "1" : nullptr); });
    });
    return *this;
}

Range& Range::setHorizontalAlignment(int alignment) {
    const char* name = horizontalAlignmentName(alignment);
    StyleSheet& styles = *sheet_->book()->styles;
    sheet_->restyle(position_, [&](uint32_t xf) {
        return styles.derive(xf, [&](pugi::xml_node node) {
            setAlignment(node, "horizontal", std::strcmp(name, "general") == 0 ? nullptr : name);
        });
    });
    return *this;
}

Range& Range::setVerticalAlignment(int alignment) {
    const char* name = verticalAlignmentName(alignment);
    StyleSheet& styles = *sheet_->book()->styles;
    sheet_->restyle(position_, [&](uint32_t xf) {
        return styles.derive(xf, [&](pugi::xml_node node) { setAlignment(node, "vertical", name); });
    });
    return *this;
}

Range& Range::setBold(bool on) {
    StyleSheet& styles = *sheet_->book()->styles;
    sheet_->restyle(position_, [&](uint32_t xf) {
        return styles.derive(xf, [&](pugi::xml_node node) {
            uint32_t font = styles.deriveFont(node.attribute("fontId").as_uint(), [&](pugi::xml_node f) {
                f.remove_child("b");
                if (on)
                    f.prepend_child("b");
            });
            attribute(node, "fontId").set_value(font);
            attribute(node, "applyFont").set_value("1");
        });
    });
    return *this;
}

Range& Range::setFontSize(double points) {
    if (!(points >= 1 && points <= 409))
        throw SpreadsheetError(QStringLiteral("Недопустимый размер шрифта %1").arg(points));
    StyleSheet& styles = *sheet_->book()->styles;
    sheet_->restyle(position_, [&](uint32_t xf) {
        return styles.derive(xf, [&](pugi::xml_node node) {
            uint32_t font = styles.deriveFont(node.attribute("fontId").as_uint(), [&](pugi::xml_node f) {
                pugi::xml_node sz = f.child("sz");
                if (!sz)
                    sz = f.child("b") ? f.insert_child_after("sz", f.child("b")) : f.prepend_child("sz");
                attribute(sz, "val").set_value(points);
            });
            attribute(node, "fontId").set_value(font);
            attribute(node, "applyFont").set_value("1");
        });
    });
    return *this;
}

Range& Range::setBorders(int lineStyle) {
    const char* line = lineName(lineStyle);
    StyleSheet& styles = *sheet_->book()->styles;
    sheet_->restyle(position_, [&](uint32_t xf) {
        return styles.derive(xf, [&](pugi::xml_node node) {
            uint32_t border =
                styles.deriveBorder(node.attribute("borderId").as_uint(), [&](pugi::xml_node b) {
                    for (const char* side : {"left", "right", "top", "bottom"}) {
                        pugi::xml_node edge = xml::orderedChild(b, side, borderOrder);
                        while (edge.first_child())
                            edge.remove_child(edge.first_child());
                        edge.remove_attribute("style");
                        if (line) {
                            edge.append_attribute("style") = line;
                            edge.append_child("color").append_attribute("indexed") = "64";
                        }
                    }
                    xml::orderedChild(b, "diagonal", borderOrder);
                });
            attribute(node, "borderId").set_value(border);
            attribute(node, "applyBorder").set_value("1");
        });
    });
    return *this;
}

Range& Range::setNumberFormat(const QString& code) {
    StyleSheet& styles = *sheet_->book()->styles;
    uint32_t id = styles.numberFormatId(code);
    sheet_->restyle(position_, [&](uint32_t xf) {
        return styles.derive(xf, [&](pugi::xml_node node) {
            attribute(node, "numFmtId").set_value(id);
            attribute(node, "applyNumberFormat").set_value("1");
        });
    });
    return *this;
}

Range& Range::setRowHeight(double points) {
    for (int row = position_.firstRow; row <= position_.lastRow; ++row)
        sheet_->setRowHeight(row, points);
    return *this;
}

} // namespace zorvel
