// artgen: draws Zembro's default pictures into a run folder, and the program's own pictures
// into a resource folder. Usage: artgen RUN_FOLDER RESOURCE_FOLDER
#include "art_kit.h"
#include "bmp_writer.h"
#include "game/picture_names.h"
#include "game/settings_schema.h"
#include "hud_art.h"
#include "piece_art.h"
#include "resource_art.h"
#include "store/options_file.h"
#include "ui/resource_ids.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <vector>

namespace {

// The folder names the default settings give, and their values.
// The picture folders the default settings name.
const char* const BOARD_FOLDER = zembro::SETTING_FIELDS[0].defaultFolder;
const char* const COUNTER_FOLDER = zembro::SETTING_FIELDS[1].defaultFolder;

struct Writer {
    bool ok = true;
    void Check(bool written, const QString& path) {
        if (!written) {
            std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    void Bmp24(const QString& path, const QImage& image) {
        Check(artgen::WriteBmp24(path, image), path);
    }
    void Bmp8(const QString& path, const QImage& image) {
        Check(artgen::WriteBmp8(path, image), path);
    }
    void Text(const QString& path, const QByteArray& text) {
        QFile file(path);
        Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                  file.write(text) == text.size(),
              path);
    }
};

void WriteRunFolder(Writer& w, const QDir& run) {
    run.mkpath(BOARD_FOLDER);
    run.mkpath(COUNTER_FOLDER);
    const QString board = run.filePath(BOARD_FOLDER) + "/";
    const QString counters = run.filePath(COUNTER_FOLDER) + "/";

    // Both conversions run at every start: the large pictures are 24-bit, the small ones 8-bit.
    w.Bmp24(board + zembro::BOARD_BACKGROUND, artgen::Background());
    w.Bmp24(board + zembro::BOARD_MENU_STRIP, artgen::MenuStrip());
    w.Bmp8(board + zembro::BOARD_EMPTY_CELL, artgen::EmptyCell());
    w.Bmp8(board + zembro::BOARD_HIGHLIGHT, artgen::HighlightCell(QColor(70, 214, 96)));
    w.Bmp8(board + zembro::BOARD_ALT_HIGHLIGHT, artgen::HighlightCell(QColor(226, 64, 52)));
    w.Bmp8(board + zembro::BOARD_POINTER, artgen::Pointer());
    QByteArray hotspots;
    for (int kind = 1; kind <= artgen::PIECE_KINDS + 1; ++kind) {
        const QImage piece =
            kind <= artgen::PIECE_KINDS ? artgen::Piece(kind) : artgen::FixedCell();
        w.Bmp24(board + QString::asprintf(zembro::PIECE_PICTURE_FORMAT, kind), piece);
        hotspots += QByteArray("0 ") + QByteArray::number(artgen::PIECE_RISE) + "\r\n";
    }
    w.Text(board + zembro::BOARD_HOTSPOTS, hotspots);

    w.Bmp8(counters + zembro::COUNTER_SECONDS_LABEL, artgen::Label(QStringLiteral("Sec.")));
    w.Bmp8(counters + zembro::COUNTER_FPS_LABEL, artgen::Label(QStringLiteral("FPS")));
    w.Bmp8(counters + zembro::COUNTER_PIECES_LABEL, artgen::Label(QStringLiteral("Pedine")));
    w.Bmp8(counters + zembro::COUNTER_DIGITS, artgen::DigitStrip());
    w.Bmp8(counters + zembro::COUNTER_MOVES_LABEL, artgen::Label(QStringLiteral("Mosse")));
    w.Bmp8(counters + zembro::COUNTER_PAUSE, artgen::PauseMark());
    w.Bmp8(counters + zembro::COUNTER_MINIMISE, artgen::MinimiseMark());

    // The settings are the player's once written: only a missing file gets the defaults.
    const QString options = run.filePath(zembro::OPTIONS_FILE_NAME);
    if (!QFile::exists(options)) {
        const zembro::IoResult written =
            zembro::WriteOptions(options.toStdString(), zembro::DefaultSettings());
        w.Check(static_cast<bool>(written), options);
    }
}

void WriteResources(Writer& w, const QDir& resources) {
    const auto bitmap = [&](int id) { return resources.filePath(QString("bitmap%1.bmp").arg(id)); };
    int seed = 0;
    std::vector<zembro::ButtonPictures> buttons = {zembro::DEFAULT_BUTTON};
    buttons.insert(buttons.end(), std::begin(zembro::BAR_BUTTONS), std::end(zembro::BAR_BUTTONS));
    for (const zembro::ButtonPictures& b : buttons) {
        const QString label = QString::fromUtf8(b.label);
        w.Bmp24(bitmap(b.picture), artgen::WoodButton(label, false, seed));
        w.Bmp24(bitmap(b.pressedPicture), artgen::WoodButton(label, true, seed));
        ++seed;
    }
    for (const int spare : zembro::BITMAP_SPARE)
        w.Bmp24(bitmap(spare), artgen::WoodButton(QString(), false, ++seed));
    w.Bmp8(bitmap(zembro::BITMAP_ABOUT), artgen::AboutPicture());
    // The defaults an installation hands to each new player.
    const QString options = resources.filePath(zembro::OPTIONS_FILE_NAME);
    w.Check(
        static_cast<bool>(zembro::WriteOptions(options.toStdString(), zembro::DefaultSettings())),
        options);
    const QString icon = QString("icon%1").arg(zembro::ICON_GAME);
    w.Text(resources.filePath(icon + ".svg"), artgen::IconSvg());
    // Windows takes the same pictures in one .ico file: a directory, then each PNG whole.
    const std::vector<int> sizes = {16, 24, 32, 48, 64, 128, 256};
    QByteArray directory, images;
    const auto put16 = [](QByteArray& to, int v) {
        to += static_cast<char>(v & 0xFF);
        to += static_cast<char>((v >> 8) & 0xFF);
    };
    const auto put32 = [&](QByteArray& to, qsizetype v) {
        put16(to, static_cast<int>(v & 0xFFFF));
        put16(to, static_cast<int>((v >> 16) & 0xFFFF));
    };
    put16(directory, 0);
    put16(directory, 1); // an icon
    put16(directory, static_cast<int>(sizes.size()));
    const qsizetype start = 6 + 16 * static_cast<qsizetype>(sizes.size());
    for (const int size : sizes) {
        const QString path = resources.filePath(icon + QString("-%1.png").arg(size));
        w.Check(artgen::Icon(size).save(path), path);
        QFile png(path);
        w.Check(png.open(QIODevice::ReadOnly), path);
        const QByteArray bytes = png.readAll();
        directory += static_cast<char>(size == 256 ? 0 : size); // 0 stands for 256
        directory += static_cast<char>(size == 256 ? 0 : size);
        put16(directory, 0); // no palette, reserved
        put16(directory, 1); // planes
        put16(directory, 32);
        put32(directory, bytes.size());
        put32(directory, start + images.size());
        images += bytes;
    }
    w.Text(resources.filePath(icon + ".ico"), directory + images);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: artgen RUN_FOLDER RESOURCE_FOLDER\n");
        return 2;
    }
    QString error;
    if (!artgen::LoadFonts(error)) {
        std::fprintf(stderr, "artgen: %s\n", qPrintable(error));
        return 1;
    }
    const QDir run(QString::fromLocal8Bit(argv[1]));
    const QDir resources(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(run.path());
    QDir().mkpath(resources.path());
    Writer w;
    WriteRunFolder(w, run);
    WriteResources(w, resources);
    return w.ok ? 0 : 1;
}
