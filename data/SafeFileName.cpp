#include "SafeFileName.h"

#include <QCryptographicHash>

namespace {

bool needsEscape(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || u == 0x7F || u == u'/';
}

QString escaped(QChar c) {
    return QString::asprintf("%%%02X", static_cast<unsigned>(c.unicode()));
}

} // namespace

QString SafeFileName::fromName(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("%00");
    if (name == QLatin1String("."))
        return QStringLiteral("%2E");
    if (name == QLatin1String(".."))
        return QStringLiteral("%2E%2E");

    QString out;
    out.reserve(name.size());
    for (const QChar c : name)
        out += needsEscape(c) ? escaped(c) : QString(c);

    if (out.toUtf8().size() <= kMaxBytes)
        return out;

    // Cut on a character boundary (never inside a surrogate pair) and tell the
    // names apart by a hash of the full name.
    const QString tag =
        QLatin1Char('~') +
        QString::fromLatin1(
            QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
    const int budget = kMaxBytes - static_cast<int>(tag.size());
    int bytes = 0;
    int cut = 0;
    while (cut < out.size()) {
        const int step = out.at(cut).isHighSurrogate() && cut + 1 < out.size() ? 2 : 1;
        const int size = static_cast<int>(out.mid(cut, step).toUtf8().size());
        if (bytes + size > budget)
            break;
        bytes += size;
        cut += step;
    }
    return out.left(cut) + tag;
}
