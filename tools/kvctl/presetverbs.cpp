#include "controlsession.h"
#include "presetedits.h"
#include "presetfiletransfer.h"
#include "verbs.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

using Scope = PresetFileTransfer::Scope;

const QLatin1String kBankFile("presets.pstl");
const QLatin1String kIndexFile("presets.json");

QString slotFile(int slot)
{
    return QStringLiteral("preset-%1.pst").arg(slot + 1, 2, 10, QLatin1Char('0'));
}

// One preset action against a logged-in unit.
class PresetRun
{
public:
    PresetRun(ControlSession& session, const cli::Options& options)
        : m_session(session), m_options(options), m_transfer(session.model())
    {
        QObject::connect(
            &session.model(), &DataModel::tcpSyncToUI, &m_transfer,
            [this](uchar type, uchar subType, uchar funcId, uchar, uchar, const QVariant& any) {
                const wire::Code c = wire::codeOf(type, subType, funcId);
                if (c == wire::code::PresetExport || c == wire::code::PresetExportAll ||
                    c == wire::code::PresetImport || c == wire::code::PresetImportAll)
                    m_transfer.handleAnswer(c, any.toByteArray());
            });
    }

    const model::PresetTable& table() { return m_session.model().presets(); }

    int readTable()
    {
        const int rc = m_session.read({{wire::code::PresetTable, {}}});
        return rc == cli::Ok ? rc : m_session.report(rc);
    }

    // Moves one file; cli::Ok or the failure reported.
    int transfer(bool exporting, Scope scope, int slot, const QString& path)
    {
        if (const int rc = m_session.settle(); rc != cli::Ok)
            return m_session.report(rc);
        bool done = false;
        int failure = -1;
        QObject::connect(&m_transfer, &PresetFileTransfer::finished, &m_transfer,
                         [&] { done = true; });
        QObject::connect(&m_transfer, &PresetFileTransfer::failed, &m_transfer,
                         [&](PresetFileTransfer::Failure f) {
                             done = true;
                             failure = int(f);
                         });
        if (exporting) {
            m_transfer.startExport(scope, slot, path);
        } else if (!m_transfer.startImport(scope, slot, path)) {
            failure = int(PresetFileTransfer::Failure::BadFile);
            done = true;
        }
        ControlSession::waitFor([&] { return done; },
                                PresetFileTransfer::kAnswerTimeoutMs * 2 + 60000);
        m_transfer.disconnect(&m_transfer);
        if (!done) {
            m_transfer.cancel();
            return cli::fail(cli::Unreachable, QStringLiteral("the unit stopped answering"));
        }
        switch (failure) {
        case -1:
            return cli::Ok;
        case int(PresetFileTransfer::Failure::BadFile):
            return cli::fail(cli::ValueRefused,
                             QStringLiteral("%1 is not a preset file this unit takes").arg(path));
        case int(PresetFileTransfer::Failure::NothingToExport):
            return cli::fail(cli::Failed, scope == Scope::OnePreset
                                              ? QStringLiteral("preset %1 is empty").arg(slot + 1)
                                              : QStringLiteral("the unit has no presets"));
        case int(PresetFileTransfer::Failure::WriteFailed):
            return cli::fail(cli::Failed, QStringLiteral("cannot write %1").arg(path));
        default:
            return cli::fail(cli::Unreachable, QStringLiteral("the unit stopped answering"));
        }
    }

    int list()
    {
        if (const int rc = readTable(); rc != cli::Ok)
            return rc;
        const model::PresetTable& t = table();
        if (m_options.json) {
            QJsonArray presetList;
            for (int i = 0; i < wire::kPresetCount; ++i) {
                const model::PresetEntry& e = t.entries[std::size_t(i)];
                presetList.append(QJsonObject{{QStringLiteral("number"), i + 1},
                                              {QStringLiteral("used"), e.used},
                                              {QStringLiteral("name"), e.name},
                                              {QStringLiteral("current"), t.current == i}});
            }
            cli::out() << QJsonDocument(presetList).toJson(QJsonDocument::Indented);
            return cli::Ok;
        }
        for (int i = 0; i < wire::kPresetCount; ++i) {
            const model::PresetEntry& e = t.entries[std::size_t(i)];
            cli::out() << QStringLiteral("%1 %2 %3 %4\n")
                              .arg(i + 1, 2)
                              .arg(t.current == i ? QLatin1Char('*') : QLatin1Char(' '))
                              .arg(e.used ? QStringLiteral("used ") : QStringLiteral("empty"))
                              .arg(e.name);
        }
        return cli::Ok;
    }

