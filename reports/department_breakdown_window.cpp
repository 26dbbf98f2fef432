#include "reports/department_breakdown_window.h"

#include "data/dataset.h"
#include "reports/department_breakdown.h"
#include "reports/period_fields.h"
#include "reports/report_output.h"
#include "reports/report_rows.h"
#include "spreadsheet/workbook.h"
#include "workstation/department_names.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvel {

namespace {

// The department list of this window: the common one with the operating block after the children's
// ophthalmologist, without the auxiliary services and without the stray tab and blank.
QStringList breakdownDepartments() {
    QStringList names;
    for (const QString& name : departmentNames()) {
        if (name == u"ВСПОМОГАТЕЛЬНЫЕ СЛУЖБЫ")
            continue;
        if (name.startsWith(u"ОТДЕЛЕНИЕ АНЕСТЕЗИОЛОГИИ-РЕАНИМАЦИИ") || name.startsWith(u"ОЛМХГ -ДСС"))
            names << name.trimmed();
        else
            names << name;
        if (name == u"Офтальмологический кабинет детский (врач)")
            names << QStringLiteral("ОПЕРБЛОК");
    }
    return names;
}

QPushButton* makeButton(QWidget* parent, const char* objectName, const char* text, const char* hint) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setToolTip(QString::fromUtf8(hint));
    button->setAutoDefault(false);
    return button;
}

// The names of the first column of a result, empty ones left out, in the order the server gives them.
QStringList names(ReportRows& rows) {
    QStringList list;
    while (rows.next()) {
        const QString name = rows.text(0);
        if (!name.isEmpty())
            list << name;
    }
    return list;
}

} // namespace

DepartmentBreakdownWindow::DepartmentBreakdownWindow(Workstation& workstation, QWidget* parent)
    : QWidget(parent), workstation_(workstation) {
    setObjectName(QStringLiteral("TForm8"));
    setWindowTitle(QStringLiteral("По отделениям в разрезе"));

    period_ = std::make_unique<PeriodFields>(this, workstation_.clock().now().date());

    departmentCheck_ = new QCheckBox(QStringLiteral("Отделение"), this);
    departmentCheck_->setObjectName(QStringLiteral("sCheckBox1"));
    departmentCombo_ = new QComboBox(this);
    departmentCombo_->setObjectName(QStringLiteral("sComboBox1"));
    departmentCombo_->setEditable(true);
    departmentCombo_->setInsertPolicy(QComboBox::NoInsert);
    departmentCombo_->addItems(breakdownDepartments());
    departmentCombo_->setMinimumWidth(220);
    departmentCombo_->hide();
    connect(departmentCheck_, &QCheckBox::toggled, departmentCombo_, &QWidget::setVisible);

    QPushButton* inPatient = makeButton(this, "sBitBtn1", "Стационар", "принять");
    QPushButton* staff = makeButton(this, "sBitBtn3", "Поликлиника", "Вывод");
    QPushButton* close = makeButton(this, "sBitBtn2", "Закрыть", "закрыть");
    connect(inPatient, &QPushButton::clicked, this, [this] { inPatientReport(); });
    connect(staff, &QPushButton::clicked, this, [this] { staffShareReport(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Начало"), this), 0, 0);
    grid->addWidget(period_->start(), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Окончание"), this), 1, 0);
    grid->addWidget(period_->end(), 1, 1);
    grid->addWidget(departmentCheck_, 2, 0);
    grid->addWidget(departmentCombo_, 2, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {inPatient, staff, close})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->addStretch();
}

DepartmentBreakdownWindow::~DepartmentBreakdownWindow() = default;

QString DepartmentBreakdownWindow::inPatientReport() {
    const std::optional<ReportPeriod> p = period_->read(workstation_.messages());
    if (!p)
        return {};
    return produceReport(workstation_, QStringLiteral("econom.xls"), [&](Workbook& book) {
        ReportRows rows(workstation_.connection(), inPatientQuery(*p));
        const int patient = rows.column("FIO"), contract = rows.column("NDOG1"),
                  department = rows.column("OTD_NAME"), date = rows.column("DATU"),
                  operation = rows.column("SUM1"), contractSum = rows.column("SUM2"),
                  anaesthesia = rows.column("SUM3"), bedDays = rows.column("SUM4");
        InPatientReport report(book.sheet(1));
        while (rows.next())
            report.add({rows.text(patient), rows.text(contract), rows.text(department), rows.text(date),
                        rows.text(operation), rows.text(contractSum), rows.text(anaesthesia),
                        rows.text(bedDays)});
        report.finish();
    });
}

QString DepartmentBreakdownWindow::staffShareReport() {
    const std::optional<ReportPeriod> p = period_->read(workstation_.messages());
    if (!p)
        return {};
    return produceReport(workstation_, QStringLiteral("oftalmolog.xls"), [&](Workbook& book) {
        Connection& connection = workstation_.connection();
        ReportRows doctorRows(connection, staffDoctorsQuery(*p));
        const QStringList doctors = names(doctorRows);
        ReportRows nurseRows(connection, staffNursesQuery(*p));
        const QStringList nurses = names(nurseRows);
        ReportRows rows(connection, staffShareQuery(*p));
        const int date = rows.column("DATU"), contract = rows.column("NDOG1"), patient = rows.column("FIO"),
                  doctor = rows.column("DOCTOR"), nurse = rows.column("MEDSES"),
                  contractSum = rows.column("SUM"), fund = rows.column("SUM1"),
                  nurseShare = rows.column("SUM2"), doctorShare = rows.column("SUM3");
        StaffShareReport report(book.sheet(1), doctors, nurses);
        while (rows.next())
            report.add({rows.text(date), rows.text(contract), rows.text(patient), rows.text(doctor),
                        rows.text(nurse), rows.text(contractSum), rows.text(fund), rows.text(nurseShare),
                        rows.text(doctorShare)});
        report.finish();
    });
}

} // namespace zorvel
