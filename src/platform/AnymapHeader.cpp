#include "platform/AnymapHeader.h"

#include <QList>
#include <algorithm>
#include <cctype>

namespace fw {

namespace {

// The header's numbers after the magic, comments ("#" to the end of the line)
// left out; fewer when the first bytes end first.
QList<qint64> headerNumbers(const QByteArray& bytes, int wanted)
{
    QList<qint64> numbers;
    qsizetype index = 2;
    while (numbers.size() < wanted && index < bytes.size()) {
        const char character = bytes.at(index);
        if (character == '#') {
            while (index < bytes.size() && bytes.at(index) != '\n')
                ++index;
        } else if (std::isdigit(static_cast<unsigned char>(character))) {
            qint64 value = 0;
            constexpr qint64 ceiling = qint64(1) << 40;
            while (index < bytes.size() &&
                   std::isdigit(static_cast<unsigned char>(bytes.at(index))))
                value = std::min(ceiling, value * 10 + (bytes.at(index++) - '0'));
            numbers << value;
            continue;
        } else if (!std::isspace(static_cast<unsigned char>(character))) {
            return {};
        }
        ++index;
    }
    return numbers;
}

} // namespace

std::optional<AnymapHeader> AnymapHeader::parse(const QByteArray& fileStart)
{
    if (fileStart.size() < 3 || fileStart.at(0) != 'P' || fileStart.at(1) < '1' ||
        fileStart.at(1) > '6' || !std::isspace(static_cast<unsigned char>(fileStart.at(2))))
        return std::nullopt;
    const bool bitmap = fileStart.at(1) == '1' || fileStart.at(1) == '4';
    const QList<qint64> numbers = headerNumbers(fileStart, bitmap ? 2 : 3);
    if (numbers.size() < (bitmap ? 2 : 3))
        return std::nullopt;
    const auto fits = [](qint64 value) { return value > 0 && value <= 0x7fffffff; };
    if (!fits(numbers[0]) || !fits(numbers[1]) ||
        (!bitmap && (numbers[2] < 1 || numbers[2] > 65535)))
        return std::nullopt;
    return AnymapHeader{static_cast<int>(numbers[0]), static_cast<int>(numbers[1]),
                        bitmap ? 1 : static_cast<int>(numbers[2])};
}

} // namespace fw
