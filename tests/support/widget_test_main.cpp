#include <QApplication>
#include <QByteArray>

#include <gtest/gtest.h>

// Widget tests need a QApplication and no display: the offscreen platform, unless the caller chose one
// (QT_QPA_PLATFORM=xcb to watch the windows).
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
