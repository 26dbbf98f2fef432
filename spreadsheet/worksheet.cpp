#include "spreadsheet/worksheet.h"

#include "spreadsheet/spreadsheet_error.h"
#include "spreadsheet/workbook_data.h"
#include "spreadsheet/worksheet_data.h"

namespace zorvel {

Worksheet::~Worksheet() = default;

const std::string& Worksheet::partName() const {
    return d->partName;
}

WorkbookData* Worksheet::book() const {
    return d->book;
}

void Worksheet::touched() {
    d->book->modified = true;
}

QString Worksheet::name() const {
    return d->name;
}

void Worksheet::setName(const QString& name) {
    static const QString forbidden = QStringLiteral(":\\/?*[]");
    bool ok = !name.isEmpty() && name.size() <= 31 && !name.startsWith(u'\'') && !name.endsWith(u'\'');
    for (QChar c : name)
        ok = ok && !forbidden.contains(c);
    if (!ok)
        throw SpreadsheetError(QStringLiteral("Недопустимое имя листа «%1»").arg(name));
    for (const auto& other : d->book->sheets)
        if (other.get() != this && other->name().compare(name, Qt::CaseInsensitive) == 0)
            throw SpreadsheetError(QStringLiteral("Лист «%1» уже есть в книге").arg(name));
    d->name = name;
    touched();
}

} // namespace zorvel
