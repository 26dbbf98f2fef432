#include "clients/client_search.h"

#include "clients/client_record.h"
#include "data/dataset.h"
#include "workstation/command.h"
#include "workstation/workstation.h"

#include <QLineEdit>

namespace zorvel {

void narrowClientRegister(Workstation& workstation, const std::vector<QWidget*>& searchFields) {
    static const char* const kColumns[] = {"fam", "nam", "oth", "ndog", "kodgvv", "data_usl"};
    std::vector<std::pair<QString, QString>> terms;
    for (size_t i = 0; i < searchFields.size() && i < std::size(kColumns); ++i) {
        if (searchFields[i]->isHidden())
            continue;
        const QString typed = static_cast<QLineEdit*>(searchFields[i])->text();
        terms.emplace_back(QString::fromLatin1(kColumns[i]), i == 5 ? storedDateText(typed) : typed);
    }
    DataSet& clients = workstation.clientRegister();
    runCommand(workstation.messages(), [&] {
        clients.setFilterText(clientViewFilter(terms));
        clients.setFiltered(true);
    });
}

void widenClientRegister(Workstation& workstation) {
    runCommand(workstation.messages(), [&] { workstation.clientRegister().setFiltered(false); });
}

} // namespace zorvel
