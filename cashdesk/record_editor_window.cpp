#include "cashdesk/record_editor_window.h"

#include "cashdesk/register_batch.h"
#include "data/dataset.h"
#include "data/filter.h"
#include "widgets/choice_list.h"
#include "widgets/data_navigator.h"
#include "widgets/input_rules.h"
#include "widgets/look_ups.h"
#include "workstation/command.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvel {

namespace {

int fieldWidth(const DataSet& d, const QString& field) {
    const int column = d.fieldIndex(field);
    return column >= 0 ? d.fields()[static_cast<size_t>(column)].width : 0;
}

// Shows one field of the register's current record and writes what is typed into it. The line of a
// drop-down (`list`) shows the field through the list, so the item of the stored value is current.
void bind(Workstation& workstation, QLineEdit* edit, const QString& field, QComboBox* list = nullptr) {
    DataSet& reg = workstation.serviceRegister();
    Messages& messages = workstation.messages();
    auto refresh = [&reg, edit, field, list] {
        const QString text = reg.isOpen() && reg.currentRow() >= 0 ? reg.fieldText(field) : QString();
        if (list) {
            showValue(list, text);
        } else if (edit->text() != text) {
            edit->setText(text);
            edit->setCursorPosition(0);
        }
    };
    QObject::connect(&reg, &DataSet::reset, edit, refresh);
    QObject::connect(&reg, &DataSet::currentChanged, edit, refresh);
    QObject::connect(&reg, &DataSet::rowChanged, edit, [&reg, refresh](int row) {
        if (row == reg.currentRow())
            refresh();
    });
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [&workstation, &reg, &messages, field, refresh](const QString& text) {
                         if (!runCommand(messages, [&] {
                                 if (!reg.isOpen() || reg.currentRow() < 0)
                                     return;
                                 editCurrentRecord(workstation);
                                 reg.setFieldText(field, text);
                             }))
                             refresh();
                     });
    // Written as the register is read, so the column holds whatever is typed.
    if (const int width = fieldWidth(reg, field); width > 0)
        edit->setMaxLength(width);
    refresh();
}

QLineEdit* boundEdit(QWidget* parent, Workstation& workstation, const char* objectName, const char* field,
                     const char* hint) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    if (hint)
        edit->setToolTip(QString::fromUtf8(hint));
    bind(workstation, edit, QString::fromLatin1(field));
    return edit;
}

QComboBox* boundCombo(QWidget* parent, Workstation& workstation, const char* objectName, const char* field,
                      const char* hint, const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(objectName));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    if (hint)
        combo->setToolTip(QString::fromUtf8(hint));
    bind(workstation, combo->lineEdit(), QString::fromLatin1(field), combo);
    attachCharacterRule(combo, CharacterRule::FirstLetterUpper);
    return combo;
}

} // namespace

RecordEditorWindow::RecordEditorWindow(Workstation& workstation, QWidget* parent)
    : QWidget(parent), workstation_(workstation) {
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(QStringLiteral("Редактирование"));
    DataSet& reg = workstation.serviceRegister();
    Messages& messages = workstation.messages();

    auto* form = new QFormLayout;
    auto edit = [&](const char* objectName, const char* field, const char* hint) {
        return boundEdit(this, workstation, objectName, field, hint);
    };
    form->addRow(QStringLiteral("Фамилия"), edit("DBEdit1", "FAM", "Фамилия пациента"));
    form->addRow(QStringLiteral("Имя"), edit("DBEdit2", "NAM", "Имя пациента"));
    form->addRow(QStringLiteral("Отчество"), edit("DBEdit3", "OTH", "Отчество пациента"));
    kindOfCare_ = boundCombo(
        this, workstation, "sDBComboBox1", "TIP_POM", "Тип помощи",
        {QStringLiteral("Поликлиника"), QStringLiteral("Стационар"), QStringLiteral("Дневной стационар")});
    form->addRow(QStringLiteral("Вид помощи"), kindOfCare_);
    doctor_ = boundCombo(this, workstation, "sDBComboBox2", "FIOV", "Фамилия доктора", {});
    form->addRow(QStringLiteral("Фамилия доктора"), doctor_);
    form->addRow(QStringLiteral("Медсестра"),
                 boundCombo(this, workstation, "sDBComboBox3", "MEDSESTR", nullptr, {}));
    form->addRow(QStringLiteral("Техник"),
                 boundCombo(this, workstation, "sDBComboBox4", "TEHN", nullptr, {}));

    departmentCode_ = new QLineEdit(this);
    departmentCode_->setObjectName(QStringLiteral("sEdit1"));
    departmentCode_->setToolTip(QStringLiteral("Отделение"));
    limitLength(departmentCode_, 10);
    attachCharacterRule(departmentCode_, CharacterRule::DigitsOnly);
    attachEnterIgnored(departmentCode_);
    departmentCode_->installEventFilter(this);
    connect(departmentCode_, &QLineEdit::textChanged, this, &RecordEditorWindow::lookUpDepartment);
    auto* department = new QHBoxLayout;
    department->addWidget(departmentCode_);
    department->addWidget(edit("DBEdit5", "OTDELENIE", "Наименование отделения"), 1);
    form->addRow(QStringLiteral("Отделение"), department);

    serviceNumber_ = new QLineEdit(this);
    serviceNumber_->setObjectName(QStringLiteral("sEdit2"));
    serviceNumber_->setToolTip(QStringLiteral("№ услуги"));
    limitLength(serviceNumber_, 5);
    serviceNumber_->installEventFilter(this);
    connect(serviceNumber_, &QLineEdit::textChanged, this, &RecordEditorWindow::lookUpService);
    auto* service = new QHBoxLayout;
    service->addWidget(serviceNumber_);
    service->addWidget(edit("DBEdit6", "NAME", "Наименование услуги"), 1);
    form->addRow(QStringLiteral("№ услуги"), service);
    form->addRow(QStringLiteral("№ услуги"), edit("DBEdit7", "KODGVV", "Код услуги"));
    form->addRow(QStringLiteral("Сумма"), edit("DBEdit8", "SUMMA", "Стоимость услуги"));
    form->addRow(QStringLiteral("Количество"), edit("DBEdit9", "KOL", "Количество"));
    form->addRow(QStringLiteral("Дата"), edit("DBEdit4", "DATA_USL", "Дата заполнения"));
    form->addRow(QStringLiteral("Время"), edit("DBEdit10", "TIME_US", "Время заполнения"));
    form->addRow(QStringLiteral("Код"), edit("DBEdit11", "KOD", "Код услуги"));
    form->addRow(QStringLiteral("Дата исправления"), edit("DBEdit12", "DATAISP", nullptr));
    form->addRow(QStringLiteral("№ наряда"), edit("sDBEdit1", "NOMNAR", nullptr));
    form->addRow(QStringLiteral("наряд от"), edit("sDBEdit2", "DATNAR", nullptr));

    // Choosing a kind of care, or a doctor from the list, is written at once.
    connect(kindOfCare_, &QComboBox::activated, this,
            [this](int index) { postField(QStringLiteral("TIP_POM"), kindOfCare_->itemText(index)); });
    connect(doctor_, &QComboBox::activated, this,
            [this](int index) { postField(QStringLiteral("FIOV"), doctor_->itemText(index)); });

    navigator_ = new DataNavigator(reg, messages, this);
    navigator_->setObjectName(QStringLiteral("sDBNavigator1"));
    auto* saveButton = new QPushButton(QStringLiteral("Сохранить"), this);
    saveButton->setObjectName(QStringLiteral("sBitBtn1"));
    auto* closeButton = new QPushButton(QStringLiteral("Закрыть"), this);
    closeButton->setObjectName(QStringLiteral("sBitBtn2"));
    for (QPushButton* b : {saveButton, closeButton})
        b->setAutoDefault(false);
    connect(saveButton, &QPushButton::clicked, this, &RecordEditorWindow::save);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(navigator_, 1);
    buttons->addWidget(saveButton);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(640, 560);
}

