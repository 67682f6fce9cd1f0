#include "devicewidget.h"

#include "adddevicedialog.h"
#include "deviceicons.h"
#include "deviceitemwidget.h"
#include "editdevicedialog.h"
#include "listwidget.h"
#include "logindialog.h"
#include "networkinterfaces.h"
#include "systemsettings.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QVariant>

#include <algorithm>

namespace {

constexpr int kRowHeight = 80;
const QSize kButtonSize(20, 20);

QPushButton* panelButton(const char* name, QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFixedSize(kButtonSize);
    button->setIconSize(QSize(14, 14));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

DeviceWidget::DeviceWidget(DataModel& model, const SystemSettings& settings, QWidget* parent)
    : QWidget(parent), m_model(&model), m_settings(settings)
{
    setObjectName(QStringLiteral("deviceWidget"));
    setAttribute(Qt::WA_StyledBackground);
    setFixedWidth(148);

    m_logoFrame = new QFrame(this);
    m_logoFrame->setObjectName(QStringLiteral("logoFrame"));
    m_logoLabel = new QLabel(m_logoFrame);
    m_logoLabel->setObjectName(QStringLiteral("logoTitleLabel"));
    m_logoLabel->setAlignment(Qt::AlignCenter);
    m_logoLabel->setWordWrap(true);
    auto* logoLayout = new QVBoxLayout(m_logoFrame);
    logoLayout->setContentsMargins(6, 6, 6, 6);
    logoLayout->addWidget(m_logoLabel);

    m_list = new ListWidget(this);
    m_list->setObjectName(QStringLiteral("deviceListWidget"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setContextMenuPolicy(Qt::DefaultContextMenu);
    m_list->viewport()->installEventFilter(this);
    connect(m_list->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &DeviceWidget::makeVisibleRows);

    auto* buttonFrame = new QFrame(this);
    buttonFrame->setObjectName(QStringLiteral("deviceButtonFrame"));
    m_addButton = panelButton("deviceAddButton", buttonFrame);
    m_editButton = panelButton("deviceEditButton", buttonFrame);
    m_removeButton = panelButton("deviceRemoveButton", buttonFrame);
    m_listButton = panelButton("deviceListButton", buttonFrame);
    m_disconnectButton = panelButton("deviceDisconnectButton", buttonFrame);
    auto* buttons = new QHBoxLayout(buttonFrame);
    buttons->setContentsMargins(8, 6, 8, 6);
    buttons->setSpacing(8);
    for (QPushButton* b :
         {m_addButton, m_editButton, m_removeButton, m_listButton, m_disconnectButton})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_logoFrame);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttonFrame);

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("deviceContextMenu"));
    m_addAction = m_menu->addAction(QString());
    m_editAction = m_menu->addAction(QString());
    m_removeAction = m_menu->addAction(QString());
    m_listAction = m_menu->addAction(QString());
    m_disconnectAction = m_menu->addAction(QString());
    m_menu->setProperty("sourceRow", -1);

    m_loginDialog = new LoginDialog(m_model, this);

    m_timeoutBox = new QMessageBox(this);
    m_timeoutBox->setObjectName(QStringLiteral("connectTimeoutMessageBox"));
    m_timeoutBox->setIcon(QMessageBox::Information);
    m_timeoutBox->setWindowModality(Qt::NonModal);
    m_modifyIPButton = m_timeoutBox->addButton(QString(), QMessageBox::AcceptRole);
    m_closeTimeoutButton = m_timeoutBox->addButton(QString(), QMessageBox::RejectRole);
    m_doNotRemindButton = m_timeoutBox->addButton(QString(), QMessageBox::HelpRole);

    if (m_model) {
        for (int i = 0; i < m_model->deviceCount(); ++i) {
            DataModel::UDPBrowsingPacket packet = m_model->device(i)->packet;
            addDevice(&packet, m_model->device(i)->online != 0);
        }
        connect(m_model, &DataModel::deviceListAdd, this, &DeviceWidget::addDevice);
        connect(m_model, &DataModel::deviceListRemove, this, &DeviceWidget::removeDevice);
        connect(m_model, &DataModel::deviceListIPAddressChanged, this, &DeviceWidget::setIPAddress);
        connect(m_model, &DataModel::deviceListModelChanged, this, &DeviceWidget::setModel);
        connect(m_model, &DataModel::deviceListPresetChanged, this, &DeviceWidget::setPreset);
        connect(m_model, &DataModel::deviceListSelectionChanged, this,
                &DeviceWidget::setSelectedIndex);
        connect(m_model, &DataModel::deviceListNetworkChanged, this, &DeviceWidget::setLinkStatus);
        connect(m_model, &DataModel::deviceListFaultChanged, this, &DeviceWidget::setFault);
        connect(m_model, &DataModel::tcpLoginChanged, this, &DeviceWidget::setLogin);
        connect(m_model, &DataModel::tcpConnectTimeout, this, &DeviceWidget::setConnectTimeout);
    }
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            &DeviceWidget::listWidgetItemSelectionChanged);
    connect(m_list, &QListWidget::currentItemChanged, this,
            &DeviceWidget::listWidgetCurrentItemChanged);
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            &DeviceWidget::listWidgetItemDoubleClicked);
    connect(m_list, &ListWidget::contextMenuAtRow, this, &DeviceWidget::listWidgetContextMenuAtRow);
    connect(m_addButton, &QPushButton::clicked, this, &DeviceWidget::addButtonClicked);
    connect(m_editButton, &QPushButton::clicked, this, &DeviceWidget::editButtonClicked);
    connect(m_removeButton, &QPushButton::clicked, this, &DeviceWidget::removeButtonClicked);
    connect(m_listButton, &QPushButton::clicked, this, &DeviceWidget::listButtonClicked);
    connect(m_disconnectButton, &QPushButton::clicked, this,
            &DeviceWidget::disconnectButtonClicked);
    connect(m_addAction, &QAction::triggered, this, &DeviceWidget::addButtonClicked);
    connect(m_editAction, &QAction::triggered, this, &DeviceWidget::editButtonClicked);
    connect(m_removeAction, &QAction::triggered, this, &DeviceWidget::removeButtonClicked);
    connect(m_listAction, &QAction::triggered, this, &DeviceWidget::listButtonClicked);
    connect(m_disconnectAction, &QAction::triggered, this, &DeviceWidget::disconnectButtonClicked);
    connect(m_timeoutBox, &QMessageBox::buttonClicked, this,
            &DeviceWidget::connectTimeoutMessageBoxButtonClicked);

    setDisconnectEnabled(false);
    setSelectedIndex(-1, false);
    retranslate();
    updateIcons();
}

