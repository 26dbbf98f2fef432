#pragma once

#include <QWidget>

namespace zorvel {

class DataGrid;
class PatientSearchPanel;
class Workstation;

// The refunds window (TForm7, "Возврат"): the patient search narrows the register, and "Возврат" moves
// the services found, at most 15 at a time, from the register (PEOPLE) to the refunded services
// (PEOPLEV), each record whole. The lower grid shows the refunded services.
class RefundWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxRecords = 15;

    explicit RefundWindow(Workstation& workstation, QWidget* parent = nullptr);

    // "Возврат": applies the search, then moves the records found one by one, each committed on its own.
    // A record that cannot be moved stays in the register with no copy left behind, and the refund stops
    // there. Returns the number of records moved.
    int refund();

    PatientSearchPanel* searchPanel() const { return search_; }

protected:
    // Closing lets the other screens see the whole register again.
    void closeEvent(QCloseEvent* event) override;

private:
    // Moves the register's current record: insert into PEOPLEV and delete from PEOPLE, both or neither.
    void moveCurrentRecord();

    Workstation& workstation_;
    PatientSearchPanel* search_ = nullptr;
    DataGrid* registerGrid_ = nullptr;
    DataGrid* refundedGrid_ = nullptr;
};

} // namespace zorvel
