#pragma once

#include "tests/support/golden_cells.h"
#include "tests/support/libre_office_sheet.h"
#include "tests/support/workstation_fixture.h"

#include <QString>
#include <QStringList>

class QTableWidget;

namespace zorvel {
class ContractWindow;
class Worksheet;
} // namespace zorvel

namespace zorvel::test {

// One services register record as the contract tests insert it.
struct Service {
    QString surname = QStringLiteral("Иванов");
    QString name = QStringLiteral("Иван");
    QString patronymic = QStringLiteral("Иванович");
    QString date = QStringLiteral("05.03.2026");
    QString contract = QStringLiteral("17");
    QString service;
    QString quantity = QStringLiteral("1");
    QString price;
    QString kindOfCare = QStringLiteral("Поликлиника");
    QString department = QStringLiteral("Кабинет хирурга");
    QString doctor = QStringLiteral("Сидоров С.С.");
    QString code = QStringLiteral("101");
    QString time = QStringLiteral("09:00:00");
    QString series = QStringLiteral("4509");
    QString number = QStringLiteral("123456");
    QString issuedBy = QStringLiteral("ОВД Центрального района");
    QString address = QStringLiteral("ул. Ленина, 1");
};

// A workstation whose register holds the given records, with the contract window at hand.
class ContractTest : public WorkstationTest {
protected:
    // Inserts the records (before start()).
    void insert(const std::vector<Service>& services);
    // Makes the record of that surname, contract and service current in the register.
    void standOn(const QString& surname, const QString& contract, const QString& service);
    // "печать договора" from the main window's register tab.
    void requestContract();
    ContractWindow& contractWindow();
    QTableWidget* grid();
    // Selects "Вывод в EXCEL без сохранения".
    void chooseShowing();
    void pressPrint();
};

} // namespace zorvel::test
