#pragma once

#include <QDate>
#include <QLineEdit>

namespace zorvel {

// A date field of the consumables windows: DD.MM.YYYY typed into a mask. An empty or unfinished field
// holds the null date, whose text is 30.12.1899.
class DateField : public QLineEdit {
    Q_OBJECT
public:
    DateField(const char* objectName, QWidget* parent = nullptr);

    // The date typed, or a null date while the field is empty or unfinished or not a date.
    QDate date() const;
    void setDate(const QDate& date);
    // The date as date text: 30.12.1899 for the null date.
    QString dateText() const;
    bool isBlank() const;
    // All eight digits typed and a real date.
    bool isComplete() const { return date().isValid(); }

signals:
    // The text changed into a whole, real date (a period field rebuilds its table then, not before).
    void dateCompleted();
};

} // namespace zorvel
