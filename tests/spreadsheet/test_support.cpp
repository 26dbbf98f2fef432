#include "test_support.h"

#include "spreadsheet/package.h"
#include "templates/template_source.h"

#include <QDir>

namespace zorvel::test {

QString sourceDir() {
    return QStringLiteral(ZORVEL_TEST_SOURCE_DIR);
}

QString writeSampleTemplate(const QString& dir) {
    QString path = QDir(dir).filePath(QStringLiteral("sample.xlsx"));
    makeTemplate(QDir(sourceDir()).filePath(QStringLiteral("sample.tpl")), path);
    return path;
}

std::string packagePart(const QString& path, const std::string& part) {
    return Package::read(path).part(part);
}

} // namespace zorvel::test
