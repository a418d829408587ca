#include "controls/SkinImageCache.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace quenlar::controls {

QImage decodeOpaque(const QString &path) {
    QImageReader reader(path);
    QImage decoded = reader.read();
    if (decoded.isNull())
        return {};
    // Non-premultiplied first, so that transparent pixels keep their colour values.
    QImage image = decoded.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] |= 0xFF000000u;
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}

QString SkinImageCache::resolve(const QString &folder, const QString &fileName) {
    const QString exact = folder + fileName;
    if (QFileInfo::exists(exact))
        return exact;
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files);
    for (const QString &name : names)
        if (name.compare(fileName, Qt::CaseInsensitive) == 0)
            return folder + name;
    return {};
}

void SkinImageCache::load(Entry &entry, const QDateTime &modified, qint64 size) {
    entry.modified = modified;
    entry.size = size;
    entry.image = decodeOpaque(entry.path);
    ++decodeCount_;
}

const QImage *SkinImageCache::image(const QString &folder, const QString &fileName) {
    if (fileName.isEmpty())
        return nullptr;
    const QString key = folder + fileName;
    auto it = entries_.find(key);
    if (it != entries_.end()) {
        const QFileInfo info(it->path);
        if (info.exists()) {
            if (info.lastModified() != it->modified || info.size() != it->size)
                load(*it, info.lastModified(), info.size());
            return it->image.isNull() ? nullptr : &it->image;
        }
        entries_.erase(it); // the file went away or was renamed: look it up afresh
    }
    const QString path = resolve(folder, fileName);
    if (path.isEmpty())
        return nullptr; // missing files are not remembered, so one that appears later shows
    Entry entry;
    entry.path = path;
    const QFileInfo info(path);
    load(entry, info.lastModified(), info.size());
    it = entries_.insert(key, entry);
    return it->image.isNull() ? nullptr : &it->image;
}

} // namespace quenlar::controls
