#include "reports/cash_report_window.h"

#include "reports/period_fields.h"
#include "reports/report_output.h"
#include "reports/report_rows.h"
#include "spreadsheet/workbook.h"
#include "widgets/input_rules.h"
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

QStringList serviceNumbers() {
    QStringList numbers;
    for (int n = 1; n <= 981; ++n) {
        if (n == 580 || n == 594 || n == 595)
            continue;
        numbers << (n == 12 || n == 15 || n == 22 ? QString::number(n) + u' ' : QString::number(n));
    }
    return numbers;
}

QComboBox* makeCombo(QWidget* parent, const char* objectName, const char* hint, const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(objectName));
    combo->setToolTip(QString::fromUtf8(hint));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setMinimumWidth(220);
    combo->hide();
    return combo;
}

QPushButton* makeButton(QWidget* parent, const char* objectName, const char* text,
                        const char* hint = nullptr) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(objectName));
    if (hint)
        button->setToolTip(QString::fromUtf8(hint));
    button->setAutoDefault(false);
    return button;
}

// The register's columns the cash report reads, by name, in the order of the report's columns.
struct CashColumns {
    int surname, name, patronymic, contract, serviceNumber, service, mark, code, kindOfCare, doctor, nurse,
        technician, department, price, quantity, date, time, correctionDate, verified;
    explicit CashColumns(const ReportRows& rows)
        : surname(rows.column("FAM")), name(rows.column("NAM")), patronymic(rows.column("OTH")),
          contract(rows.column("NDOG")), serviceNumber(rows.column("KODGVV")), service(rows.column("NAME")),
          mark(rows.column("SIMV")), code(rows.column("KOD")), kindOfCare(rows.column("TIP_POM")),
          doctor(rows.column("FIOV")), nurse(rows.column("MEDSESTR")), technician(rows.column("TEHN")),
          department(rows.column("OTDELENIE")), price(rows.column("SUMMA")), quantity(rows.column("KOL")),
          date(rows.column("DATA_USL")), time(rows.column("TIME_US")), correctionDate(rows.column("DATAISP")),
          verified(rows.column("PROVER")) {}
};

} // namespace

