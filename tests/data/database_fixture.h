#pragma once

#include "data/connection.h"
#include "tests/support/print_to.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace zorvel::test {

// A fresh embedded database made from the schema script in a temporary folder, with one connection
// (the workstation's) and its transaction started.
class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override;
    QString databasePath() const { return path_; }
    Connection& connection() { return *connection_; }
    // Another workstation on the same database.
    std::unique_ptr<Connection> secondWorkstation();
    // One value of a single-row query, as text; empty for NULL.
    QString scalar(Connection& connection, const QString& sql);

private:
    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<Connection> connection_;
};

} // namespace zorvel::test
