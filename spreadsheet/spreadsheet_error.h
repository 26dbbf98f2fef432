#pragma once

#include <QString>

#include <stdexcept>

namespace zorvel {

// Every failure of the workbook engine and of workbook output (missing template, damaged file, bad
// address or formula, LibreOffice or the printer missing). what() is the message in UTF-8, clear enough
// to show to the user as it is.
class SpreadsheetError : public std::runtime_error {
public:
    explicit SpreadsheetError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

} // namespace zorvel
