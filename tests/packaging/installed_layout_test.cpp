// The program as a package installs it: `cmake --install` stages the build into a temporary root (what
// the Debian package holds), and the staged commands run from there find their own templates, help and
// configuration, not the build folder's.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {

struct Finished {
    int exitCode = -1;
    QString output;
};

Finished run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    Finished result;
    if (!process.waitForFinished(300000)) {
        process.kill();
        process.waitForFinished();
        result.output = QStringLiteral("did not finish");
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromUtf8(process.readAll());
    return result;
}

class InstalledLayoutTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        root = new QTemporaryDir;
        ASSERT_TRUE(root->isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DESTDIR"), root->path());
        const Finished install =
            run(QStringLiteral(ZORVEL_CMAKE), {QStringLiteral("--install"), QStringLiteral(ZORVEL_BUILD_DIR)},
                environment);
        ASSERT_EQ(install.exitCode, 0) << install.output.toStdString();
    }
    static void TearDownTestSuite() {
        delete root;
        root = nullptr;
    }
    // A path of the installed system, inside the staging root.
    static QString installed(const QString& path) { return root->path() + path; }
    static QString prefix(const char* path) {
        return installed(QStringLiteral(ZORVEL_INSTALL_PREFIX) + u'/' + QString::fromUtf8(path));
    }
    // The environment of a user's session: no test overrides of the program's folders.
    static QProcessEnvironment session() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("ZORVEL_DATA_DIR"));
        environment.remove(QStringLiteral("ZORVEL_CONFIG"));
        return environment;
    }

    static QTemporaryDir* root;
};

QTemporaryDir* InstalledLayoutTest::root = nullptr;

TEST_F(InstalledLayoutTest, holdsTheCommandsTemplatesHelpConfigurationMenuEntryAndManualPages) {
    for (const char* path : {"bin/zorvel", "bin/zorvel-createdb", "bin/zorvel-upgrade"})
        EXPECT_TRUE(QFileInfo(prefix(path)).isExecutable()) << path;
    for (const char* path :
         {"share/zorvel/kassa.xlsx", "share/zorvel/оplata.xlsx", "share/zorvel/schet.xlsx",
          "share/zorvel/zub.xlsx", "share/zorvel/зорвель.html", "share/applications/zorvel.desktop",
          "share/icons/hicolor/scalable/apps/zorvel.svg", "share/man/man1/zorvel.1.gz",
          "share/man/man1/zorvel-createdb.1.gz", "share/man/man1/zorvel-upgrade.1.gz",
          "share/doc/zorvel/copyright", "share/doc/zorvel/changelog.gz"})
        EXPECT_TRUE(QFileInfo(prefix(path)).isFile()) << path;
    EXPECT_TRUE(QFileInfo(installed(QStringLiteral(ZORVEL_CONFIG_DIR "/zorvel.conf"))).isFile());
    // Every template the build has is installed.
    const QStringList built =
        QDir(QStringLiteral(ZORVEL_BUILD_DIR "/bin")).entryList({QStringLiteral("*.xlsx")}, QDir::Files);
    ASSERT_FALSE(built.isEmpty());
    EXPECT_EQ(QDir(prefix("share/zorvel")).entryList({QStringLiteral("*.xlsx")}, QDir::Files), built);
}

// The installed workstation names the folders it reads; ZORVEL_DATA_DIR and ZORVEL_CONFIG name others.
TEST_F(InstalledLayoutTest, theInstalledProgramReadsItsOwnFoldersUnlessTheEnvironmentNamesOthers) {
    struct Case {
        const char* what;
        QString dataDir, config;
        QString expectedData, expectedConfig;
    };
    const QString config = installed(QStringLiteral(ZORVEL_CONFIG_DIR "/zorvel.conf"));
    for (const Case& c : {Case{"installed", {}, {}, prefix("share/zorvel"), config},
                          Case{"named", QStringLiteral("/srv/шаблоны"), QStringLiteral("/srv/zorvel.conf"),
                               QStringLiteral("/srv/шаблоны"), QStringLiteral("/srv/zorvel.conf")}}) {
        SCOPED_TRACE(c.what);
        QProcessEnvironment environment = session();
        if (!c.dataDir.isEmpty())
            environment.insert(QStringLiteral("ZORVEL_DATA_DIR"), c.dataDir);
        if (!c.config.isEmpty())
            environment.insert(QStringLiteral("ZORVEL_CONFIG"), c.config);
        const Finished help = run(prefix("bin/zorvel"), {QStringLiteral("--help")}, environment);
        ASSERT_EQ(help.exitCode, 0) << help.output.toStdString();
        EXPECT_TRUE(help.output.contains(QStringLiteral("Шаблоны и справка: ") + c.expectedData + u'\n'))
            << help.output.toStdString();
        EXPECT_TRUE(help.output.contains(QStringLiteral("Настройка: ") + c.expectedConfig + u'\n'))
            << help.output.toStdString();
    }
    const Finished version = run(prefix("bin/zorvel"), {QStringLiteral("--version")}, session());
    EXPECT_EQ(version.output, QStringLiteral("Зорвель 1.0\n"));
}

TEST_F(InstalledLayoutTest, theInstalledToolsMakeAndUpgradeADemoDatabase) {
    const QString database = installed(QStringLiteral("/demo.fdb"));
    const Finished created =
        run(prefix("bin/zorvel-createdb"), {QStringLiteral("--demo"), database}, session());
    ASSERT_EQ(created.exitCode, 0) << created.output.toStdString();
    EXPECT_TRUE(QFileInfo(database).size() > 0);
    const Finished upgraded = run(prefix("bin/zorvel-upgrade"), {database}, session());
    EXPECT_EQ(upgraded.exitCode, 0) << upgraded.output.toStdString();
    EXPECT_TRUE(upgraded.output.startsWith(QStringLiteral("Все индексы уже есть")))
        << upgraded.output.toStdString();
}

} // namespace
