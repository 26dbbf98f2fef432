#pragma once

#include <QString>

namespace zorvel::bench {

// The paying organisation whose staff the benchmarks bill, and its period.
inline constexpr char16_t kBilledOrganisation[] =
    u"Управление Министерства внутренних дел Российской Федерации по Н-ской области";
inline constexpr char kPeriodStart[] = "01.02.2026";
inline constexpr char kPeriodEnd[] = "28.02.2026";

// Makes a fresh database at `path` whose contract-client register holds `rows` lines, made on the server
// side: `persons` persons of the billed organisation with `linesPerPerson` lines each in February 2026
// (five services, prices with kopecks, some lines twice), and the rest spread over twenty other
// organisations and the days of 2025. A price list and the departments come with it.
void makeClientRegister(const QString& path, int rows, int persons, int linesPerPerson);

} // namespace zorvel::bench
