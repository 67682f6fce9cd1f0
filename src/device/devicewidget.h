#pragma once

#include "datamodel.h"
#include "deviceitemwidget.h"

#include <QWidget>

class ListWidget;
class LoginDialog;
class QAbstractButton;
class QAction;
class QFrame;
class QLabel;
class QListWidgetItem;
class QMenu;
class QMessageBox;
class QPushButton;
class SystemSettings;

// The column at the side of the main window that lists every known unit. Choosing a row
// connects to the unit; the panel then runs the login, reports connection time-outs and offers
// to add, readdress, remove and disconnect units.
class DeviceWidget : public QWidget
{
    Q_OBJECT
    // Set by the style sheets of the two appearances; the icons are drawn for it.
    Q_PROPERTY(bool dark READ isDark WRITE setDark)
public:
    // The built-in password tried first when a unit asks for one.
    static constexpr const char* kGuestPassword = ControlLink::kGuestPassword;

    DeviceWidget(DataModel& model, const SystemSettings& settings, QWidget* parent = nullptr);

    bool isDark() const { return m_dark; }
    void setDark(bool dark);

    ListWidget* listWidget() const { return m_list; }
    // The row's widget, made now if the row has not been in view yet.
    DeviceItemWidget* itemWidget(int row);
    // Rows that have their widget: those that came into view.
    int rowsWithWidget() const;
    QPushButton* addButton() const { return m_addButton; }
    QPushButton* editButton() const { return m_editButton; }
    QPushButton* removeButton() const { return m_removeButton; }
    QPushButton* listButton() const { return m_listButton; }
    QPushButton* disconnectButton() const { return m_disconnectButton; }
    QMenu* contextMenu() const { return m_menu; }
    QAction* addDeviceAction() const { return m_addAction; }
    QAction* editDeviceAction() const { return m_editAction; }
    QAction* removeDeviceAction() const { return m_removeAction; }
    QAction* deviceListAction() const { return m_listAction; }
    QAction* disconnectDeviceAction() const { return m_disconnectAction; }
    LoginDialog* loginDialog() const { return m_loginDialog; }
    QMessageBox* connectTimeoutMessageBox() const { return m_timeoutBox; }
    QAbstractButton* modifyIPButton() const { return m_modifyIPButton; }
    QAbstractButton* closeTimeoutButton() const { return m_closeTimeoutButton; }
    QAbstractButton* doNotRemindButton() const { return m_doNotRemindButton; }
    bool remindsTimeouts() const { return m_remind; }

signals:
    void listButtonClicked();
    void loginChanged(bool loggedIn);

public slots:
    void listWidgetItemSelectionChanged();
    void listWidgetCurrentItemChanged(QListWidgetItem* current, QListWidgetItem* previous);
    void listWidgetItemDoubleClicked(QListWidgetItem* item);
    void listWidgetContextMenuAtRow(int row);
    void addButtonClicked();
    void editButtonClicked();
    void removeButtonClicked();
    void disconnectButtonClicked();
    void connectTimeoutMessageBoxButtonClicked(QAbstractButton* button);
    void addDevice(DataModel::UDPBrowsingPacket* packet, bool online);
    void removeDevice(int row);
    void setIPAddress(uint row, uint ip);
    void setModel(uint row, const QString& model);
    void setPreset(uint row, const QString& preset);
    void setSelectedIndex(int index, bool removing = false);
    void setLinkStatus(int row);
    void setFault(uint row, bool fault);
    void setLogin(uchar state);
    void setConnectTimeout(bool fullRound);

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What a row shows. Every row keeps it; only rows that come into view get a widget, so a
    // list of a thousand units starts as fast as a list of ten.
    struct RowState
    {
        quint32 ip = 0;
        QString model;
        QString preset;
        bool fault = false;
        bool online = false;
        DeviceItemWidget::LinkState link = DeviceItemWidget::LinkState::Idle;
    };
    DeviceItemWidget* existingWidget(int row) const;
    void applyRow(int row);
    void makeVisibleRows();

    void retranslate();
    void updateIcons();
    void setEditRemoveEnabled(bool enabled);
    // Shows the state of the link on the selected unit's row, and nothing on the others.
    void showLinkStates();
    void setDisconnectEnabled(bool enabled);
    // The row an edit or remove acts on: the clicked row for the menu, the current unit for
    // the buttons.
    int targetRow() const;
    bool isCurrentConnected() const;
    bool currentUnitInLocalSubnet() const;

    DataModel* m_model;
    const SystemSettings& m_settings;
    QVector<RowState> m_rows;
    bool m_dark = false;
    QFrame* m_logoFrame;
    QLabel* m_logoLabel;
    ListWidget* m_list;
    QPushButton* m_addButton;
    QPushButton* m_editButton;
    QPushButton* m_removeButton;
    QPushButton* m_listButton;
    QPushButton* m_disconnectButton;
    QMenu* m_menu;
    QAction* m_addAction;
    QAction* m_editAction;
    QAction* m_removeAction;
    QAction* m_listAction;
    QAction* m_disconnectAction;
    LoginDialog* m_loginDialog;
    QMessageBox* m_timeoutBox;
    QAbstractButton* m_modifyIPButton;
    QAbstractButton* m_closeTimeoutButton;
    QAbstractButton* m_doNotRemindButton;
    bool m_remind = true;
    bool m_removing = false;
    // Set once the current unit has accepted a login; its end is noticed when the unit's link
    // changes while the model is no longer logged in.
    bool m_loggedInLatch = false;
    // The last attempt timed out, and the link has not come up since.
    bool m_timedOut = false;
    // The link of the selected unit is up, and the built-in password went out on it already:
    // a unit that asks again and again is asked for by the user, not flooded with logins.
    bool m_linkUp = false;
    bool m_guestSent = false;
};
