#include "consumables/combined_statement.h"

#include "consumables/stock_reports.h"

#include <QRegularExpression>

namespace zorvel {

namespace {

const char* const kColumns =
    "fam,nam,oth,SERIA,NOMER,VIDAN,ADRESS,NDOG,TIP_POM,OTDELENIE,FIOV,MEDSESTR,TEHN,"
    "DATNAR,NOMNAR,DATA_USL,TIME_US,DATAISP,KODGVV,KOD,SIMV,KOL,NAME,SUMMA,PROVER,CHOPL";

} // namespace

QString defaultSelectClause() {
    return QStringLiteral("select ") + QString::fromLatin1(kColumns) + QStringLiteral(" from people");
}

QString defaultGroupClause() {
    return QStringLiteral("group by ") + QString::fromLatin1(kColumns);
}

QString combinedStatement(const CombinedTexts& texts, const QString& from, const QString& to) {
    const QString group = texts.group.isEmpty() ? defaultGroupClause() : texts.group;
    QString condition;
    if (!texts.condition.isEmpty())
        condition = texts.condition + QStringLiteral(" and ") + QStringLiteral("cast(data_usl as date)>=") +
                    sqlLiteral(from) + QStringLiteral(" and  cast(data_usl as date)<=") + sqlLiteral(to);
    else
        condition = QStringLiteral("where  cast(data_usl as date)>=") + sqlLiteral(from) +
                    QStringLiteral(" and  cast(data_usl as date)<=") + sqlLiteral(to);
    const QString select = texts.select.isEmpty() ? defaultSelectClause() : texts.select;
    return select + u' ' + condition + u' ' + group;
}

QString sortedStatement(const QString& base, const QString& field, int position) {
    static const QStringList registerColumns = QString::fromLatin1(kColumns).toUpper().split(u',');
    const QString column = registerColumns.contains(field.toUpper()) ? field : QString::number(position);
    return base + QStringLiteral("order by ") + column;
}

const std::vector<VisibleField>& visibleFields() {
    static const std::vector<VisibleField> fields = {
        {"sCB1", "Фамилия", "fam, "},
        {"sCB2", "Имя", "nam, "},
        {"sCB3", "Отчество", "oth, "},
        {"sCB4", "Серия паспорта", "SERIA, "},
        {"sCB5", "Номер паспорта", "NOMER, "},
        {"sCB6", "Кем выдан", "VIDAN, "},
        {"sCB7", "Адрес", "ADRESS, "},
        {"sCB8", "№ договора", "NDOG, "},
        {"sCB9", "Тип помощи", "TIP_POM, "},
        {"sCB10", "Отделение", "OTDELENIE, "},
        {"sCB11", "Доктор", "FIOV, "},
        {"sCB12", "Медсестра", "MEDSESTR, "},
        {"sCB13", "Техник", "TEHN, "},
        {"sCB14", "Дата наряда", "DATNAR, "},
        {"sCB15", "Номер наряда", "NOMNAR, "},
        {"sCB16", "Дата услуги", "DATA_USL, "},
        {"sCB17", "Время услуги", "TIME_US, "},
        {"sCB18", "Дата исправления", "DATAISP, "},
        {"sCB19", "№ услуги", "KODGVV, "},
        {"sCB20", "Код", "KOD, "},
        {"sCB21", "Д\\м", "SIMV, "},
        {"sCB22", "Количество", "KOL, "},
        {"sCB23", "Наименование услуги", "NAME, "},
        {"sCB24", "Сумма", "SUMMA, "},
        {"sCB25", "Проверен", "PROVER, "},
        {"sCB26", "Частичная оплата", "CHOPL, "},
    };
    return fields;
}

VisibleTexts visibleTexts(const QStringList& pieces) {
    const QString list = pieces.join(QString());
    VisibleTexts texts;
    texts.select = QStringLiteral("select ") + list +
                   QStringLiteral("cast(summa as numeric (7,2))*sum(kol), sum(kol)") +
                   QStringLiteral(" from people");
    texts.group = QStringLiteral("group by ") + list.left(std::max<qsizetype>(list.size() - 2, 0));
    return texts;
}

const std::vector<FieldFilter>& fieldFilters() {
    static const std::vector<FieldFilter> filters = {
        {"sCB1", "Фамилия", "sComboBox1", "fam=", false},
        {"sCB2", "Имя", "sComboBox2", "nam=", false},
        {"sCB3", "Отчество", "sComboBox3", "oth=", false},
        {"sCB4", "Серия паспорта", "sComboBox4", "SERIA=", false},
        {"sCB5", "Номер паспорта", "sComboBox5", "NOMER=", false},
        {"sCB6", "Кем выдан", "sComboBox6", "VIDAN=", false},
        {"sCB7", "Адрес", "sComboBox7", "ADRESS=", false},
        {"sCB8", "№ договора", "sComboBox8", "NDOG=", false},
        {"sCB9", "Тип помощи", "sComboBox9", "TIP_POM=", false},
        {"sCB10", "Отделение", "sComboBox10", "OTDELENIE=", false},
        {"sCB11", "Доктор", "sComboBox11", "FIOV=", false},
        {"sCB12", "Медсестра", "sComboBox12", "MEDSESTR=", false},
        {"sCB13", "Техник", "sComboBox13", "TEHN=", false},
        {"sCB14", "Дата наряда", "sDateEdit1", "cast(DATNAR as date)=", true},
        {"sCB15", "Номер наряда", "sComboBox15", "NOMNAR=", false},
        {"sCB16", "Дата услуги", "sDateEdit2", "cast(data_usl as date)=", true},
        {"sCB18", "Дата исправления", "sDateEdit3", "cast(DATAISP as date)=", true},
        {"sCB19", "№ услуги", "sComboBox21", "KODGVV=", false},
        {"sCB20", "Код", "sComboBox22", "KOD=", false},
        {"sCB21", "Д\\м", "sComboBox23", "SIMV=", false},
        {"sCB22", "Количество", "sComboBox24", "KOL=", false},
        {"sCB23", "Наименование услуги", "sComboBox25", "NAME=", false},
        {"sCB24", "Сумма", "sComboBox26", "SUMMA=", false},
        {"sCB25", "Проверен", "sComboBox19", "PROVER=", false},
        {"sCB26", "Частичная оплата", "sComboBox20", "CHOPL=", false},
    };
    return filters;
}

QString conditionText(const std::vector<std::pair<QString, QString>>& conditions) {
    if (conditions.empty())
        return {};
    QString text = QStringLiteral("where ");
    bool first = true;
    for (const auto& [column, value] : conditions) {
        if (!first)
            text += QStringLiteral(" and ");
        text += column + sqlLiteral(value);
        first = false;
    }
    return text;
}

QString combinedColumnTitle(const QString& name) {
    static const std::vector<std::pair<const char*, const char*>> titles = {
        {"IPEOP", "№"},
        {"FAM", "Фамилия"},
        {"NAM", "Имя"},
        {"OTH", "Отчество"},
        {"SERIA", "Серия"},
        {"NOMER", "№"},
        {"VIDAN", "Кем выдан"},
        {"ADRESS", "Адрес"},
        {"NDOG", "№ договора"},
        {"TIP_POM", "Вид помощи"},
        {"OTDELENIE", "Отделение"},
        {"FIOV", "Доктор"},
        {"MEDSESTR", "Медсестра"},
        {"TEHN", "Техник"},
        {"DATNAR", "Дата наряда"},
        {"NOMNAR", "№ наряда"},
        {"DATA_USL", "Дата услуги"},
        {"TIME_US", "Время оплаты услуги"},
        {"DATAISP", "Дата исправления"},
        {"KODGVV", "№ услуги"},
        {"KOD", "Код"},
        {"SIMV", "Д/м"},
        {"KOL", "Количество"},
        {"NAME", "Наименование услуги"},
        {"SUMMA", "Сумма"},
        {"PROVER", "Проверен"},
        {"CHOPL", "Сколько оплачено"},
        {"SUM", "Сумма"},
    };
    for (const auto& [column, title] : titles)
        if (name == QLatin1String(column))
            return QString::fromUtf8(title);
    return name;
}

} // namespace zorvel
