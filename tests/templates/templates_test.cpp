// Every template opens and has the cells that its documents rely on: the fixed texts and headings the
// documents are printed around, the formulas kept in the templates, and empty cells wherever the
// documents write. The templates are read from beside the test executable, where the build copies them.

#include "spreadsheet/cell_reference.h"
#include "spreadsheet/workbook.h"
#include "tests/support/golden_cells.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>

#include <gtest/gtest.h>

#include <ostream>

using namespace zorvel;

namespace {

// The payments report's file name begins with the Cyrillic letter о (U+043E), as the workstations know it.
const char* const OplataFile = "\u043Eplata.xlsx";

QString templatePath(const char* file) {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromUtf8(file));
}

Workbook openTemplate(const char* file) {
    const QString path = templatePath(file);
    if (!QFileInfo::exists(path))
        ADD_FAILURE() << "missing template " << path.toStdString();
    return Workbook::open(path);
}

struct TemplateCell {
    const char* file;
    int sheet;
    const char* cell;
    const char* text; // a text starting with "=" is the cell's formula
};

std::ostream& operator<<(std::ostream& out, const TemplateCell& c) {
    return out << c.file << " sheet " << c.sheet << " " << c.cell;
}

const char* const ContractLine = "Договор N______\nна оказание платных медицинских услуг";

