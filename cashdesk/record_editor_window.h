#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace zorvel {

class DataNavigator;
class Workstation;

// The record editor (TForm6, "Редактирование"): the register's current record field by field, the
// department found by its code and the service by its number. "Сохранить" stamps the record with the
// time and date of the correction and commits.
class RecordEditorWindow : public QWidget {
    Q_OBJECT
public:
    explicit RecordEditorWindow(Workstation& workstation, QWidget* parent = nullptr);

    // "Сохранить": TIME_US the current time, DATAISP today, post and commit. False when not saved.
    bool save();

private:
    // The department code (sEdit1) as typed: the department of that code names the record's department,
    // posted at once.
    void lookUpDepartment(const QString& code);
    // The service number (sEdit2) as typed: the first price of that number prefix fills the record's
    // service (not posted).
    void lookUpService(const QString& number);
    // Escape in the look-up fields gives the whole list back.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Writes one field of the current record and posts it (the kind of care, a doctor from the list).
    void postField(const QString& field, const QString& value);

    Workstation& workstation_;
    QLineEdit* departmentCode_ = nullptr; // sEdit1
    QLineEdit* serviceNumber_ = nullptr;  // sEdit2
    QComboBox* kindOfCare_ = nullptr;     // sDBComboBox1
    QComboBox* doctor_ = nullptr;         // sDBComboBox2
    DataNavigator* navigator_ = nullptr;
};

} // namespace zorvel
