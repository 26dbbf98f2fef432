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
    // Only a backup on this workstation's own disk can be checked from here; a server writes on its host.
    bool local = database.indexOf(':') <= 1;
    if (local && QFileInfo::exists(target)) {
        messages.error(QStringLiteral("Резервная копия уже существует и не перезаписана: ") + target);
        return;
    }
    try {
        backupDatabase(database, target);
    } catch (const std::exception& e) {
        messages.error(QStringLiteral("Резервное копирование не выполнено:\n") + errorMessage(e));
        return;
    }
    if (local && !(QFileInfo(target).isFile() && QFileInfo(target).size() > 0)) {
        messages.error(QStringLiteral("Резервное копирование не выполнено: файл не создан ") + target);
        return;
    }
    messages.notice(QStringLiteral("Спасибо за своевременное резервирование базы"));
}

} // namespace zorvel
