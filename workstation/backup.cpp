#include "workstation/backup.h"

#include "workstation/config.h"
#include "workstation/services.h"
#include "data/backup_service.h"
#include "data/errors.h"

#include <QFileInfo>

namespace zorvel {

void backUpDatabase(Messages& messages, const QDate& today) {
    QString database = readConfigValue(QStringLiteral("1"));
    QString destination = readConfigValue(QStringLiteral("2"));
    if (database.isEmpty()) {
        messages.error(QStringLiteral("Не найден путь для сохранения"));
        return;
    }
    if (destination.isEmpty()) {
        messages.error(QStringLiteral("Не задан путь для резервной копии (ключ 2 файла put.ini)"));
        return;
    }
    QString target = destination + ' ' + dateText(today);
    // The name is taken where the file is written (this disk, or the server's host), so a copy made
    // earlier today, here or on another workstation, is never written over.
    try {
        backupDatabaseToNewFile(database, target);
    } catch (const BackupFileExists&) {
        messages.error(QStringLiteral("Резервная копия уже существует и не перезаписана: ") + target);
        return;
    } catch (const std::exception& e) {
        messages.error(QStringLiteral("Резервное копирование не выполнено:\n") + errorMessage(e));
        return;
    }
    // A copy on this machine's disk is checked to be there; a server's is vouched for by its service.
    const bool local = database.indexOf(':') <= 1;
    if (local && !(QFileInfo(target).isFile() && QFileInfo(target).size() > 0)) {
        messages.error(QStringLiteral("Резервное копирование не выполнено: файл не создан ") + target);
        return;
    }
    messages.notice(QStringLiteral("Спасибо за своевременное резервирование базы"));
}

} // namespace zorvel
