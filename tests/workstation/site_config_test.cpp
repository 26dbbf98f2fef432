#include "workstation/site_config.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zorvel;

TEST(SiteConfig, FileOverridesWhatItSetsAndKeepsTheRestDefault) {
    const SiteConfig config = parseSiteConfig(QStringLiteral("# comment\n"
                                                             "[organisations]\n"
                                                             "  ООО \"Ромашка\"  \n"
                                                             "\n"
                                                             "Д'Артаньян и партнеры\n"
                                                             "[names]\n"
                                                             "HEAD = Петров П.П.\n"
                                                             "unknown line without equals\n"
                                                             "[other]\n"
                                                             "ignored\n"));
    EXPECT_EQ(config.organisations,
              QStringList({QStringLiteral("ООО \"Ромашка\""), QStringLiteral("Д'Артаньян и партнеры")}));
    EXPECT_EQ(config.name(site::kHead), QStringLiteral("Петров П.П."));
    EXPECT_EQ(config.name(site::kEconomist), defaultSiteConfig().name(site::kEconomist));
}

TEST(SiteConfig, DefaultsFitTheirColumnsAndTheShippedFileSaysTheSame) {
    const SiteConfig defaults = defaultSiteConfig();
    EXPECT_EQ(defaults.organisations.size(), 21);
    for (const QString& organisation : defaults.organisations)
        EXPECT_LE(organisation.size(), 150) << organisation.toStdString(); // ORGANIS holds 150
    // The build puts the shipped file beside the executable, where the program reads it.
    QFile shipped(siteConfigPath());
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly)) << siteConfigPath().toStdString();
    const SiteConfig read = parseSiteConfig(QString::fromUtf8(shipped.readAll()));
    EXPECT_EQ(read.organisations, defaults.organisations);
    EXPECT_EQ(read.names, defaults.names);
}

TEST(SiteConfig, MissingFileGivesTheDefaultsAndWin1251IsRead) {
    QTemporaryDir dir;
    loadSiteConfig(dir.filePath(QStringLiteral("none.conf")));
    EXPECT_EQ(siteConfig().organisations, defaultSiteConfig().organisations);

    QFile file(dir.filePath(QStringLiteral("zorvel.conf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringEncoder("windows-1251").encode(QStringLiteral("[organisations]\nЗавод\n")));
    file.close();
    loadSiteConfig(file.fileName());
    EXPECT_EQ(siteConfig().organisations, QStringList{QStringLiteral("Завод")});
    loadSiteConfig();
}
