// make_templates <source dir> <output dir>: every <name>.tpl of the source folder becomes <name>.xlsx
// in the output folder. Run by hand after changing templates/source; the .xlsx files are committed.

#include "templates/template_source.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_templates <source dir> <output dir>\n");
        return 2;
    }
    QDir source(QString::fromLocal8Bit(argv[1]));
    QDir output(QString::fromLocal8Bit(argv[2]));
    if (!source.exists()) {
        std::fprintf(stderr, "make_templates: no folder %s\n", argv[1]);
        return 2;
    }
    if (!output.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "make_templates: cannot create %s\n", argv[2]);
        return 2;
    }
    const QStringList sources = source.entryList({QStringLiteral("*.tpl")}, QDir::Files, QDir::Name);
    int failures = 0;
    for (const QString& name : sources) {
        QString target = output.filePath(QFileInfo(name).completeBaseName() + QStringLiteral(".xlsx"));
        try {
            zorvel::makeTemplate(source.filePath(name), target);
            std::printf("%s\n", qPrintable(QDir::toNativeSeparators(target)));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "make_templates: %s\n", e.what());
            ++failures;
        }
    }
    if (sources.isEmpty())
        std::fprintf(stderr, "make_templates: no .tpl files in %s\n", argv[1]);
    return failures == 0 ? 0 : 1;
}
