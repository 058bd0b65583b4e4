#pragma once

#include "engine/render/celltext.h"
#include "engine/render/drawtarget.h"

#include <optional>

namespace platform {
class Printer;
}

namespace engine {

// The printer page: a painter on the current printer, in twips from the
// page's top-left corner.
class PrinterPageTarget final : public DrawTarget
{
public:
    explicit PrinterPageTarget(platform::Printer &printer);

    TargetKind kind() const override { return TargetKind::Page; }
    bool canDraw() override;
    void drawChar(double x, double y, const TextStyle &style, const QString &character) override;
    void drawChars(const QList<PlacedChar> &characters) override;
    void drawLine(double x1, double y1, double x2, double y2, int penWidth) override;
    void drawBox(double x1, double y1, double x2, double y2) override;
    void drawBoxes(const QList<Box> &boxes) override;
    void drawPicture(const QString &file, const QImage &picture, double x, double y, double width,
                     double height) override;
    void drawRotatedText(double x, double y, const QString &text) override;

private:
    const CellFont &cellFont(const TextStyle &style, const QPaintDevice *device);
    bool isCellStyle(const TextStyle &style, const QPaintDevice *device) const;

    platform::Printer &m_printer;
    // The font of the last character: a label draws line after line in one style.
    std::optional<CellFont> m_cellFont;
    TextStyle m_cellStyle;
    const QPaintDevice *m_cellDevice = nullptr;
};

} // namespace engine
