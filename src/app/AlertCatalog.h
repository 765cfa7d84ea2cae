#pragma once

#include <QString>
#include <optional>

namespace fw {

class LocalizedStrings;

// The texts of the alerts that screens request by tag: a title and a
// message, looked up in the string table (the photo-limit message is a fixed
// text with the limit filled in).
class AlertCatalog {
public:
    struct Alert {
        QString title;
        QString message;
    };

    static std::optional<Alert> alertForTag(int tag, LocalizedStrings& strings);
};

} // namespace fw
