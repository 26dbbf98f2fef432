#include "workstation/contract_set.h"

#include "data/dataset.h"
#include "data/filter.h"

#include <QStringList>

namespace zorvel {

QString contractSetFilter(const DataSet& serviceRegister) {
    QStringList terms;
    for (const char* column : {"fam", "nam", "oth", "data_usl", "ndog"})
        terms << equalsTerm(QString::fromLatin1(column),
                            serviceRegister.fieldText(QString::fromLatin1(column)));
    return terms.join(QStringLiteral(" and "));
}

RecordPosition currentPosition(const DataSet& serviceRegister) {
    RecordPosition position;
    if (!serviceRegister.isOpen() || serviceRegister.currentRow() < 0)
        return position;
    position.key = serviceRegister.fieldText(QStringLiteral("IPEOP"));
    position.date = serviceRegister.fieldText(QStringLiteral("DATA_USL"));
    position.time = serviceRegister.fieldText(QStringLiteral("TIME_US"));
    position.valid = !position.key.isEmpty();
    return position;
}

bool moveTo(DataSet& serviceRegister, const RecordPosition& position) {
    if (!position.valid || !serviceRegister.isOpen())
        return false;
    const QString key = QStringLiteral("IPEOP");
    if (serviceRegister.locate(QStringLiteral("DATA_USL;TIME_US"), {position.date, position.time}) &&
        serviceRegister.fieldText(key) == position.key)
        return true;
    // Several records of one second, or a date and time that begin another's: look by the key itself.
    return serviceRegister.locateKey(position.key);
}

void widenKeepingPlace(DataSet& serviceRegister) {
    if (!serviceRegister.isOpen())
        return;
    const RecordPosition position = currentPosition(serviceRegister);
    serviceRegister.setFiltered(false);
    moveTo(serviceRegister, position);
}

} // namespace zorvel
