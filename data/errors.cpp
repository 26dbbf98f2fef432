#include "data/errors.h"

namespace zorvel {

DbError::DbError(const QString& text, long gdsCode, bool lockConflict)
    : std::runtime_error(text.toStdString()), text_(text), gdsCode_(gdsCode), lockConflict_(lockConflict) {}

DataError::DataError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}

} // namespace zorvel

namespace zorvel {

QString errorMessage(const std::exception& error) {
    if (auto* db = dynamic_cast<const DbError*>(&error))
        return db->isLockConflict() ? QString::fromUtf8(kLockMessage) : db->text();
    if (auto* data = dynamic_cast<const DataError*>(&error))
        return data->text();
    return QString::fromUtf8(error.what());
}

} // namespace zorvel
