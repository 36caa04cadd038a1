#include "app/organiser_keys.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <map>

#include "platform/debug_output.h"

namespace {

// A round key of the skin: its centre, the radius of its face (what sinks when it is pressed)
// and the radius of its recess in the shell (where a press counts as a press of the key).
struct RoundKey {
    double x = 0;
    double y = 0;
    double face = 0;
    double recess = 0;
};

// The skin's keys by name, from the key areas that the skin's generator writes beside the skin:
// lines "name x y face recess", "#" lines skipped. A line that does not read is left out with a
// debug line; a key that is missing then takes no presses.
std::map<QString, RoundKey> ReadKeyAreas() {
    std::map<QString, RoundKey> keys;
    QFile file(QStringLiteral(":/skin/129_keys.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        DebugOutput("The skin's key areas cannot be read");
        return keys;
    }
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const QStringList fields = line.split(u' ', Qt::SkipEmptyParts);
        bool ok = fields.size() == 5;
        RoundKey key;
        double* values[] = {&key.x, &key.y, &key.face, &key.recess};
        for (int i = 0; ok && i < 4; ++i) *values[i] = fields[i + 1].toDouble(&ok);
        if (ok) {
            keys[fields[0]] = key;
        } else {
            DebugOutput("A line of the skin's key areas does not read: " + line.toStdString());
        }
    }
    return keys;
}

const RoundKey& SkinKey(const QString& name) {
    static const std::map<QString, RoundKey> keys = ReadKeyAreas();
    static const RoundKey none;
    const auto found = keys.find(name);
    return found == keys.end() ? none : found->second;
}

// The shadow over a pressed face.
constexpr QColor kPressedShade(0, 0, 0, 100);

QPainterPath Disc(double x, double y, double radius) {
    QPainterPath disc;
    disc.addEllipse(QPointF(x, y), radius, radius);
    return disc;
}

// The round key behind key; null for the pad's arrows.
const RoundKey* RoundKeyOf(OrganiserKey key) {
    switch (key) {
        case OrganiserKey::Book:
            return &SkinKey(QStringLiteral("book"));
        case OrganiserKey::Speaker:
            return &SkinKey(QStringLiteral("speaker"));
        case OrganiserKey::PadCentre:
            return &SkinKey(QStringLiteral("centre"));
        case OrganiserKey::Globe:
            return &SkinKey(QStringLiteral("globe"));
        case OrganiserKey::Info:
            return &SkinKey(QStringLiteral("info"));
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
    const RoundKey& pad = SkinKey(QStringLiteral("pad"));
    QPainterPath quarter;
    quarter.moveTo(pad.x, pad.y);
    quarter.arcTo(QRectF(pad.x - radius, pad.y - radius, 2 * radius, 2 * radius),
                  ArrowAngle(key) - 45, 90);
    quarter.closeSubpath();
    const RoundKey& centre = SkinKey(QStringLiteral("centre"));
    return quarter.subtracted(Disc(centre.x, centre.y, centre.recess));
}

}  // namespace

QPainterPath OrganiserKeyArea(OrganiserKey key) {
    if (const RoundKey* round = RoundKeyOf(key)) {
        return Disc(round->x, round->y, round->recess);
    }
    return PadArrow(key, SkinKey(QStringLiteral("pad")).recess);
}

QPainterPath OrganiserKeyFace(OrganiserKey key) {
    if (const RoundKey* round = RoundKeyOf(key)) {
        return Disc(round->x, round->y, round->face);
    }
    return PadArrow(key, SkinKey(QStringLiteral("pad")).face);
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