DeviceItemWidget* DeviceWidget::existingWidget(int row) const
{
    QListWidgetItem* item = m_list->item(row);
    return item ? qobject_cast<DeviceItemWidget*>(m_list->itemWidget(item)) : nullptr;
}

DeviceItemWidget* DeviceWidget::itemWidget(int row)
{
    if (row < 0 || row >= m_rows.size())
        return nullptr;
    if (DeviceItemWidget* w = existingWidget(row))
        return w;
    auto* w = new DeviceItemWidget;
    m_list->setItemWidget(m_list->item(row), w);
    applyRow(row);
    w->setSelected(row == m_list->currentRow() && m_model->currentDevice() == row);
    return w;
}

int DeviceWidget::rowsWithWidget() const
{
    int n = 0;
    for (int row = 0; row < m_list->count(); ++row)
        n += existingWidget(row) ? 1 : 0;
    return n;
}

void DeviceWidget::applyRow(int row)
{
    DeviceItemWidget* w = existingWidget(row);
    if (!w || row >= m_rows.size())
        return;
    const RowState& r = m_rows[row];
    w->setIPAddress(r.ip);
    w->setModel(r.model);
    w->setPreset(r.preset);
    w->setFault(r.fault);
    w->setLinkStatus(r.online);
    w->setLinkState(r.link);
}

void DeviceWidget::makeVisibleRows()
{
    if (m_rows.isEmpty())
        return;
    const QRect view = m_list->viewport()->rect();
    const QModelIndex top = m_list->indexAt(view.topLeft());
    const int first = top.isValid() ? top.row() : 0;
    const QModelIndex bottom = m_list->indexAt(view.bottomLeft());
    const int last = bottom.isValid()
                         ? bottom.row()
                         : std::min(int(m_rows.size()) - 1, first + view.height() / kRowHeight + 1);
    for (int row = first; row <= last; ++row)
        itemWidget(row);
}

bool DeviceWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        makeVisibleRows();
    return QWidget::eventFilter(watched, event);
}

// ---- choosing a unit

void DeviceWidget::listWidgetItemSelectionChanged()
{
    QListWidgetItem* current = m_list->currentItem();
    if (!current)
        return;
    if (m_removing) {
        current->setSelected(false);
        return;
    }
    if (DeviceItemWidget* w = existingWidget(m_list->row(current)))
        w->setSelected(true);
    if (m_model && m_model->currentDevice() < 0)
        setSelectedIndex(m_list->row(current), false);
}

