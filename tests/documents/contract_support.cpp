#include "tests/documents/contract_support.h"

#include "data/dataset.h"
#include "data/filter.h"
#include "documents/contract_window.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

namespace zorvel::test {

void ContractTest::insert(const std::vector<Service>& services) {
    QStringList statements;
    for (const Service& s : services) {
        QStringList values;
        for (const QString& v :
             {s.surname, s.name, s.patronymic, s.date, s.contract, s.service, s.price, s.kindOfCare,
              s.department, s.doctor, s.code, s.time, s.series, s.number, s.issuedBy, s.address})
            values << (v.isEmpty() ? QStringLiteral("NULL") : quotedValue(v));
        statements << QStringLiteral(
                          "insert into people (ipeop, fam, nam, oth, data_usl, ndog, name, summa, "
                          "tip_pom, otdelenie, fiov, kodgvv, time_us, seria, nomer, vidan, adress, "
                          "kol) values (null, %1, %2)")
                          .arg(values.join(QStringLiteral(", ")),
                               s.quantity.isEmpty() ? QStringLiteral("NULL") : s.quantity);
    }
    prepare(statements);
}

void ContractTest::standOn(const QString& surname, const QString& contract, const QString& service) {
    DataSet& reg = app().workstation().serviceRegister();
    ASSERT_TRUE(reg.locate(QStringLiteral("FAM;NDOG;NAME"), {surname, contract, service}));
}

void ContractTest::requestContract() {
    // "Печать" on the register tab ("печать договора").
    auto* print = find<QPushButton>("sBitBtn6");
    ASSERT_NE(print, nullptr);
    print->click();
}

ContractWindow& ContractTest::contractWindow() {
    return *static_cast<ContractWindow*>(app().window(2));
}

QTableWidget* ContractTest::grid() {
    return find<QTableWidget>("StringGrid1", 2);
}

void ContractTest::chooseShowing() {
    find<QRadioButton>("sRadioButton2", 2)->click();
}

void ContractTest::pressPrint() {
    find<QPushButton>("sBitBtn5", 2)->click();
}

} // namespace zorvel::test
