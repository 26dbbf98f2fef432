#include "data/tables.h"

#include <QStringList>

namespace zorvel {

namespace {

ColumnDescription text(const char* name, int width, const char* label) {
    return {QString::fromLatin1(name), ColumnType::Text, width, QString::fromUtf8(label)};
}
ColumnDescription integer(const char* name, const char* label) {
    return {QString::fromLatin1(name), ColumnType::Integer, 0, QString::fromUtf8(label)};
}

// The first 22 columns are shared by the services register, the refunded register and the contract
// clients' register.
std::vector<ColumnDescription> registerHead() {
    return {
        integer("IPEOP", "№"),
        text("FAM", 50, "Фамилия"),
        text("NAM", 50, "Имя"),
        text("OTH", 50, "Отчество"),
        text("KODGVV", 5, "№ услуги"),
        text("DATA_USL", 10, "Дата услуги"),
        text("NAME", 200, "Наименование услуги"),
        text("KOD", 9, "Код"),
        text("SUMMA", 10, "Сумма"),
        text("TIME_US", 10, "Время услуги"),
        text("FIOV", 50, "Доктор"),
        text("OTDELENIE", 60, "Отделение"),
        text("TIP_POM", 18, "Тип помощи"),
        integer("KOL", "Количество"),
        text("NDOG", 6, "№ договора"),
        text("SIMV", 2, "Д\\м"),
        text("DATAISP", 10, "Дата исправления"),
        text("MEDSESTR", 50, "Медсестра"),
        text("SERIA", 4, "Серия"),
        text("NOMER", 15, "№ паспорта"),
        text("VIDAN", 50, "Выдан"),
        text("ADRESS", 70, "Адрес"),
    };
}

std::vector<ColumnDescription> registerTail(bool withSurcharge) {
    std::vector<ColumnDescription> c = {
        text("TEHN", 50, "Техник"),    text("CHOPL", 10, "Частичная оплата"), text("PROVER", 3, "Проверено"),
        text("NOMNAR", 6, "№ наряда"), text("DATNAR", 10, "Дата наряда"),
    };
    if (withSurcharge)
        c.push_back(text("DOPOLN", 10, "Доплата"));
    return c;
}

TableDescription make(const char* table, const char* key, std::vector<ColumnDescription> columns,
                      QString keyCondition = {}) {
    TableDescription t;
    t.table = QString::fromLatin1(table);
    t.key = QString::fromLatin1(key);
    t.keyCondition = keyCondition.isEmpty() ? t.key + QStringLiteral(" = ?") : keyCondition;
    t.columns = std::move(columns);
    return t;
}

QStringList names(const TableDescription& t) {
    QStringList list;
    for (const auto& c : t.columns)
        list << c.name;
    return list;
}

} // namespace

int TableDescription::keyIndex() const {
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name == key)
            return static_cast<int>(i);
    return -1;
}

QString TableDescription::selectSql() const {
    return QStringLiteral("SELECT %1 FROM %2").arg(names(*this).join(QStringLiteral(", ")), table);
}

QString TableDescription::insertSql() const {
    QStringList marks;
    for (size_t i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING %4")
        .arg(table, names(*this).join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")), key);
}

QString TableDescription::updateSql() const {
    QStringList sets;
    for (const auto& c : columns)
        if (c.name != key)
            sets << c.name + QStringLiteral(" = ?");
    return QStringLiteral("UPDATE %1 SET %2 WHERE %3")
        .arg(table, sets.join(QStringLiteral(", ")), keyCondition);
}

QString TableDescription::deleteSql() const {
    return QStringLiteral("DELETE FROM %1 WHERE %2").arg(table, keyCondition);
}

QString TableDescription::refreshSql() const {
    QString condition = keyCondition;
    if (!condition.contains('.'))
        condition = table + '.' + condition;
    return QStringLiteral("SELECT %1 FROM %2 WHERE %3")
        .arg(names(*this).join(QStringLiteral(", ")), table, condition);
}

const TableDescription& praisTable() {
    static const TableDescription t = make("PRAIS", "IDP",
                                           {integer("IDP", "№"), text("SIMV", 2, "Символ"),
                                            text("KOD", 9, "Код"), text("NAME", 200, "Наименование услуги"),
                                            text("KODGVV", 5, "Код услуги"), text("SUMMA", 10, "Сумма")});
    return t;
}

const TableDescription& peopleTable() {
    static const TableDescription t = [] {
        auto columns = registerHead();
        for (auto& c : registerTail(true))
            columns.push_back(c);
        return make("PEOPLE", "IPEOP", std::move(columns));
    }();
    return t;
}

const TableDescription& otdelTable() {
    static const TableDescription t = make(
        "OTDEL", "ID_O",
        {integer("ID_O", "№"), text("NAME", 60, "Название отделения"), text("KOD", 10, "Код отделения")});
    return t;
}

const TableDescription& peopleCbuxTable() {
    static const TableDescription t = [] {
        auto columns = registerHead();
        columns.push_back(text("SUMMAO", 10, "Сумма оплаты"));
        columns.push_back(text("DATAO", 10, "Дата оплаты"));
        columns.push_back(text("TEHN", 50, "Техник"));
        columns.push_back(text("CHOPL", 10, "Частичная оплата"));
        columns.push_back(text("PROVER", 3, "Проверено"));
        columns.push_back(text("NOMNAR", 6, "№ наряда"));
        columns.push_back(text("DATANAR", 10, "Дата наряда"));
        columns.push_back(text("ORGANIS", 150, "Организация"));
        columns.push_back(text("NOMNAPR", 5, "№ направления"));
        columns.push_back(text("DATNAPR", 10, "Дата направления"));
        return make("PEOPLECBUX", "IPEOP", std::move(columns));
    }();
    return t;
}

const TableDescription& peopleVTable() {
    static const TableDescription t = [] {
        auto columns = registerHead();
        for (auto& c : registerTail(false))
            columns.push_back(c);
        return make("PEOPLEV", "IPEOP", std::move(columns));
    }();
    return t;
}

const TableDescription& prihodTable() {
    static const TableDescription t =
        make("PRIHOD", "IDP",
             {integer("IDP", "№"), text("DATAP", 10, "Дата получения"), text("NOMU", 10, "NOMU"),
              text("NAME", 50, "Наименование расходника"), text("SUMMA", 10, "Цена расходника"),
              integer("KOL", "Количество"), text("KOD", 5, "Код"), text("NONAKL", 5, "№ накладной"),
              text("DNAKL", 10, "Дата накладной")},
             QStringLiteral("prihod.IDp = ?"));
    return t;
}

const std::vector<const TableDescription*>& allTables() {
    static const std::vector<const TableDescription*> all = {
        &praisTable(), &peopleTable(), &otdelTable(), &peopleCbuxTable(), &peopleVTable(), &prihodTable()};
    return all;
}

} // namespace zorvel
