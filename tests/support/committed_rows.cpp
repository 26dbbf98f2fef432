#include "tests/support/committed_rows.h"

#include "data/connection.h"
#include "data/sql_statement.h"
#include "data/win1251.h"

namespace zorvel::test {

QStringList committedRows(const QString& database, const QString& select) {
    Connection connection;
    connection.connect(database);
    connection.startTransaction();
    QStringList rows;
    {
        SqlStatement statement(connection);
        statement.prepare(select);
        statement.execute();
        while (statement.fetch()) {
            QStringList values;
            for (int i = 0; i < statement.columnCount(); ++i) {
                if (statement.isNull(i)) {
                    values << QStringLiteral("<NULL>");
                    continue;
                }
                QString value = fromWin1251(statement.value(i));
                if (statement.column(i).type == SQL_TEXT)
                    while (value.endsWith(u' '))
                        value.chop(1);
                values << value;
            }
            rows << values.join(u'|');
        }
    }
    connection.rollback();
    return rows;
}

} // namespace zorvel::test
