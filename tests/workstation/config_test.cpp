// put.ini as administrators write it: by hand on Linux (UTF-8), or carried over from a Windows
// workstation (Windows-1251, CRLF line ends).
#include "workstation/config.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zorvel::test {
namespace {

TEST(PutIni, aFileWrittenOnWindowsReadsLikeOneWrittenHere) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("put.ini"));
    const QString text = QStringLiteral(
        "; Рабочее место кассы\r\n[Put]\r\n1=сервер:/базы/Касса 2026.fdb\r\n2=D:\\Копии\\касса\r\n");
    struct Case {
        const char* encoding;
        QByteArray bytes;
    } cases[] = {
        {"windows-1251", QStringEncoder("windows-1251").encode(text)},
        {"UTF-8", text.toUtf8()},
    };
    for (const Case& c : cases) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        EXPECT_EQ(readIniValue(path, QStringLiteral("Put"), QStringLiteral("1")),
                  QStringLiteral("сервер:/базы/Касса 2026.fdb"))
            << c.encoding;
        EXPECT_EQ(readIniValue(path, QStringLiteral("Put"), QStringLiteral("2")),
                  QStringLiteral("D:\\Копии\\касса"))
            << c.encoding;
    }
}

} // namespace
} // namespace zorvel::test