void DeviceWidget::listWidgetCurrentItemChanged(QListWidgetItem* current, QListWidgetItem* previous)
{
    if (!current || !previous)
        return;
    if (DeviceItemWidget* w = existingWidget(m_list->row(previous)))
        w->setSelected(false);
    if (m_removing)
        return;
    if (DeviceItemWidget* w = existingWidget(m_list->row(current)))
        w->setSelected(true);
    setSelectedIndex(m_list->row(current), false);
}

void DeviceWidget::listWidgetItemDoubleClicked(QListWidgetItem*)
{
    if (isCurrentConnected())
        disconnectButtonClicked();
}

void DeviceWidget::listWidgetContextMenuAtRow(int row)
{
    const bool onRow = row >= 0;
    m_editAction->setEnabled(onRow);
    m_removeAction->setEnabled(onRow);
    m_disconnectAction->setEnabled(onRow && m_model && row == m_model->currentDevice() &&
                                   isCurrentConnected());
    updateIcons();
    m_menu->setProperty("sourceRow", row);
    m_menu->popup(QCursor::pos());
}

int DeviceWidget::targetRow() const
{
    if (qobject_cast<QAction*>(sender()))
        return m_menu->property("sourceRow").toInt();
    return m_model ? m_model->currentDevice() : -1;
}

bool DeviceWidget::isCurrentConnected() const
{
    const DeviceRecord* record = m_model ? m_model->device(m_model->currentDevice()) : nullptr;
    return record && record->socket && record->socket->state() == QAbstractSocket::ConnectedState;
}

// ---- buttons and actions

void DeviceWidget::addButtonClicked()
{
    AddDeviceDialog dialog(m_model, this);
    dialog.exec();
}

void DeviceWidget::editButtonClicked()
{
    const int row = targetRow();
    if (!m_model || !m_model->device(row))
        return;
    EditDeviceDialog dialog(m_model, this);
    dialog.setRow(row);
    dialog.exec();
}

void DeviceWidget::removeButtonClicked()
{
    const int row = targetRow();
    if (!m_model || !m_model->device(row) || row >= m_list->count())
        return;
    // Our own removal must not come back to us as a notification.
    disconnect(m_model, &DataModel::deviceListRemove, this, &DeviceWidget::removeDevice);
    m_model->removeDeviceAt(row);
    connect(m_model, &DataModel::deviceListRemove, this, &DeviceWidget::removeDevice);
    removeDevice(row);
}

void DeviceWidget::disconnectButtonClicked()
{
    QMessageBox question(QMessageBox::Question, tr("Disconnect"),
                         tr("Are you sure that you want to disconnect the device?"),
                         QMessageBox::NoButton, this);
    question.setObjectName(QStringLiteral("disconnectQuestion"));
    QPushButton* ok = question.addButton(tr("OK"), QMessageBox::AcceptRole);
    question.addButton(tr("Cancel"), QMessageBox::RejectRole);
    question.setDefaultButton(ok);
    question.exec();
    if (question.clickedButton() == ok && m_model)
        m_model->selectDevice(-1, false);
}

void DeviceWidget::connectTimeoutMessageBoxButtonClicked(QAbstractButton* button)
{
    if (button == m_modifyIPButton) {
        // Out of the way before the network dialog takes over.
        m_timeoutBox->hide();
        m_editButton->click();
    } else if (button == m_doNotRemindButton) {
        m_remind = false;
    }
}

// ---- the model's notifications

void DeviceWidget::addDevice(DataModel::UDPBrowsingPacket* packet, bool online)
{
    auto* item = new QListWidgetItem(m_list);
    item->setSizeHint(QSize(0, kRowHeight));
    RowState r;
    r.ip = packet->ipAddress;
    r.model = DeviceRegistry::fieldText(packet->model, int(sizeof packet->model));
    r.preset = DeviceRegistry::fieldText(packet->preset, int(sizeof packet->preset));
    r.fault = packet->fault != 0;
    r.online = online;
    m_rows.append(r);
    if (m_list->isVisible())
        makeVisibleRows();
}

void DeviceWidget::removeDevice(int row)
{
    if (row >= 0 && row < m_list->count()) {
        m_removing = true;
        QListWidgetItem* item = m_list->item(row);
        m_list->removeItemWidget(item);
        delete m_list->takeItem(row);
        m_rows.remove(row);
        m_removing = false;
        if (m_list->isVisible())
            makeVisibleRows();
    }
    if (m_model && m_model->currentDevice() < 0) {
        m_loggedInLatch = false;
        m_model->resetLiveValues();
        emit loginChanged(false);
    }
}

void DeviceWidget::setIPAddress(uint row, uint ip)
{
    if (int(row) >= m_rows.size())
        return;
    m_rows[int(row)].ip = ip;
    applyRow(int(row));
}

