#pragma once

#include "tests/cashdesk/entry_fixture.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace zorvel {
class DataSet;
}

namespace zorvel::test {

// The workstation's date in these tests: neither the service date of the records nor their last change.
inline const QDate kToday(2026, 3, 12);
inline const char* const kTodayText = "12.03.2026";

// One register record as these tests store it.
struct Record {
    QString surname = QStringLiteral("Иванов");
    QString contract = QStringLiteral("17");
    QString service = QStringLiteral("Прием хирурга");
    QString time = QStringLiteral("09:00:00");
    QString date = QStringLiteral("05.03.2026");
    QString paid = QStringLiteral("0");
    QString mark = QStringLiteral("Нет");
    QString surcharge = QStringLiteral("Нет");
    QString name = QStringLiteral("Иван");
    QString patronymic = QStringLiteral("Иванович");
};

// A started workstation whose register holds:
//   Иванов, contract 17: Прием хирурга, Перевязка, Снятие швов (09:00:01 to 09:00:03)
//   Иванов, contract 18: Тонометрия (09:00:04)
//   Петров, contract 17: Прием терапевта (09:00:05)
// with a small price list and three departments, as on the entry tab.
class RegisterTest : public WorkstationTest {
protected:
    void SetUp() override;
    // Adds records to the database before the workstation starts (SetUp starts it: call restart()).
    void insert(const std::vector<Record>& records);
    // Ends the run and starts it again, reading the database anew.
    void restart();

    DataSet& people();
    // Makes the record of that surname, contract and service current.
    void standOn(const QString& surname, const QString& contract, const QString& service);
    // The committed register as another workstation sees it: "NAME|column|column..." per row, in the
    // order of saving.
    QStringList committed(const QString& columns, const QString& table = QStringLiteral("people"));
    // NAME of the rows of the register's current view.
    QStringList view();
    QStringList messageTexts() const { return messages.texts(); }

    static std::vector<Record> standardRecords();
    // The mark "Да " as the register gives it back: a CHAR(3) column (the long-lived schema's) drops the
    // blank, as fixed-width columns are read.
    static QString storedYes();

    // The database name committed() reads through; the file itself when empty.
    QString committedThrough;
};

} // namespace zorvel::test
