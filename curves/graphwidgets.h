// The widgets of the curve page's graphics area. Each one paints through the
// drawing functions of the curve graphs from the scene its page keeps up to date,
// and changes nothing while painting.
#pragma once

#include "curves/curvegraphs.h"

#include <QFrame>
#include <QLabel>
#include <QWidget>

#include <functional>

// The black panel behind both graphs: the background layer of each side.
class GraphPanel : public QWidget {
    Q_OBJECT
  public:
    GraphPanel(const GraphScene& scene, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const GraphScene& scene_;
};

// The curves of one graph, over the panel's background, which it does not erase.
// Tells its page where the pointer is.
class CurveGraphBox : public QWidget {
    Q_OBJECT
  public:
    CurveGraphBox(const GraphScene& scene, GraphSide side, QWidget* parent);

    std::function<void(QPoint position)> pointerMoved;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    const GraphScene& scene_;
    GraphSide side_;
};

// The legend of the three loudness bands, in a lowered frame.
class LegendFrame : public QFrame {
    Q_OBJECT
  public:
    explicit LegendFrame(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A graph's frequency caption over its curve box, written as the panel picture of
// tavik-cli writes it. The pointer read-out goes on underneath it.
class FrequencyLabel : public QLabel {
    Q_OBJECT
  public:
    explicit FrequencyLabel(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};
