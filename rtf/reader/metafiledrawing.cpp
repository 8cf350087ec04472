// Windows metafiles, which Qt has no reader for, drawn through libwmf's raster device. This is
// a module of its own, loaded by metafileimage.cpp the first time a metafile is met, so that
// runs without one do not load libwmf.

#include "rtf/reader/metafiledrawing_p.h"

#include <QtEndian>

#include <cstring>
#include <memory>

// libwmf's headers define short macro names (U16, U32...) that clash with Qt's: they come last.
#include <libwmf/api.h>
#include <libwmf/gd.h>

namespace {

constexpr int MetafileResolution = 96;
// Metafiles are drawn with their longer side at most this long (64 MB of pixels at most).
constexpr int MaxMetafileSide = 4096;

struct ApiDeleter
{
    // Frees everything libwmf allocated for this metafile, the PNG it wrote included.
    void operator()(wmfAPI *api) const { wmf_api_destroy(api); }
};
using Api = std::unique_ptr<wmfAPI, ApiDeleter>;

// libwmf hands over the PNG it wrote without its length; the chunks say where it ends.
QByteArray pngInBuffer(const char *buffer)
{
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    if (!buffer || std::memcmp(buffer, signature, 8) != 0)
        return QByteArray();
    qint64 end = 8;
    for (;;) {
        const quint32 length = qFromBigEndian<quint32>(buffer + end);
        const bool last = std::memcmp(buffer + end + 4, "IEND", 4) == 0;
        end += 12 + qint64(length);
        if (last)
            return QByteArray(buffer, int(end));
        if (end > qint64(MaxMetafileSide) * MaxMetafileSide * 8)
            return QByteArray(); // no PNG of an allowed drawing is this long
    }
}

QImage drawMetafile(const QByteArray &data)
{
    wmfAPI_Options options = {};
    options.function = wmf_gd_function;
    wmfAPI *created = nullptr;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR
        | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&created, flags, &options) != wmf_E_None) {
        if (created)
            wmf_api_destroy(created);
        return QImage();
    }
    const Api api(created);
    wmf_gd_t *device = WMF_GD_GetData(created);
    if (!(device->flags & WMF_GD_SUPPORTS_PNG))
        return QImage();

    // libwmf only reads the buffer, but its interface takes it as writable.
    QByteArray bytes = data;
    wmfD_Rect box;
    unsigned int width = 0;
    unsigned int height = 0;
    if (wmf_mem_open(created, reinterpret_cast<unsigned char *>(bytes.data()), bytes.size())
            != wmf_E_None
        || wmf_scan(created, 0, &box) != wmf_E_None
        || wmf_display_size(created, &width, &height, MetafileResolution, MetafileResolution)
            != wmf_E_None)
        return QImage();
    if (width == 0 || height == 0)
        return QImage();
    // A metafile's extent is a few bytes that can declare any size, and its drawing is as
    // sharp at any size: a large one is drawn smaller.
    const unsigned int longer = qMax(width, height);
    if (longer > unsigned(MaxMetafileSide)) {
        const double scale = double(MaxMetafileSide) / longer;
        width = qMax(1u, unsigned(width * scale));
        height = qMax(1u, unsigned(height * scale));
    }

    device->type = wmf_gd_png;
    device->flags |= WMF_GD_OUTPUT_MEMORY;
    device->bbox = box;
    device->width = width;
    device->height = height;
    if (wmf_play(created, 0, &box) != wmf_E_None)
        return QImage();
    return QImage::fromData(pngInBuffer(device->memory), "PNG");
}

} // namespace

extern "C" Q_DECL_EXPORT void qmkDrawMetafile(const QByteArray &data, QImage *image)
{
    *image = drawMetafile(data);
}
