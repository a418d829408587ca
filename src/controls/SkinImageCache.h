#pragma once
// Decoded skin images, kept between repaints. An image is decoded again only when its file's
// modification time or size changed, so an edited skin file still shows at the next repaint
// without every repaint decoding every image.
//
// Images are stored opaque: a pixel's stored colour is kept and its alpha dropped, because
// skin images are copied onto a window, never blended with what lies under them.
//
// File names are matched without regard to case when no file has the exact name
// ("disable.png" finds "Disable.png").

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QString>

namespace quenlar::controls {

class SkinImageCache {
public:
    // The decoded image folder + fileName, or nullptr when the file is missing or cannot be
    // decoded. The pointer stays valid until the next call on this cache.
    const QImage *image(const QString &folder, const QString &fileName);

    // Forget every decoded image.
    void clear() { entries_.clear(); }

    // How many files have been decoded since construction (for tests and the benchmark).
    int decodeCount() const { return decodeCount_; }

private:
    struct Entry {
        QString path; // the file actually found (case may differ from the name asked for)
        QDateTime modified;
        qint64 size = -1;
        QImage image; // null when the file could not be decoded
    };

    static QString resolve(const QString &folder, const QString &fileName);
    void load(Entry &entry, const QDateTime &modified, qint64 size);

    QHash<QString, Entry> entries_;
    int decodeCount_ = 0;
};

// Decode a PNG (or any image file Qt reads) into an opaque image that keeps the colour values
// stored in transparent pixels. A null image when the file cannot be decoded.
QImage decodeOpaque(const QString &path);

} // namespace quenlar::controls
