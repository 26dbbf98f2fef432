#pragma once

#include <QString>

namespace zorvel {

// The workstation's configuration: "put.ini" in the current working directory, section "Put". A missing
// file, section or key reads as an empty text. Read afresh at each use; the program never writes it.
QString readConfigValue(const QString& key);

// The same from a given file (tests, tools).
QString readIniValue(const QString& path, const QString& section, const QString& key);

} // namespace zorvel
