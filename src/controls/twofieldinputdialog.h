#pragma once

#include "dialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for two texts at once (a new password and its confirmation, say), each in its own field
// under its own caption, with "OK" and "Cancel". The caller sets the captions, the fields'
// length limit and echo mode, and reads the texts after exec().
class TwoFieldInputDialog : public Dialog
{
    Q_OBJECT
public:
    explicit TwoFieldInputDialog(QWidget* parent = nullptr);

    void setLabels(const QString& first, const QString& second);
    void setMaxLength(int characters);
    void setEchoMode(int mode); // QLineEdit::EchoMode
    QString firstText() const;
    QString secondText() const;
    QLineEdit* firstField() const { return m_first; }
    QLineEdit* secondField() const { return m_second; }
    QPushButton* okButton() const { return m_ok; }

protected:
    void retranslate() override;

private:
    QLabel* m_firstLabel;
    QLabel* m_secondLabel;
    QLineEdit* m_first;
    QLineEdit* m_second;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
