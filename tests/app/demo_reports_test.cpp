// The demonstration database that `zorvel-createdb --demo` makes gives every window's document or report
// lines of its own: each is produced through its window, as a newcomer would, and the shown workbook is
// searched for a line that only the demo data can have put there.
#include "tests/support/workstation_fixture.h"

#include "cashdesk/debts_window.h"
#include "data/database_creation.h"
#include "spreadsheet/workbook.h"
#include "spreadsheet/worksheet.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

namespace zorvel::test {
namespace {

QString day(int daysBack) {
    return QDate::currentDate().addDays(-daysBack).toString(QStringLiteral("dd.MM.yyyy"));
}

QString monthStart() {
    const QDate today = QDate::currentDate();
    return QDate(today.year(), today.month(), 1).toString(QStringLiteral("dd.MM.yyyy"));
}

// Whether any cell of any sheet displays `text`.
bool holds(const Workbook& book, const QString& text) {
    for (int s = 1; s <= book.sheetCount(); ++s) {
        const Worksheet& sheet = book.sheet(s);
        for (int r = 1; r <= sheet.usedRowCount(); ++r)
            for (int c = 1; c <= 30; ++c)
                if (sheet.cellText(r, c) == text)
                    return true;
    }
    return false;
}

class DemoReportsTest : public WorkstationTest {
protected:
    void setText(int window, const char* name, const QString& text) {
        auto* edit = find<QLineEdit>(name, window);
        ASSERT_NE(edit, nullptr) << name;
        edit->setText(text);
    }
    void click(int window, const char* name) {
        auto* button = find<QPushButton>(name, window);
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
};

TEST_F(DemoReportsTest, everyWindowsDocumentHasLinesOfTheDemoData) {
    // The clock of the entry fields is the real day: the demo data is dated from the day it is made.
    clock.time = QDateTime::currentDateTime();
    prepare(splitScript(demoDataScript()));
    start(true);
    const QString from = day(40), to = day(0);

    struct Report {
        const char* what;
        std::function<void()> produce;
        const char* templateName;
        const char* line; // a text only a demo line puts into the workbook
    };
    const Report reports[] = {
        {"cash report by contract",
         [&] {
             setText(4, "sDateEdit1", from);
             setText(4, "sDateEdit2", to);
             click(4, "sBitBtn1");
         },
         "kassa.xls", "Смирнова"},
        {"cash report by payment", [&] { click(4, "sBitBtn3"); }, "оplata.xls", "Смирнова"},
        {"planning", [&] { click(4, "sBitBtn4"); }, "plan.xls", "Электрокардиография"},
        {"in-patient departments",
         [&] {
             setText(8, "sDateEdit1", from);
             setText(8, "sDateEdit2", to);
             click(8, "sBitBtn1");
         },
         "econom.xls", "Терапевтическое отделение"},
        {"polyclinic staff shares", [&] { click(8, "sBitBtn3"); }, "oftalmolog.xls", "Соколова А.В."},
        {"bills of an organisation",
         [&] {
             setText(11, "sDateEdit1", monthStart());
             setText(11, "sDateEdit2", to);
             find<QComboBox>("sComboBox1", 11)
                 ->setEditText(QStringLiteral("Министерство здравоохранения Н-ской области"));
             click(11, "sBitBtn2");
         },
         "schet.xls", "Электрокардиография"},
        {"register of treated persons", [&] { click(11, "sBitBtn3"); }, "dreestr.xls", "Тихонов"},
        {"consumables' balance",
         [&] {
             setText(12, "sDateEdit2", to);
             click(12, "sLabelFX8");
         },
         "linz.xls", "Коронка металлокерамическая"},
        {"dental room's journal",
         [&] {
             setText(12, "sDateEdit4", from);
             setText(12, "sDateEdit5", to);
             click(12, "sLabelFX12");
         },
         "rashzub.xls", "Кравцова"},
        {"debts",
         [&] {
             static_cast<DebtsWindow*>(app().window(10))->loadDebts();
             app().window(10)->findChild<QAction*>(QStringLiteral("N1"))->trigger();
         },
         "dolg.xls", "Смирнова"},
        {"combined table",
         [&] {
             setText(14, "sDateEdit1", from);
             setText(14, "sDateEdit2", to);
             app().window(14)->findChild<QAction*>(QStringLiteral("excel1"))->trigger();
         },
         "comb", "Кравцова"},
    };
    for (const Report& report : reports) {
        SCOPED_TRACE(report.what);
        const qsizetype before = spreadsheets.started().size();
        report.produce();
        ASSERT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
        ASSERT_EQ(spreadsheets.started().size(), before + 1);
        EXPECT_EQ(spreadsheets.started().last(), QString::fromUtf8(report.templateName));
        EXPECT_TRUE(holds(spreadsheets.lastShown(), QString::fromUtf8(report.line)));
    }
}

} // namespace
} // namespace zorvel::test
