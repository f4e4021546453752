#include "gfx/SvgFile.h"

#include <QString>
#include <QSvgGenerator>

namespace gfx {

SvgFile::SvgFile(const std::string& path, int width, int height, std::u16string_view title)
    : generator_(std::make_unique<QSvgGenerator>()) {
    generator_->setFileName(QString::fromStdString(path));
    generator_->setSize(QSize(width, height));
    generator_->setViewBox(QRect(0, 0, width, height));
    // 96 pixels an inch, as a screen shows the PNG of the same picture.
    generator_->setResolution(96);
    generator_->setTitle(QString::fromStdU16String(std::u16string(title)));
}

SvgFile::~SvgFile() = default;

QPaintDevice* SvgFile::device() {
    return generator_.get();
}

} // namespace gfx
