#include "resources/Resources.h"

#include <QResource>
#include <QString>

namespace zentor {

namespace {

// Embedded as ":/zentor/<type>/<id>", stored uncompressed so that the bytes
// can be handed out in place.
QString resourcePath(int id, std::string_view type) {
    return QStringLiteral(":/zentor/%1/%2")
        .arg(QString::fromLatin1(type.data(), qsizetype(type.size())).toLower())
        .arg(id);
}

} // namespace

std::span<const std::uint8_t> findResource(int id, std::string_view type) {
    const QResource resource(resourcePath(id, type));
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() <= 0)
        return {};
    return {reinterpret_cast<const std::uint8_t*>(resource.data()),
            static_cast<std::size_t>(resource.size())};
}

} // namespace zentor
