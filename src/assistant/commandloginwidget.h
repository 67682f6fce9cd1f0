#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// Page "Login": the login packet for a password (TCP connections only; RS232 needs none).
class CommandLoginWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CommandLoginWidget(QWidget* parent = nullptr);

    QLineEdit* passwordEdit() const { return m_password; }
    QPushButton* generateButton() const { return m_generate; }

signals:
    void generateCommand(uchar type, uchar subType, uchar funcId, QByteArray payload);

public slots:
    void generateButtonClicked();

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    QLabel* m_caption;
    QLabel* m_passwordCaption;
    QLineEdit* m_password;
    QPushButton* m_generate;
};
