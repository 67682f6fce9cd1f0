#pragma once

#include <QDialog>

class DataModel;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the password of a unit that wants one. Shown by the device panel, not modal.
class LoginDialog : public QDialog
{
    Q_OBJECT
public:
    explicit LoginDialog(DataModel* model, QWidget* parent = nullptr);

    QLineEdit* passwordEdit() const { return m_passwordEdit; }
    QPushButton* loginButton() const { return m_loginButton; }
    bool isPasswordWrongShown() const;

public slots:
    void loginButtonClicked();
    void setPasswordWrong(bool wrong);

protected:
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void retranslate();

    DataModel* m_model;
    QLabel* m_passwordLabel;
    QLineEdit* m_passwordEdit;
    QPushButton* m_loginButton;
    QLabel* m_wrongMark;
    QLabel* m_wrongLabel;
};
