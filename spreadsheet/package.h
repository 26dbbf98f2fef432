#pragma once

#include <QString>

#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace zorvel {

// The parts of an Office Open XML package (a zip file) held in memory by name. Parts the engine does
// not understand are written back byte for byte, in their original order.
class Package {
public:
    // Throws SpreadsheetError for a missing, unreadable or non-zip file.
    static Package read(const QString& path);
    // Appends the next piece of a part to `out`; returns false once the part is complete.
    using Writer = std::function<bool(std::string& out)>;
    // Makes a fresh writer each time the part is read from its start.
    using WriterFactory = std::function<Writer()>;

    // Writes into a temporary file beside `path` and renames it over `path`, so a failed save never
    // leaves a half-written workbook. Parts named in `written` are produced piece by piece while the
    // file is compressed instead of being taken from memory: a large sheet never lies in memory whole.
    void write(const QString& path, const std::map<std::string, WriterFactory>& written = {}) const;

    bool contains(const std::string& name) const { return parts_.count(name) != 0; }
    // Empty when the part is absent.
    const std::string& part(const std::string& name) const;
    void setPart(const std::string& name, std::string data);
    void removePart(const std::string& name);

private:
    std::vector<std::string> order_;
    std::unordered_map<std::string, std::string> parts_;
};

} // namespace zorvel