CashReportWindow::CashReportWindow(Workstation& workstation, QWidget* parent)
    : QWidget(parent), workstation_(workstation) {
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("Отчет по кассе"));

    period_ = std::make_unique<PeriodFields>(this, workstation_.clock().now().date());

    doctorCombo_ = makeCombo(this, "sComboBox1", "ФИО врача", {});
    departmentCombo_ = makeCombo(this, "sComboBox2", "Отделение", departmentNames() + QStringList{QString()});
    serviceCombo_ = makeCombo(this, "sComboBox3", "№ услуги", serviceNumbers());
    kindCombo_ = makeCombo(
        this, "sComboBox4", "Тип помощи",
        {QStringLiteral("Поликлиника"), QStringLiteral("Стационар"), QStringLiteral("Дневной стационар")});
    kindCombo_->setCurrentIndex(0);
    for (QComboBox* c : {doctorCombo_, departmentCombo_, kindCombo_})
        attachCharacterRule(c, CharacterRule::FirstLetterUpper);

    auto check = [this](const char* objectName, const char* text, QComboBox* combo) {
        auto* box = new QCheckBox(QString::fromUtf8(text), this);
        box->setObjectName(QString::fromLatin1(objectName));
        connect(box, &QCheckBox::toggled, combo, &QWidget::setVisible);
        return box;
    };
    doctorCheck_ = check("sCheckBox1", "Фамилия доктора", doctorCombo_);
    departmentCheck_ = check("sCheckBox2", "Отделение", departmentCombo_);
    serviceCheck_ = check("sCheckBox3", "№ услуги", serviceCombo_);
    kindCheck_ = check("sCheckBox4", "Тип помощи", kindCombo_);

    QPushButton* cash = makeButton(this, "sBitBtn1", "По договорам", "принять");
    QPushButton* payments = makeButton(this, "sBitBtn3", "По оплате");
    QPushButton* planning = makeButton(this, "sBitBtn4", "Планирование");
    QPushButton* close = makeButton(this, "sBitBtn2", "Закрыть", "закрыть");
    connect(cash, &QPushButton::clicked, this, [this] { cashReport(); });
    connect(payments, &QPushButton::clicked, this, [this] { paymentsReport(); });
    connect(planning, &QPushButton::clicked, this, [this] { planningReport(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Начало"), this), 0, 0);
    grid->addWidget(period_->start(), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Окончание"), this), 1, 0);
    grid->addWidget(period_->end(), 1, 1);
    int row = 2;
    for (auto [box, combo] : {std::pair{doctorCheck_, doctorCombo_},
                              {departmentCheck_, departmentCombo_},
                              {serviceCheck_, serviceCombo_},
                              {kindCheck_, kindCombo_}}) {
        grid->addWidget(box, row, 0);
        grid->addWidget(combo, row++, 1);
    }
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cash, payments, planning, close})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->addStretch();
}

CashReportWindow::~CashReportWindow() = default;

CashNarrowing CashReportWindow::narrowing() const {
    CashNarrowing n;
    if (doctorCheck_->isChecked())
        n.doctor = doctorCombo_->currentText();
    if (departmentCheck_->isChecked())
        n.department = departmentCombo_->currentText();
    if (serviceCheck_->isChecked())
        n.serviceNumber = serviceCombo_->currentText();
    if (kindCheck_->isChecked())
        n.kindOfCare = kindCombo_->currentText();
    return n;
}

QString CashReportWindow::cashReport() {
    const std::optional<ReportPeriod> p = period_->read(workstation_.messages());
    if (!p)
        return {};
    const QString sql = cashReportQuery(*p, narrowing());
    return produceReport(workstation_, QStringLiteral("kassa.xls"), [&](Workbook& book) {
        Connection& connection = workstation_.connection();
        DepartmentCodes codes;
        ReportRows departments(connection, QStringLiteral("select name, kod from otdel"));
        while (departments.next())
            codes.add(departments.text(0), departments.text(1));
        ReportRows rows(connection, sql);
        const CashColumns c(rows);
        Worksheet& sheet = book.sheet(1);
        CashLine line;
        int k = 0;
        while (rows.next()) {
            line = {rows.text(c.surname),
                    rows.text(c.name),
                    rows.text(c.patronymic),
                    rows.text(c.contract),
                    rows.text(c.serviceNumber),
                    rows.text(c.service),
                    rows.text(c.mark),
                    rows.text(c.code),
                    rows.text(c.kindOfCare),
                    rows.text(c.doctor),
                    rows.text(c.nurse),
                    rows.text(c.technician),
                    QString(),
                    rows.text(c.department),
                    rows.text(c.price),
                    rows.text(c.quantity),
                    rows.text(c.date),
                    rows.text(c.time),
                    rows.text(c.correctionDate),
                    rows.text(c.verified)};
            line.departmentCode = codes.codeOf(line.department);
            writeCashLine(sheet, ++k, line);
        }
        finishCashReport(sheet, k);
    });
}

QString CashReportWindow::paymentsReport() {
    const std::optional<ReportPeriod> p = period_->read(workstation_.messages());
    if (!p)
        return {};
    const QString sql = paymentsReportQuery(*p, narrowing());
    return produceReport(workstation_, QString::fromUtf8("оplata.xls"), [&](Workbook& book) {
        ReportRows rows(workstation_.connection(), sql);
        const int surname = rows.column("FAM"), name = rows.column("NAM"), patronymic = rows.column("OTH"),
                  contract = rows.column("NDOG"), paid = rows.column("CHOPL"), date = rows.column("DATA_USL"),
                  sum = rows.column("SUM");
        Worksheet& sheet = book.sheet(1);
        int k = 0;
        while (rows.next())
            writePaymentLine(sheet, ++k,
                             {rows.text(surname), rows.text(name), rows.text(patronymic), rows.text(contract),
                              rows.text(paid), rows.text(date), rows.text(sum)});
        finishPaymentsReport(sheet, k);
    });
}

QString CashReportWindow::planningReport() {
    const std::optional<ReportPeriod> p = period_->read(workstation_.messages());
    if (!p)
        return {};
    const QString sql = planningReportQuery(*p);
    return produceReport(workstation_, QStringLiteral("plan.xls"), [&](Workbook& book) {
        Connection& connection = workstation_.connection();
        PriceByPrefix prices;
        ReportRows list(connection, QStringLiteral("select kodgvv, summa from prais"));
        while (list.next())
            prices.add(list.text(0), list.text(1));
        ReportRows rows(connection, sql);
        const int number = rows.column("KODGVV"), service = rows.column("NAME"),
                  quantity = rows.column("SUM");
        Worksheet& sheet = book.sheet(1);
        writePlanningTitle(sheet, *p);
        int k = 0;
        while (rows.next()) {
            const QString code = rows.text(number);
            writePlanningLine(sheet, ++k,
                              {code, rows.text(service), rows.text(quantity), prices.priceOf(code)});
        }
        finishPlanningReport(sheet, k);
    });
}

} // namespace zorvel
