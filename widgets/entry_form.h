#pragma once

#include "widgets/input_rules.h"

#include <QObject>
#include <QStringList>

#include <array>
#include <initializer_list>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QWidget;

namespace zorvel {

class DataSet;

// The patient-and-service fields that the entry screens share (the cashier's entry, the contract clients'
// entry, the lens-cost tab). The form knows what each field is (a line or an editable list, its hint, its
// preset items); each screen says which fields it has, their objectNames and labels, their input rules
// and widths, and which look-ups run on them (look_ups.h). The fields stand in a grid of labelled rows,
// in columns side by side; a screen adds its own fields to the same grid.
enum class EntryField {
    Surname,
    FirstName,
    Patronymic,
    CareKind, // editable list: "Поликлиника", "Стационар", "Дневной стационар" and an empty entry
    Doctor,   // editable list
    Nurse,    // editable list
    Technician,     // editable list
    DepartmentCode, // digits
    DepartmentName, // read-only: the name of the departments' current row
    ServiceNumber,  // the hospital's service number the price look-up starts from
    ServiceName,
    ServiceCode,
    Sum,
    Quantity,
};

struct EntryFieldSetup {
    EntryField field;
    const char* objectName;
    // The label of the field's row; none puts the field beside the one before, in that field's row.
    const char* label = nullptr;
    CharacterRule characterRule = CharacterRule::None;
    bool enterAdvances = false;
    // The most characters the field takes (the width of its column); 0 for no limit.
    int maxLength = 0;
    // The preset items of a list, in place of the form's own.
    QStringList items = {};
    // Whether the field shows the form's hint for it.
    bool hinted = true;
};

class EntryForm : public QObject {
    Q_OBJECT
public:
    // The fields are children of `owner`. A department name field shows the name of `departments`'
    // current row; a form without one needs no departments.
    explicit EntryForm(QWidget* owner, DataSet* departments = nullptr);

    // The grid the rows stand in, for the screen to place in its layout.
    QGridLayout* grid() const { return grid_; }

    // The shared fields, one row each in the current column, in the order given.
    void addFields(std::initializer_list<EntryFieldSetup> setups);
    // One of the screen's own fields in a row of the current column, with another beside it.
    void addRow(const QString& label, QWidget* field, QWidget* beside = nullptr);
    // The rows that follow go into the next column, from the top.
    void nextColumn();

    // The field made for `field` (nullptr if the screen has none).
    QWidget* field(EntryField field) const;
    QLineEdit* line(EntryField field) const;
    QComboBox* list(EntryField field) const;

private:
    QWidget* make(const EntryFieldSetup& setup);

    QWidget* owner_;
    DataSet* departments_;
    QGridLayout* grid_;
    int column_ = 0;
    int row_ = 0;
    QWidget* lastField_ = nullptr;
    std::array<QWidget*, static_cast<size_t>(EntryField::Quantity) + 1> fields_{};
};

} // namespace zorvel
