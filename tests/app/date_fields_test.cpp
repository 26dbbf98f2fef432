// The masked date fields of every window, clicked and typed into as a cashier does.

#include "tests/support/keyboard.h"
#include "tests/support/workstation_fixture.h"

#include <QLineEdit>
#include <QStackedWidget>
#include <QTest>

namespace zorvel::test {
namespace {

using DateFieldsTest = WorkstationTest;

// Shows the field: its window, the tab page it lies on, a search field its check box would show.
void bringIntoView(QLineEdit* field) {
    for (QWidget* w = field; w && !w->isWindow(); w = w->parentWidget()) {
        if (auto* pages = qobject_cast<QStackedWidget*>(w->parentWidget()))
            pages->setCurrentWidget(w);
        w->setVisible(true);
    }
}

TEST_F(DateFieldsTest, aClickInAnEmptyDateFieldStartsTheDateAtItsFirstPosition) {
    Application& application = start(true);
    int checked = 0;
    for (int number = 1; number <= 16; ++number) {
        for (QLineEdit* field : application.window(number)->findChildren<QLineEdit*>()) {
            if (field->inputMask().isEmpty())
                continue;
            const std::string where =
                "TForm" + std::to_string(number) + "." + field->objectName().toStdString();
            ASSERT_TRUE(field->objectName().startsWith(QStringLiteral("sDateEdit"))) << where;
            bringIntoView(field);
            ASSERT_TRUE(activateWindow(field)) << where;
            ASSERT_TRUE(field->isVisible()) << where;
            const QPoint end(field->width() - 4, field->height() / 2);
            const QPoint middle(field->width() / 2, field->height() / 2);

            // Empty: a click at the end, or in the middle, then the eight digits.
            for (const QPoint& at : {end, middle}) {
                field->clear();
                QTest::mouseClick(field, Qt::LeftButton, {}, at);
                QTest::keyClicks(field, "01122026");
                EXPECT_EQ(field->text().toStdString(), "01.12.2026") << where;
            }
            // The day typed, a click at the end: the month and year follow the day.
            field->clear();
            QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(2, field->height() / 2));
            QTest::keyClicks(field, "01");
            QTest::mouseClick(field, Qt::LeftButton, {}, end);
            QTest::keyClicks(field, "122026");
            EXPECT_EQ(field->text().toStdString(), "01.12.2026") << where;
            // A click on a typed digit still puts the caret there, to correct it.
            QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(2, field->height() / 2));
            EXPECT_LT(field->cursorPosition(), 2) << where;
            QTest::keyClicks(field, "2");
            EXPECT_TRUE(field->text().startsWith(QStringLiteral("2"))) << where;

            field->clear();
            ++checked;
        }
    }
    // The entry tab's work-order date, the search panels', the contract clients' four, the invoicing
    // period and correction date, the consumables window's five, the report periods, the combined table's
    // period and its filters' three dates.
    EXPECT_GE(checked, 20);
}

} // namespace
} // namespace zorvel::test
