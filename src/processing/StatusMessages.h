#pragma once

#include <QString>

namespace fw {

class LocalizedStrings;

// The text of a photo's status code, as the log and the screens show it; "-"
// for a code no photo ends with. (getMessageForstatus is the design's name.)
class StatusMessages {
public:
    StatusMessages() = delete;

    static QString getMessageForstatus(int status, LocalizedStrings& strings);
};

} // namespace fw
