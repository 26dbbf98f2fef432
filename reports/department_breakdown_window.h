#pragma once

#include "reports/report_period.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace zorvel {

class PeriodFields;
class Workstation;

// The department breakdown window (TForm8, "По отделениям в разрезе"): for a period, the in-patient
// report by department ("Стационар", econom) and the staff-share report ("Поликлиника", oftalmolog),
// both from the database's procedures. The department choice is offered but neither report reads it.
class DepartmentBreakdownWindow : public QWidget {
    Q_OBJECT
public:
    explicit DepartmentBreakdownWindow(Workstation& workstation, QWidget* parent = nullptr);
    ~DepartmentBreakdownWindow() override;

    // Each returns the file of the workbook shown, or an empty text when refused or abandoned.
    QString inPatientReport();
    QString staffShareReport();

private:
    Workstation& workstation_;
    std::unique_ptr<PeriodFields> period_;
    QCheckBox* departmentCheck_ = nullptr;
    QComboBox* departmentCombo_ = nullptr;
};

} // namespace zorvel
