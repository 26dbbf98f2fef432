#include "documents/contract_window.h"

#include "data/dataset.h"
#include "data/errors.h"
#include "spreadsheet/libre_office_output.h"
#include "spreadsheet/spreadsheet_output.h"
#include "workstation/command.h"
#include "workstation/contract_set.h"
#include "workstation/department_names.h"
#include "workstation/document_output.h"
#include "workstation/money.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zorvel {

namespace {

enum Column {
    NumberColumn,
    SurnameColumn,
    NameColumn,
    PatronymicColumn,
    ServiceColumn,
    QuantityColumn,
    PriceColumn,
    DateColumn,
    ContractColumn,
    MarkColumn,
    SumColumn,
    CodeColumn,
    ColumnCount
};

struct Heading {
    const char16_t* text;
    int width; // 0: the grid's default
};

const Heading kHeadings[ColumnCount] = {
    {u"№", 25},
    {u"Фамилия", 90},
    {u"Имя", 90},
    {u"Отчество", 90},
    {u"Наименование услуги", 200},
    {u"Количество", 65},
    {u"Стоимость", 45},
    {u"Дата услуги", 60},
    {u"№ договора", 45},
    {u"Печать", 45},
    {u"Сумма", 45},
    {u"№ услуги", 0},
};

// The width a column of the grid has unless told otherwise.
constexpr int kDefaultColumnWidth = 64;

const char16_t* const kYes = u"Да";
const char16_t* const kNo = u"Нет";

QComboBox* makeCombo(QWidget* parent, const char* objectName, const QString& hint, const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(objectName));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setToolTip(hint);
    combo->addItems(items);
    return combo;
}

QRadioButton* makeRadio(QWidget* parent, const char* objectName, const char16_t* text, bool enabled) {
    auto* radio = new QRadioButton(QString::fromUtf16(text), parent);
    radio->setObjectName(QString::fromLatin1(objectName));
    radio->setEnabled(enabled);
    return radio;
}

QPushButton* makeButton(QWidget* parent, const char* objectName, const QString& text, const QString& hint) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

// A file name the surname can be saved under whatever it holds.
QString fileNameOf(QString surname) {
    for (QChar c : QStringLiteral("/\\:*?\"<>|"))
        surname.replace(c, u'_');
    surname = surname.trimmed();
    return surname.isEmpty() ? QStringLiteral("Договор") : surname;
}

} // namespace

ContractWindow::ContractWindow(Workstation& workstation, QWidget* parent)
    : QWidget(parent), workstation_(workstation) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Печать договора"));

    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("StringGrid1"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setMinimumSectionSize(16); // the number column is narrower than Qt's least
    grid_->setColumnCount(ColumnCount);
    writeHeadings();
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { toggleMark(row + 1); });

    kindOfCare_ = makeCombo(
        this, "sComboBox1", {},
        {QStringLiteral("Поликлиника"), QStringLiteral("Стационар"), QStringLiteral("Дневной стационар")});
    kindOfCare_->setCurrentIndex(0);
    department_ = makeCombo(this, "sComboBox2", QStringLiteral("Отделение"), departmentNames());
    department_->setCurrentIndex(-1);
    department_->setEditText({});
    doctor_ = makeCombo(this, "sComboBox3", QStringLiteral("Лечащий доктор"), {});

    auto* outputBox = new QGroupBox(this);
    printOutput_ = makeRadio(outputBox, "sRadioButton1", u"Печать", true);
    showOutput_ = makeRadio(outputBox, "sRadioButton2", u"Вывод в EXCEL без сохранения", true);
    saveOutput_ = makeRadio(outputBox, "sRadioButton6", u"Вывод в EXCEL с сохранением", false);
    printOutput_->setChecked(true);
    auto* outputLayout = new QVBoxLayout(outputBox);
    for (QRadioButton* r : {printOutput_, showOutput_, saveOutput_})
        outputLayout->addWidget(r);

    auto* documentsBox = new QGroupBox(QStringLiteral("Вывод"), this);
    bothDocuments_ = makeRadio(documentsBox, "sRadioButton3", u"Договор и соглашение", true);
    contractOnly_ = makeRadio(documentsBox, "sRadioButton4", u"Только договор", false);
    consentOnly_ = makeRadio(documentsBox, "sRadioButton5", u"Только соглашение", false);
    bothDocuments_->setChecked(true);
    auto* documentsLayout = new QVBoxLayout(documentsBox);
    for (QRadioButton* r : {bothDocuments_, contractOnly_, consentOnly_})
        documentsLayout->addWidget(r);

    printButton_ = makeButton(this, "sBitBtn5", QStringLiteral("Договор"), {});
    closeButton_ = makeButton(this, "sBitBtn2", QStringLiteral("Закрыть"), {});
    passportButton_ = makeButton(this, "sBitBtn4", QStringLiteral("Паспортные\nданные"),
                                 QStringLiteral("Редактирование данных"));
    passportButton_->setEnabled(false);
    // The single documents have buttons of their own, hidden: the print button runs them.
    QPushButton* contractButton = makeButton(this, "sBitBtn1", QStringLiteral("Печать договора"), {});
    QPushButton* consentButton = makeButton(this, "sBitBtn3", QStringLiteral("Печать соглашения"), {});
    contractButton->hide();
    consentButton->hide();
    connect(printButton_, &QPushButton::clicked, this, &ContractWindow::printDocuments);
    connect(contractButton, &QPushButton::clicked, this, &ContractWindow::printContract);
    connect(consentButton, &QPushButton::clicked, this, &ContractWindow::printConsent);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(passportButton_, &QPushButton::clicked, this, &ContractWindow::passportRequested);

    auto* choices = new QHBoxLayout;
    auto* combos = new QVBoxLayout;
    combos->addWidget(new QLabel(QStringLiteral("Тип помощи"), this));
    combos->addWidget(kindOfCare_);
    combos->addWidget(new QLabel(QStringLiteral("Отделение"), this));
    combos->addWidget(department_);
    combos->addWidget(new QLabel(QStringLiteral("Доктор"), this));
    combos->addWidget(doctor_);
    choices->addLayout(combos, 1);
    choices->addWidget(outputBox);
    choices->addWidget(documentsBox);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {printButton_, passportButton_, contractButton, consentButton, closeButton_})
        buttons->addWidget(b);
    buttons->addStretch();
    choices->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(choices);
    resize(960, 520);
}