// Texts the documents are printed around. The contract's first row stays as it is when no service is
// printed; the consumables balance sums from its heading row 2, so the headings there are texts; the
// staff-share report writes nothing into row 1 or columns A to F of rows 2 and 3.
const TemplateCell FixedCells[] = {
    // dental contract: one line on row 9, "Итого" on row 10, clause 3.2 on row 38
    {"zub.xlsx", 1, "A1", ContractLine},
    {"zub.xlsx", 1, "A4", "гражданин(ка)"},
    {"zub.xlsx", 1, "B8", "Наименование медицинской услуги"},
    {"zub.xlsx", 1, "L8", "Сумма, руб."},
    {"zub.xlsx", 1, "A36", "3. СТОИМОСТЬ РАБОТ И ПОРЯДОК РАСЧЕТОВ"},
    {"zub.xlsx", 1, "A50", "Исполнитель:"},
    {"zub.xlsx", 1, "G50", "Пациент:"},
    // polyclinic contract: services from row 9 in A, B, I, J, K
    {"polikl.xlsx", 1, "A1", ContractLine},
    {"polikl.xlsx", 1, "A4", "гражданин(ка)"},
    {"polikl.xlsx", 1, "A8", "№ п/п"},
    {"polikl.xlsx", 1, "B8", "Наименование медицинской услуги"},
    {"polikl.xlsx", 1, "I8", "Кол-во"},
    {"polikl.xlsx", 1, "J8", "Цена, руб."},
    {"polikl.xlsx", 1, "K8", "Сумма, руб."},
    {"polikl.xlsx", 1, "A36", "3. СТОИМОСТЬ УСЛУГ И ПОРЯДОК РАСЧЕТОВ"},
    {"polikl.xlsx", 1, "A50", "Исполнитель:"},
    {"polikl.xlsx", 1, "G50", "Пациент:"},
    // hospital contract: patient on row 6, services from row 13, the payment clause ends on row 41
    {"stac.xlsx", 1, "A1", ContractLine},
    {"stac.xlsx", 1, "A7", "(фамилия, имя, отчество пациента)"},
    {"stac.xlsx", 1, "B12", "Наименование медицинской услуги"},
    {"stac.xlsx", 1, "K12", "Сумма, руб."},
    {"stac.xlsx", 1, "A39", "3. СТОИМОСТЬ УСЛУГ И ПОРЯДОК ОПЛАТЫ"},
    {"stac.xlsx", 1, "A40",
     "3.1. Стоимость медицинских услуг определяется прейскурантом Исполнителя. Оплата по настоящему договору "
     "производится Пациентом в кассу Исполнителя при поступлении в стационар"},
    {"stac.xlsx", 1, "A48", "Исполнитель:"},
    {"stac.xlsx", 1, "G48", "Пациент:"},
    // consent
    {"soglas.xlsx", 1, "A3", "ИНФОРМИРОВАННОЕ ДОБРОВОЛЬНОЕ СОГЛАСИЕ"},
    {"soglas.xlsx", 1, "A7", "Я,"},
    {"soglas.xlsx", 1, "A14", "5. Я даю согласие на оказание мне следующих платных медицинских услуг:"},
    {"soglas.xlsx", 1, "A20", "Пациент:"},
    {"soglas.xlsx", 1, "A23", "Отделение:"},
    {"soglas.xlsx", 1, "A24", "Лечащий врач (фамилия, инициалы):"},
    // bill: the one line's total in K20 carries the totals below it
    {"schet.xlsx", 1, "B11", "Сумма счета, руб.:"},
    {"schet.xlsx", 1, "C19", "Наименование работ, услуг"},
    {"schet.xlsx", 1, "K19", "Сумма, руб."},
    {"schet.xlsx", 1, "K21", "=K20"},
    {"schet.xlsx", 1, "K23", "=K20"},
    {"schet.xlsx", 1, "B24", "Сумма прописью:"},
    // invoice: its table takes the bill's total
    {"schet.xlsx", 2, "A14", "Продавец: Государственное бюджетное учреждение «Квелдор»"},
    {"schet.xlsx", 2, "A26", "Наименование товара (описание выполненных работ, оказанных услуг)"},
    {"schet.xlsx", 2, "I26", "Стоимость с налогом — всего, руб."},
    {"schet.xlsx", 2, "E27", "='Счет'!K20"},
    {"schet.xlsx", 2, "I28", "=I27"},
    // waybill: the table head on row 17 above the services from row 18
    {"schet.xlsx", 3, "A16", "Оказаны следующие медицинские услуги:"},
    {"schet.xlsx", 3, "A17", "Наименование услуги"},
    {"schet.xlsx", 3, "B17", "Количество"},
    {"schet.xlsx", 3, "C17", "Цена, руб."},
    {"schet.xlsx", 3, "D17", "Сумма, руб."},
    // register appendix: the table head on row 6, above the lines from row 7
    {"schet.xlsx", 5, "K1", "Приложение"},
    {"schet.xlsx", 5, "A6", "№ п/п"},
    {"schet.xlsx", 5, "B6", "Фамилия, имя, отчество"},
    {"schet.xlsx", 5, "F6", "Дата оказания услуги"},
    {"schet.xlsx", 5, "H6", "Наименование услуги"},
    {"schet.xlsx", 5, "K6", "Сумма, руб."},
    {"schet.xlsx", 5, "L6", "Врач (медсестра)"},
    // register of treated persons: rows 1 and 2 above the lines from row 3
    {"dreestr.xlsx", 1, "A1",
     "Реестр пролеченных больных (платные медицинские услуги по договорам с организациями)"},
    {"dreestr.xlsx", 1, "B2", "Фамилия"},
    {"dreestr.xlsx", 1, "F2", "Направление (№, дата)"},
    {"dreestr.xlsx", 1, "J2", "Наименование услуги"},
    {"dreestr.xlsx", 1, "M2", "Стоимость, руб."},
    {"dreestr.xlsx", 1, "O2", "Медсестра"},
    // debts list: headings on row 1 above the list from row 2
    {"dolg.xlsx", 1, "B1", "№ договора"},
    {"dolg.xlsx", 1, "F1", "Оплачено, руб."},
    {"dolg.xlsx", 1, "G1", "Сумма по договору, руб."},
    {"dolg.xlsx", 1, "H1", "Осталось к оплате, руб."},
    {"dolg.xlsx", 1, "I1", "Дата последнего платежа"},
    {"journal.xlsx", 1, "A1", "Дата и время"},
    {"journal.xlsx", 1, "B1", "Пользователь"},
    {"journal.xlsx", 1, "G1", "№ договора"},
    {"journal.xlsx", 1, "H1", "Изменения"},
    // cash report: headings on row 2 above the services from row 3
    {"kassa.xlsx", 1, "A1", "Отчет по кассе по договорам на оказание платных медицинских услуг"},
    {"kassa.xlsx", 1, "B2", "Фамилия"},
    {"kassa.xlsx", 1, "G2", "Наименование услуги"},
    {"kassa.xlsx", 1, "N2", "Код отделения"},
    {"kassa.xlsx", 1, "R2", "Сумма, руб."},
    {"kassa.xlsx", 1, "V2", "Проверен"},
    // payments report
    {OplataFile, 1, "A1", "Отчет по оплате медицинских услуг"},
    {OplataFile, 1, "G2", "Сумма по договору, руб."},
    {OplataFile, 1, "H2", "Оплачено, руб."},
    {OplataFile, 1, "I2", "Осталось к оплате, руб."},
    // used services: the title with the period goes to A1
    {"plan.xlsx", 1, "B2", "№ услуги"},
    {"plan.xlsx", 1, "C2", "Наименование услуги"},
    {"plan.xlsx", 1, "D2", "Количество"},
    {"plan.xlsx", 1, "F2", "Сумма, руб."},
    // consumables balance: all seven headings in row 2
    {"linz.xlsx", 1, "A2", "№ п/п"},
    {"linz.xlsx", 1, "B2", "Код"},
    {"linz.xlsx", 1, "C2", "Наименование расходного материала"},
    {"linz.xlsx", 1, "D2", "Поступило"},
    {"linz.xlsx", 1, "E2", "Израсходовано"},
    {"linz.xlsx", 1, "F2", "Остаток"},
    {"linz.xlsx", 1, "G2", "Цена, руб."},
    // staff-share report: row 1 and columns A to F of rows 2 and 3
    {"oftalmolog.xlsx", 1, "A1",
     "Распределение сумм на оплату труда по врачам и медицинским сестрам за оказанные платные медицинские "
     "услуги"},
    {"oftalmolog.xlsx", 1, "A2", "№ п/п"},
    {"oftalmolog.xlsx", 1, "B2", "Дата услуги"},
    {"oftalmolog.xlsx", 1, "C2", "№ договора"},
    {"oftalmolog.xlsx", 1, "D2", "Ф.И.О. пациента"},
    {"oftalmolog.xlsx", 1, "E2", "Сумма по договору, руб."},
    {"oftalmolog.xlsx", 1, "F2", "Сумма на оплату труда, руб."},
};

