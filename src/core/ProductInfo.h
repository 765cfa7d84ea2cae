#pragma once

#include <QString>

namespace fw {

// What the build fixes about the product: its name, version and web page.
struct ProductInfo {
    static QString name();
    static QString version();
    // The project's page, where users rate it and read about it.
    static QString homepage();
};

} // namespace fw
