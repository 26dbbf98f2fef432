#pragma once

#include "tests/support/keyboard.h"
#include "tests/support/workstation_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

namespace zorvel::test {

// A started workstation with a small price list and a few departments, the contract clients' window
// (TForm5) shown and active.
class ClientsTest : public WorkstationTest {
protected:
    void SetUp() override;
    // Contract-client rows in the database before the start (see clientRow).
    virtual QStringList registerRows() const { return {}; }

    QWidget* clientsWindow() { return app().window(5); }
    template <typename T = QLineEdit> T* field(const char* objectName, int window = 5) {
        T* w = find<T>(objectName, window);
        EXPECT_NE(w, nullptr) << objectName;
        return w;
    }
    QComboBox* combo(const char* objectName, int window = 5) { return field<QComboBox>(objectName, window); }
    QString focused() const;
    void typeInto(const char* objectName, const QString& text, int window = 5);
    void click(const char* objectName, int window = 5);
    // The contract-client register as another workstation reads it after the commits: the columns joined
    // by "|", NULL as "<NULL>", in the order of saving.
    QStringList savedRows(const QString& columns);
    // Rows straight into the database before the start: (fam, nam, oth, organis, data_usl, summa, kol).
    static QString clientRow(const QString& fam, const QString& organisation, const QString& date,
                             const QString& price = QStringLiteral("100"), int quantity = 1);
    QStringList texts() const { return messages.texts(); }
};

} // namespace zorvel::test
