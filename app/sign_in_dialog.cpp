#include "app/sign_in_dialog.h"

#include "workstation/site_config.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace zorvel {

namespace {

// A Firebird 3 user name holds at most 31 characters.
constexpr int kUserNameWidth = 31;
const char* const kLastUserKey = "signIn/lastUser";

} // namespace

SignInDialog::SignInDialog(const QString& user, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("LoginDialog"));
    setWindowTitle(QStringLiteral("Вход в Зорвель"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    userEdit_ = new QLineEdit(user, this);
    userEdit_->setObjectName(QStringLiteral("loginUserEdit"));
    userEdit_->setMaxLength(kUserNameWidth);
    passwordEdit_ = new QLineEdit(this);
    passwordEdit_->setObjectName(QStringLiteral("loginPasswordEdit"));
    passwordEdit_->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Пользователь"), userEdit_);
    form->addRow(QStringLiteral("Пароль"), passwordEdit_);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(this);
    signIn_ = buttons->addButton(QStringLiteral("Войти"), QDialogButtonBox::AcceptRole);
    cancel_ = buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    signIn_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // The one who signed in last usually signs in again: straight to the password.
    if (user.isEmpty())
        userEdit_->setFocus();
    else
        passwordEdit_->setFocus();
}

QString SignInDialog::user() const {
    return userEdit_->text().trimmed();
}

QString SignInDialog::password() const {
    return passwordEdit_->text();
}

bool DialogSignIn::requiredAtStart() const {
    return siteConfig().signIn;
}

bool DialogSignIn::ask(Credentials& credentials) {
    QSettings settings;
    const QString user = credentials.user.isEmpty()
                             ? settings.value(QString::fromLatin1(kLastUserKey)).toString()
                             : credentials.user;
    SignInDialog dialog(user);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    credentials.user = dialog.user();
    credentials.password = dialog.password();
    settings.setValue(QString::fromLatin1(kLastUserKey), credentials.user);
    return true;
}

} // namespace zorvel
