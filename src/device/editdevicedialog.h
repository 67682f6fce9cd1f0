#pragma once

#include <QDialog>

class DataModel;
class QLabel;
class QLineEdit;
class QPushButton;

// Changes a unit's IP address, subnet mask and gateway with the UDP network command, which
// reaches a unit even when it sits in another subnet than the PC.
class EditDeviceDialog : public QDialog
{
    Q_OBJECT
public:
    explicit EditDeviceDialog(DataModel* model, QWidget* parent = nullptr);

    void setRow(int row);
    int row() const { return m_row; }

    QLineEdit* addressEdit() const { return m_addressEdit; }
    QLineEdit* maskEdit() const { return m_maskEdit; }
    QLineEdit* gatewayEdit() const { return m_gatewayEdit; }
    QPushButton* okButton() const { return m_okButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

public slots:
    void okButtonClicked();

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void refuse(QLineEdit* field, const QString& text);

    DataModel* m_model;
    int m_row = -1;
    QLabel* m_addressLabel;
    QLabel* m_maskLabel;
    QLabel* m_gatewayLabel;
    QLineEdit* m_addressEdit;
    QLineEdit* m_maskEdit;
    QLineEdit* m_gatewayEdit;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
};