void DeviceWidget::setModel(uint row, const QString& model)
{
    if (int(row) >= m_rows.size())
        return;
    m_rows[int(row)].model = model;
    applyRow(int(row));
}

void DeviceWidget::setPreset(uint row, const QString& preset)
{
    if (int(row) >= m_rows.size())
        return;
    m_rows[int(row)].preset = preset;
    applyRow(int(row));
}

void DeviceWidget::setFault(uint row, bool fault)
{
    if (int(row) >= m_rows.size())
        return;
    m_rows[int(row)].fault = fault;
    applyRow(int(row));
}

void DeviceWidget::setSelectedIndex(int index, bool removing)
{
    if (!m_model)
        return;
    if (sender() != m_model) {
        // Our own request: the model's confirmation must not come back to us.
        disconnect(m_model, &DataModel::deviceListSelectionChanged, this,
                   &DeviceWidget::setSelectedIndex);
        m_model->selectDevice(index, false);
        connect(m_model, &DataModel::deviceListSelectionChanged, this,
                &DeviceWidget::setSelectedIndex);
    } else if (!removing && index >= 0) {
        if (m_list->currentRow() != index)
            m_list->setCurrentRow(index);
        m_timedOut = false;
        m_linkUp = m_guestSent = false;
        setEditRemoveEnabled(true);
        showLinkStates();
        m_timeoutBox->hide();
        return;
    }
    m_timedOut = false;
    m_linkUp = m_guestSent = false;
    setEditRemoveEnabled(index >= 0);
    showLinkStates();
    if (index < 0) {
        if (DeviceItemWidget* w = existingWidget(m_list->currentRow()))
            w->setSelected(false);
        m_list->setCurrentRow(-1);
    }
    m_timeoutBox->hide();
}

void DeviceWidget::setLinkStatus(int row)
{
    const DeviceRecord* record = m_model ? m_model->device(row) : nullptr;
    if (!record || row >= m_rows.size())
        return;
    m_rows[row].online = record->online != 0;
    applyRow(row);
    if (row != m_model->currentDevice())
        return;
    const bool connected =
        record->socket && record->socket->state() == QAbstractSocket::ConnectedState;
    setDisconnectEnabled(connected);
    if (connected) {
        m_timeoutBox->hide();
        m_timedOut = false;
    }
    if (connected != m_linkUp) {
        m_linkUp = connected;
        m_guestSent = false; // a new connection may try the built-in password once more
    }
    showLinkStates();
    if (m_model->isLoggedIn()) {
        m_loggedInLatch = true;
        emit loginChanged(true);
    } else if (m_loggedInLatch) {
        m_loggedInLatch = false;
        m_model->resetLiveValues();
        emit loginChanged(false);
    }
}

void DeviceWidget::setLogin(uchar state)
{
    switch (state) {
    case 0:
        if (!m_guestSent) {
            m_guestSent = true;
            m_model->login(QString::fromLatin1(kGuestPassword), false);
        }
        if (const DeviceRecord* record = m_model->device(m_model->currentDevice()))
            m_loginDialog->setUnit(
                DeviceRegistry::fieldText(record->packet.model, int(sizeof record->packet.model)),
                record->packet.ipAddress);
        // The password given before is not sent to a unit that answers from another address.
        m_loginDialog->setMovedFrom(m_model->addressChangedSinceLogin() ? m_model->loginAddress()
                                                                        : 0);
        m_loginDialog->show();
        break;
    case 1:
        m_loginDialog->hide();
        break;
    case 2:
        // The dialog hid itself when the password was sent; the user must see the refusal.
        m_loginDialog->show();
        m_loginDialog->raise();
        m_loginDialog->setPasswordWrong(true);
        break;
    default:
        break;
    }
}

