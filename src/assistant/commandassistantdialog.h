#pragma once

#include "editorwindow.h"

class ButtonRow;
class CommandInputWidget;
class CommandLoginWidget;
class CommandOutputWidget;
class CommandPresetWidget;
class CommandSystemMuteWidget;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

// Shows integrators the packets that drive a unit from their own control system (RS232 or
// TCP): the user picks an operation and its values on one of five pages and gets the packet
// as hexadecimal text, built by the same command builders the application sends with. It
// sends nothing itself.
class CommandAssistantDialog : public EditorWindow
{
    Q_OBJECT
public:
    enum Page
    {
        LoginPage,
        InputPage,
        OutputPage,
        PresetPage,
        SystemMutePage,
    };

    CommandAssistantDialog(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

    // Every byte of a packet as two upper-case hexadecimal digits, separated by single spaces.
    static QString commandText(const QByteArray& packet);

    QString command() const;
    ButtonRow* pageButtons() const { return m_pages; }
    QStackedWidget* pageStack() const { return m_stack; }
    CommandLoginWidget* loginPage() const { return m_login; }
    CommandInputWidget* inputPage() const { return m_input; }
    CommandOutputWidget* outputPage() const { return m_output; }
    CommandPresetWidget* presetPage() const { return m_preset; }
    CommandSystemMuteWidget* systemMutePage() const { return m_systemMute; }
    QPushButton* copyButton() const { return m_copy; }

public slots:
    void generateCommand(uchar type, uchar subType, uchar funcId, QByteArray payload);
    void copyButtonClicked();

protected:
    void retranslate() override;
    void applyProfile() override;

private:
    void fillChannels();

    QLabel* m_info;
    ButtonRow* m_pages;
    QStackedWidget* m_stack;
    CommandLoginWidget* m_login;
    CommandInputWidget* m_input;
    CommandOutputWidget* m_output;
    CommandPresetWidget* m_preset;
    CommandSystemMuteWidget* m_systemMute;
    QLabel* m_commandCaption;
    QLineEdit* m_command;
    QPushButton* m_copy;
};