class FixedCell : public ::testing::TestWithParam<TemplateCell> {};

TEST_P(FixedCell, HoldsItsText) {
    const TemplateCell& c = GetParam();
    const Workbook book = openTemplate(c.file);
    test::expectCells(book.sheet(c.sheet), {{c.cell, c.text}}, c.file, test::CellText::Displayed);
}

INSTANTIATE_TEST_SUITE_P(Templates, FixedCell, ::testing::ValuesIn(FixedCells));

struct TemplateRange {
    const char* file;
    int sheet;
    const char* range;
};

std::ostream& operator<<(std::ostream& out, const TemplateRange& r) {
    return out << r.file << " sheet " << r.sheet << " " << r.range;
}

// Cells the documents write: a value left in any of them would show through or be summed.
const TemplateRange WrittenCells[] = {
    {"zub.xlsx", 1, "I2"},
    {"zub.xlsx", 1, "E4"},
    {"zub.xlsx", 1, "A9:L10"},
    {"zub.xlsx", 1, "A38"},
    {"zub.xlsx", 1, "G52:G54"},
    {"zub.xlsx", 1, "G57:G58"},
    {"polikl.xlsx", 1, "I2"},
    {"polikl.xlsx", 1, "E4"},
    {"polikl.xlsx", 1, "A9:L19"},
    {"polikl.xlsx", 1, "A38"},
    {"polikl.xlsx", 1, "G52:G54"},
    {"polikl.xlsx", 1, "G57:G58"},
    {"stac.xlsx", 1, "I2"},
    {"stac.xlsx", 1, "A6"},
    {"stac.xlsx", 1, "A13:L22"},
    {"stac.xlsx", 1, "A41"},
    {"stac.xlsx", 1, "G50:G52"},
    {"stac.xlsx", 1, "G55:G56"},
    {"soglas.xlsx", 1, "A2"},
    {"soglas.xlsx", 1, "G5"},
    {"soglas.xlsx", 1, "B7"},
    {"soglas.xlsx", 1, "A15"},
    {"soglas.xlsx", 1, "B20"},
    {"soglas.xlsx", 1, "B23"},
    {"soglas.xlsx", 1, "F24"},
    {"schet.xlsx", 1, "B9"},
    {"schet.xlsx", 1, "K11"},
    {"schet.xlsx", 1, "B12:K17"},
    {"schet.xlsx", 1, "K20"},
    {"schet.xlsx", 1, "B25"},
    {"schet.xlsx", 2, "A11"},
    {"schet.xlsx", 2, "A20:I25"},
    {"schet.xlsx", 2, "A30"},
    {"schet.xlsx", 3, "A1"},
    {"schet.xlsx", 3, "A10:G15"},
    {"schet.xlsx", 3, "A18:G60"},
    {"schet.xlsx", 4, "A1:F60"},
    {"schet.xlsx", 5, "K2:K3"},
    {"schet.xlsx", 5, "D4:D5"},
    {"schet.xlsx", 5, "A7:L60"},
    {"dreestr.xlsx", 1, "A3:O60"},
    {"dolg.xlsx", 1, "A2:R60"},
    {"journal.xlsx", 1, "A2:H60"},
    {"kassa.xlsx", 1, "A3:V60"},
    {OplataFile, 1, "A3:R60"},
    {"plan.xlsx", 1, "A1"},
    {"plan.xlsx", 1, "A3:F60"},
    {"linz.xlsx", 1, "A1"},
    {"linz.xlsx", 1, "A3:G60"},
    {"rashzub.xlsx", 1, "A1:I60"},
    {"econom.xlsx", 1, "A1:U60"},
    {"oftalmolog.xlsx", 1, "G2:AZ3"},
    {"oftalmolog.xlsx", 1, "A4:AZ60"},
    {"comb.xlsx", 1, "A1:AB60"},
};