bool DeviceWidget::currentUnitInLocalSubnet() const
{
    const DeviceRecord* record = m_model->device(m_model->currentDevice());
    if (!record)
        return false;
    const QHostAddress unit(record->packet.ipAddress);
    const auto interfaces = NetworkInterfaces::all();
    for (const LocalInterface& li : interfaces) {
        if (!li.active)
            continue;
        for (const QNetworkAddressEntry& e : li.entries) {
            if (e.ip().protocol() != QAbstractSocket::IPv4Protocol ||
                e.netmask().protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            const QHostAddress subnet(e.ip().toIPv4Address() & e.netmask().toIPv4Address());
            if (unit.isInSubnet(subnet, e.prefixLength()))
                return true;
        }
    }
    return false;
}

void DeviceWidget::setConnectTimeout(bool fullRound)
{
    m_timedOut = true;
    showLinkStates();
    if (!m_remind || !m_model)
        return;
    if (qobject_cast<EditDeviceDialog*>(QApplication::activeModalWidget()))
        return;
    const DeviceRecord* record = m_model->device(m_model->currentDevice());
    if (fullRound && record && record->online) {
        // Heard but unreachable over every local interface.
        m_timeoutBox->show();
        return;
    }
    // A unit that is merely switched off inside our own subnet is no news to the user.
    if (currentUnitInLocalSubnet())
        return;
    m_timeoutBox->show();
}

// ---- look and language

void DeviceWidget::showLinkStates()
{
    using State = DeviceItemWidget::LinkState;
    const int current = m_model ? m_model->currentDevice() : -1;
    for (int row = 0; row < m_rows.size(); ++row) {
        State state = State::Idle;
        if (row == current) {
            if (m_model->isLoggedIn())
                state = State::LoggedIn;
            else if (isCurrentConnected())
                state = State::Connected;
            else
                state = m_timedOut ? State::TimedOut : State::Connecting;
        }
        if (m_rows[row].link != state) {
            m_rows[row].link = state;
            applyRow(row);
        }
    }
}

void DeviceWidget::setEditRemoveEnabled(bool enabled)
{
    m_editButton->setEnabled(enabled);
    m_removeButton->setEnabled(enabled);
    m_editAction->setEnabled(enabled);
    m_removeAction->setEnabled(enabled);
    updateIcons();
}

void DeviceWidget::setDisconnectEnabled(bool enabled)
{
    m_disconnectButton->setEnabled(enabled);
    m_disconnectAction->setEnabled(enabled);
    updateIcons();
}

void DeviceWidget::setDark(bool dark)
{
    if (dark == m_dark)
        return;
    m_dark = dark;
    updateIcons();
}

void DeviceWidget::updateIcons()
{
    const bool dark = m_dark;
    using DeviceIcons::icon;
    m_addButton->setIcon(icon(DeviceIcons::Add, dark, m_addButton->isEnabled()));
    m_editButton->setIcon(icon(DeviceIcons::Edit, dark, m_editButton->isEnabled()));
    m_removeButton->setIcon(icon(DeviceIcons::Trash, dark, m_removeButton->isEnabled()));
    m_listButton->setIcon(icon(DeviceIcons::ListAlt, dark, m_listButton->isEnabled()));
    m_disconnectButton->setIcon(icon(DeviceIcons::SignOut, dark, m_disconnectButton->isEnabled()));
    const auto menu = DeviceIcons::ForMenu;
    m_addAction->setIcon(icon(DeviceIcons::Add, dark, m_addAction->isEnabled(), menu));
    m_editAction->setIcon(icon(DeviceIcons::Edit, dark, m_editAction->isEnabled(), menu));
    m_removeAction->setIcon(icon(DeviceIcons::Trash, dark, m_removeAction->isEnabled(), menu));
    m_listAction->setIcon(icon(DeviceIcons::ListAlt, dark, m_listAction->isEnabled(), menu));
    m_disconnectAction->setIcon(
        icon(DeviceIcons::SignOut, dark, m_disconnectAction->isEnabled(), menu));
}

void DeviceWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void DeviceWidget::retranslate()
{
    m_logoLabel->setText(m_settings.title());

    const QString add = tr("Add Device");
    const QString edit = tr("Modify Network Parameters");
    const QString remove = tr("Remove Device");
    const QString list = tr("Device List");
    const QString disconnectText = tr("Disconnect");
    m_addButton->setToolTip(add);
    m_editButton->setToolTip(edit);
    m_removeButton->setToolTip(remove);
    m_listButton->setToolTip(list);
    m_disconnectButton->setToolTip(disconnectText);
    m_addAction->setText(add);
    m_editAction->setText(edit);
    m_removeAction->setText(remove);
    m_listAction->setText(list);
    m_disconnectAction->setText(disconnectText);

    m_timeoutBox->setWindowTitle(tr("Connection Timeout"));
    m_timeoutBox->setText(
        tr("* The connection timed out!\n"
           "* Please check the network connection!\n"
           "* Please make sure that the PC and the device are on the same subnet!\n"
           "* Please make sure that there is no other IP conflicting with the device IP!\n"
           "  You can try to modify the PC's IP or device IP.\n"
           "  Right-click the mouse to select the device, you can modify its IP."));
    m_modifyIPButton->setText(tr("Modify device IP immediately"));
    m_closeTimeoutButton->setText(tr("Close"));
    m_doNotRemindButton->setText(tr("Do not remind again"));
}
