#pragma once

#include "data/connection.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace zorvel {

// The change journal the database keeps of the registers and the price list: the table CHANGE_LOG, its
// generator, its indexes, the triggers that write it in the same transaction as every change of PEOPLE,
// PEOPLEV, PEOPLECBUX, PRAIS and PRIHOD (whatever made the change), the triggers that refuse to edit it,
// and the roles ZORVEL_CASHIER and ZORVEL_ADMIN. The triggers are written from the tables' columns as the
// database has them, so a hospital's long-lived database (CHAR codes, columns of its own) is journaled
// whole.
struct JournalObject {
    QString kind; // "GENERATOR", "EXCEPTION", "TABLE", "INDEX", "TRIGGER", "ROLE"
    QString name;
    QString description() const { return kind + u' ' + name; }
};

// The one list, in the order of creation.
const std::vector<JournalObject>& journalObjects();

// The listed objects the database lacks.
std::vector<JournalObject> missingJournalObjects(Connection& connection);

// The statements that create the given objects (and their grants) on this database, written from its
// tables' columns.
QStringList journalStatements(Connection& connection, const std::vector<JournalObject>& objects);

// Creates the missing objects in the connection's transaction without committing; returns them.
std::vector<JournalObject> addMissingJournalObjects(Connection& connection);

// Tables the journal follows.
const QStringList& journaledTables();

// The widest CHANGES text; a longer one is cut and ends with kJournalCutMark.
inline constexpr int kJournalChangesWidth = 4000;
inline constexpr char kJournalCutMark[] = " [обрезано]";

// Roles.
inline constexpr char kCashierRole[] = "ZORVEL_CASHIER";
inline constexpr char kAdministratorRole[] = "ZORVEL_ADMIN";

// True when the database keeps the journal (every listed object is there).
bool journalKept(Connection& connection);

// Who the connected user is to the database.
struct UserRights {
    QString user;     // CURRENT_USER
    QString role;     // CURRENT_ROLE ("NONE" without one)
    QString heldRole; // the workstation's role granted to the user (administrator's first), or empty
    bool administrator = false; // SYSDBA, the database's owner, or granted ZORVEL_ADMIN
};
UserRights userRights(Connection& connection);

} // namespace zorvel
