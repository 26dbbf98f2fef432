#pragma once

#include <QByteArray>
#include <QString>
#include <string_view>

namespace zorvel {

// The database and its client speak WIN1251; inside the program every text is a QString. These two are the
// only place where one turns into the other.
QByteArray toWin1251(const QString& text);
QString fromWin1251(std::string_view bytes);

} // namespace zorvel