ContractWindow::~ContractWindow() = default;

void ContractWindow::writeHeadings() {
    QStringList labels;
    for (const Heading& h : kHeadings)
        labels << QString::fromUtf16(h.text);
    grid_->setHorizontalHeaderLabels(labels);
    for (int c = 0; c < ColumnCount; ++c)
        grid_->setColumnWidth(c, kHeadings[c].width > 0 ? kHeadings[c].width : kDefaultColumnWidth);
}

bool ContractWindow::loadContract() {
    DataSet& reg = workstation_.serviceRegister();
    bool loaded = false;
    bool narrowed = false;
    RecordPosition start;
    // A set that cannot be listed leaves the register whole, on the record it was on: the window that
    // narrowed it is not there to widen it again.
    auto widen = [&] {
        reg.setFiltered(false);
        moveTo(reg, start);
    };
    const bool ran = runCommand(workstation_.messages(), [&] {
        if (!reg.isOpen() || reg.currentRow() < 0)
            return;
        start = currentPosition(reg);
        const QString filter = contractSetFilter(reg);
        reg.setFiltered(false);
        reg.setFilterText(filter);
        reg.setFiltered(true);
        narrowed = true;
        if (reg.isEmpty()) {
            widen();
            return;
        }

        // The whole set is read before the grid changes, so a line that cannot be read leaves the grid
        // as it was.
        std::vector<QStringList> rows;
        int kindIndex = -1; // the last record's kind of care that the list knows
        reg.first();
        QString department = reg.fieldText(QStringLiteral("OTDELENIE"));
        QString doctor = reg.fieldText(QStringLiteral("FIOV"));
        for (; !reg.atEnd(); reg.next()) {
            const QString quantity = reg.fieldText(QStringLiteral("KOL"));
            const QString price = reg.fieldText(QStringLiteral("SUMMA"));
            const int care = kindOfCare_->findText(reg.fieldText(QStringLiteral("TIP_POM")));
            if (care >= 0)
                kindIndex = care;
            std::optional<qint64> sum = lineSum(quantity, price);
            if (!sum) {
                workstation_.messages().error(QStringLiteral("Неверный формат числа") + price + u' ' +
                                              quantity);
                widen();
                return;
            }
            if (!reg.fieldText(QStringLiteral("OTDELENIE")).isEmpty())
                department = reg.fieldText(QStringLiteral("OTDELENIE"));
            if (!reg.fieldText(QStringLiteral("FIOV")).isEmpty())
                doctor = reg.fieldText(QStringLiteral("FIOV"));
            rows.push_back({QString::number(rows.size() + 1), reg.fieldText(QStringLiteral("FAM")),
                            reg.fieldText(QStringLiteral("NAM")), reg.fieldText(QStringLiteral("OTH")),
                            reg.fieldText(QStringLiteral("NAME")), quantity, price,
                            reg.fieldText(QStringLiteral("DATA_USL")), reg.fieldText(QStringLiteral("NDOG")),
                            QString::fromUtf16(kYes), moneyText(*sum),
                            reg.fieldText(QStringLiteral("KODGVV"))});
        }

        grid_->clearContents();
        grid_->setColumnCount(ColumnCount);
        grid_->setRowCount(static_cast<int>(rows.size()));
        writeHeadings();
        for (int r = 0; r < static_cast<int>(rows.size()); ++r)
            for (int c = 0; c < ColumnCount; ++c)
                grid_->setItem(r, c, new QTableWidgetItem(rows[static_cast<size_t>(r)][c]));
        if (kindIndex >= 0) {
            kindOfCare_->setCurrentIndex(kindIndex);
            kindOfCare_->setEditText(kindOfCare_->itemText(kindIndex));
        }
        department_->setEditText(department);
        doctor_->setEditText(doctor);
        loaded = true;
    });
    if (!ran && narrowed)
        runCommand(workstation_.messages(), widen);
    if (loaded) {
        show();
        raise();
        activateWindow();
    }
    return loaded;
}

