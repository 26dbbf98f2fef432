#pragma once

#include <QDate>
#include <QString>

namespace zorvel {

class Connection;
class Messages;

// "Резервное копирование": a consistent copy of the database while it is in use, made by the database's
// own backup facility, named after put.ini's key "2", a blank and the date. An existing backup is never
// overwritten. Tells the user the outcome: thanks only after a verified success.
void backUpDatabase(Messages& messages, const QDate& today);

} // namespace zorvel
