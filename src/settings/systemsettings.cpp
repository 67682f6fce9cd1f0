#include "systemsettings.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTranslator>

static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

const char* const kConfigFile = "cfg.ini";
const char* const kDefaultTitle = "KV530418";

// cfg.ini is opened anew for every key so that edits by hand between two calls are seen.
QVariant readKey(const QString& group, const QString& key, const QVariant& fallback = {})
{
    QSettings ini(QString::fromLatin1(kConfigFile), QSettings::IniFormat);
    ini.setIniCodec("GB2312");
    ini.beginGroup(group);
    const QVariant v = ini.value(key, fallback);
    ini.endGroup();
    return v;
}

// Writing rewrites the whole file (its comments and layout go), so a key is written only when
// its value really changes: a file edited by hand survives a start untouched.
void writeKey(const QString& group, const QString& key, const QVariant& value)
{
    QSettings ini(QString::fromLatin1(kConfigFile), QSettings::IniFormat);
    ini.setIniCodec("GB2312");
    ini.beginGroup(group);
    const QVariant stored = ini.value(key);
    if (stored.isValid() && stored.toString() == value.toString())
        return;
    ini.setValue(key, value);
    ini.endGroup();
    ini.sync();
}

int readInt(const QString& group, const QString& key, int low, int high, int fallback)
{
    bool ok = false;
    const int v = readKey(group, key).toInt(&ok);
    return ok && v >= low && v <= high ? v : fallback;
}

// Ports beyond 16 bits would wrap to some unrelated port; they fall back like any bad value.
quint16 readPort(const QString& group, quint16 fallback)
{
    bool ok = false;
    const uint v = readKey(group, QStringLiteral("Port")).toUInt(&ok);
    return ok && v <= 0xFFFF ? quint16(v) : fallback;
}

struct Profile
{
    quint32 hiddenInputs;
    quint32 hiddenOutputs;
    quint32 danteInputs;
    quint32 danteOutputs;
    bool usb;
    int usbPlayInput;
    int usbRecordOutput;
    SystemSettings::UnitMasks unit;
};

const Profile kProfiles[SystemSettings::kProfileCount] = {
    {0, 0, 0, 0, false, -1, -1, {0xFFFF, 0xFFFF, false}},
    {0xFFFE0000, 0xFFFFFE00, 0, 0, true, 16, 8, {0x3FFFF, 0x1FF, false}},
    {0xFFFFFE00, 0xFFFFFE00, 0, 0, true, 8, 8, {0x3FF, 0x1FF, false}},
    {0x0000FFF0, 0x0000FF00, 0, 0, false, -1, -1, {0xF, 0xFF, false}},
    {0, 0, 0x0000F000, 0x0000F000, false, -1, -1, {0xFFF, 0xFFF, true}},
};

} // namespace

SystemSettings::SystemSettings(QObject* parent) : QObject(parent)
{
    initResources();
    load();
}

SystemSettings::~SystemSettings() = default;

DeviceProfile SystemSettings::deviceProfile() const
{
    DeviceProfile p;
    p.hiddenInputs = m_hiddenInputMask;
    p.hiddenOutputs = m_hiddenOutputMask;
    p.danteInputs = m_danteInputMask;
    p.danteOutputs = m_danteOutputMask;
    p.usbPlayInput = m_usbPresent ? m_usbPlayInput : -1;
    p.usbRecordOutput = m_usbPresent ? m_usbRecordOutput : -1;
    return p;
}

