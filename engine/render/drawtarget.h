#pragma once

#include <QList>
#include <QString>

class QImage;

namespace engine {

// Where a label is drawn: the printer page, or the first-label or
// second-label work picture of a preview window.
enum class TargetKind { Page, First, Second };

QString targetName(TargetKind kind); // "page", "first", "second"

// The font of one drawn character. `size` is the point size the label asks
// for; a preview picture doubles it itself.
struct TextStyle
{
    QString font;
    int size = 8;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const TextStyle &) const = default;
};

// One character of a line, with the top-left corner of its cell at (x, y).
struct PlacedChar
{
    double x = 0;
    double y = 0;
    TextStyle style;
    QString character;
};

// A filled black rectangle between two corners.
struct Box
{
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
};

// The drawing operations a label needs. All positions are twips from the
// top-left corner of the page or of the picture's label space; the target
// knows how they land on paper or on the screen.
class DrawTarget
{
public:
    virtual ~DrawTarget() = default;

    virtual TargetKind kind() const = 0;

    // The printer check before text: false when the target cannot draw (a
    // printer that has gone away). Pictures always can.
    virtual bool canDraw() { return true; }

    // One character with the top-left corner of its cell at (x, y).
    virtual void drawChar(double x, double y, const TextStyle &style, const QString &character) = 0;
    // The characters of one line in order, each drawn as drawChar draws it.
    // A target that draws a line faster as a whole overrides this.
    virtual void drawChars(const QList<PlacedChar> &characters)
    {
        for (const PlacedChar &c : characters)
            drawChar(c.x, c.y, c.style, c.character);
    }
    // A solid black line; the pen is `penWidth` device pixels wide.
    virtual void drawLine(double x1, double y1, double x2, double y2, int penWidth) = 0;
    // A filled black rectangle between two corners.
    virtual void drawBox(double x1, double y1, double x2, double y2) = 0;
    // The bars of one symbol, each drawn as drawBox draws it. A target that
    // fills many boxes faster at once overrides this.
    virtual void drawBoxes(const QList<Box> &boxes)
    {
        for (const Box &b : boxes)
            drawBox(b.x1, b.y1, b.x2, b.y2);
    }
    // A picture scaled into the box; `file` names it for the record.
    virtual void drawPicture(const QString &file, const QImage &picture, double x, double y, double width,
                             double height) = 0;
    // Text turned 90 degrees counter-clockwise, its start at (x, y).
    virtual void drawRotatedText(double x, double y, const QString &text) = 0;
};

} // namespace engine
