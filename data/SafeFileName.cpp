#include "SafeFileName.h"

#include <QCryptographicHash>

namespace {

bool isControl(char16_t u) {
    return u < 0x20 || u == 0x7F;
}

QString escaped(QChar c) {
    return QString::asprintf("%%%02X", static_cast<unsigned>(c.unicode()));
}

// Escapes by the given rule, special names first, then cuts a name too long
// for one file name and tags it with a hash of the full name.
template <typename NeedsEscape>
QString mapName(const QString& name, NeedsEscape needsEscape, const QString& emptyName,
                const QString& tagMark, int hashDigits) {
    if (name.isEmpty())
        return emptyName;
    if (name == QLatin1String("."))
        return QStringLiteral("%2E");
    if (name == QLatin1String(".."))
        return QStringLiteral("%2E%2E");

    QString out;
    out.reserve(name.size());
    for (const QChar c : name)
        out += needsEscape(c.unicode()) ? escaped(c) : QString(c);

    if (out.toUtf8().size() <= SafeFileName::kMaxBytes)
        return out;

    // Cut on a character boundary (never inside a surrogate pair or an escape)
    // and tell the names apart by a hash of the full name.
    const QString tag =
        tagMark +
        QString::fromLatin1(QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1)
                                .toHex()
                                .left(hashDigits));
    const int budget = SafeFileName::kMaxBytes - static_cast<int>(tag.size());
    int bytes = 0;
    int cut = 0;
    while (cut < out.size()) {
        int step = out.at(cut).isHighSurrogate() && cut + 1 < out.size() ? 2 : 1;
        if (out.at(cut) == QLatin1Char('%') && cut + 2 < out.size())
            step = 3;
        const int size = static_cast<int>(out.mid(cut, step).toUtf8().size());
        if (bytes + size > budget)
            break;
        bytes += size;
        cut += step;
    }
    return out.left(cut) + tag;
}

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

} // namespace

QString SafeFileName::fromName(const QString& name) {
    return mapName(
        name, [](char16_t u) { return isControl(u) || u == u'/' || u == u'%'; },
        QStringLiteral("%"), QStringLiteral("%~"), 16);
}

QString SafeFileName::legacyFromName(const QString& name) {
    return mapName(
        name, [](char16_t u) { return isControl(u) || u == u'/'; }, QStringLiteral("%00"),
        QStringLiteral("~"), 12);
}

bool SafeFileName::isCurrentMapping(const QString& component) {
    if (component == QLatin1String("%"))
        return true; // the empty name
    if (component.contains(QLatin1String("%~")))
        return true; // a hashed long name: the hash stands for one name
    // Undo the escapes; the component is a current mapping when escaping the
    // result gives it back exactly.
    QString name;
    for (int i = 0; i < component.size(); ++i) {
        if (component.at(i) != QLatin1Char('%')) {
            name += component.at(i);
            continue;
        }
        if (i + 2 >= component.size())
            return false;
        const int high = hexValue(component.at(i + 1));
        const int low = hexValue(component.at(i + 2));
        if (high < 0 || low < 0)
            return false;
        name += QChar(high * 16 + low);
        i += 2;
    }
    return fromName(name) == component;
}

bool SafeFileName::legacyBelongsTo(const QString& name) {
    const QString legacy = legacyFromName(name);
    if (legacy == fromName(name))
        return false;
    // A hashed long name of the older mapping stands for that long name; only
    // a typed name of the very same 240 bytes could share it.
    const QString plain = mapName(
        name, [](char16_t u) { return isControl(u) || u == u'/'; }, QStringLiteral("%00"),
        QString(), 0);
    if (legacy != plain)
        return true;
    return !isCurrentMapping(legacy);
}
