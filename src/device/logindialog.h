#pragma once

#include <QDialog>

class DataModel;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the password of a unit that wants one, naming the unit (model and address). Shown by
// the device panel, not modal. Its layout stays put when the wrong-password line appears.
class LoginDialog : public QDialog
{
    Q_OBJECT
public:
    explicit LoginDialog(DataModel* model, QWidget* parent = nullptr);

    QLineEdit* passwordEdit() const { return m_passwordEdit; }
    QPushButton* loginButton() const { return m_loginButton; }
    bool isPasswordWrongShown() const;
    // The unit that asks: its model text and IPv4 address.
    void setUnit(const QString& model, quint32 ip);
    // The address where the unit's password was accepted before, when it now answers from
    // another one (0: it does not).
    void setMovedFrom(quint32 ip);
    QString unitText() const;

public slots:
    void loginButtonClicked();
    void setPasswordWrong(bool wrong);

protected:
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void retranslate();

    DataModel* m_model;
    QString m_unitModel;
    quint32 m_unitAddress = 0;
    quint32 m_movedFrom = 0;
    QLabel* m_unitLabel;
    QLabel* m_passwordLabel;
    QLineEdit* m_passwordEdit;
    QPushButton* m_loginButton;
    QLabel* m_wrongMark;
    QLabel* m_wrongLabel;
};
