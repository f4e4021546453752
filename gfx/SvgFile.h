#pragma once

#include <memory>
#include <string>
#include <string_view>

class QPaintDevice;
class QSvgGenerator;

namespace gfx {

// A picture written as an SVG file: a Graphics made on its device draws
// lines, shapes and text as vectors, and the file is complete once that
// Graphics is gone. Sizes are in pixels, as on a Bitmap of the same size.
class SvgFile {
public:
    SvgFile(const std::string& path, int width, int height, std::u16string_view title);
    SvgFile(const SvgFile&) = delete;
    SvgFile& operator=(const SvgFile&) = delete;
    ~SvgFile();

    QPaintDevice* device();

private:
    std::unique_ptr<QSvgGenerator> generator_;
};

} // namespace gfx
