#include "tests/data/database_fixture.h"

#include "data/database_creation.h"
#include "tests/support/test_database.h"
#include "data/dataset.h"

namespace zorvel::test {

void DatabaseTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    path_ = dir_.filePath(QStringLiteral("test.fdb"));
    createTestDatabase(path_);
    connection_ = std::make_unique<Connection>();
    connection_->connect(path_);
    connection_->startTransaction();
}

std::unique_ptr<Connection> DatabaseTest::secondWorkstation() {
    auto other = std::make_unique<Connection>();
    other->connect(path_);
    other->startTransaction();
    return other;
}

QString DatabaseTest::scalar(Connection& connection, const QString& sql) {
    DataSet query(connection, QStringLiteral("scalar"));
    query.replaceSelect(sql);
    return query.atEnd() ? QString() : query.text(0, 0);
}

} // namespace zorvel::test
