#include "fuzzsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextCodec>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace fuzz {

namespace {

// The core logs every framing error; millions of inputs would drown the fuzzer's own output.
void discard(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

void start(const char* programName)
{
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(programName), nullptr};
    static QCoreApplication app(argc, argv);
    // The application decodes the units' texts as GB2312 (resolved to GBK), not as UTF-8.
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("GB2312"));
    qInstallMessageHandler(discard);
}

void inScratchDirectory(const std::function<void()>& construct)
{
    static std::unique_ptr<QTemporaryDir> scratch;
    if (!scratch) {
        scratch = std::make_unique<QTemporaryDir>();
        if (!scratch->isValid())
            fail(QStringLiteral("no temporary directory"));
    }
    const QString previous = QDir::currentPath();
    QDir::setCurrent(scratch->path());
    construct();
    QDir::setCurrent(previous);
}

void fail(const QString& what)
{
    std::fprintf(stderr, "\n*** %s\n", qPrintable(what));
    std::fflush(stderr);
    std::abort();
}

} // namespace fuzz
