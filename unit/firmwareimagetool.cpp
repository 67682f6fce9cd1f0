// Writes a firmware image that the virtual unit takes (or, on request, refuses).
//
//   firmware-image [--dsp] [--version 1.3.0] [--build 2] [--size 262144] [--key HEX]
//                  [--damaged] OUTPUT
#include "firmwareimage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes a firmware image for virtual-unit."));
    parser.addHelpOption();
    const QCommandLineOption dsp(QStringLiteral("dsp"),
                                 QStringLiteral("A DSP image (\"*.bin\") instead of a controller "
                                                "image (\"*.img\")."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Version the unit reports afterwards."),
                                     QStringLiteral("a.b.c"), QStringLiteral("1.3.0"));
    const QCommandLineOption build(QStringLiteral("build"),
                                   QStringLiteral("Controller build number (0..255)."),
                                   QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption size(QStringLiteral("size"),
                                  QStringLiteral("File size in bytes, trailer included."),
                                  QStringLiteral("bytes"), QStringLiteral("262144"));
    const QCommandLineOption key(QStringLiteral("key"),
                                 QStringLiteral("Another key (hexadecimal): the application "
                                                "refuses a system upgrade, the unit any."),
                                 QStringLiteral("hex"));
    const QCommandLineOption damaged(QStringLiteral("damaged"),
                                     QStringLiteral("Spoil one body byte: the unit refuses the "
                                                    "image as damaged."));
    parser.addOptions({dsp, version, build, size, key, damaged});
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("File to write."));
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    const QRegularExpressionMatch v =
        QRegularExpression(QStringLiteral("^(\\d+)\\.(\\d+)\\.(\\d+)$"))
            .match(parser.value(version));
    bool sizeOk = false;
    const int bytes = parser.value(size).toInt(&sizeOk);
    bool keyOk = true;
    const quint32 otherKey = parser.isSet(key) ? parser.value(key).toUInt(&keyOk, 16) : 0;
    if (args.size() != 1 || !v.hasMatch() || !sizeOk || bytes <= FirmwareImage::kTrailerBytes ||
        !keyOk) {
        std::fprintf(stderr, "usage: firmware-image [options] OUTPUT (see --help); the size "
                             "must exceed 12 bytes\n");
        return 2;
    }
    FirmwareImage::Version ver;
    ver.major = quint8(v.captured(1).toUInt());
    ver.minor = quint8(v.captured(2).toUInt());
    ver.patch = quint8(v.captured(3).toUInt());
    ver.build = quint8(parser.value(build).toUInt());
    const auto target =
        parser.isSet(dsp) ? FirmwareImage::Target::Dsp : FirmwareImage::Target::Controller;
    QByteArray image = FirmwareImage::build(target, ver, bytes, otherKey);
    if (parser.isSet(damaged))
        image[0] = char(image[0] ^ 0x5A);

    QFile out(args.first());
    if (!out.open(QIODevice::WriteOnly) || out.write(image) != image.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args.first()));
        return 1;
    }
    std::printf("%s: %d bytes, %s V%s\n", qPrintable(args.first()), int(image.size()),
                target == FirmwareImage::Target::Dsp ? "DSP" : "controller",
                qPrintable(parser.value(version)));
    return 0;
}
