#include "cashdesk/price_list.h"

#include "data/connection.h"
#include "data/errors.h"
#include "data/query.h"
#include "spreadsheet/spreadsheet_error.h"
#include "spreadsheet/workbook.h"
#include "workstation/command.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

namespace zorvel {

namespace {

const char* const kNothingSaved = "Нет данных для сохранения";

// The price list's columns and the sheet's columns they are read from.
const char* const kInsertPrice =
    "insert into prais (idp, simv, kod, name, summa, kodgvv) values (null, ?, ?, ?, ?, ?)";
const int kSheetColumns[] = {1, 2, 3, 7, 8};

void reopenPrices(Workstation& workstation) {
    DataSet& prices = workstation.prices();
    prices.close();
    prices.open();
}

} // namespace

int importPriceList(Workstation& workstation, const Workbook& book, const ImportProgress& progress) {
    Messages& messages = workstation.messages();
    auto report = [&](int value, int maximum) {
        if (progress)
            progress(value, maximum);
    };
    const Worksheet* first = nullptr;
    if (!runCommand(messages, [&] { first = &book.sheet(1); }))
        return -1;
    const Worksheet& sheet = *first;
    // As many rows as the used range has, counted from row 1 whatever row the range starts at.
    const int rows = sheet.usedRowCount();
    report(0, rows);
    int row = 0;
    try {
        Savepoint batch(workstation.connection());
        Query insert(workstation.connection());
        insert.setSql(QString::fromLatin1(kInsertPrice));
        for (row = 1; row <= rows; ++row) {
            QStringList values;
            for (int column : kSheetColumns)
                values << sheet.cellText(row, column);
            insert.execute(values);
            report(row, rows);
        }
        batch.release();
    } catch (const std::exception& e) {
        report(0, rows);
        // Nothing of the file stays in the price list; the message says which row stopped it.
        messages.error(QStringLiteral("Прайс не загружен: строка %1 файла не принята.\n%2")
                           .arg(row)
                           .arg(errorMessage(e)));
        return -1;
    }
    try {
        workstation.commit();
    } catch (const std::exception&) {
        messages.error(QString::fromUtf8(kNothingSaved));
    }
    runCommand(messages, [&] { reopenPrices(workstation); });
    report(0, rows);
    return rows;
}

int importPriceListFromFile(Workstation& workstation, const ImportProgress& progress) {
    FileChooser* files = workstation.services().files;
    if (!files)
        return -1;
    const QString path = files->openFile(QStringLiteral("Прайс платных услуг"), QString());
    if (path.isEmpty())
        return -1;
    Workbook book;
    if (!runCommand(workstation.messages(), [&] { book = Workbook::open(path); }))
        return -1;
    return importPriceList(workstation, book, progress);
}

bool clearPriceList(Workstation& workstation) {
    Messages& messages = workstation.messages();
    // It cannot be undone: "Нет" is the default answer, and the answer when nobody can be asked.
    if (workstation.ask(QStringLiteral("Удалить все записи прайса платных услуг?"), QString::fromUtf8(kNoticeCaption),
                        {QStringLiteral("Да"), QStringLiteral("Нет")}, 1) != 0)
        return false;
    DataSet& prices = workstation.prices();
    bool cleared = runCommand(messages, [&] {
        prices.close();
        Savepoint clearing(workstation.connection());
        Query& statement = workstation.statement();
        statement.setSql(QStringLiteral("delete from prais"));
        statement.execute();
        clearing.release();
    });
    if (cleared) {
        try {
            workstation.commit();
        } catch (const std::exception&) {
            messages.error(QString::fromUtf8(kNothingSaved));
            cleared = false;
        }
    }
    // Empty after a clearing, as it was when the server refused it.
    runCommand(messages, [&] { prices.open(); });
    return cleared;
}

} // namespace zorvel
