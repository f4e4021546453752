#include "app/window/CaptionBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

namespace {

// The caption's colours while the window is active and while it is not:
// the inactive title recedes towards the strip's own grey.
struct CaptionColours {
    QPalette::ColorGroup group;
    QColor strip;
    QColor title;
};
constexpr std::size_t captionColourCount = 2;
const auto captionColours = std::to_array<CaptionColours>({
    {.group = QPalette::Active,
     .strip = QColor(0x2b, 0x2d, 0x30),
     .title = QColor(0xe8, 0xe8, 0xe8)},
    {.group = QPalette::Inactive,
     .strip = QColor(0x2b, 0x2d, 0x30),
     .title = QColor(0x80, 0x83, 0x88)},
});
static_assert(captionColours.size() == captionColourCount);

QPalette captionPalette(QPalette palette) {
    for (const CaptionColours& row : captionColours) {
        palette.setColor(row.group, QPalette::Window, row.strip);
        palette.setColor(row.group, QPalette::WindowText, row.title);
        palette.setColor(row.group, QPalette::ButtonText, row.title);
    }
    return palette;
}

} // namespace

// The title strip's text: asks for no width of its own, so that no text can
// widen the window, and shows as much of the title as its width holds.
class CaptionTitle : public QLabel {
public:
    CaptionTitle(const QString& title, QWidget* parent) : QLabel(parent) {
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        setMinimumWidth(0);
        setFullText(title);
    }
    void setFullText(const QString& title) {
        whole = title;
        setToolTip(title);
        fit();
    }
    const QString& fullText() const { return whole; }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        fit();
    }

private:
    void fit() { setText(fontMetrics().elidedText(whole, Qt::ElideRight, contentsRect().width())); }

    QString whole;
};

CaptionBar::CaptionBar(QWidget* window, const QString& title) : QWidget(window), shell(window) {
    setObjectName(QStringLiteral("caption"));
    setFixedHeight(stripHeight);
    setAutoFillBackground(true);
    setPalette(captionPalette(palette()));
    // Its own arrow: the border's resize shapes never reach the caption.
    setCursor(Qt::ArrowCursor);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 0, 0);
    layout->setSpacing(0);
    label = new CaptionTitle(title, this);
    label->setObjectName(QStringLiteral("captionTitle"));
    layout->addWidget(label, 1);
    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setText(QStringLiteral("\u2715"));
    close->setAutoRaise(true);
    close->setFocusPolicy(Qt::NoFocus);
    close->setFixedSize(stripHeight + 12, stripHeight);
    layout->addWidget(close);
    connect(close, &QToolButton::clicked, window, &QWidget::close);
}

void CaptionBar::setTitle(const QString& title) {
    label->setFullText(title);
}

QString CaptionBar::title() const {
    return label->fullText();
}

void CaptionBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        dragger.press(event->globalPosition().toPoint(), {});
    else if (event->button() == Qt::RightButton)
        emit menuRequested(event->globalPosition().toPoint());
}

void CaptionBar::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        dragger.drag(*shell, event->globalPosition().toPoint());
}

void CaptionBar::mouseReleaseEvent(QMouseEvent*) {
    dragger.release();
}

void CaptionBar::mouseDoubleClickEvent(QMouseEvent* event) {
    dragger.release();
    if (event->button() == Qt::LeftButton)
        emit restoreSizeRequested();
}
