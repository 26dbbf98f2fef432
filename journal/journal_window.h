#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace zorvel {

class DataGrid;
class DataSet;
class Workstation;

// "Журнал изменений" (JournalWindow): the entries the database wrote of the changes to the registers and
// the price list in a period, narrowed by user and by contract number, newest first; "В Excel" writes
// the entries shown into journal.xlsx. Not modal; the administrator's.
class JournalWindow : public QWidget {
    Q_OBJECT
public:
    explicit JournalWindow(Workstation& workstation, QWidget* parent = nullptr);
    ~JournalWindow() override;

    // The menu's command: today's entries, at once.
    void openToday();
    // Reads the entries of the period and narrowings typed; false (with a message) when they cannot be.
    bool showEntries();
    // "В Excel": the entries shown into a workbook, shown like every other workbook.
    bool exportEntries();

    QLineEdit* fromEdit() const { return from_; }
    QLineEdit* toEdit() const { return to_; }
    QLineEdit* userEdit() const { return user_; }
    QLineEdit* contractEdit() const { return contract_; }
    DataGrid* grid() const { return grid_; }
    DataSet& entries() const { return *entries_; }

private:
    Workstation& workstation_;
    DataSet* entries_;
    QLineEdit* from_;
    QLineEdit* to_;
    QLineEdit* user_;
    QLineEdit* contract_;
    QPushButton* show_;
    QPushButton* excel_;
    DataGrid* grid_;
};

// The statement of the window: the entries from `from` to `to` (whole days), of one user and one contract
// when given (the values quoted), newest first.
QString journalQuery(const QDate& from, const QDate& to, const QString& user, const QString& contract);

} // namespace zorvel
