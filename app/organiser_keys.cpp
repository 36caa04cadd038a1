#include "app/organiser_keys.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include "res/pictures/skin_129_keys.h"

namespace {

// The shadow over a pressed face.
constexpr QColor kPressedShade(0, 0, 0, 100);

QPainterPath Disc(double x, double y, double radius) {
    QPainterPath disc;
    disc.addEllipse(QPointF(x, y), radius, radius);
    return disc;
}

// The round key behind key; null for the pad's arrows.
const skin129::RoundKey* RoundKeyOf(OrganiserKey key) {
    switch (key) {
        case OrganiserKey::Book:
            return &skin129::kBook;
        case OrganiserKey::Speaker:
            return &skin129::kSpeaker;
        case OrganiserKey::PadCentre:
            return &skin129::kPadCentre;
        case OrganiserKey::Globe:
            return &skin129::kGlobe;
        case OrganiserKey::Info:
            return &skin129::kInfo;
        default:
            return nullptr;
    }
}

// The direction an arrow points to, in degrees counter-clockwise from the right.
double ArrowAngle(OrganiserKey key) {
    switch (key) {
        case OrganiserKey::PadUp:
            return 90;
        case OrganiserKey::PadLeft:
            return 180;
        case OrganiserKey::PadDown:
            return 270;
        default:
            return 0;
    }
}

// The quarter of the pad's disc of the given radius around the arrow of key, less the centre key
// and its ring.
QPainterPath PadArrow(OrganiserKey key, double radius) {
    const skin129::RoundKey& pad = skin129::kPad;
    QPainterPath quarter;
    quarter.moveTo(pad.x, pad.y);
    quarter.arcTo(QRectF(pad.x - radius, pad.y - radius, 2 * radius, 2 * radius),
                  ArrowAngle(key) - 45, 90);
    quarter.closeSubpath();
    const skin129::RoundKey& centre = skin129::kPadCentre;
    return quarter.subtracted(Disc(centre.x, centre.y, centre.recess));
}

}  // namespace

QPainterPath OrganiserKeyArea(OrganiserKey key) {
    if (const skin129::RoundKey* round = RoundKeyOf(key)) {
        return Disc(round->x, round->y, round->recess);
    }
    return PadArrow(key, skin129::kPad.recess);
}

QPainterPath OrganiserKeyFace(OrganiserKey key) {
    if (const skin129::RoundKey* round = RoundKeyOf(key)) {
        return Disc(round->x, round->y, round->face);
    }
    return PadArrow(key, skin129::kPad.face);
}

std::optional<OrganiserKey> OrganiserKeyAt(QPointF point) {
    for (OrganiserKey key : kOrganiserKeys) {
        if (OrganiserKeyArea(key).contains(point)) return key;
    }
    return std::nullopt;
}

void PaintPressedKey(QPainter& painter, const QImage& skin, OrganiserKey key) {
    const QPainterPath face = OrganiserKeyFace(key);
    const QRect source = face.boundingRect().toAlignedRect().adjusted(-1, -1, 0, 0);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipPath(face);
    painter.drawImage(source.translated(1, 1), skin, source);
    painter.fillPath(face, kPressedShade);
    painter.restore();
}
