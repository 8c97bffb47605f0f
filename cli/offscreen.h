// What the drawing commands of tavik-cli share: an application object without a
// display, and the atomic writing of the file a command makes. Built into the
// tavik-cli executable only, which links Qt.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QSize>

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

// An application object on the offscreen platform, which drawing text needs and which
// needs no display; made only when none exists (nullptr otherwise). While the
// platform starts, its remarks about the desktop session (such as a missing runtime
// folder, which drawing into an image does not need) stay off the error output;
// serious messages still get through.
std::unique_ptr<QGuiApplication> offscreenApplication();

// An image of the given size in screen pixels at scale times those pixels, filled with
// the colour. Its fonts are sized for a 96 dpi screen, as the window's are, so that a
// point is as many pixels as on the screen.
QImage screenImage(QSize size, int scale, const QColor& fill);
// The image encoded as PNG; empty when it could not be encoded.
QByteArray pngBytes(const QImage& image);

// Renders a PDF on an offscreen application and writes it as the command's file: a
// printing failure or an empty PDF (named "the reports", "the overview") goes to err
// with the exit code 1, and nothing is written.
int writeRenderedPdf(const std::string& path, const std::function<QByteArray()>& render,
                     const char* what, std::ostream& err);

// Writes a command's file atomically: the old file stays whole until the new one is.
// On failure the reason, naming the file, goes to err and the exit code is returned;
// 0 when the file was written.
int writeCommandOutput(const std::string& path, const QByteArray& bytes, std::ostream& err);