    int recall(int slot)
    {
        if (const int rc = readTable(); rc != cli::Ok)
            return rc;
        if (!table().entries[std::size_t(slot)].used)
            return cli::fail(cli::ValueRefused, QStringLiteral("preset %1 is empty").arg(slot + 1));
        PresetEdits(m_session.model()).load(slot);
        if (const int rc = readTable(); rc != cli::Ok)
            return rc;
        if (table().current != slot)
            return cli::fail(cli::ValueRefused,
                             QStringLiteral("the unit did not load preset %1").arg(slot + 1));
        return cli::Ok;
    }

    int save(int slot, const QString& name)
    {
        if (!PresetEdits::fits(name))
            return cli::fail(cli::ValueRefused,
                             QStringLiteral("the name \"%1\" is longer than %2 bytes")
                                 .arg(name)
                                 .arg(wire::kPresetNameBytes));
        if (const int rc = readTable(); rc != cli::Ok)
            return rc;
        PresetEdits edits(m_session.model());
        edits.save(slot);
        if (const int rc = m_session.settle(); rc != cli::Ok)
            return m_session.report(rc);
        edits.rename(slot, name);
        if (const int rc = readTable(); rc != cli::Ok)
            return rc;
        const model::PresetEntry& e = table().entries[std::size_t(slot)];
        if (!e.used || e.name != name.trimmed())
            return cli::fail(cli::ValueRefused,
                             QStringLiteral("the unit did not save preset %1 as \"%2\"")
                                 .arg(slot + 1)
                                 .arg(name.trimmed()));
        return cli::Ok;
    }

    int backup(const QString& dirPath)
    {
        QDir dir(dirPath);
        if (!dir.mkpath(QStringLiteral(".")))
            return cli::fail(cli::Failed, QStringLiteral("cannot create %1").arg(dirPath));
        if (const int rc = readTable(); rc != cli::Ok)
            return rc;
        const model::PresetTable t = table();
        if (const int rc = transfer(true, Scope::AllPresets, 0, dir.filePath(kBankFile));
            rc != cli::Ok)
            return rc;
        QJsonArray presetList;
        for (int i = 0; i < wire::kPresetCount; ++i) {
            const model::PresetEntry& e = t.entries[std::size_t(i)];
            QJsonObject entry{{QStringLiteral("number"), i + 1},
                              {QStringLiteral("used"), e.used},
                              {QStringLiteral("name"), e.name}};
            if (e.used) {
                if (const int rc = transfer(true, Scope::OnePreset, i, dir.filePath(slotFile(i)));
                    rc != cli::Ok)
                    return rc;
                entry.insert(QStringLiteral("file"), slotFile(i));
            }
            presetList.append(entry);
        }
        const QJsonObject index{{QStringLiteral("current"), int(t.current) + 1},
                                {QStringLiteral("bank"), kBankFile},
                                {QStringLiteral("presets"), presetList}};
        QSaveFile file(dir.filePath(kIndexFile));
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(QJsonDocument(index).toJson(QJsonDocument::Indented)) < 0 || !file.commit())
            return cli::fail(cli::Failed,
                             QStringLiteral("cannot write %1").arg(dir.filePath(kIndexFile)));
        return cli::Ok;
    }

    int restore(const QString& dirPath)
    {
        const QDir dir(dirPath);
        QFile indexFile(dir.filePath(kIndexFile));
        if (!indexFile.open(QIODevice::ReadOnly))
            return cli::fail(cli::Failed,
                             QStringLiteral("cannot read %1").arg(indexFile.fileName()));
        const QJsonObject index = QJsonDocument::fromJson(indexFile.readAll()).object();
        const QJsonArray presetList = index.value(QStringLiteral("presets")).toArray();
        if (presetList.size() != wire::kPresetCount)
            return cli::fail(cli::Failed, QStringLiteral("%1 does not list %2 presets")
                                              .arg(indexFile.fileName())
                                              .arg(wire::kPresetCount));
        if (const int rc = transfer(false, Scope::AllPresets, 0, dir.filePath(kBankFile));
            rc != cli::Ok)
            return rc;
        if (const int rc = readTable(); rc != cli::Ok)
            return rc;
        int code = cli::Ok;
        for (int i = 0; i < wire::kPresetCount; ++i) {
            const QJsonObject want = presetList[i].toObject();
            const model::PresetEntry& e = table().entries[std::size_t(i)];
            if (e.used != want.value(QStringLiteral("used")).toBool() ||
                (e.used && e.name != want.value(QStringLiteral("name")).toString()))
                code = cli::fail(cli::ValueRefused,
                                 QStringLiteral("preset %1 was not restored").arg(i + 1));
        }
        return code;
    }

