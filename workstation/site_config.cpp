#include "workstation/site_config.h"

#include "spreadsheet/template_directory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <optional>

namespace zorvel {

namespace {

const char* const kDefaultOrganisations[] = {
    "Управление Министерства внутренних дел Российской Федерации по Н-ской области",
    "Управление Федеральной службы исполнения наказаний по Н-ской области",
    "Главное управление МЧС России по Н-ской области",
    "Управление Федеральной службы войск национальной гвардии Российской Федерации по Н-ской области",
    "Управление Федеральной службы судебных приставов по Н-ской области",
    "Следственное управление Следственного комитета Российской Федерации по Н-ской области",
    "Прокуратура Н-ской области",
    "Управление Федеральной налоговой службы по Н-ской области",
    "Н-ская таможня",
    "Пограничное управление Федеральной службы безопасности Российской Федерации по Н-ской области",
    "Управление Федеральной службы безопасности Российской Федерации по Н-ской области",
    "Военный комиссариат Н-ской области",
    "Линейный отдел Министерства внутренних дел Российской Федерации на транспорте г. Н-ска",
    "Управление Судебного департамента в Н-ской области",
    "Отделение Фонда пенсионного и социального страхования Российской Федерации по Н-ской области",
    "Министерство здравоохранения Н-ской области",
    "Администрация города Н-ска",
    "Акционерное общество \"Н-ский машиностроительный завод\"",
    "Публичное акционерное общество \"Н-ская энергосбытовая компания\"",
    "Муниципальное унитарное предприятие \"Н-ский городской водоканал\"",
    "Общество с ограниченной ответственностью \"Н-ское автотранспортное предприятие\"",
};

const std::pair<const char*, const char*> kDefaultNames[] = {
    {site::kHead, "Воронцов А.П."},
    {site::kHeadSignature, "А.П. Воронцов"},
    {site::kChiefAccountant, "Лебедева Н.В."},
    {site::kEconomist, "Соколова Е.А."},
    {site::kEconomistSignature, "Е.А. Соколова"},
    {site::kTelephone, "(0000) 00-00-00"},
    {site::kPayerAddress, "000000, г. Н-ск, ул. Центральная, д. 1"},
    {site::kPayerTaxNumbers, "ИНН/КПП покупателя 0000000000/000000000"},
    {site::kPayerBank, "Банк: ____________________________, БИК 000000000"},
    {site::kPayerAccount, "Р/с 00000000000000000000"},
    {site::kPayerOkpo, "ОКПО 00000000"},
    {site::kPayerPersonalAccount, "Л/С 00000000000"},
};

std::optional<SiteConfig>& loaded() {
    static std::optional<SiteConfig> config;
    return config;
}

} // namespace

QString SiteConfig::name(const QString& key) const {
    auto it = names.find(key);
    return it == names.end() ? QString() : it->second;
}

SiteConfig defaultSiteConfig() {
    SiteConfig config;
    for (const char* organisation : kDefaultOrganisations)
        config.organisations << QString::fromUtf8(organisation);
    for (const auto& [key, value] : kDefaultNames)
        config.names[QString::fromLatin1(key)] = QString::fromUtf8(value);
    return config;
}

SiteConfig parseSiteConfig(const QString& text) {
    SiteConfig config = defaultSiteConfig();
    QStringList organisations;
    enum class Section { None, Organisations, Names, Security } section = Section::None;
    for (QString line : text.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#') || line.startsWith(';'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            const QString name = line.mid(1, line.size() - 2).trimmed().toLower();
            section = name == QLatin1String("organisations") ? Section::Organisations
                      : name == QLatin1String("names")       ? Section::Names
                      : name == QLatin1String("security")    ? Section::Security
                                                             : Section::None;
            continue;
        }
        if (section == Section::Organisations) {
            organisations << line;
        } else if (section == Section::Security) {
            const qsizetype eq = line.indexOf('=');
            if (eq > 0 && line.left(eq).trimmed().toLower() == QLatin1String("sign_in"))
                config.signIn = QStringList{QStringLiteral("yes"), QStringLiteral("да"), QStringLiteral("1"),
                                            QStringLiteral("true")}
                                    .contains(line.mid(eq + 1).trimmed().toLower());
        } else if (section == Section::Names) {
            const qsizetype eq = line.indexOf('=');
            if (eq > 0)
                config.names[line.left(eq).trimmed().toLower()] = line.mid(eq + 1).trimmed();
        }
    }
    if (!organisations.isEmpty())
        config.organisations = organisations;
    return config;
}

QString siteConfigPath() {
    const QString named = qEnvironmentVariable("ZORVEL_CONFIG");
    if (!named.isEmpty())
        return named;
    const QString program = programDirectory();
    // The configuration folder as installed, relative to the installed executable (../../etc/zorvel for
    // /usr/bin), so that a staged installation reads its own file.
    const QString installed =
        QDir::cleanPath(QDir(program).filePath(QStringLiteral(ZORVEL_CONFIG_FROM_BIN "/zorvel.conf")));
    if (QFileInfo(installed).isFile())
        return installed;
    return QDir(program).filePath(QStringLiteral("zorvel.conf"));
}

void loadSiteConfig(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        loaded() = defaultSiteConfig();
        return;
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QStringDecoder("windows-1251").decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    loaded() = parseSiteConfig(text);
}

const SiteConfig& siteConfig() {
    if (!loaded())
        loadSiteConfig();
    return *loaded();
}

} // namespace zorvel
