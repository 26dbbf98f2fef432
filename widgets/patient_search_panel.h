#pragma once

#include <QGroupBox>
#include <QString>

#include <array>
#include <optional>

class QCheckBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

namespace zorvel {

class DataSet;
class Messages;

// The patient search panel ("Поиск пациента") that narrows the services register: six check boxes show
// the surname, first name, patronymic, contract number, service number and date fields (all hidden at
// start); "Принять" or Enter in any field sets the register's filter from the fields shown, "Отмена"
// switches it off. The register tab, the instalments window and the refunds window each have one; only
// the names of the contract-number and service-number fields differ between them.
class PatientSearchPanel : public QGroupBox {
    Q_OBJECT
public:
    enum Field { Surname, FirstName, Patronymic, ContractNumber, ServiceNumber, Date, FieldCount };
    // The value of each field that is shown, nullopt for a hidden one.
    using Values = std::array<std::optional<QString>, FieldCount>;

    PatientSearchPanel(DataSet& serviceRegister, Messages& messages, const char* contractFieldName,
                       const char* serviceFieldName, QWidget* parent = nullptr);

    // "fam= 'Иванов' and data_usl= '05.03.2010'": the shown fields in the order of the fields, each
    // value in apostrophes with an apostrophe inside written twice (and a star at its end written twice,
    // so that it stays the value's own). No field shown gives the empty text.
    static QString filterText(const Values& values);

    // The values of the fields shown now; nullopt (and the message shown) when the date is shown but is
    // not a whole date.
    std::optional<Values> values() const;
    // "Принять": sets the register's filter and switches it on. False when the filter was not set.
    bool apply();
    // "Отмена": switches the register's filter off, staying on the record that was current.
    void cancel();

    QCheckBox* checkBox(Field field) const { return checks_[field]; }
    QLineEdit* field(Field field) const { return fields_[field]; }
    QPushButton* applyButton() const { return applyButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    // Further buttons of the group (print, refund...) go to the right of "Принять" and "Отмена".
    void addButton(QWidget* button);

signals:
    void applied();

private:
    DataSet& register_;
    Messages& messages_;
    std::array<QCheckBox*, FieldCount> checks_{};
    std::array<QLineEdit*, FieldCount> fields_{};
    QPushButton* applyButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
};

} // namespace zorvel
