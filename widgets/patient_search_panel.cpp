#include "widgets/patient_search_panel.h"

#include "data/dataset.h"
#include "data/filter.h"
#include "data/tables.h"
#include "widgets/date_mask.h"
#include "widgets/input_rules.h"
#include "workstation/command.h"
#include "workstation/contract_set.h"
#include "workstation/services.h"

#include <QCheckBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvel {

namespace {

struct FieldSpec {
    const char* checkBox;
    const char16_t* caption;
    const char* column;
    const char16_t* hint;
};

const FieldSpec kFields[PatientSearchPanel::FieldCount] = {
    {"sCheckBox1", u"Фамилия", "fam", u"Фамилия для поиска"},
    {"sCheckBox2", u"Имя", "nam", u"Имя для поиска"},
    {"sCheckBox3", u"Отчество", "oth", u"Отчество для поиска"},
    {"sCheckBox4", u"№ договора", "ndog", nullptr},
    {"sCheckBox5", u"№ услуги", "kodgvv", nullptr},
    {"sCheckBox6", u"Дата", "data_usl", nullptr},
};

// An empty date field stands for the zero date, as everywhere in the workstation.
const char* const kZeroDate = "30.12.1899";

// The register's width of a column: a search value can never be longer than what is stored.
int columnWidth(const char* column) {
    const QString name = QString::fromLatin1(column).toUpper();
    for (const ColumnDescription& c : peopleTable().columns)
        if (c.name == name)
            return c.width;
    return 0;
}

// Stars at the end of a value are written twice: a typed star is the value's own, not a prefix match.
QString literal(const QString& value) {
    qsizetype stars = 0;
    while (stars < value.size() && value[value.size() - 1 - stars] == u'*')
        ++stars;
    return quotedValue(value + QString(stars, u'*'));
}

} // namespace

PatientSearchPanel::PatientSearchPanel(DataSet& serviceRegister, Messages& messages,
                                       const char* contractFieldName, const char* serviceFieldName,
                                       QWidget* parent)
    : QGroupBox(QStringLiteral("Поиск пациента"), parent), register_(serviceRegister), messages_(messages) {
    const char* fieldNames[FieldCount] = {"sEdit9",          "sEdit10",        "sEdit11",
                                          contractFieldName, serviceFieldName, "sDateEdit1"};
    auto* grid = new QGridLayout;
    for (int f = 0; f < FieldCount; ++f) {
        auto* check = new QCheckBox(QString::fromUtf16(kFields[f].caption), this);
        check->setObjectName(QString::fromLatin1(kFields[f].checkBox));
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(fieldNames[f]));
        if (kFields[f].hint)
            edit->setToolTip(QString::fromUtf16(kFields[f].hint));
        if (f == Date) {
            // Shown as "  .  .    " until typed.
            setDateMask(edit, QStringLiteral("00.00.0000; "));
        } else {
            limitLength(edit, columnWidth(kFields[f].column));
        }
        if (f <= Patronymic)
            attachCharacterRule(edit, CharacterRule::FirstLetterUpper);
        attachEnterActs(edit, [this] { apply(); });
        edit->setVisible(false);
        connect(check, &QCheckBox::toggled, edit, &QWidget::setVisible);
        grid->addWidget(check, f, 0);
        grid->addWidget(edit, f, 1);
        checks_[f] = check;
        fields_[f] = edit;
    }

    applyButton_ = new QPushButton(QStringLiteral("Принять"), this);
    applyButton_->setObjectName(QStringLiteral("sBitBtn3"));
    applyButton_->setToolTip(QStringLiteral("Отфильтровать"));
    cancelButton_ = new QPushButton(QStringLiteral("Отмена"), this);
    cancelButton_->setObjectName(QStringLiteral("sBitBtn4"));
    cancelButton_->setToolTip(QStringLiteral("Отмена фильтра"));
    for (QPushButton* b : {applyButton_, cancelButton_})
        b->setAutoDefault(false);
    connect(applyButton_, &QPushButton::clicked, this, [this] { apply(); });
    connect(cancelButton_, &QPushButton::clicked, this, &PatientSearchPanel::cancel);

    buttons_ = new QHBoxLayout;
    buttons_->addWidget(applyButton_);
    buttons_->addWidget(cancelButton_);
    buttons_->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons_);
}

void PatientSearchPanel::addButton(QWidget* button) {
    buttons_->insertWidget(buttons_->count() - 1, button);
}

QString PatientSearchPanel::filterText(const Values& values) {
    QString text;
    for (int f = 0; f < FieldCount; ++f) {
        if (!values[f])
            continue;
        if (!text.isEmpty())
            text += QStringLiteral(" and ");
        text += QString::fromLatin1(kFields[f].column) + QStringLiteral("= ") + literal(*values[f]);
    }
    return text;
}

std::optional<PatientSearchPanel::Values> PatientSearchPanel::values() const {
    Values values;
    for (int f = 0; f < FieldCount; ++f) {
        if (!checks_[f]->isChecked())
            continue;
        QString value = fields_[f]->text();
        if (f == Date) {
            const QString typed = fields_[f]->displayText();
            if (typed.trimmed() == QStringLiteral(".  .")) {
                value = QString::fromLatin1(kZeroDate);
            } else {
                // Half typed or no such day: searching for it would quietly find nothing.
                const QDate date = QDate::fromString(typed, QStringLiteral("dd.MM.yyyy"));
                if (!date.isValid()) {
                    messages_.error(QStringLiteral("Неверная дата: ") + typed);
                    return std::nullopt;
                }
                value = dateText(date);
            }
        }
        values[f] = value;
    }
    return values;
}

bool PatientSearchPanel::apply() {
    const std::optional<Values> shown = values();
    if (!shown)
        return false;
    const QString text = filterText(*shown);
    const bool done = runCommand(messages_, [&] {
        if (!register_.isOpen())
            return;
        if (register_.state() != DataSet::State::Browse)
            register_.post();
        // A new search reads the register again, so it finds what other workstations saved meanwhile.
        register_.close();
        register_.setFilterText(text);
        register_.setFiltered(true);
        register_.open();
    });
    if (done)
        emit applied();
    return done;
}

void PatientSearchPanel::cancel() {
    runCommand(messages_, [this] { widenKeepingPlace(register_); });
}

} // namespace zorvel
