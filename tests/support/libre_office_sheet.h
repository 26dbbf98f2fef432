#pragma once

#include "tests/support/print_to.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace zorvel {
class Workbook;
}

namespace zorvel::test {

bool haveLibreOffice();

// While it lives, the LibreOffice that the tests start formats numbers and dates in one fixed way
// (LC_ALL=C.UTF-8: "480.50") whatever the machine's locale (a Russian desktop shows "480,50"), so that
// the displayed texts the tests compare hold everywhere.
class PinnedLocale {
public:
    PinnedLocale();
    ~PinnedLocale();
    PinnedLocale(const PinnedLocale&) = delete;
    PinnedLocale& operator=(const PinnedLocale&) = delete;

private:
    QByteArray previous_;
    bool wasSet_;
};

// The first sheet of a workbook as a spreadsheet program computes and shows it: LibreOffice headless
// converts it to CSV under the pinned locale, and every cell's displayed text is kept. A conversion that
// fails is a test failure (and an empty sheet).
class ComputedSheet {
public:
    explicit ComputedSheet(const QString& xlsx);
    // The workbook as it stands, saved to a temporary copy first.
    explicit ComputedSheet(Workbook& book);

    // "K12", or row and column from 1; empty beyond the sheet's used cells.
    QString at(const char* cell) const;
    QString at(int row, int column) const;
    int rowCount() const { return static_cast<int>(rows_.size()); }

private:
    void read(const QString& xlsx);
    QList<QStringList> rows_;
};

} // namespace zorvel::test
