#pragma once

#include <QString>
#include <QStringList>

#include <map>

namespace zorvel {

// The names an administrator may change without rebuilding the program: the paying organisations offered
// on the contract clients' window, the hospital's signatories and the payer's details preset on the
// invoicing window. They live in one plain text file, "zorvel.conf", read once at start: /etc/zorvel for
// the installed program, beside the executable in the build folder, or the file ZORVEL_CONFIG names.
// Whatever the file leaves out keeps the default below, so a missing file is no error.
//
//     # a comment
//     [organisations]                    one organisation a line, in the order the list shows them
//     Министерство здравоохранения ...
//     [names]                            key = value
//     head = Иванов И.И.
//     [security]
//     sign_in = yes                      every cashier signs in as themself
//
// Keys of [names]: see the constants below. The file is UTF-8 (WIN1251 is taken too, as a Windows editor
// may save it).
struct SiteConfig {
    QStringList organisations;
    // [security] sign_in = yes: every run asks who signs in.
    bool signIn = false;
    std::map<QString, QString> names;

    // The value of a [names] key, or empty for a key nobody set.
    QString name(const QString& key) const;
};

// Keys of the [names] section.
namespace site {
inline constexpr char kHead[] = "head";                    // head of the hospital, full
inline constexpr char kHeadSignature[] = "head_signature"; // initials and surname after the line
inline constexpr char kChiefAccountant[] = "chief_accountant";
inline constexpr char kEconomist[] = "economist";
inline constexpr char kEconomistSignature[] = "economist_signature";
inline constexpr char kTelephone[] = "telephone";
inline constexpr char kPayerAddress[] = "payer_address";
inline constexpr char kPayerTaxNumbers[] = "payer_tax_numbers";
inline constexpr char kPayerBank[] = "payer_bank";
inline constexpr char kPayerAccount[] = "payer_account";
inline constexpr char kPayerOkpo[] = "payer_okpo";
inline constexpr char kPayerPersonalAccount[] = "payer_personal_account";
} // namespace site

// What the program knows without a file.
SiteConfig defaultSiteConfig();
// The defaults overlaid with what the text sets: an [organisations] section with entries replaces the
// whole list, a [names] key replaces its default. Lines that fit nowhere are ignored.
SiteConfig parseSiteConfig(const QString& text);

// ZORVEL_CONFIG when set, else the installed "zorvel.conf" (the configuration folder relative to the
// installed executable) when there is one, else "zorvel.conf" beside the executable.
QString siteConfigPath();
// Reads the file (defaults when there is none) and keeps it for the run.
void loadSiteConfig(const QString& path = siteConfigPath());
// The configuration read by loadSiteConfig, or read now from siteConfigPath() when nothing was loaded.
const SiteConfig& siteConfig();

} // namespace zorvel