void RecordEditorWindow::postField(const QString& field, const QString& value) {
    DataSet& reg = workstation_.serviceRegister();
    runCommand(workstation_.messages(), [&] {
        if (!reg.isOpen() || reg.currentRow() < 0)
            return;
        editCurrentRecord(workstation_);
        reg.setFieldText(field, value);
        reg.post();
    });
}

void RecordEditorWindow::lookUpDepartment(const QString& code) {
    DataSet& departments = workstation_.departments();
    DataSet& reg = workstation_.serviceRegister();
    runCommand(workstation_.messages(), [&] {
        if (!code.isEmpty()) {
            departments.setFiltered(false);
            departments.setFilterText(equalsTerm(QStringLiteral("kod"), code));
            departments.setFiltered(true);
            rereadWhenNothingFound(departments);
        }
        if (!reg.isOpen() || reg.currentRow() < 0)
            return;
        const QString name = departments.isOpen() && departments.currentRow() >= 0
                                 ? departments.fieldText(QStringLiteral("NAME"))
                                 : QString();
        editCurrentRecord(workstation_);
        reg.setFieldText(QStringLiteral("OTDELENIE"), name);
        reg.post();
    });
}

void RecordEditorWindow::lookUpService(const QString& number) {
    if (number.isEmpty())
        return;
    DataSet& prices = workstation_.prices();
    DataSet& reg = workstation_.serviceRegister();
    runCommand(workstation_.messages(), [&] {
        prices.setFiltered(false);
        prices.setFilterText(prefixTerm(QStringLiteral("kodgvv"), number));
        prices.setFiltered(true);
        rereadWhenNothingFound(prices);
        // No price of that number: the record keeps its service rather than losing it to empty values.
        if (!reg.isOpen() || reg.currentRow() < 0 || prices.currentRow() < 0)
            return;
        editCurrentRecord(workstation_);
        for (const char* column : {"KODGVV", "NAME", "KOD", "SUMMA", "SIMV"})
            reg.setFieldText(QString::fromLatin1(column), prices.fieldText(QString::fromLatin1(column)));
    });
}

bool RecordEditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        DataSet* list = watched == departmentCode_  ? &workstation_.departments()
                        : watched == serviceNumber_ ? &workstation_.prices()
                                                    : nullptr;
        if (list)
            runCommand(workstation_.messages(), [list] { list->setFiltered(false); });
    }
    return QWidget::eventFilter(watched, event);
}

bool RecordEditorWindow::save() {
    DataSet& reg = workstation_.serviceRegister();
    Messages& messages = workstation_.messages();
    const QDateTime now = workstation_.clock().now();
    const bool posted = runCommand(messages, [&] {
        if (!reg.isOpen() || reg.currentRow() < 0)
            throw std::runtime_error("Нет текущей записи");
        editCurrentRecord(workstation_);
        reg.setFieldText(QStringLiteral("TIME_US"), timeText(now.time()));
        reg.setFieldText(QStringLiteral("DATAISP"), dateText(now.date()));
        reg.post();
    });
    if (!posted)
        return false;
    try {
        workstation_.commit();
    } catch (const std::exception&) {
        messages.error(QStringLiteral("Нет данных для сохранения"));
        return false;
    }
    return true;
}

} // namespace zorvel
