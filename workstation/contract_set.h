#pragma once

#include <QString>

namespace zorvel {

class DataSet;

// The contract set: the register records that share the current record's FAM, NAM, OTH, DATA_USL and
// NDOG. The contract window narrows the register to it; batch changes of one contract touch it only.

// "fam='...' and nam='...' and oth='...' and data_usl='...' and ndog='...'" from the current record,
// values quoted so that any text stays a value.
QString contractSetFilter(const DataSet& serviceRegister);

// Where a record is, to come back to it after the register is reopened or its filter changes.
struct RecordPosition {
    QString key; // IPEOP
    QString date;
    QString time;
    bool valid = false;
};
RecordPosition currentPosition(const DataSet& serviceRegister);

// Makes the remembered record current again: found by its service date and time, as the screens do,
// and checked by its key, so that another record saved in the same second is never taken for it.
// False when it is no longer in view.
bool moveTo(DataSet& serviceRegister, const RecordPosition& position);

// The register's filter switched off, the record that was current staying current (an open register
// only): what closing a window that narrowed the register, or cancelling a search, leaves behind.
void widenKeepingPlace(DataSet& serviceRegister);

} // namespace zorvel
