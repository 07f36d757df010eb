// The settings file: read any bytes; write a key into any bytes and read it back.
#include "fuzz_check.h"
#include "platform/text_codec.h"
#include "store/ini_file.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QList>

#include <cstddef>
#include <cstdint>

namespace {
QString consumeText(FuzzedDataProvider &provider)
{
    const std::string bytes = provider.ConsumeRandomLengthString(300);
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The lines as stored, without their ends (CR LF, lone CR, lone LF).
QList<QByteArray> storedLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    QByteArray line;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c == '\r' || c == '\n') {
            lines.append(line);
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

bool hasLineEnd(const QString &text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

void checkCut(const QString &text, int maxBytes)
{
    const QString cut = cutToEncodedBytes(text, maxBytes);
    FUZZ_REQUIRE(text.startsWith(cut));
    FUZZ_REQUIRE(encodeGb(cut).size() <= maxBytes || cut == text);
    if (cut.size() < text.size()) {
        // Only what would not fit is dropped, and never half of a character.
        if (isValidText(text)) {
            FUZZ_REQUIRE(cut.isEmpty() || !cut.back().isHighSurrogate());
            const qsizetype next = text.at(cut.size()).isHighSurrogate() ? 2 : 1;
            FUZZ_REQUIRE(encodeGb(text.left(cut.size() + next)).size() > maxBytes);
        }
    }
}

QString swappedAsciiCase(const QString &text)
{
    QString swapped = text;
    for (QChar &c : swapped) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = c.toUpper();
        else if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = c.toLower();
    }
    return swapped;
}

// A key the file format can hold: it reads back as itself.
bool isStorableName(const QString &name)
{
    return !name.isEmpty() && name.trimmed() == name && !hasLineEnd(name) && isValidText(name);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider provider(data, size);
    const QString section = consumeText(provider);
    const QString key = consumeText(provider);
    const QString value = consumeText(provider);
    const int maxBytes = provider.ConsumeIntegralInRange(0, 300);
    const std::vector<uint8_t> rest = provider.ConsumeRemainingBytes<uint8_t>();
    const QByteArray file = fuzzBytes(rest.data(), rest.size());

    checkCut(value, maxBytes);
    checkCut(decodeGb(file), maxBytes);

    const QString read = profileValue(file, section, key, value);
    FUZZ_REQUIRE(encodeGb(read).size() <= kProfileValueMaxBytes);

    const QByteArray written = withProfileValue(file, section, key, value);
    // Whatever the value holds, the entry stays one line: no key or section can be slipped in.
    FUZZ_REQUIRE(storedLines(written).size() <= storedLines(file).size() + 2);
    if (!isStorableName(section) || !isStorableName(key) || !isValidText(value))
        return 0;
    // A name that is a section line, a comment or holds the "=" is not a key of this format.
    if (key.startsWith(QLatin1Char('[')) || key.startsWith(QLatin1Char(';'))
        || key.contains(QLatin1Char('=')))
        return 0;
    if (section.contains(QLatin1Char(']')))
        return 0;

    const QString missing = QStringLiteral("\x01missing");
    FUZZ_REQUIRE(profileValue(written, section, key, missing)
                 == cutToEncodedBytes(onOneLine(value).trimmed(), kProfileValueMaxBytes));
    // Letter case is the same to the reader.
    FUZZ_REQUIRE(profileValue(written, swappedAsciiCase(section), swappedAsciiCase(key), missing)
                 == profileValue(written, section, key, missing));

    // Every other line stays byte for byte: one line replaced, one inserted, or a new section
    // with its entry added at the end.
    const QList<QByteArray> before = storedLines(file);
    const QList<QByteArray> after = storedLines(written);
    const QByteArray entry = encodeGb(key + QLatin1Char('=') + onOneLine(value));
    FUZZ_REQUIRE(written.endsWith("\r\n"));
    FUZZ_REQUIRE(after.size() >= before.size() && after.size() <= before.size() + 2);
    if (after.size() == before.size()) {
        qsizetype changed = 0;
        for (qsizetype i = 0; i < before.size(); ++i) {
            if (before.at(i) != after.at(i)) {
                FUZZ_REQUIRE(after.at(i) == entry);
                ++changed;
            }
        }
        FUZZ_REQUIRE(changed <= 1);
    } else if (after.size() == before.size() + 1) {
        bool inserted = false;
        for (qsizetype at = 1; at < after.size() && !inserted; ++at) {
            QList<QByteArray> without = after;
            without.removeAt(at);
            inserted = after.at(at) == entry && without == before;
        }
        FUZZ_REQUIRE(inserted);
    } else {
        FUZZ_REQUIRE(after.mid(0, before.size()) == before);
        FUZZ_REQUIRE(after.last() == entry);
        FUZZ_REQUIRE(decodeGb(after.at(before.size())).trimmed()
                     == QLatin1Char('[') + section + QLatin1Char(']'));
    }
    return 0;
}
