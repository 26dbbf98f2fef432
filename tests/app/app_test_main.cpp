#include "app/guarded_application.h"

#include <QByteArray>

#include <gtest/gtest.h>

// The frame's tests run inside the workstation's own application object, which keeps an error of one event
// from ending the run.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    testing::InitGoogleTest(&argc, argv);
    zorvel::GuardedApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
