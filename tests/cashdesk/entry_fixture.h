#pragma once

#include "tests/support/keyboard.h"
#include "tests/support/workstation_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

namespace zorvel::test {

// A started workstation whose database holds a small price list and a few departments.
class EntryTest : public WorkstationTest {
protected:
    void SetUp() override;

    QLineEdit* edit(const char* objectName) { return find<QLineEdit>(objectName); }
    QComboBox* combo(const char* objectName) { return find<QComboBox>(objectName); }
    // The widget that has the keyboard focus, by its name (a combo box's own line edit counts as the box).
    QString focused() const;
    // Types into the field as a cashier does: focus, then key by key.
    void typeInto(const char* objectName, const QString& text);
    // Picks an entry of a list box from the keyboard, as a cashier does.
    void choose(const char* objectName, const QString& entry);
    // The committed register as another workstation reads it: the given columns of each row joined by
    // "|", NULL shown as "<NULL>", in the order of saving.
    QStringList savedRows(const QString& columns);
};

} // namespace zorvel::test
