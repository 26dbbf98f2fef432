#include "data/backup_service.h"

#include "data/errors.h"

#include <QByteArray>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <ibase.h>

namespace zorvel {

namespace {

// "host:/path" is reached through the service manager of that host; a plain path locally.
void splitName(const QString& databaseName, QByteArray& service, QByteArray& path) {
    qsizetype colon = databaseName.indexOf(':');
    // A drive letter ("C:\...") is not a host.
    if (colon > 1) {
        service = databaseName.left(colon).toLocal8Bit() + ":service_mgr";
        path = databaseName.mid(colon + 1).toLocal8Bit();
    } else {
        service = "service_mgr";
        path = databaseName.toLocal8Bit();
    }
}

void appendString2(QByteArray& buffer, char item, const QByteArray& value) {
    buffer.append(item);
    buffer.append(static_cast<char>(value.size() & 0xFF));
    buffer.append(static_cast<char>((value.size() >> 8) & 0xFF));
    buffer.append(value);
}

void runService(const QByteArray& service, const QByteArray& request, const ConnectionSettings& settings) {
    QByteArray spb;
    spb.append(static_cast<char>(isc_spb_version));
    spb.append(static_cast<char>(isc_spb_current_version));
    QByteArray user = settings.user.toUtf8(), password = settings.password.toUtf8();
    spb.append(static_cast<char>(isc_spb_user_name)).append(static_cast<char>(user.size())).append(user);
    spb.append(static_cast<char>(isc_spb_password))
        .append(static_cast<char>(password.size()))
        .append(password);

    ISC_STATUS_ARRAY status;
    isc_svc_handle handle = 0;
    isc_service_attach(status, 0, service.constData(), &handle, static_cast<unsigned short>(spb.size()),
                       spb.constData());
    throwOnError(status);
    struct Detach {
        isc_svc_handle& h;
        ~Detach() {
            ISC_STATUS_ARRAY s;
            if (h)
                isc_service_detach(s, &h);
        }
    } detach{handle};

    isc_service_start(status, &handle, nullptr, static_cast<unsigned short>(request.size()),
                      request.constData());
    throwOnError(status);
    // Read the verbose output to its end: the service has finished then, and a failure comes back as the
    // status of the query.
    const char query[] = {isc_info_svc_line};
    char answer[4096];
    for (;;) {
        isc_service_query(status, &handle, nullptr, 0, nullptr, sizeof query, query, sizeof answer, answer);
        throwOnError(status);
        if (answer[0] != isc_info_svc_line)
            break;
        auto length = static_cast<unsigned short>(isc_vax_integer(answer + 1, 2));
        if (length == 0)
            break;
    }
}

// The host part of "host:path", empty for a local path.
QString hostOf(const QString& databaseName) {
    qsizetype colon = databaseName.indexOf(':');
    return colon > 1 ? databaseName.left(colon) : QString();
}

// Whether a failed create says the file is there. The server names the system's error by its code on
// a local engine and by its text (in the server's language) through the network.
bool saysFileExists(const ISC_STATUS* status) {
    bool createFailed = false, exists = false;
    for (const ISC_STATUS* p = status; *p != isc_arg_end;) {
        if (p[0] == isc_arg_gds && p[1] == isc_io_create_err)
            createFailed = true;
        if (p[0] == isc_arg_unix && p[1] == EEXIST)
            exists = true;
        if (p[0] == isc_arg_interpreted) {
            const QString text = QString::fromLocal8Bit(reinterpret_cast<const char*>(p[1]));
            if (text == QString::fromLocal8Bit(std::strerror(EEXIST)) ||
                text.contains(QStringLiteral("exists"), Qt::CaseInsensitive))
                exists = true;
        }
        p += (p[0] == isc_arg_cstring) ? 3 : 2;
    }
    return createFailed && exists;
}

QByteArray quoted(QString text) {
    text.replace(u'\'', QStringLiteral("''"));
    return (u'\'' + text + u'\'').toLocal8Bit();
}

// Takes the name on the server: CREATE DATABASE opens its file exclusively, so it fails when the name is
// in use, and leaves a small database in the file otherwise.
void reserveOnServer(const QString& serverFile, const QString& file, const ConnectionSettings& settings) {
    QByteArray sql = "CREATE DATABASE " + quoted(serverFile) + " USER " + quoted(settings.user) +
                     " PASSWORD " + quoted(settings.password) + " PAGE_SIZE 4096";
    ISC_STATUS_ARRAY status;
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    isc_dsql_execute_immediate(status, &db, &tr, 0, sql.constData(), 1, nullptr);
    if (status[0] == 1 && status[1] != 0) {
        if (saysFileExists(status))
            throw BackupFileExists(file);
        // Without the name taken nothing guards the file against being written over: no backup then.
        try {
            throwOnError(status);
        } catch (const DbError& e) {
            throw DbError(QStringLiteral("сервер не создал файл «%1», поэтому нельзя убедиться, что он не "
                                         "перезапишет существующую копию:\n%2")
                              .arg(file, e.text()),
                          e.gdsCode(), false);
        }
    }
    isc_detach_database(status, &db);
}

// Removes the placeholder after a failed backup; true when it is gone.
bool releaseOnServer(const QString& serverFile, const ConnectionSettings& settings) {
    QByteArray name = serverFile.toLocal8Bit();
    QByteArray dpb;
    dpb.append(static_cast<char>(isc_dpb_version1));
    QByteArray user = settings.user.toUtf8(), password = settings.password.toUtf8();
    dpb.append(static_cast<char>(isc_dpb_user_name)).append(static_cast<char>(user.size())).append(user);
    dpb.append(static_cast<char>(isc_dpb_password))
        .append(static_cast<char>(password.size()))
        .append(password);
    ISC_STATUS_ARRAY status;
    isc_db_handle db = 0;
    isc_attach_database(status, 0, name.constData(), &db, static_cast<short>(dpb.size()), dpb.constData());
    if (status[0] == 1 && status[1] != 0)
        return false;
    isc_drop_database(status, &db);
    if (status[0] == 1 && status[1] != 0) {
        isc_detach_database(status, &db);
        return false;
    }
    return true;
}

} // namespace

void backupDatabaseToNewFile(const QString& databaseName, const QString& backupFile,
                             const ConnectionSettings& settings) {
    const QString host = hostOf(databaseName);
    if (host.isEmpty()) {
        QFile reservation(backupFile);
        if (!reservation.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFile::exists(backupFile))
                throw BackupFileExists(backupFile);
            throw DbError(
                QStringLiteral("Не удалось создать файл «%1»: %2").arg(backupFile, reservation.errorString()),
                0, false);
        }
        reservation.close();
        try {
            backupDatabase(databaseName, backupFile, settings);
        } catch (...) {
            QFile::remove(backupFile);
            throw;
        }
        return;
    }
    const QString serverFile = host + u':' + backupFile;
    reserveOnServer(serverFile, backupFile, settings);
    try {
        backupDatabase(databaseName, backupFile, settings);
    } catch (const DbError& e) {
        if (releaseOnServer(serverFile, settings))
            throw;
        throw DbError(e.text() + QStringLiteral("\nНеполный файл копии остался на сервере: ") + backupFile,
                      e.gdsCode(), e.isLockConflict());
    }
}

void backupDatabase(const QString& databaseName, const QString& backupFile,
                    const ConnectionSettings& settings) {
    QByteArray service, path;
    splitName(databaseName, service, path);
    QByteArray request;
    request.append(static_cast<char>(isc_action_svc_backup));
    appendString2(request, isc_spb_dbname, path);
    appendString2(request, isc_spb_bkp_file, backupFile.toLocal8Bit());
    request.append(static_cast<char>(isc_spb_verbose));
    runService(service, request, settings);
}

void restoreDatabase(const QString& backupFile, const QString& databaseName,
                     const ConnectionSettings& settings) {
    QByteArray service, path;
    splitName(databaseName, service, path);
    QByteArray request;
    request.append(static_cast<char>(isc_action_svc_restore));
    appendString2(request, isc_spb_bkp_file, backupFile.toLocal8Bit());
    appendString2(request, isc_spb_dbname, path);
    request.append(static_cast<char>(isc_spb_options));
    const quint32 options = isc_spb_res_create;
    for (int i = 0; i < 4; ++i)
        request.append(static_cast<char>((options >> (8 * i)) & 0xFF));
    request.append(static_cast<char>(isc_spb_verbose));
    runService(service, request, settings);
}

} // namespace zorvel
