#include "spreadsheet/workbook.h"

#include "spreadsheet/libre_office.h"
#include "spreadsheet/spreadsheet_error.h"
#include "spreadsheet/workbook_data.h"
#include "spreadsheet/xml_text.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <cstring>
#include <map>
#include <set>

namespace zorvel {

namespace {

const char* const mainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char* const relNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const char* const relTypeBase = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
const char* const worksheetType = "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
const char* const workbookType = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
const char* const stylesType = "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";
const char* const stringsType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml";

const char* const workbookOrder[] = {"fileVersion",    "fileSharing",
                                     "workbookPr",     "workbookProtection",
                                     "bookViews",      "sheets",
                                     "functionGroups", "externalReferences",
                                     "definedNames",   "calcPr",
                                     "oleSize",        "customWorkbookViews",
                                     "pivotCaches",    "smartTagPr",
                                     "smartTagTypes",  "webPublishing",
                                     "fileRecoveryPr", "webPublishObjects",
                                     "extLst",         nullptr};

std::string blankSheetXml() {
    return std::string(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)") +
           "\n<worksheet xmlns=\"" + mainNs + "\" xmlns:r=\"" + relNs +
           "\"><sheetData/><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" "
           "header=\"0.3\" "
           "footer=\"0.3\"/></worksheet>";
}

// Folder of a part ("xl/" for "xl/workbook.xml").
std::string folderOf(const std::string& part) {
    size_t slash = part.rfind('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

std::string relationshipsPartOf(const std::string& part) {
    size_t slash = part.rfind('/');
    std::string file = slash == std::string::npos ? part : part.substr(slash + 1);
    return folderOf(part) + "_rels/" + file + ".rels";
}

std::string resolve(const std::string& folder, const std::string& target) {
    std::string path = target.empty() || target[0] != '/' ? folder + target : target.substr(1);
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t slash = path.find('/', start);
        std::string piece =
            path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (piece == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!piece.empty() && piece != ".") {
            parts.push_back(piece);
        }
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : "/") + p;
    return out;
}

// The relationship of `type` ("styles", "worksheet"...) from a relationships document.
pugi::xml_node relationshipOfType(const pugi::xml_document& rels, const char* type) {
    std::string wanted = std::string("/") + type;
    for (pugi::xml_node r : rels.child("Relationships").children("Relationship")) {
        std::string t = r.attribute("Type").value();
        if (t.size() >= wanted.size() && t.compare(t.size() - wanted.size(), wanted.size(), wanted) == 0)
            return r;
    }
    return {};
}

pugi::xml_attribute relationshipIdOf(pugi::xml_node sheet) {
    for (pugi::xml_attribute a : sheet.attributes()) {
        const char* name = a.name();
        size_t n = std::strlen(name);
        if (n > 3 && std::strcmp(name + n - 3, ":id") == 0)
            return a;
    }
    return {};
}

std::string newRelationshipId(const pugi::xml_document& rels) {
    std::set<std::string> used;
    for (pugi::xml_node r : rels.child("Relationships").children("Relationship"))
        used.insert(r.attribute("Id").value());
    for (int i = 1;; ++i) {
        std::string id = "rId" + std::to_string(i);
        if (!used.count(id))
            return id;
    }
}

void addRelationship(pugi::xml_document& rels, const std::string& id, const char* type,
                     const std::string& target) {
    pugi::xml_node r = rels.child("Relationships").append_child("Relationship");
    r.append_attribute("Id") = id.c_str();
    r.append_attribute("Type") = (std::string(relTypeBase) + type).c_str();
    r.append_attribute("Target") = target.c_str();
}

void addOverride(pugi::xml_document& types, const std::string& part, const char* contentType) {
    pugi::xml_node root = types.child("Types");
    for (pugi::xml_node o : root.children("Override"))
        if (o.attribute("PartName").value() == "/" + part)
            return;
    pugi::xml_node o = root.append_child("Override");
    o.append_attribute("PartName") = ("/" + part).c_str();
    o.append_attribute("ContentType") = contentType;
}

void removeOverride(pugi::xml_document& types, const std::string& part) {
    pugi::xml_node root = types.child("Types");
    for (pugi::xml_node o : root.children("Override"))
        if (o.attribute("PartName").value() == "/" + part) {
            root.remove_child(o);
            return;
        }
}

bool needsConversion(const QString& path) {
    QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == u"xls" || suffix == u"ods";
}

// Offsets of the relationship between the workbook and its sheets; kept as members of WorkbookData.
Package blankPackage() {
    Package package;
    package.setPart("[Content_Types].xml",
                    std::string(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)") +
                        "\n<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                        "<Default Extension=\"rels\" "
                        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" +
                        workbookType +
                        "\"/>"
                        "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"" +
                        worksheetType + "\"/><Override PartName=\"/xl/styles.xml\" ContentType=\"" +
                        stylesType + "\"/></Types>");
    package.setPart("_rels/.rels",
                    std::string(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)") +
                        "\n<Relationships "
                        "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                        "<Relationship Id=\"rId1\" Type=\"" +
                        relTypeBase + "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    package.setPart("xl/workbook.xml",
                    std::string(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)") +
                        "\n<workbook xmlns=\"" + mainNs + "\" xmlns:r=\"" + relNs +
                        "\"><bookViews><workbookView/></bookViews><sheets><sheet "
                        "name=\"Лист1\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
                        "<calcPr calcId=\"191029\" fullCalcOnLoad=\"1\"/></workbook>");
    package.setPart(
        "xl/_rels/workbook.xml.rels",
        std::string(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)") +
            "\n<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"" +
            relTypeBase + "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" +
            relTypeBase + "styles\" Target=\"styles.xml\"/></Relationships>");
    package.setPart("xl/styles.xml", StyleSheet::blankXml());
    package.setPart("xl/worksheets/sheet1.xml", blankSheetXml());
    return package;
}

} // namespace

Workbook::Workbook() = default;
Workbook::~Workbook() = default;
Workbook::Workbook(Workbook&&) noexcept = default;
Workbook& Workbook::operator=(Workbook&&) noexcept = default;

Workbook Workbook::blank() {
    Workbook book = load(blankPackage(), QStringLiteral("Книга"));
    return book;
}

Workbook Workbook::open(const QString& path) {
    QFileInfo info(path);
    if (!info.isFile())
        throw SpreadsheetError(QStringLiteral("Файл «%1» не найден").arg(path));
    if (needsConversion(path)) {
        if (LibreOffice::program().isEmpty())
            throw SpreadsheetError(
                QStringLiteral("Для чтения файлов .%1 нужен LibreOffice, он не установлен. "
                               "Сохраните файл в формате .xlsx")
                    .arg(info.suffix().toLower()));
        QTemporaryDir folder;
        if (!folder.isValid())
            throw SpreadsheetError(QStringLiteral("Не удалось создать временную папку"));
        QString converted =
            LibreOffice::convert(info.absoluteFilePath(), QStringLiteral("xlsx"), folder.path());
        Workbook book = load(Package::read(converted), info.completeBaseName());
        book.d->path = info.absoluteFilePath();
        return book;
    }
    Workbook book = load(Package::read(path), info.completeBaseName());
    book.d->path = info.absoluteFilePath();
    return book;
}

Workbook Workbook::fromTemplate(const QString& path) {
    Workbook book = open(path);
    book.d->path.clear();
    // A template (.xltx) becomes an ordinary workbook, as a workbook added from a template does.
    for (pugi::xml_node o : book.d->contentTypes.child("Types").children("Override"))
        if (o.attribute("PartName").value() == "/" + book.d->workbookPart)
            o.attribute("ContentType").set_value(workbookType);
    return book;
}

Workbook Workbook::load(Package package, const QString& name) {
    Workbook book;
    book.d = std::make_unique<WorkbookData>();
    WorkbookData& d = *book.d;
    d.package = std::move(package);
    d.name = name;
    auto notWorkbook = [&] {
        return SpreadsheetError(QStringLiteral("Файл «%1» не является книгой .xlsx").arg(name));
    };
    if (!d.package.contains("[Content_Types].xml") || !d.package.contains("_rels/.rels"))
        throw notWorkbook();
    xml::parse(d.contentTypes, d.package.part("[Content_Types].xml"), "[Content_Types].xml");
    pugi::xml_document packageRels;
    xml::parse(packageRels, d.package.part("_rels/.rels"), "_rels/.rels");
    pugi::xml_node office = relationshipOfType(packageRels, "officeDocument");
    if (!office)
        throw notWorkbook();
    d.workbookPart = resolve("", office.attribute("Target").value());
    if (!d.package.contains(d.workbookPart))
        throw notWorkbook();
    xml::parse(d.workbook, d.package.part(d.workbookPart), d.workbookPart);
    if (!d.workbook.child("workbook"))
        throw notWorkbook();
    d.relationshipsPart = relationshipsPartOf(d.workbookPart);
    if (d.package.contains(d.relationshipsPart))
        xml::parse(d.relationships, d.package.part(d.relationshipsPart), d.relationshipsPart);
    else
        d.relationships.append_child("Relationships").append_attribute("xmlns") =
            "http://schemas.openxmlformats.org/package/2006/relationships";
    std::string folder = folderOf(d.workbookPart);

    if (pugi::xml_node styles = relationshipOfType(d.relationships, "styles")) {
        d.stylesPart = resolve(folder, styles.attribute("Target").value());
    } else {
        d.stylesPart = folder + "styles.xml";
        addRelationship(d.relationships, newRelationshipId(d.relationships), "styles", "styles.xml");
        addOverride(d.contentTypes, d.stylesPart, stylesType);
    }
    const std::string& stylesXml = d.package.part(d.stylesPart);
    d.styles = std::make_unique<StyleSheet>(stylesXml.empty() ? StyleSheet::blankXml() : stylesXml);

    if (pugi::xml_node strings = relationshipOfType(d.relationships, "sharedStrings")) {
        d.sharedStringsPart = resolve(folder, strings.attribute("Target").value());
        if (d.package.contains(d.sharedStringsPart)) {
            d.strings.load(d.package.part(d.sharedStringsPart));
            // Written from the table from now on (an empty table leaves the part as it was).
            if (!d.strings.empty())
                d.package.setPart(d.sharedStringsPart, std::string());
        }
    }

    for (pugi::xml_node sheet : d.workbook.child("workbook").child("sheets").children("sheet")) {
        pugi::xml_attribute id = relationshipIdOf(sheet);
        pugi::xml_node rel;
        for (pugi::xml_node r : d.relationships.child("Relationships").children("Relationship"))
            if (id && std::strcmp(r.attribute("Id").value(), id.value()) == 0)
                rel = r;
        std::string type = rel.attribute("Type").value();
        // Chart sheets hold no cells; only worksheets are counted.
        if (!rel || type.size() < 10 || type.compare(type.size() - 10, 10, "/worksheet") != 0)
            continue;
        std::string part = resolve(folder, rel.attribute("Target").value());
        if (!d.package.contains(part))
            throw SpreadsheetError(QStringLiteral("Книга «%1» повреждена: нет листа «%2»")
                                       .arg(name, QString::fromUtf8(sheet.attribute("name").value())));
        d.sheets.push_back(std::unique_ptr<Worksheet>(new Worksheet(
            &d, part, d.package.part(part), QString::fromUtf8(sheet.attribute("name").value()))));
        // The sheet is written from its cells from now on; the part only keeps its place.
        d.package.setPart(part, std::string());
        d.sheetEntries.push_back(sheet);
    }
    if (d.sheets.empty())
        throw SpreadsheetError(QStringLiteral("В книге «%1» нет ни одного листа").arg(name));
    return book;
}

int Workbook::sheetCount() const {
    return d ? int(d->sheets.size()) : 0;
}

Worksheet& Workbook::sheet(int number) {
    return const_cast<Worksheet&>(std::as_const(*this).sheet(number));
}

const Worksheet& Workbook::sheet(int number) const {
    if (!d)
        throw SpreadsheetError(QStringLiteral("Книга закрыта"));
    if (number < 1 || number > int(d->sheets.size()))
        throw SpreadsheetError(QStringLiteral("В книге «%1» нет листа %2 (листов: %3)")
                                   .arg(d->name)
                                   .arg(number)
                                   .arg(d->sheets.size()));
    return *d->sheets[size_t(number - 1)];
}

Worksheet& Workbook::addSheet(const QString& name) {
    if (!d)
        throw SpreadsheetError(QStringLiteral("Книга закрыта"));
    std::string folder = folderOf(d->workbookPart);
    std::string target;
    for (int n = 1;; ++n) {
        target = "worksheets/sheet" + std::to_string(n) + ".xml";
        if (!d->package.contains(folder + target)) {
            bool taken = false;
            for (const auto& s : d->sheets)
                taken = taken || s->partName() == folder + target;
            if (!taken)
                break;
        }
    }
    std::string part = folder + target;
    std::unique_ptr<Worksheet> sheet(new Worksheet(d.get(), part, blankSheetXml(), QStringLiteral("Лист")));
    Worksheet& added = *sheet;
    d->sheets.push_back(std::move(sheet));
    try {
        added.setName(name);
    } catch (...) {
        d->sheets.pop_back();
        throw;
    }
    std::string id = newRelationshipId(d->relationships);
    addRelationship(d->relationships, id, "worksheet", target);
    addOverride(d->contentTypes, part, worksheetType);
    pugi::xml_node sheets = d->workbook.child("workbook").child("sheets");
    unsigned sheetId = 0;
    for (pugi::xml_node s : sheets.children("sheet"))
        sheetId = std::max(sheetId, s.attribute("sheetId").as_uint());
    pugi::xml_node entry = sheets.append_child("sheet");
    entry.append_attribute("name") = name.toUtf8().constData();
    entry.append_attribute("sheetId") = sheetId + 1;
    entry.append_attribute("r:id") = id.c_str();
    if (!d->workbook.child("workbook").attribute("xmlns:r"))
        d->workbook.child("workbook").append_attribute("xmlns:r") = relNs;
    d->sheetEntries.push_back(entry);
    d->modified = true;
    return added;
}

void Workbook::saveAs(const QString& path) {
    saveCopy(path);
    d->path = QFileInfo(path).absoluteFilePath();
}

void Workbook::saveCopy(const QString& path) {
    if (!d)
        throw SpreadsheetError(QStringLiteral("Книга закрыта"));
    WorkbookData& data = *d;
    bool drop = data.modified;
    size_t references = 0;
    // Sheets and the string table are written while the file is compressed, never whole in memory.
    std::map<std::string, Package::WriterFactory> written;
    for (size_t i = 0; i < data.sheets.size(); ++i) {
        Worksheet* sheet = data.sheets[i].get();
        references += sheet->stringReferences(drop);
        written[sheet->partName()] = [sheet, drop] { return sheet->xmlWriter(drop); };
        data.sheetEntries[i].attribute("name").set_value(sheet->name().toUtf8().constData());
    }
    std::string folder = folderOf(data.workbookPart);
    if (!data.strings.empty()) {
        if (data.sharedStringsPart.empty()) {
            data.sharedStringsPart = folder + "sharedStrings.xml";
            addRelationship(data.relationships, newRelationshipId(data.relationships), "sharedStrings",
                            "sharedStrings.xml");
            addOverride(data.contentTypes, data.sharedStringsPart, stringsType);
        }
        const SharedStrings* strings = &data.strings;
        written[data.sharedStringsPart] = [strings, references] { return strings->writer(references); };
    }
    data.package.setPart(data.stylesPart, data.styles->xml());
    if (drop) {
        // The calculation chain lists formula cells; a changed workbook gets it rebuilt on load.
        if (pugi::xml_node chain = relationshipOfType(data.relationships, "calcChain")) {
            std::string part = resolve(folder, chain.attribute("Target").value());
            data.package.removePart(part);
            removeOverride(data.contentTypes, part);
            data.relationships.child("Relationships").remove_child(chain);
        }
    }
    pugi::xml_node calc = xml::orderedChild(data.workbook.child("workbook"), "calcPr", workbookOrder);
    (calc.attribute("fullCalcOnLoad") ? calc.attribute("fullCalcOnLoad")
                                      : calc.append_attribute("fullCalcOnLoad"))
        .set_value("1");
    data.package.setPart(data.workbookPart, xml::serialize(data.workbook));
    data.package.setPart(data.relationshipsPart, xml::serialize(data.relationships));
    data.package.setPart("[Content_Types].xml", xml::serialize(data.contentTypes));
    data.package.write(path, written);
}

QString Workbook::name() const {
    return d ? d->name : QString();
}

QString Workbook::path() const {
    return d ? d->path : QString();
}

bool Workbook::isModified() const {
    return d && d->modified;
}

} // namespace zorvel
