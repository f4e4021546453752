#include "gfx/Font.h"

#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QString>

#include <array>
#include <cmath>

namespace gfx {

namespace {

struct MetricTwin {
    std::u16string_view family;
    std::u16string_view twin;
};

// Families drawn with the same advance widths and line metrics as the one asked for.
constexpr std::array metricTwins{
    MetricTwin{u"Arial", u"Liberation Sans"},
    MetricTwin{u"Arial", u"Arimo"},
};
static_assert(metricTwins.size() == 2);

QString toQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

std::u16string toU16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          std::size_t(text.size()));
}

bool sameFamily(const QString& a, std::u16string_view b) {
    return a.compare(toQString(b), Qt::CaseInsensitive) == 0;
}

bool resolvesTo(std::u16string_view asked, const QString& resolved) {
    if (sameFamily(resolved, asked))
        return true;
    for (const MetricTwin& pair : metricTwins)
        if (sameFamily(toQString(pair.family), asked) && sameFamily(resolved, pair.twin))
            return true;
    return false;
}

// Font lookups need the GUI application's font database.
bool fontDatabaseReady() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance());
}

} // namespace

FontFamily::FontFamily() = default;
FontFamily::FontFamily(FontFamily&&) noexcept = default;
FontFamily& FontFamily::operator=(FontFamily&&) noexcept = default;
FontFamily::~FontFamily() = default;

FontFamily::FontFamily(std::u16string_view name) {
    if (!fontDatabaseReady() || name.empty()) {
        lastStatus_ = Status::fontFamilyNotFound;
        return;
    }
    const QString resolved = QFontInfo(QFont(toQString(name))).family();
    if (!resolvesTo(name, resolved)) {
        lastStatus_ = Status::fontFamilyNotFound;
        return;
    }
    if (!family_.make(0, resolved))
        lastStatus_ = Status::outOfMemory;
}

FontFamily FontFamily::genericSansSerif() {
    FontFamily family;
    if (!fontDatabaseReady()) {
        family.lastStatus_ = Status::fontFamilyNotFound;
        return family;
    }
    QFont probe(QStringLiteral("sans-serif"));
    probe.setStyleHint(QFont::SansSerif);
    if (!family.family_.make(0, QFontInfo(probe).family()))
        family.lastStatus_ = Status::outOfMemory;
    return family;
}

std::u16string FontFamily::name() const {
    return family_ ? toU16(*family_) : std::u16string();
}

Font::Font() = default;
Font::Font(Font&&) noexcept = default;
Font& Font::operator=(Font&&) noexcept = default;
Font::~Font() = default;

Font::Font(const FontFamily* family, float emSizePixels, FontStyle style) {
    const float rounded = std::isfinite(emSizePixels) ? std::round(emSizePixels) : 0.0f;
    if (!family || !family->valid() || rounded < 1.0f || rounded > 16384.0f) {
        lastStatus_ = Status::invalidParameter;
        return;
    }
    if (!font_.make(std::uint32_t(rounded), *family->family_)) {
        lastStatus_ = Status::outOfMemory;
        return;
    }
    font_->setPixelSize(int(rounded));
    font_->setBold(style == FontStyle::bold || style == FontStyle::boldItalic);
    font_->setItalic(style == FontStyle::italic || style == FontStyle::boldItalic);
}

float Font::size() const {
    return font_ ? float(font_->pixelSize()) : 0.0f;
}

FontStyle Font::style() const {
    if (!font_)
        return FontStyle::regular;
    const bool bold = font_->bold();
    const bool italic = font_->italic();
    return bold ? (italic ? FontStyle::boldItalic : FontStyle::bold)
                : (italic ? FontStyle::italic : FontStyle::regular);
}

std::u16string Font::familyName() const {
    return font_ ? toU16(QFontInfo(*font_).family()) : std::u16string();
}

} // namespace gfx
