#pragma once

#include <QString>

class QByteArray;

namespace fw {

// Checks that a property list can be handed to the parser: the parser and
// the conversion after it recurse once per level of nesting, so a list
// nested tens of thousands deep would overflow the stack, and a binary list
// whose objects refer to each other in a loop would never end. Reads the
// nesting alone, without recursion and within a bounded number of steps.
class PlistShape {
public:
    static constexpr int deepestNesting = 256;

    PlistShape() = delete;

    // Empty when the list is fit to parse, else why it is not.
    static QString refusal(const QByteArray& data);

private:
    static QString xmlRefusal(const QByteArray& data);
    static QString binaryRefusal(const QByteArray& data);
};

} // namespace fw
