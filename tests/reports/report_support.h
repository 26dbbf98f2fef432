#pragma once

#include "spreadsheet/workbook.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace zorvel::test {

// A fresh workbook from a template beside the test executable ("kassa.xls").
Workbook reportTemplate(const QString& name);

// One golden expectation of a written sheet: a text starting with "=" is the cell's formula as stored
// ("=SUM(R3:R5)"), anything else the cell's stored value.
struct Expect {
    const char* cell;
    const char* text;
};
void expectCells(const Worksheet& sheet, const std::vector<Expect>& cells, const char* report);

bool haveLibreOffice();

// The first sheet as a spreadsheet program computes it (LibreOffice headless, through CSV): the
// displayed text of every cell, rows and columns from 1.
class Computed {
public:
    explicit Computed(Workbook& book);
    explicit Computed(const QString& xlsx);
    QString at(const char* cell) const;

private:
    void read(const QString& xlsx);
    QList<QStringList> rows_;
};

} // namespace zorvel::test