private:
    ControlSession& m_session;
    const cli::Options& m_options;
    PresetFileTransfer m_transfer;
};

// A preset number 1..32 as a slot index, or -1.
int slotOf(const QString& text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && PresetEdits::validSlot(n - 1) ? n - 1 : -1;
}

} // namespace

int runPreset(const cli::Options& o)
{
    const QStringList& a = o.arguments;
    const QString action = a.value(1);
    struct Shape
    {
        const char* action;
        int arguments;
    };
    static const Shape shapes[] = {{"list", 0},   {"recall", 1}, {"save", 2},   {"export", 2},
                                   {"import", 2}, {"backup", 1}, {"restore", 1}};
    bool known = false;
    for (const Shape& s : shapes) {
        if (action == QLatin1String(s.action)) {
            known = true;
            if (a.size() != 2 + s.arguments)
                return cli::fail(cli::Usage,
                                 QStringLiteral("preset %1 takes %2 argument(s) after the unit "
                                                "(see kvctl preset --help)")
                                     .arg(action)
                                     .arg(s.arguments));
        }
    }
    if (!known)
        return cli::fail(cli::Usage, QStringLiteral("preset takes a unit and one of list, recall, "
                                                    "save, export, import, backup, restore"));
    // Preset numbers are checked before the unit is reached.
    const QString numberText = action == QLatin1String("import") ? a.value(3) : a.value(2);
    const bool numbered = action == QLatin1String("recall") || action == QLatin1String("save") ||
                          action == QLatin1String("export") || action == QLatin1String("import");
    const int slot = numbered ? slotOf(numberText) : 0;
    if (slot < 0)
        return cli::fail(cli::ValueRefused,
                         QStringLiteral("preset number \"%1\" is not within 1..%2")
                             .arg(numberText)
                             .arg(wire::kPresetCount));

    ControlSession session(o);
    if (const int rc = session.open(a[0]); rc != cli::Ok)
        return session.report(rc);
    PresetRun run(session, o);
    if (action == QLatin1String("list"))
        return run.list();
    if (action == QLatin1String("recall"))
        return run.recall(slot);
    if (action == QLatin1String("save"))
        return run.save(slot, a[3]);
    if (action == QLatin1String("export"))
        return run.transfer(true, Scope::OnePreset, slot, QFileInfo(a[3]).absoluteFilePath());
    if (action == QLatin1String("import")) {
        if (const int rc =
                run.transfer(false, Scope::OnePreset, slot, QFileInfo(a[2]).absoluteFilePath());
            rc != cli::Ok)
            return rc;
        return run.readTable();
    }
    if (action == QLatin1String("backup"))
        return run.backup(a[2]);
    return run.restore(a[2]);
}
