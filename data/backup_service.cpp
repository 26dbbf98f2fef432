#include "data/backup_service.h"

#include <QByteArray>
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

} // namespace

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
