#include "spreadsheet/package.h"

#include "spreadsheet/spreadsheet_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <zip.h>

#include <algorithm>
#include <cstdio>

namespace zorvel {

namespace {

QString zipMessage(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

} // namespace

Package Package::read(const QString& path) {
    if (!QFileInfo(path).isFile())
        throw SpreadsheetError(QStringLiteral("Файл «%1» не найден").arg(path));
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!archive) {
        if (code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS)
            throw SpreadsheetError(QStringLiteral("Файл «%1» повреждён или не является книгой .xlsx")
                                       .arg(QFileInfo(path).fileName()));
        throw SpreadsheetError(QStringLiteral("Не удалось открыть «%1»: %2").arg(path, zipMessage(code)));
    }
    Package package;
    zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &stat) != 0)
            continue;
        std::string name = stat.name;
        if (name.empty() || name.back() == '/')
            continue;
        std::string data(size_t(stat.size), '\0');
        zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        bool ok = file && zip_fread(file, data.data(), stat.size) == zip_int64_t(stat.size);
        if (file)
            zip_fclose(file);
        if (!ok) {
            zip_discard(archive);
            throw SpreadsheetError(QStringLiteral("Файл «%1» повреждён: не читается часть %2")
                                       .arg(path, QString::fromStdString(name)));
        }
        package.order_.push_back(name);
        package.parts_.emplace(std::move(name), std::move(data));
    }
    zip_discard(archive);
    return package;
}

const std::string& Package::part(const std::string& name) const {
    static const std::string empty;
    auto it = parts_.find(name);
    return it == parts_.end() ? empty : it->second;
}

void Package::setPart(const std::string& name, std::string data) {
    auto it = parts_.find(name);
    if (it == parts_.end()) {
        order_.push_back(name);
        parts_.emplace(name, std::move(data));
    } else {
        it->second = std::move(data);
    }
}

void Package::removePart(const std::string& name) {
    if (parts_.erase(name))
        order_.erase(std::find(order_.begin(), order_.end(), name));
}

void Package::write(const QString& path) const {
    QFileInfo target(path);
    QDir dir = target.absoluteDir();
    if (!dir.exists())
        throw SpreadsheetError(QStringLiteral("Папка «%1» не существует").arg(dir.path()));
    QString temporary;
    {
        // Only a unique name is wanted here; libzip writes the file itself.
        QTemporaryFile reserve(dir.filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));
        if (!reserve.open())
            throw SpreadsheetError(QStringLiteral("Нет права записи в папку «%1»").arg(dir.path()));
        temporary = reserve.fileName();
    }
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(temporary).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        throw SpreadsheetError(QStringLiteral("Не удалось записать «%1»: %2").arg(path, zipMessage(code)));
    auto fail = [&](const QString& what) {
        zip_discard(archive);
        QFile::remove(temporary);
        throw SpreadsheetError(QStringLiteral("Не удалось записать «%1»: %2").arg(path, what));
    };
    // [Content_Types].xml first: some readers look for it at the start of the archive.
    std::vector<std::string> names = order_;
    auto types = std::find(names.begin(), names.end(), "[Content_Types].xml");
    if (types != names.end())
        std::rotate(names.begin(), types, types + 1);
    for (const std::string& name : names) {
        const std::string& data = parts_.at(name);
        zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
        if (!source)
            fail(QString::fromUtf8(zip_strerror(archive)));
        zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(source);
            fail(QString::fromUtf8(zip_strerror(archive)));
        }
        // Fast deflate: workbooks are mostly repetitive XML and a higher level costs time for little.
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
        // A fixed time keeps generated templates byte for byte the same from run to run.
        zip_file_set_mtime(archive, zip_uint64_t(index), 315576000, 0);
    }
    if (zip_close(archive) != 0)
        fail(QString::fromUtf8(zip_strerror(archive)));
    if (std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        QFile::remove(temporary);
        throw SpreadsheetError(QStringLiteral("Не удалось записать «%1»").arg(path));
    }
}

} // namespace zorvel
