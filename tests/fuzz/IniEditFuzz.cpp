// Any file content, any of a few keys and values: an INI write keeps every
// byte outside the key's line, or refuses and keeps all of them.
#include "IniEditProperty.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    // The first byte picks the section, key and value; the rest is the file.
    static const char* const sections[] = {"setup", "Setup", "s"};
    static const char* const keys[] = {"language", "LANGUAGE", "k", "new"};
    static const char* const values[] = {"2", "", " pad ", "a\nb", "'q'", "\xE7\x8E\x8B"};
    const unsigned pick = data[0];
    const QString section = QString::fromUtf8(sections[pick % 3]);
    const QString key = QString::fromUtf8(keys[(pick / 3) % 4]);
    const QString value = QString::fromUtf8(values[(pick / 12) % 6]);
    const QByteArray file(reinterpret_cast<const char*>(data + 1),
                          static_cast<qsizetype>(size - 1));
    const std::string violation = iniEditViolation(file, section, key, value);
    if (!violation.empty()) {
        std::fprintf(stderr, "INI edit property broken: %s\n", violation.c_str());
        std::abort();
    }
    return 0;
}