class WrittenRange : public ::testing::TestWithParam<TemplateRange> {};

TEST_P(WrittenRange, IsEmpty) {
    const TemplateRange& r = GetParam();
    const Workbook book = openTemplate(r.file);
    const Worksheet& sheet = book.sheet(r.sheet);
    const RangePosition range = parseRange(QString::fromLatin1(r.range));
    for (int row = range.firstRow; row <= range.lastRow; ++row)
        for (int column = range.firstColumn; column <= range.lastColumn; ++column)
            EXPECT_TRUE(sheet.cellValue(row, column).isEmpty() && sheet.cellFormula(row, column).isEmpty())
                << cellName(row, column).toStdString() << " holds \""
                << sheet.cellValue(row, column).toStdString() << "\"";
}

INSTANTIATE_TEST_SUITE_P(Templates, WrittenRange, ::testing::ValuesIn(WrittenCells));

struct PageLayout {
    const char* file;
    int sheet;
    bool landscape;
};

std::ostream& operator<<(std::ostream& out, const PageLayout& p) {
    return out << p.file << " sheet " << p.sheet;
}

// Every sheet prints one page wide; the wide reports and registers print across the page.
const PageLayout Pages[] = {
    {"zub.xlsx", 1, false},     {"polikl.xlsx", 1, false}, {"stac.xlsx", 1, false},
    {"soglas.xlsx", 1, false},  {"schet.xlsx", 1, false},  {"schet.xlsx", 2, true},
    {"schet.xlsx", 3, false},   {"schet.xlsx", 4, false},  {"schet.xlsx", 5, true},
    {"dreestr.xlsx", 1, true},  {"dolg.xlsx", 1, false},   {"kassa.xlsx", 1, true},
    {OplataFile, 1, false},     {"plan.xlsx", 1, false},   {"linz.xlsx", 1, false},
    {"rashzub.xlsx", 1, false}, {"econom.xlsx", 1, true},  {"oftalmolog.xlsx", 1, true},
    {"comb.xlsx", 1, true},     {"journal.xlsx", 1, true},
};

class PrintedPage : public ::testing::TestWithParam<PageLayout> {};

TEST_P(PrintedPage, FitsOnePageWide) {
    const PageLayout& p = GetParam();
    const Workbook book = openTemplate(p.file);
    const Worksheet& sheet = book.sheet(p.sheet);
    EXPECT_TRUE(sheet.fitsToPageWidth());
    EXPECT_EQ(sheet.isLandscape(), p.landscape);
}

INSTANTIATE_TEST_SUITE_P(Templates, PrintedPage, ::testing::ValuesIn(Pages));

// Table heads above the columns the documents fill are boxed, so the filled lines read as one table.
const TemplateRange BoxedHeads[] = {
    {"zub.xlsx", 1, "A8:L8"},     {"polikl.xlsx", 1, "A8:L8"},  {"stac.xlsx", 1, "A12:L12"},
    {"schet.xlsx", 1, "B19:K19"}, {"schet.xlsx", 2, "A26:I26"}, {"schet.xlsx", 3, "A17:D17"},
    {"schet.xlsx", 5, "A6:L6"},   {"dreestr.xlsx", 1, "A2:O2"}, {"dolg.xlsx", 1, "A1:I1"},
    {"journal.xlsx", 1, "A1:H1"}, {"kassa.xlsx", 1, "A2:V2"},   {OplataFile, 1, "A2:I2"},
    {"plan.xlsx", 1, "A2:F2"},    {"linz.xlsx", 1, "A2:G2"},
};

class TableHead : public ::testing::TestWithParam<TemplateRange> {};

TEST_P(TableHead, IsBoldAndBoxed) {
    const TemplateRange& r = GetParam();
    const Workbook book = openTemplate(r.file);
    const Worksheet& sheet = book.sheet(r.sheet);
    const RangePosition range = parseRange(QString::fromLatin1(r.range));
    for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
        const CellStyle style = sheet.cellStyle(range.firstRow, column);
        EXPECT_TRUE(style.bold && style.bordered) << cellName(range.firstRow, column).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Templates, TableHead, ::testing::ValuesIn(BoxedHeads));

} // namespace

int main(int argc, char** argv) {
    // The templates lie beside the executable, as they lie beside the workstation's.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
