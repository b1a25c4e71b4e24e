#include "emblem.h"
#include "pictures.h"
#include "sounds.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <cstdio>

namespace {

bool complain(const QString &path, const QString &reason) {
    std::fprintf(stderr, "assetgen: %s: %s\n", qPrintable(path), qPrintable(reason));
    return false;
}

bool writeImage(const QImage &image, const QString &path, const char *format, int quality = -1) {
    QImageWriter writer(path, format);
    writer.setQuality(quality);
    if (qstrcmp(format, "jpeg") == 0) writer.setOptimizedWrite(true);
    return writer.write(image) || complain(path, writer.errorString());
}

bool writeFile(const QByteArray &bytes, const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return complain(path, file.errorString());
    return file.write(bytes) == bytes.size() || complain(path, file.errorString());
}

} // namespace

// Writes every generated picture and sound into the resources folder given as the
// only argument.
int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen RESOURCES-FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = true;

    // Each picture at 1x, and drawn again with twice the pixels for screens of twice the
    // density, named as Qt names such variants ("@2x").
    for (int scale : {1, 2}) {
        const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
        ok = writeImage(makeInkSheet(scale), out.filePath("Image1" + suffix + ".jpg"), "jpeg", 85) && ok;
        ok = writeImage(makeChalkSheet(scale), out.filePath("Image2" + suffix + ".jpg"), "jpeg", 85) && ok;
        ok = writeImage(makeParchmentBand(scale), out.filePath("Image3" + suffix + ".jpg"), "jpeg", 85) && ok;
        ok = writeImage(makeEmblem(scale), out.filePath("emblem" + suffix + ".png"), "png") && ok;
    }

    ok = out.mkpath("icons") && ok;
    ok = writeFile(makeIconSvg(), out.filePath("icons/tessarin.svg")) && ok;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("icons/%1x%1").arg(size);
        ok = out.mkpath(folder) && ok;
        ok = writeImage(makeIcon(size), out.filePath(folder + "/tessarin.png"), "png") && ok;
    }

    ok = writeFile(encodeWav(synthesisePuk()), out.filePath("puk.wav")) && ok;
    ok = writeFile(encodeWav(synthesisePukBum()), out.filePath("puk_bum.wav")) && ok;
    return ok ? 0 : 1;
}
