#include "cli/offscreen.h"

#include "cli/commands.h"
#include "model/fileio.h"
#include "platform/fontnames.h"
#include "platform/printtarget.h"

#include <QBuffer>

#include <ostream>
#include <span>

namespace {

QtMessageHandler qtHandlerBeforeStart = nullptr;

void quietStartHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if ((type == QtCriticalMsg || type == QtFatalMsg) && qtHandlerBeforeStart)
        qtHandlerBeforeStart(type, context, text);
}

} // namespace

QImage screenImage(QSize size, int scale, const QColor& fill) {
    constexpr int kDotsPerMetreAt96Dpi = 3780;
    QImage image(size * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.setDotsPerMeterX(kDotsPerMetreAt96Dpi);
    image.setDotsPerMeterY(kDotsPerMetreAt96Dpi);
    image.fill(fill);
    return image;
}

QByteArray pngBytes(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        png.clear();
    return png;
}

std::unique_ptr<QGuiApplication> offscreenApplication() {
    if (QCoreApplication::instance())
        return nullptr;
    static char name[] = "tavik-cli";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, platformOption, platform, nullptr};
    static int argc = 3;
    qtHandlerBeforeStart = qInstallMessageHandler(quietStartHandler);
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(qtHandlerBeforeStart);
    installFontSubstitutions();
    return application;
}

int writeCommandOutput(const std::string& path, const QByteArray& bytes, std::ostream& err) {
    try {
        writeFileAtomically(path, std::span(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                            static_cast<std::size_t>(bytes.size())));
    } catch (const FileError& e) {
        err << e.what() << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

int writeRenderedPdf(const std::string& path, const std::function<QByteArray()>& render,
                     const char* what, std::ostream& err) {
    const auto application = offscreenApplication();
    QByteArray pdf;
    try {
        pdf = render();
    } catch (const PrintError& e) {
        err << "tavik-cli: " << e.what() << '\n';
        return kExitFailure;
    }
    if (pdf.isEmpty()) {
        err << "tavik-cli: " << what << " could not be made into a PDF\n";
        return kExitFailure;
    }
    return writeCommandOutput(path, pdf, err);
}