void SystemSettings::load()
{
    const QString language = QStringLiteral("Language");
    m_languageSupport = readInt(language, QStringLiteral("Support"), 1, 3, 1);
    applyLanguage(readInt(language, QStringLiteral("Current"), 0, 1, 0));

    const QString title = QStringLiteral("Title");
    m_titleEN = readKey(title, QStringLiteral("EN")).toString();
    if (m_titleEN.isEmpty()) {
        m_titleEN = QString::fromLatin1(kDefaultTitle);
        writeKey(title, QStringLiteral("EN"), m_titleEN);
    }
    m_titleCN = readKey(title, QStringLiteral("CN")).toString();
    if (m_titleCN.isEmpty()) {
        m_titleCN = QString::fromLatin1(kDefaultTitle);
        writeKey(title, QStringLiteral("CN"), m_titleCN);
    }

    const QString appearance = QStringLiteral("Appearance");
    m_appearanceSupport = readInt(appearance, QStringLiteral("Support"), 1, 3, 1);
    applyAppearance(readInt(appearance, QStringLiteral("Config"), 0, 1, 0));

    const QString version = QStringLiteral("DeviceVersionSelection");
    setDeviceVersionSelection(readInt(version, QStringLiteral("Current"), 1, 2, 2));
    setShowAtStartup(readKey(version, QStringLiteral("ShowAtStartup"), true).toBool());

    m_headerWord = 1;
    m_broadcastPort = readPort(QStringLiteral("Broadcast"), kDefaultBroadcastPort);
    m_controlPort = readPort(QStringLiteral("Control"), kDefaultControlPort);
    m_lastFileDirectory = QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

void SystemSettings::applyLanguage(int value)
{
    if (m_languageSupport == 1)
        m_language = 0;
    else if (m_languageSupport == 2)
        m_language = 1;
    else
        m_language = value == 1 ? 1 : 0; // anything but English is Chinese, as on the next start

    // Owned by the settings, so that it leaves the application together with them.
    if (!m_translator)
        m_translator = new QTranslator(this);
    const QString catalogue = m_language == 1 ? QStringLiteral(":/translation/english.qm")
                                              : QStringLiteral(":/translation/chinese.qm");
    m_translator->load(catalogue); // a catalogue that fails to load leaves the source texts
    // Installing sends the language-change event to every widget, which re-sets its texts.
    QCoreApplication::removeTranslator(m_translator);
    QCoreApplication::installTranslator(m_translator);
    emit languageChanged(m_language);
}

void SystemSettings::applyAppearance(int value)
{
    if (m_appearanceSupport == 1) {
        m_appearanceConfig = 0;
        m_dark = 0;
    } else if (m_appearanceSupport == 2) {
        m_appearanceConfig = 1;
        m_dark = 1;
    } else {
        m_appearanceConfig = value;
        if (value == 0 || value == 1)
            m_dark = value;
    }

    QString sheet;
    QFile file(m_dark ? QStringLiteral(":/qss/dark.qss") : QStringLiteral(":/qss/light.qss"));
    if (file.open(QIODevice::ReadOnly)) {
        QByteArray bytes = file.readAll();
        const int zero = bytes.indexOf('\0');
        if (zero >= 0)
            bytes.truncate(zero);
        sheet = QString::fromUtf8(bytes);
    }
    if (auto* app = qobject_cast<QApplication*>(qApp))
        app->setStyleSheet(sheet);
    emit appearanceChanged(m_dark);
}

void SystemSettings::setLanguage(int language)
{
    applyLanguage(language);
    writeKey(QStringLiteral("Language"), QStringLiteral("Current"), m_language);
}

void SystemSettings::setAppearance(int appearance)
{
    applyAppearance(appearance);
    writeKey(QStringLiteral("Appearance"), QStringLiteral("Config"), m_appearanceConfig);
}

void SystemSettings::setDeviceVersionSelection(int profile)
{
    if (profile >= 0 && profile < kProfileCount) {
        const Profile& p = kProfiles[profile];
        m_hiddenInputMask = p.hiddenInputs;
        m_hiddenOutputMask = p.hiddenOutputs;
        m_danteInputMask = p.danteInputs;
        m_danteOutputMask = p.danteOutputs;
        m_usbPresent = p.usb;
        m_usbPlayInput = p.usbPlayInput;
        m_usbRecordOutput = p.usbRecordOutput;
    }
    m_deviceVersion = profile;
    writeKey(QStringLiteral("DeviceVersionSelection"), QStringLiteral("Current"), profile);
}

void SystemSettings::setShowAtStartup(bool show)
{
    m_showAtStartup = show;
    writeKey(QStringLiteral("DeviceVersionSelection"), QStringLiteral("ShowAtStartup"), show);
}

void SystemSettings::setLastFileDirectory(const QString& path)
{
    m_lastFileDirectory = path + QLatin1Char('/');
}

bool SystemSettings::highDpiScaling()
{
    return readKey(QStringLiteral("HighDpiScaling"), QStringLiteral("Enabled"), true).toBool();
}

void SystemSettings::setHighDpiScaling(bool enabled)
{
    writeKey(QStringLiteral("HighDpiScaling"), QStringLiteral("Enabled"), enabled);
}

void SystemSettings::setValue(const QString& key, const QByteArray& bytes)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QM"),
                    QStringLiteral("KV530418"));
    store.setValue(key, bytes);
}

QByteArray SystemSettings::value(const QString& key)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QM"),
                    QStringLiteral("KV530418"));
    return store.value(key).toByteArray();
}

SystemSettings::UnitMasks SystemSettings::unitMasksForProfile(int profile)
{
    if (profile < 0 || profile >= kProfileCount)
        return kProfiles[0].unit;
    return kProfiles[profile].unit;
}
