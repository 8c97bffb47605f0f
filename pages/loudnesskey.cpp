#include "pages/loudnesskey.h"

#include "controls/pageform.h"
#include "model/palette.h"
#include "platform/qtcolour.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

namespace {

struct KeyEntry {
    const char* name; // objectName of its swatch
    const char* text;
    const char* hint;
    RgbColour colour;
};

constexpr KeyEntry kKeyEntries[] = {
    {"PredictedKeySwatch", "Predicted",
     "A grey cell holds a level predicted from the threshold "
     "(and UCL) of its row; a white cell a measured one",
     kLoudnessCellColours.predicted},
    {"NotRisingKeySwatch", "Lower than to its left",
     "Levels rise from THR to UCL: this level is lower than one to its left in its row "
     "(a swapped digit?)",
     kLoudnessCellColours.notRising},
    {"OutOfRangeKeySwatch", "Outside the range",
     "A level no audiometer gives; it is kept as typed, but check it",
     kLoudnessCellColours.outOfRange},
    {"OutOfDateKeySwatch", "Out of date",
     "A predicted level its row's threshold (and UCL) no longer predict; press "
     "\"Predict intermediate levels\"",
     kLoudnessCellColours.outOfDate},
};

QLabel* swatch(QWidget* parent, const KeyEntry& entry) {
    auto* box = new QLabel(parent);
    box->setObjectName(QString::fromLatin1(entry.name));
    box->setFixedSize(22, 14);
    box->setAutoFillBackground(true);
    box->setFrameStyle(QFrame::Box | QFrame::Plain);
    QPalette colours = box->palette();
    colours.setColor(QPalette::Window, qColor(entry.colour));
    colours.setColor(QPalette::WindowText, Qt::black);
    box->setPalette(colours);
    return box;
}

} // namespace

QFrame* buildLoudnessKey(QWidget* page, int left, int top) {
    auto* key = new QFrame(page);
    key->setObjectName(QStringLiteral("LoudnessKeyPanel"));
    key->setAccessibleName(QStringLiteral("Key to the cell colours"));
    auto* row = new QHBoxLayout(key);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(placeLabel(key, QStringLiteral("Key:"), 0, 0));
    for (const KeyEntry& entry : kKeyEntries) {
        const QString hint = QString::fromLatin1(entry.hint);
        QLabel* box = swatch(key, entry);
        QLabel* text = placeLabel(key, QString::fromLatin1(entry.text), 0, 0);
        for (QLabel* part : {box, text}) {
            part->setToolTip(hint);
            part->setAccessibleDescription(hint);
        }
        box->setAccessibleName(text->text());
        row->addSpacing(8);
        row->addWidget(box);
        row->addWidget(text);
    }
    key->move(left, top);
    key->adjustSize();
    return key;
}
