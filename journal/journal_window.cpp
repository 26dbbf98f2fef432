#include "journal/journal_window.h"

#include "data/dataset.h"
#include "data/filter.h"
#include "journal/journal_export.h"
#include "spreadsheet/spreadsheet_output.h"
#include "spreadsheet/workbook.h"
#include "widgets/data_grid.h"
#include "workstation/command.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvel {

namespace {

struct JournalColumn {
    const char* field;
    const char16_t* title;
    int width;
};

const JournalColumn kColumns[] = {
    {"CHANGED_AT", u"Дата и время", 130},      {"USER_NAME", u"Пользователь", 110},
    {"CLIENT_ADDRESS", u"Рабочее место", 110}, {"TABLE_NAME", u"Таблица", 90},
    {"ROW_KEY", u"Ключ строки", 70},           {"ACTION_TEXT", u"Действие", 80},
    {"CONTRACT", u"№ договора", 70},           {"CHANGES", u"Изменения", 600},
};

QLineEdit* dateEdit(QWidget* parent, const char* objectName) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setInputMask(QStringLiteral("00.00.0000;_"));
    return edit;
}

QDate typedDate(const QLineEdit* edit) {
    return QDate::fromString(edit->text(), QStringLiteral("dd.MM.yyyy"));
}

QString isoDate(const QDate& date) {
    return u'\'' + date.toString(QStringLiteral("yyyy-MM-dd")) + u'\'';
}

} // namespace

QString journalQuery(const QDate& from, const QDate& to, const QString& user, const QString& contract) {
    // The period through the descending index on CHANGED_AT, which also gives the order.
    QString sql = QStringLiteral("SELECT CHANGED_AT, USER_NAME, CLIENT_ADDRESS, TABLE_NAME, ROW_KEY, "
                                 "CASE ACTION WHEN 'I' THEN 'Добавлена' WHEN 'U' THEN 'Изменена' "
                                 "WHEN 'D' THEN 'Удалена' ELSE ACTION END AS ACTION_TEXT, CONTRACT, CHANGES "
                                 "FROM CHANGE_LOG WHERE CHANGED_AT >= CAST(%1 AS TIMESTAMP) "
                                 "AND CHANGED_AT < CAST(%2 AS TIMESTAMP)")
                      .arg(isoDate(from), isoDate(to.addDays(1)));
    // User names are kept as the server knows them, in capitals.
    if (!user.trimmed().isEmpty())
        sql += QStringLiteral(" AND USER_NAME = ") + quotedValue(user.trimmed().toUpper());
    if (!contract.trimmed().isEmpty())
        sql += QStringLiteral(" AND CONTRACT = ") + quotedValue(contract.trimmed());
    return sql + QStringLiteral(" ORDER BY CHANGED_AT DESC");
}

JournalWindow::JournalWindow(Workstation& workstation, QWidget* parent)
    : QWidget(parent), workstation_(workstation),
      entries_(new DataSet(workstation.connection(), QStringLiteral("journal"), this)) {
    setObjectName(QStringLiteral("JournalWindow"));
    setWindowTitle(QStringLiteral("Журнал изменений"));
    from_ = dateEdit(this, "journalFromEdit");
    to_ = dateEdit(this, "journalToEdit");
    user_ = new QLineEdit(this);
    user_->setObjectName(QStringLiteral("journalUserEdit"));
    user_->setMaxLength(63);
    contract_ = new QLineEdit(this);
    contract_->setObjectName(QStringLiteral("journalContractEdit"));
    contract_->setMaxLength(20);
    show_ = new QPushButton(QStringLiteral("Показать"), this);
    show_->setObjectName(QStringLiteral("journalShowButton"));
    excel_ = new QPushButton(QStringLiteral("В Excel"), this);
    excel_->setObjectName(QStringLiteral("journalExcelButton"));
    connect(show_, &QPushButton::clicked, this, &JournalWindow::showEntries);
    connect(excel_, &QPushButton::clicked, this, &JournalWindow::exportEntries);
    for (QLineEdit* edit : {from_, to_, user_, contract_})
        connect(edit, &QLineEdit::returnPressed, this, &JournalWindow::showEntries);

    std::vector<DataSetModel::Column> columns;
    for (const JournalColumn& c : kColumns)
        columns.push_back({QString::fromLatin1(c.field), QString::fromUtf16(c.title)});
    grid_ = new DataGrid(*entries_, columns, workstation.messages(), this);
    grid_->setObjectName(QStringLiteral("JournalGrid"));
    for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c)
        grid_->setColumnWidth(c, kColumns[c].width);

    auto* fields = new QHBoxLayout;
    fields->addWidget(new QLabel(QStringLiteral("Период с"), this));
    fields->addWidget(from_);
    fields->addWidget(new QLabel(QStringLiteral("по"), this));
    fields->addWidget(to_);
    fields->addWidget(new QLabel(QStringLiteral("Пользователь"), this));
    fields->addWidget(user_);
    fields->addWidget(new QLabel(QStringLiteral("№ договора"), this));
    fields->addWidget(contract_);
    fields->addWidget(show_);
    fields->addWidget(excel_);
    fields->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(grid_, 1);
    resize(1100, 560);
}

JournalWindow::~JournalWindow() {
    entries_->close();
}

void JournalWindow::openToday() {
    const QString today = workstation_.clock().now().date().toString(QStringLiteral("dd.MM.yyyy"));
    from_->setText(today);
    to_->setText(today);
    showEntries();
    show();
    raise();
    activateWindow();
}

bool JournalWindow::showEntries() {
    const QDate from = typedDate(from_);
    const QDate to = typedDate(to_);
    if (!from.isValid() || !to.isValid()) {
        workstation_.messages().error(QStringLiteral("Неверно указан период"));
        return false;
    }
    if (from > to) {
        workstation_.messages().error(QStringLiteral("Начало периода позже его окончания"));
        return false;
    }
    return runCommand(workstation_.messages(), [&] {
        entries_->replaceSelect(journalQuery(from, to, user_->text(), contract_->text()));
    });
}

bool JournalWindow::exportEntries() {
    std::vector<JournalEntry> lines;
    const bool read = runCommand(workstation_.messages(), [&] {
        if (!entries_->isOpen())
            return;
        entries_->fetchAll();
        const int rows = entries_->fetchedCount();
        lines.reserve(static_cast<size_t>(rows));
        for (int row = 0; row < rows; ++row) {
            auto v = [&](int c) { return entries_->text(row, c); };
            lines.push_back({v(0), v(1), v(2), v(3), v(4), v(5), v(6), v(7)});
        }
    });
    if (!read)
        return false;
    SpreadsheetOutput& out = workstation_.spreadsheets();
    Workbook book;
    try {
        book = out.start(QStringLiteral("journal.xlsx"));
    } catch (const std::exception&) {
        workstation_.messages().error(QStringLiteral("Невозможно вывести в Excel "));
        return false;
    }
    return runCommand(workstation_.messages(), [&] {
        fillJournal(book.sheet(1), lines);
        out.show(book);
    });
}

} // namespace zorvel