void ContractWindow::toggleMark(int gridRow) {
    QTableWidgetItem* item = grid_->item(gridRow - 1, MarkColumn);
    if (!item)
        return;
    item->setText(item->text() == QStringView(kYes) ? QString::fromUtf16(kNo) : QString::fromUtf16(kYes));
}

ContractInput ContractWindow::input() const {
    ContractInput in;
    auto text = [this](int row, int column) {
        QTableWidgetItem* item = grid_->item(row, column);
        return item ? item->text() : QString();
    };
    for (int r = 0; r < grid_->rowCount(); ++r) {
        ServiceLine line;
        line.number = text(r, NumberColumn);
        line.surname = text(r, SurnameColumn);
        line.name = text(r, NameColumn);
        line.patronymic = text(r, PatronymicColumn);
        line.service = text(r, ServiceColumn);
        line.quantity = text(r, QuantityColumn);
        line.price = text(r, PriceColumn);
        line.date = text(r, DateColumn);
        line.contractNumber = text(r, ContractColumn);
        line.marked = text(r, MarkColumn) == QStringView(kYes);
        in.lines.push_back(line);
    }
    in.kindOfCare = kindOfCare_->currentText();
    in.department = department_->currentText();
    in.doctor = doctor_->currentText();
    // The register stands on a record of the contract, and every record of it carries the same passport.
    DataSet& reg = workstation_.serviceRegister();
    if (reg.isOpen() && reg.currentRow() >= 0) {
        in.passport.series = reg.fieldText(QStringLiteral("SERIA"));
        in.passport.number = reg.fieldText(QStringLiteral("NOMER"));
        in.passport.issuedBy = reg.fieldText(QStringLiteral("VIDAN"));
        in.passport.address = reg.fieldText(QStringLiteral("ADRESS"));
    }
    return in;
}

void ContractWindow::printDocuments() {
    if (contractOnly_->isChecked()) {
        printContract();
    } else if (consentOnly_->isChecked()) {
        printConsent();
    } else {
        // Consent first, then the contract; each stands alone, so a consent that cannot be made (its
        // template missing, say) costs its own message and the contract still goes out.
        printConsent();
        printContract();
    }
}

bool ContractWindow::printContract() {
    const ContractInput in = input();
    const ContractKind kind = contractKind(in.kindOfCare, in.department);
    if (kind == ContractKind::None)
        return true;
    return produce(contractTemplate(kind), [&](Workbook& book) { fillContract(book, kind, in); });
}

bool ContractWindow::printConsent() {
    const ContractInput in = input();
    return produce(QStringLiteral("soglas.xls"), [&](Workbook& book) { fillConsent(book, in); });
}

ContractWindow::Output ContractWindow::output() const {
    if (showOutput_->isChecked())
        return Output::Show;
    if (saveOutput_->isChecked())
        return Output::Save;
    return Output::Print;
}

bool ContractWindow::produce(const QString& templateName, const std::function<void(Workbook&)>& fill) {
    return produceDocument(workstation_, templateName, fill, [this](Workbook& book) { finish(book); });
}

void ContractWindow::finish(Workbook& book) {
    SpreadsheetOutput& out = workstation_.spreadsheets();
    switch (output()) {
    case Output::Print:
        out.print(book);
        out.alertsOff();
        out.close(book);
        break;
    case Output::Show:
        out.show(book);
        break;
    case Output::Save: {
        QTableWidgetItem* surname = grid_->item(0, SurnameColumn);
        const QString folder = OutputSettings::fromEnvironment().outputDirectory;
        QDir().mkpath(folder);
        out.saveAs(book, QDir(folder).filePath(fileNameOf(surname ? surname->text() : QString()) +
                                               QStringLiteral(".xlsx")));
        break;
    }
    }
}

void ContractWindow::closeEvent(QCloseEvent* event) {
    DataSet& reg = workstation_.serviceRegister();
    runCommand(workstation_.messages(), [&] { widenKeepingPlace(reg); });
    QWidget::closeEvent(event);
}

} // namespace zorvel
