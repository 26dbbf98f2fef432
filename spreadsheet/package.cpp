#include "spreadsheet/package.h"

#include "spreadsheet/spreadsheet_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <zip.h>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace zorvel {

namespace {

QString zipMessage(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

// A libzip source that pulls a part from its writer while the archive is compressed. The pieces are
// made on a thread of their own, a few ahead of the one being compressed, so that making the XML and
// compressing it overlap. The writer only reads the workbook, which stands still while it is saved.
struct WrittenSource {
    const Package::WriterFactory* factory = nullptr;
    std::thread maker;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::string> ready;
    bool made = false; // the writer has given its last piece
    bool stop = false; // reading ended before the part did
    std::exception_ptr failure;
    std::string current;
    size_t offset = 0;
    zip_uint64_t size = 0; // of the whole part, measured beforehand
    zip_error_t error;

    WrittenSource() { zip_error_init(&error); }
    ~WrittenSource() {
        finish();
        zip_error_fini(&error);
    }

    void start() {
        finish();
        ready.clear();
        made = stop = false;
        failure = nullptr;
        current.clear();
        offset = 0;
        // The writer is made here, on the saving thread: making it may touch the workbook.
        Package::Writer writer = (*factory)();
        maker = std::thread([this, writer = std::move(writer)] {
            try {
                for (bool more = true; more;) {
                    std::string piece;
                    more = writer(piece);
                    std::unique_lock lock(mutex);
                    changed.wait(lock, [this] { return stop || ready.size() < 4; });
                    if (stop)
                        return;
                    ready.push_back(std::move(piece));
                    changed.notify_all();
                }
            } catch (...) {
                std::lock_guard lock(mutex);
                failure = std::current_exception();
            }
            std::lock_guard lock(mutex);
            made = true;
            changed.notify_all();
        });
    }

    // The next piece into `current`; false at the end of the part. Rethrows the writer's failure.
    bool next() {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return !ready.empty() || made; });
        if (ready.empty()) {
            if (failure)
                std::rethrow_exception(failure);
            return false;
        }
        current = std::move(ready.front());
        ready.pop_front();
        offset = 0;
        changed.notify_all();
        return true;
    }

    void finish() {
        if (!maker.joinable())
            return;
        {
            std::lock_guard lock(mutex);
            stop = true;
        }
        changed.notify_all();
        maker.join();
    }
};

zip_int64_t readWritten(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
    auto* source = static_cast<WrittenSource*>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        try {
            source->start();
        } catch (...) {
            zip_error_set(&source->error, ZIP_ER_MEMORY, 0);
            return -1;
        }
        return 0;
    case ZIP_SOURCE_READ: {
        auto* out = static_cast<char*>(data);
        zip_uint64_t done = 0;
        try {
            while (done < length) {
                if (source->offset == source->current.size()) {
                    if (!source->next())
                        break;
                    continue;
                }
                size_t piece = std::min<size_t>(length - done, source->current.size() - source->offset);
                std::memcpy(out + done, source->current.data() + source->offset, piece);
                done += piece;
                source->offset += piece;
            }
        } catch (...) {
            zip_error_set(&source->error, ZIP_ER_MEMORY, 0);
            return -1;
        }
        return zip_int64_t(done);
    }
    case ZIP_SOURCE_CLOSE:
        source->finish();
        source->current = std::string();
        source->ready.clear();
        return 0;
    case ZIP_SOURCE_STAT: {
        // With its size known libzip writes a plain entry; without, one with Zip64 fields, which
        // some spreadsheet programs refuse.
        auto* stat = static_cast<zip_stat_t*>(data);
        zip_stat_init(stat);
        stat->mtime = 315576000;
        stat->size = source->size;
        stat->valid |= ZIP_STAT_MTIME | ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&source->error, data, length);
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
        zip_error_set(&source->error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
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

void Package::write(const QString& path, const std::map<std::string, WriterFactory>& written) const {
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
    for (const auto& [name, factory] : written)
        if (!parts_.count(name))
            names.push_back(name);
    // Sources live until the archive is closed, which is when libzip reads them.
    std::vector<std::unique_ptr<WrittenSource>> sources;
    auto types = std::find(names.begin(), names.end(), "[Content_Types].xml");
    if (types != names.end())
        std::rotate(names.begin(), types, types + 1);
    for (const std::string& name : names) {
        zip_source_t* source = nullptr;
        if (auto w = written.find(name); w != written.end()) {
            sources.push_back(std::make_unique<WrittenSource>());
            sources.back()->factory = &w->second;
            // The part is made twice, once only to be measured: cheaper than holding it whole.
            try {
                Writer measure = w->second();
                std::string piece;
                for (bool more = true; more;) {
                    piece.clear();
                    more = measure(piece);
                    sources.back()->size += piece.size();
                }
            } catch (const std::bad_alloc&) {
                fail(QStringLiteral("не хватает памяти"));
            }
            source = zip_source_function(archive, readWritten, sources.back().get());
        } else {
            const std::string& data = parts_.at(name);
            source = zip_source_buffer(archive, data.data(), data.size(), 0);
        }
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
