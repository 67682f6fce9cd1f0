#pragma once

#include <QDialog>

class DataModel;
class QLabel;
class QLineEdit;
class QPushButton;

// Adds a unit by its IP address, for units whose datagrams do not reach the PC.
class AddDeviceDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AddDeviceDialog(DataModel* model, QWidget* parent = nullptr);

    QLineEdit* addressEdit() const { return m_addressEdit; }
    QPushButton* okButton() const { return m_okButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

public slots:
    void okButtonClicked();

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    DataModel* m_model;
    QLabel* m_addressLabel;
    QLineEdit* m_addressEdit;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
};
