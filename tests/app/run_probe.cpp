// The workstation's own run, with one service posted and not committed as soon as the main window shows:
// what a signal or a lost display does to such work is seen from outside. Prints "posted" when it is.
#include "app/application.h"
#include "app/run.h"
#include "data/dataset.h"

#include <cstdio>

int main(int argc, char** argv) {
    return zorvel::runWorkstation(argc, argv, [](zorvel::Application& app) {
        zorvel::DataSet& services = app.workstation().serviceRegister();
        services.insert();
        services.setFieldText(QStringLiteral("FAM"), qEnvironmentVariable("ZORVEL_PROBE_SURNAME"));
        services.setFieldText(QStringLiteral("DATA_USL"), QStringLiteral("05.03.2026"));
        services.setFieldText(QStringLiteral("TIME_US"), QStringLiteral("09:07:03"));
        services.post();
        std::printf("posted\n");
        std::fflush(stdout);
    });
}
