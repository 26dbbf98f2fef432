// The WIN1251 conversion at the client library's boundary agrees with Qt's converter for every byte.

#include "data/win1251.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <gtest/gtest.h>

namespace zorvel {
namespace {

TEST(Win1251, everyByteReadsAndWritesAsQtsConverterDoesIt) {
    QByteArray all;
    for (int b = 1; b <= 0xFF; ++b)
        all.append(static_cast<char>(b));
    QStringDecoder decoder("windows-1251");
    const QString expected = decoder.decode(all);
    const QString decoded = fromWin1251(std::string_view(all.constData(), static_cast<size_t>(all.size())));
    EXPECT_EQ(decoded, expected);
    QStringEncoder encoder("windows-1251");
    EXPECT_EQ(toWin1251(decoded), encoder.encode(decoded));
    // Characters the code page lacks go through the converter.
    const QString foreign = QStringLiteral("Д'Артаньян €α中");
    QStringEncoder again("windows-1251");
    EXPECT_EQ(toWin1251(foreign), again.encode(foreign));
    EXPECT_EQ(fromWin1251(""), QString());
    QStringEncoder empty("windows-1251");
    const QByteArray before = empty.encode(QString());
    EXPECT_EQ(toWin1251(QString()).isNull(), before.isNull());
    EXPECT_TRUE(toWin1251(QString()).isEmpty());
}

} // namespace
} // namespace zorvel
