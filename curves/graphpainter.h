// The strokes, hatches and texts the curve graphs are made of, over any QPainter:
// the curve page's panel, the PNG of tavik-cli, the printed report and the recording
// device of the tests. A medium says what differs between screen and paper (the
// ink, the face, how strokes meet the device's pixels, the hatch pitch); the pieces
// of a graph below draw a plan of the geometry (graphgeometry.h) in that medium, and
// each caller adds the pen widths and line styles it draws them with.
#pragma once

#include "curves/graphgeometry.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPen>

#include <array>
#include <vector>

class QPainter;
class QPaintDevice;
class QString;

struct GraphMedium {
    QColor ink;       // frame, scales and texts
    QFont face;       // the face of every text; each text sets only its size
    bool pixels;      // strokes cover whole device pixels: lines through the pixels'
                      // centres up to, not including, their last pixel (the screen)
    qreal hatchScale; // hatch pitch as a multiple of the screen's; 1 keeps the
                      // screen's pitch
};

// Hatches at the pitch they have on a 96 dpi screen, whatever the device's resolution,
// so that on paper the three bands stay as easy to tell apart as on the curve page
// instead of turning into grey tints.
qreal hatchScaleFor(const QPaintDevice& device);

// How the scales of a graph are marked: short ticks inward from the frame (the
// screen) or dotted rules across it (paper).
enum class ScaleMarks { InwardTicks, DottedRules };

class GraphPainter {
  public:
    GraphPainter(QPainter& painter, const GraphMedium& medium);

    QPainter& painter() const { return painter_; }

    // --- primitives ---------------------------------------------------------

    // A pen of the given width and style in the medium's ink or the given colour.
    // Wide pens end and join round, so that a curve's 1-dB steps join without notches.
    void setPen(int width, Qt::PenStyle style = Qt::SolidLine);
    void setPen(const QColor& colour, int width, Qt::PenStyle style = Qt::SolidLine);
    // The medium's face at the given size.
    void setPointSize(int pointSize);

    int textWidth(const QString& text) const;
    // The height of a line of the current font ("M").
    int textHeight() const;
    // A text placed by the top-left corner of its cell, or centred on x.
    void text(int x, int y, const QString& text);
    void textCentredOn(int x, int y, const QString& text);
    // A text centred on the frame's width.
    void textCentredInFrame(const GraphFrame& frame, int y, const QString& text);

    // A line from (x1, y1) to (x2, y2) with the current pen.
    void line(int x1, int y1, int x2, int y2);
    // The outline of a rectangle given by its corners (the right and bottom corner
    // are the first units outside it), filled with the current brush.
    void outline(const PixelRect& corners);
    // An area filled with a band's hatch and no outline.
    void fillBand(LoudnessBand band, const PixelRect& area);
    QBrush bandBrush(LoudnessBand band) const;

    // --- the pieces of a graph -----------------------------------------------

    void bands(const std::vector<BandArea>& bands);
    // The frame with its lines on its left, right, top and bottom units.
    void frame(const GraphFrame& frame, int penWidth);
    // Output levels 30..130 a digit's width left of the frame (or right of it), each
    // centred on its level; input levels 40..120 centred under the frame.
    void outputScale(const GraphFrame& frame, ScaleMarks marks, bool labelsRight);
    void inputScale(const GraphFrame& frame, ScaleMarks marks);
    // Output equal to input, from the bottom-left to the top-right corner.
    void diagonal(const GraphFrame& frame);
    // Per speech level a line over the frame at its input, its word above the frame
    // and, where there is a target, a "*" of markerPointSize on it; the texts return
    // to textPointSize after each marker.
    void speechLevels(const GraphFrame& frame, const std::array<SpeechMark, 3>& marks,
                      int textPointSize, int markerPointSize);

  private:
    QPainter& painter_;
    GraphMedium medium_;
};
