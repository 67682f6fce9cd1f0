#pragma once

#include "deviceprofile.h"
#include "linksettings.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVariant>

class QTranslator;

// The application's settings: cfg.ini in the working directory (DataFolder picks it), read
// and written key by key, plus window geometry in the per-user store. Created once at
// start-up and handed to the windows that use it.
class SystemSettings : public QObject
{
    Q_OBJECT
public:
    static constexpr quint16 kDefaultBroadcastPort = LinkSettings::kDefaultBroadcastPort;
    static constexpr quint16 kDefaultControlPort = LinkSettings::kDefaultControlPort;
    static constexpr int kProfileCount = 5;

    explicit SystemSettings(QObject* parent = nullptr);
    ~SystemSettings() override;

    QString titleEN() const { return m_titleEN; }
    QString titleCN() const { return m_titleCN; }
    // The title for the current language.
    QString title() const { return m_language == 1 ? m_titleEN : m_titleCN; }
    int languageSupport() const { return m_languageSupport; }
    int language() const { return m_language; }
    int appearanceSupport() const { return m_appearanceSupport; }
    int appearanceConfig() const { return m_appearanceConfig; }
    int isDark() const { return m_dark; }
    int deviceVersionSelection() const { return m_deviceVersion; }
    bool showAtStartup() const { return m_showAtStartup; }
    quint32 hiddenInputMask() const { return m_hiddenInputMask; }
    quint32 hiddenOutputMask() const { return m_hiddenOutputMask; }
    quint32 danteInputMask() const { return m_danteInputMask; }
    quint32 danteOutputMask() const { return m_danteOutputMask; }
    bool usbPresent() const { return m_usbPresent; }
    int usbPlayInput() const { return m_usbPlayInput; }
    int usbRecordOutput() const { return m_usbRecordOutput; }
    quint16 headerWord() const { return m_headerWord; }
    quint16 broadcastPort() const { return m_broadcastPort; }
    quint16 controlPort() const { return m_controlPort; }
    // What the model needs of the settings.
    LinkSettings linkSettings() const { return {m_controlPort, m_broadcastPort, m_headerWord}; }
    // The channels of the selected device version profile.
    DeviceProfile deviceProfile() const;
    QString lastFileDirectory() const { return m_lastFileDirectory; }

    void setLanguage(int language);
    void setAppearance(int appearance);
    void setDeviceVersionSelection(int profile);
    void setShowAtStartup(bool show);
    void setLastFileDirectory(const QString& path);

    static bool highDpiScaling();
    static void setHighDpiScaling(bool enabled);

    // Per-user store (window geometry and splitter states).
    static void setValue(const QString& key, const QByteArray& bytes);
    static QByteArray value(const QString& key);

    // The channel-presence masks a unit reports for each profile (input, output, Dante).
    struct UnitMasks
    {
        quint32 inputMask;
        quint32 outputMask;
        bool dante;
    };
    static UnitMasks unitMasksForProfile(int profile);

signals:
    void languageChanged(int language);
    void appearanceChanged(int dark);

private:
    void load();
    void applyLanguage(int value);
    void applyAppearance(int value);

    QString m_titleEN;
    QString m_titleCN;
    int m_languageSupport = 1;
    int m_language = 0;
    int m_appearanceSupport = 1;
    int m_appearanceConfig = 0;
    int m_dark = 0;
    int m_deviceVersion = 2;
    bool m_showAtStartup = true;
    quint32 m_hiddenInputMask = 0;
    quint32 m_hiddenOutputMask = 0;
    quint32 m_danteInputMask = 0;
    quint32 m_danteOutputMask = 0;
    bool m_usbPresent = false;
    int m_usbPlayInput = -1;
    int m_usbRecordOutput = -1;
    quint16 m_headerWord = 1;
    quint16 m_broadcastPort = kDefaultBroadcastPort;
    quint16 m_controlPort = kDefaultControlPort;
    QString m_lastFileDirectory;
    QTranslator* m_translator = nullptr;
};
