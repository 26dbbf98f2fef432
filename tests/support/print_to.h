#pragma once

#include <QString>

#include <ostream>

// Texts as texts in GoogleTest's failure reports (a QStringList prints its elements through it too),
// instead of their bytes.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
