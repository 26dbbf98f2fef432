#pragma once

#include "reports/cash_report.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace zorvel {

class PeriodFields;
class Workstation;

// The cash report window (TForm4, "Отчет по кассе"): a period, four narrowing choices, and the three
// reports over the services register: "По договорам" (kassa), "По оплате" (оplata) and "Планирование"
// (plan). The period and the choices stay between reports.
class CashReportWindow : public QWidget {
    Q_OBJECT
public:
    explicit CashReportWindow(Workstation& workstation, QWidget* parent = nullptr);
    ~CashReportWindow() override;

    // Each returns the file of the workbook shown, or an empty text when the report was refused or
    // abandoned (the user was told why).
    QString cashReport();
    QString paymentsReport();
    QString planningReport();

    // The values of the ticked narrowing boxes.
    CashNarrowing narrowing() const;

private:
    Workstation& workstation_;
    std::unique_ptr<PeriodFields> period_;
    QCheckBox* doctorCheck_ = nullptr;
    QCheckBox* departmentCheck_ = nullptr;
    QCheckBox* serviceCheck_ = nullptr;
    QCheckBox* kindCheck_ = nullptr;
    QComboBox* doctorCombo_ = nullptr;
    QComboBox* departmentCombo_ = nullptr;
    QComboBox* serviceCombo_ = nullptr;
    QComboBox* kindCombo_ = nullptr;
};

} // namespace zorvel
