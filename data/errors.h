#pragma once

#include <QString>
#include <stdexcept>

namespace zorvel {

// An error the database server reported. Every server error reaches the screens as one of these, so that a
// command stops at the step that failed instead of reporting success after it.
class DbError : public std::runtime_error {
public:
    DbError(const QString& text, long gdsCode, bool lockConflict);
    QString text() const { return text_; }
    long gdsCode() const { return gdsCode_; }
    // Another workstation holds the row (or changed it and has not committed yet).
    bool isLockConflict() const { return lockConflict_; }

private:
    QString text_;
    long gdsCode_;
    bool lockConflict_;
};

// An error the data layer detects itself: a closed dataset, an unknown column, a text that is not a whole
// number written into an integer column, no connection.
class DataError : public std::runtime_error {
public:
    explicit DataError(const QString& text);
    QString text() const { return text_; }

private:
    QString text_;
};

} // namespace zorvel

namespace zorvel {

// What the user is shown for an error of a command: the lock message for another workstation's lock,
// otherwise the error's own text.
QString errorMessage(const std::exception& error);
inline const char* const kLockMessage = "Данная запись редактируется, ее изменение Вам невозможно";

} // namespace zorvel
