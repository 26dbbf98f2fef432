#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace zorvel {

inline const char* const kErrorCaption = "Ошибка";
inline const char* const kNoticeCaption = "Уведомление";

// Message boxes with one OK button. Tests put a recorder in its place and never block on a dialog.
class Messages {
public:
    virtual ~Messages() = default;
    virtual void show(const QString& text, const QString& caption) = 0;
    void error(const QString& text);
    void notice(const QString& text);
};

// A modal question with several answers (buttons). Tests put a double in its place that answers at once.
class Questions {
public:
    virtual ~Questions() = default;
    // Returns the index of the answer chosen; a box closed without an answer counts as the last one.
    virtual int ask(const QString& text, const QString& caption, const QStringList& answers,
                    int defaultAnswer) = 0;
};

// The date and time the entry fields show and the saved rows carry.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

// Asks the user for a file to open.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual QString openFile(const QString& caption, const QString& filter) = 0;
};

// Opens a document with the desktop's handler (the help file).
class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    virtual void open(const QString& path) = 0;
};

// The sign-in: asks who signs in. Tests put a double in its place that answers at once.
class SignIn {
public:
    struct Credentials {
        QString user;
        QString password;
    };
    virtual ~SignIn() = default;
    // The site wants every run to start with the sign-in (zorvel.conf: [security] sign_in = yes).
    virtual bool requiredAtStart() const = 0;
    // False when the user gives up ("Отмена"): the run ends.
    virtual bool ask(Credentials& credentials) = 0;
};

// Date and time texts as the fields show them and the rows store them.
QString dateText(const QDate& date);
QString timeText(const QTime& time);

} // namespace zorvel
