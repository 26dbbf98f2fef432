#pragma once

#include "workstation/services.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zorvel {

// "Вход в Зорвель" (LoginDialog): the user name and the password of the one who signs in.
class SignInDialog : public QDialog {
    Q_OBJECT
public:
    explicit SignInDialog(const QString& user, QWidget* parent = nullptr);
    QString user() const;
    QString password() const;
    QLineEdit* userEdit() const { return userEdit_; }
    QLineEdit* passwordEdit() const { return passwordEdit_; }
    QPushButton* signInButton() const { return signIn_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    QLineEdit* userEdit_;
    QLineEdit* passwordEdit_;
    QPushButton* signIn_;
    QPushButton* cancel_;
};

// The production sign-in: the dialog, starting with the last user name signed in on this computer.
class DialogSignIn : public SignIn {
public:
    bool requiredAtStart() const override;
    bool ask(Credentials& credentials) override;
};

} // namespace zorvel
