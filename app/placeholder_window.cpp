#include "app/placeholder_window.h"

#include <QLabel>
#include <QVBoxLayout>

namespace zorvel {

PlaceholderWindow::PlaceholderWindow(const QString& objectName, const QString& caption) {
    setObjectName(objectName);
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Окно в разработке"), this));
    resize(480, 240);
}

} // namespace zorvel
