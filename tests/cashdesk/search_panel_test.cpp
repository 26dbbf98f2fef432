// The patient search panel: the filter it builds, and how it narrows the register on each window.

#include "tests/cashdesk/register_fixture.h"

#include "data/dataset.h"
#include "widgets/patient_search_panel.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>

namespace zorvel::test {
namespace {

using Panel = PatientSearchPanel;

TEST(PatientSearchPanelFilter, theShownFieldsInTheirOrderWithValuesQuoted) {
    struct Case {
        const char* what;
        Panel::Values values;
        const char* filter;
    };
    auto values = [](std::initializer_list<std::pair<Panel::Field, const char*>> shown) {
        Panel::Values v;
        for (auto [field, text] : shown)
            v[field] = QString::fromUtf8(text);
        return v;
    };
    const Case cases[] = {
        {"no field shown", {}, ""},
        {"first name and date", values({{Panel::FirstName, "Иван"}, {Panel::Date, "05.03.2010"}}),
         "nam= 'Иван' and data_usl= '05.03.2010'"},
        {"all six",
         values({{Panel::Date, "05.03.2026"},
                 {Panel::Surname, "Иванов"},
                 {Panel::FirstName, "Иван"},
                 {Panel::Patronymic, "Иванович"},
                 {Panel::ContractNumber, "17"},
                 {Panel::ServiceNumber, "3"}}),
         "fam= 'Иванов' and nam= 'Иван' and oth= 'Иванович' and ndog= '17' and kodgvv= '3' and "
         "data_usl= '05.03.2026'"},
        {"an apostrophe", values({{Panel::Surname, "Д'Артаньян"}}), "fam= 'Д''Артаньян'"},
        {"a statement in the value", values({{Panel::Surname, "x' or fam<>'"}}), "fam= 'x'' or fam<>'''"},
        {"a star of its own", values({{Panel::ServiceNumber, "3*"}}), "kodgvv= '3**'"},
        {"an empty field shown", values({{Panel::Patronymic, ""}}), "oth= ''"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Panel::filterText(c.values), QString::fromUtf8(c.filter)) << c.what;
}

class SearchPanelTest : public RegisterTest {
protected:
    Panel* panel(int window) {
        Panel* p = app().window(window)->findChild<Panel*>();
        EXPECT_NE(p, nullptr);
        return p;
    }
    void show(Panel* p, Panel::Field f) { p->checkBox(f)->setChecked(true); }
};

TEST_F(SearchPanelTest, eachWindowHasItsPanelWithItsOwnFieldNames) {
    struct Window {
        int number;
        const char* contract;
        const char* service;
    };
    for (const Window w :
         {Window{1, "sEdit21", "sEdit22"}, {9, "sEdit21", "sEdit22"}, {7, "sEdit1", "sEdit2"}}) {
        Panel* p = panel(w.number);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->title(), QStringLiteral("Поиск пациента"));
        const char* names[] = {"sEdit9", "sEdit10", "sEdit11", w.contract, w.service, "sDateEdit1"};
        const char* captions[] = {"Фамилия", "Имя", "Отчество", "№ договора", "№ услуги", "Дата"};
        for (int f = 0; f < Panel::FieldCount; ++f) {
            EXPECT_EQ(p->field(Panel::Field(f))->objectName(), QString::fromLatin1(names[f])) << w.number;
            EXPECT_EQ(p->checkBox(Panel::Field(f))->text(), QString::fromUtf8(captions[f]));
            EXPECT_FALSE(p->field(Panel::Field(f))->isVisibleTo(p)) << names[f];
        }
        EXPECT_EQ(p->field(Panel::Date)->displayText(), QStringLiteral("  .  .    "));
        EXPECT_EQ(p->applyButton()->text(), QStringLiteral("Принять"));
        EXPECT_EQ(p->applyButton()->toolTip(), QStringLiteral("Отфильтровать"));
        EXPECT_EQ(p->cancelButton()->toolTip(), QStringLiteral("Отмена фильтра"));
        p->checkBox(Panel::Surname)->click();
        EXPECT_TRUE(p->field(Panel::Surname)->isVisibleTo(p));
        p->checkBox(Panel::Surname)->click();
        EXPECT_FALSE(p->field(Panel::Surname)->isVisibleTo(p));
    }
}

// Typed as a cashier types: the first letter becomes capital, Enter in the date field searches.
TEST_F(SearchPanelTest, surnameAndDateTypedAndEnterNarrowTheRegister) {
    insert({Record{QStringLiteral("Д'Артаньян"), QStringLiteral("20"), QStringLiteral("Шпага")},
            Record{QStringLiteral("Д'Артаньян"), QStringLiteral("21"), QStringLiteral("Плащ"),
                   QStringLiteral("10:00:00"), QStringLiteral("06.03.2026")}});
    restart();
    Panel* p = panel(1);
    show(p, Panel::Surname);
    show(p, Panel::Date);
    ASSERT_TRUE(focusField(p->field(Panel::Surname)));
    typeText(QStringLiteral("д'Артаньян"));
    EXPECT_EQ(p->field(Panel::Surname)->text(), QStringLiteral("Д'Артаньян"));
    ASSERT_TRUE(focusField(p->field(Panel::Date)));
    p->field(Panel::Date)->setCursorPosition(0);
    typeText(QStringLiteral("05032026"));
    pressEnter();
    EXPECT_TRUE(messages.shown.empty()) << messageTexts().join('|').toStdString();
    EXPECT_TRUE(people().isFiltered());
    EXPECT_EQ(people().filterText(), QStringLiteral("fam= 'Д''Артаньян' and data_usl= '05.03.2026'"));
    EXPECT_EQ(view(), QStringList{"Шпага"});

    p->cancelButton()->click();
    EXPECT_FALSE(people().isFiltered());
    EXPECT_EQ(people().recordCount(), 7);
    // No field shown: every record.
    show(p, Panel::Surname);
    p->checkBox(Panel::Surname)->setChecked(false);
    p->checkBox(Panel::Date)->setChecked(false);
    p->applyButton()->click();
    EXPECT_TRUE(people().isFiltered());
    EXPECT_EQ(people().recordCount(), 7);
}

TEST_F(SearchPanelTest, aHalfTypedDateIsRefusedAndAnEmptyOneIsTheZeroDate) {
    Panel* p = panel(9);
    show(p, Panel::Date);
    ASSERT_TRUE(focusField(p->field(Panel::Date)));
    p->field(Panel::Date)->setCursorPosition(0);
    typeText(QStringLiteral("0503"));
    pressEnter();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("05.03.")));
    EXPECT_FALSE(people().isFiltered());

    p->field(Panel::Date)->setText(QStringLiteral("31.02.2026"));
    p->applyButton()->click();
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_FALSE(people().isFiltered());

    messages.shown.clear();
    p->field(Panel::Date)->clear();
    p->applyButton()->click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(people().filterText(), QStringLiteral("data_usl= '30.12.1899'"));
    EXPECT_EQ(people().recordCount(), 0);
}

TEST_F(SearchPanelTest, aPastedLongSurnameIsCutToTheColumnAndFindsNothing) {
    Panel* p = panel(7);
    show(p, Panel::Surname);
    QApplication::clipboard()->setText(QString(300, QChar(u'ж')));
    ASSERT_TRUE(focusField(p->field(Panel::Surname)));
    pressPaste();
    EXPECT_EQ(p->field(Panel::Surname)->text(), QStringLiteral("Ж") + QString(49, QChar(u'ж')));
    pressEnter();
    EXPECT_TRUE(messages.shown.empty()) << messageTexts().join('|').toStdString();
    EXPECT_EQ(people().recordCount(), 0);
    // Closing the refunds window gives the register back whole.
    app().window(7)->show();
    app().window(7)->close();
    EXPECT_FALSE(people().isFiltered());
}

} // namespace
} // namespace zorvel::test
