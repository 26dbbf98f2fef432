#pragma once

#include <QWidget>

#include <vector>

class QLineEdit;

namespace zorvel {

class Workstation;

// The editing window of the contract clients' register (TForm13, "Редактирование договорников"): the
// record the view tab's grid stands on, field by field. Every editor writes into that record at once; the
// navigator moves and posts, "Сохранить" posts and commits, "Отмена" reloads the register. The department
// code and the service number re-run their look-ups and write the results into the record.
class ClientEditWindow : public QWidget {
    Q_OBJECT
public:
    explicit ClientEditWindow(Workstation& workstation, QWidget* parent = nullptr);

    // sBitBtn1: a pending change of the record is posted, then everything is committed.
    void save();
    // sBitBtn2 "Отмена": the register closed and opened again; unposted changes are dropped.
    void reload();
    // sBitBtn3 "Принять" and sBitBtn4 "Отмена" of the filter panel.
    void applyFilter();
    void removeFilter();

private:
    void lookUpDepartment(const QString& code);
    void lookUpService(const QString& number);

    Workstation& workstation_;
    QLineEdit* departmentCodeEdit_ = nullptr; // sEdit1
    QLineEdit* serviceNumberEdit_ = nullptr;  // sEdit2
    std::vector<QWidget*> searchFields_;      // sEdit9, sEdit10, sEdit11, sEdit13, sEdit12, sDateEdit2
};

} // namespace zorvel
